#include "views/view_rules.h"

#include "launch/command_line.h"
#include "text/sjis.h"
#include "views/page_placement.h"

namespace brindle::views {

namespace {
constexpr std::string_view kForbidden = "=,<>/\\";
constexpr std::string_view kForbiddenInPage = "=,<>/\\\"";
}  // namespace

bool ShortcutNameAllowed(std::string_view name) {
    return sjis::FindAnyOf(name, kForbidden) == std::string_view::npos;
}

bool PageNameAllowed(std::string_view name) {
    return !name.empty() && sjis::FindAnyOf(name, kForbiddenInPage) == std::string_view::npos;
}

std::string ShowTypeText(int32_t showType) {
    switch (showType) {
        case -1:
            return {};
        case 0:
            return "通常";
        case 1:
            return "最大化";
        case 2:
            return "最小化";
        default:
            return std::to_string(showType);
    }
}

namespace {

int CompareTexts(const char* a, const char* b) {
    if (!a || !b) {
        return (a ? 1 : 0) - (b ? 1 : 0);
    }
    return sjis::Compare(a, b);
}

}  // namespace

int CompareShortcuts(const ShortcutRecord& a, const ShortcutRecord& b, int column) {
    switch (column) {
        case 0:
            return CompareTexts(a.name, b.name);
        case 1:
            return CompareTexts(a.commandLine, b.commandLine);
        case 2:
            return CompareTexts(a.icon, b.icon);
        case 3:
            return CompareTexts(a.workFolder, b.workFolder);
        case 4:
            return a.showType < b.showType ? -1 : (a.showType > b.showType ? 1 : 0);
        case 5:
            return CompareTexts(a.comment, b.comment);
        default:
            return 0;
    }
}

std::string IconKey(const ShortcutRecord& shortcut, Environment& environment) {
    if (shortcut.icon) {
        return shortcut.icon;
    }
    std::string file, parameters;
    SplitCommandLine(shortcut.commandLine, file, parameters, environment);
    return file;
}

ItemImage ListItemImage(bool readIcon, int cachedPair, int kind) {
    constexpr int kMissingImage = 4;
    if (readIcon) {
        const int image = cachedPair != -1 ? cachedPair + 5 : kind;
        if (image == -1)
            return {kMissingImage, 0};
        return {image, kind == -1 ? 1 : 0};
    }
    if (kind == -1)
        return {kMissingImage, 1};
    return {kind, 0};
}

std::vector<TreeInsert> PlanTreeInsertions(const std::vector<PageRecord>& pages) {
    const std::vector<int> parentOf = PlacePages(pages);
    const int count = static_cast<int>(pages.size());
    std::vector<bool> inserted(pages.size(), false);
    std::vector<TreeInsert> plan;
    plan.reserve(pages.size());
    // The placement has no cycles, so every pass inserts at least one page until all are in.
    while (static_cast<int>(plan.size()) < count) {
        for (int i = 0; i < count; ++i) {
            if (inserted[i] || (parentOf[i] >= 0 && !inserted[parentOf[i]]))
                continue;
            inserted[i] = true;
            plan.push_back({i, parentOf[i]});
        }
    }
    return plan;
}

std::string KeyText(int32_t id, const char* name) {
    return std::to_string(id) + ":" + (name ? name : "");
}

}  // namespace brindle::views
