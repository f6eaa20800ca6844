#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// The two icon caches of the main window. They gather the icons of one build, read each source once and
// hand them to image lists afterwards. Icons are opaque handles here; an IconReader reads and destroys
// them (on Windows: SHDefExtractIconA at the asked sizes with the shell's fallback, and DestroyIcon).
namespace brindle {

using IconHandle = void*;

// The edges in pixels at which icons are read: those of the image lists they go to, which follow the
// display scale. 0 stands for the system's size.
struct IconSizes {
    int large = 0;
    int small = 0;
    bool operator==(const IconSizes&) const = default;
};

class IconReader {
public:
    virtual ~IconReader() = default;
    // Reads the icons of an icon source ("file" or "file>index") at `sizes`; either may come back null.
    virtual void Read(const std::string& source, IconSizes sizes, IconHandle& large, IconHandle& small) = 0;
    virtual void Destroy(IconHandle icon) = 0;
};

// Icons of shortcuts: pair n becomes image n + 5 of the list image lists. Only reads that give both
// sizes are kept; a key whose read failed is read again at its next lookup. The cache holds the icons of
// one size: a change of size (the window went to a monitor of another scale) empties it.
class IconCache {
public:
    struct Pair {
        IconHandle large;
        IconHandle small;
    };

    explicit IconCache(IconReader& reader) : reader_(reader) {}
    ~IconCache() { Clear(); }
    IconCache(const IconCache&) = delete;
    IconCache& operator=(const IconCache&) = delete;

    int Lookup(const std::string& key);  // pair index, or -1
    void Clear();
    const std::vector<Pair>& Pairs() const { return pairs_; }
    void SetSizes(IconSizes sizes);
    IconSizes Sizes() const { return sizes_; }

private:
    IconReader& reader_;
    IconSizes sizes_;
    std::unordered_map<std::string, int> keys_;
    std::vector<Pair> pairs_;
};

// Icons of pages: icon n becomes tree image n + 2. A source is read once per build, whether the read
// succeeds or not; a failed source keeps the default image of its first use (0 closed, 1 open folder).
class PageIconCache {
public:
    explicit PageIconCache(IconReader& reader) : reader_(reader) {}
    ~PageIconCache() { Clear(); }
    PageIconCache(const PageIconCache&) = delete;
    PageIconCache& operator=(const PageIconCache&) = delete;

    // Image and selected image of a page.
    std::pair<int, int> ImagePair(int32_t useIcons, const char* normalSource, const char* selectedSource);
    void Clear();
    const std::vector<IconHandle>& Icons() const { return icons_; }
    // The size of the tree's images; a change empties the cache.
    void SetSize(int small);

private:
    int ImageOf(const char* source, int fallback);

    IconReader& reader_;
    IconSizes sizes_;
    std::unordered_map<std::string, int> sources_;
    std::vector<IconHandle> icons_;
};

constexpr int kFirstListIcon = 5;  // after the five class images
constexpr int kFirstTreeIcon = 2;  // after the closed and the open folder

}  // namespace brindle
