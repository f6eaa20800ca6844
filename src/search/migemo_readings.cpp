#include "search/migemo_readings.h"

#include <algorithm>

#include "search/migemo_pattern.h"
#include "search/romaji.h"
#include "text/sjis.h"

#ifdef BRINDLE_HAVE_MIGEMO
#include <migemo.h>
#endif

namespace brindle::search {

#ifdef BRINDLE_HAVE_MIGEMO

struct MigemoReadings::Migemo {
    migemo* handle;
};

namespace {

constexpr size_t kCacheSlots = 8;
// Words taken from Migemo's answer before the shortest are kept: more than any real query gives, fewer
// than a runaway answer would cost.
constexpr size_t kMaxAnswerWords = 4096;
// migemo_open builds the tables' names beside the dictionary in buffers of MAX_PATH (260) bytes.
constexpr size_t kMaxDictPath = 200;

// Latin letters (with the romaji marks '-' and '\'') that spell at least two kana: Migemo's answer for a
// single kana ("ka", "shi") lists a tenth of the dictionary and costs tens of milliseconds, and a name
// holding one of its thousands of kanji is found by nearly any letter anyway.
bool WorthAsking(std::string_view word) {
    if (word.size() > MigemoReadings::kMaxWordLetters)
        return false;
    for (char c : word) {
        if (!(c >= 'a' && c <= 'z') && c != '-' && c != '\'')
            return false;
    }
    std::vector<std::string> kana;
    RomajiReadings(word, kana);
    return !kana.empty() && std::all_of(kana.begin(), kana.end(), [](const std::string& k) { return k.size() >= 4; });
}

// What Migemo adds to the romaji readings: kanji. Its other words are kana and the typed letters, which
// match anyway, and symbols the dictionary files under a reading ("kakko" gives "("), which would find
// names by their punctuation. Kanji are the double-byte characters from lead byte 0x88 on.
bool LacksKanji(std::string_view word) {
    for (size_t at = 0; at < word.size(); at += sjis::CharLength(word, at)) {
        if (sjis::CharLength(word, at) == 2 && static_cast<unsigned char>(word[at]) >= 0x88)
            return false;
    }
    return true;
}

// How many kanji of JIS level 2 (code page 932 from 0x989F on) and beyond `word` holds.
int RareKanji(std::string_view word) {
    int rare = 0;
    for (size_t at = 0; at < word.size(); at += sjis::CharLength(word, at)) {
        if (sjis::CharLength(word, at) == 2) {
            const unsigned code = static_cast<unsigned char>(word[at]) << 8 | static_cast<unsigned char>(word[at + 1]);
            rare += code >= 0x989F;
        }
    }
    return rare;
}

// Characters as they are, without the escapes Migemo's own writers add for regular expressions: the
// operators alone structure the answer. `code` is a byte, or a lead and a trail byte.
int WriteCharacter(unsigned int code, unsigned char* out) {
    if (code >= 0x100) {
        out[0] = static_cast<unsigned char>(code >> 8);
        out[1] = static_cast<unsigned char>(code & 0xFF);
        return 2;
    }
    out[0] = static_cast<unsigned char>(code);
    return 1;
}

void SetOperator(migemo* handle, int index, char op) {
    const unsigned char text[2] = {static_cast<unsigned char>(op), 0};
    migemo_set_operator(handle, index, text);
}

}  // namespace

std::unique_ptr<MigemoReadings> MigemoReadings::Load(const std::string& dictFile) {
    if (dictFile.empty() || dictFile.size() > kMaxDictPath)
        return nullptr;
    migemo* handle = migemo_open(dictFile.c_str());
    if (!handle)
        return nullptr;
    if (!migemo_is_enable(handle)) {
        migemo_close(handle);
        return nullptr;
    }
    // After loading: the dictionary's code page sets Migemo's own character writer.
    migemo_setproc_int2char(handle, WriteCharacter);
    SetOperator(handle, MIGEMO_OPINDEX_OR, migemo_pattern::kOr);
    SetOperator(handle, MIGEMO_OPINDEX_NEST_IN, migemo_pattern::kNestIn);
    SetOperator(handle, MIGEMO_OPINDEX_NEST_OUT, migemo_pattern::kNestOut);
    SetOperator(handle, MIGEMO_OPINDEX_SELECT_IN, migemo_pattern::kSelectIn);
    SetOperator(handle, MIGEMO_OPINDEX_SELECT_OUT, migemo_pattern::kSelectOut);
    migemo_set_operator(handle, MIGEMO_OPINDEX_NEWLINE, reinterpret_cast<const unsigned char*>(""));
    return std::unique_ptr<MigemoReadings>(new MigemoReadings(new Migemo{handle}));
}

MigemoReadings::~MigemoReadings() {
    migemo_close(migemo_->handle);
    delete migemo_;
}

void MigemoReadings::Expand(std::string_view word, std::vector<std::string>& out) {
    if (!WorthAsking(word))
        return;
    for (const Cached& cached : cache_) {
        if (cached.word == word) {
            out.insert(out.end(), cached.readings.begin(), cached.readings.end());
            return;
        }
    }
    const std::string query(word);
    std::vector<std::string> words;
    if (unsigned char* answer = migemo_query(migemo_->handle, reinterpret_cast<const unsigned char*>(query.c_str()))) {
        migemo_pattern::Expand(reinterpret_cast<const char*>(answer), kMaxAnswerWords, words);
        migemo_release(migemo_->handle, answer);
    }
    words.erase(std::remove_if(words.begin(), words.end(), LacksKanji), words.end());
    // Shortest first (a shorter word is found in more names), and of those the ones with common kanji
    // (JIS level 1) before rare ones: Migemo lists them in code order, and a short romaji word has more
    // words than are kept.
    std::stable_sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : RareKanji(a) < RareKanji(b);
    });
    if (words.size() > kMaxWords)
        words.resize(kMaxWords);
    out.insert(out.end(), words.begin(), words.end());

    Cached entry{query, std::move(words)};
    if (cache_.size() < kCacheSlots) {
        cache_.push_back(std::move(entry));
    } else {
        cache_[nextSlot_] = std::move(entry);
        nextSlot_ = (nextSlot_ + 1) % kCacheSlots;
    }
}

#else  // a build without Migemo: no readings

struct MigemoReadings::Migemo {};

std::unique_ptr<MigemoReadings> MigemoReadings::Load(const std::string&) {
    return nullptr;
}

MigemoReadings::~MigemoReadings() {
    delete migemo_;
}

void MigemoReadings::Expand(std::string_view, std::vector<std::string>&) {}

#endif

MigemoReadings::MigemoReadings(Migemo* migemo) : migemo_(migemo) {}

}  // namespace brindle::search
