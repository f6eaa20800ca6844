#include "search/romaji.h"

#include <algorithm>
#include <cstring>

namespace brindle::search {
namespace {

struct Syllable {
    const char* romaji;
    const char* kana;  // folded (katakana, code page 932)
};

// Syllables spelled alike for two kana: Hepburn writes ぢ and づ as "ji" and "zu", loanwords write ティ
// and ディ as "ti" and "di"; a word holding them has a reading with each.
constexpr Syllable kSecondKana[] = {
    {"ji", "ヂ"}, {"zu", "ヅ"}, {"ti", "ティ"}, {"di", "ディ"}, {"tu", "トゥ"}, {"du", "ドゥ"},
};

// Hepburn, Kunrei and the input methods' spellings of small kana (l/x) and foreign sounds.
constexpr Syllable kSyllables[] = {
    {"a", "ア"},     {"i", "イ"},     {"u", "ウ"},     {"e", "エ"},     {"o", "オ"},     {"ka", "カ"},
    {"ki", "キ"},    {"ku", "ク"},    {"ke", "ケ"},    {"ko", "コ"},    {"ga", "ガ"},    {"gi", "ギ"},
    {"gu", "グ"},    {"ge", "ゲ"},    {"go", "ゴ"},    {"sa", "サ"},    {"si", "シ"},    {"shi", "シ"},
    {"su", "ス"},    {"se", "セ"},    {"so", "ソ"},    {"za", "ザ"},    {"zi", "ジ"},    {"ji", "ジ"},
    {"zu", "ズ"},    {"ze", "ゼ"},    {"zo", "ゾ"},    {"ta", "タ"},    {"ti", "チ"},    {"chi", "チ"},
    {"tu", "ツ"},    {"tsu", "ツ"},   {"te", "テ"},    {"to", "ト"},    {"da", "ダ"},    {"di", "ヂ"},
    {"du", "ヅ"},    {"de", "デ"},    {"do", "ド"},    {"na", "ナ"},    {"ni", "ニ"},    {"nu", "ヌ"},
    {"ne", "ネ"},    {"no", "ノ"},    {"ha", "ハ"},    {"hi", "ヒ"},    {"hu", "フ"},    {"fu", "フ"},
    {"he", "ヘ"},    {"ho", "ホ"},    {"ba", "バ"},    {"bi", "ビ"},    {"bu", "ブ"},    {"be", "ベ"},
    {"bo", "ボ"},    {"pa", "パ"},    {"pi", "ピ"},    {"pu", "プ"},    {"pe", "ペ"},    {"po", "ポ"},
    {"ma", "マ"},    {"mi", "ミ"},    {"mu", "ム"},    {"me", "メ"},    {"mo", "モ"},    {"ya", "ヤ"},
    {"yu", "ユ"},    {"ye", "イェ"},  {"yo", "ヨ"},    {"ra", "ラ"},    {"ri", "リ"},    {"ru", "ル"},
    {"re", "レ"},    {"ro", "ロ"},    {"wa", "ワ"},    {"wi", "ウィ"},  {"we", "ウェ"},  {"wo", "ヲ"},
    {"nn", "ン"},    {"n'", "ン"},    {"xn", "ン"},    {"va", "ヴァ"},  {"vi", "ヴィ"},  {"vu", "ヴ"},
    {"ve", "ヴェ"},  {"vo", "ヴォ"},  {"fa", "ファ"},  {"fi", "フィ"},  {"fe", "フェ"},  {"fo", "フォ"},
    {"kya", "キャ"}, {"kyu", "キュ"}, {"kyo", "キョ"}, {"gya", "ギャ"}, {"gyu", "ギュ"}, {"gyo", "ギョ"},
    {"sya", "シャ"}, {"syu", "シュ"}, {"syo", "ショ"}, {"sha", "シャ"}, {"shu", "シュ"}, {"sho", "ショ"},
    {"she", "シェ"}, {"zya", "ジャ"}, {"zyu", "ジュ"}, {"zyo", "ジョ"}, {"ja", "ジャ"},  {"ju", "ジュ"},
    {"jo", "ジョ"},  {"je", "ジェ"},  {"jya", "ジャ"}, {"jyu", "ジュ"}, {"jyo", "ジョ"}, {"tya", "チャ"},
    {"tyu", "チュ"}, {"tyo", "チョ"}, {"cha", "チャ"}, {"chu", "チュ"}, {"cho", "チョ"}, {"che", "チェ"},
    {"cya", "チャ"}, {"cyu", "チュ"}, {"cyo", "チョ"}, {"dya", "ヂャ"}, {"dyu", "ヂュ"}, {"dyo", "ヂョ"},
    {"nya", "ニャ"}, {"nyu", "ニュ"}, {"nyo", "ニョ"}, {"hya", "ヒャ"}, {"hyu", "ヒュ"}, {"hyo", "ヒョ"},
    {"bya", "ビャ"}, {"byu", "ビュ"}, {"byo", "ビョ"}, {"pya", "ピャ"}, {"pyu", "ピュ"}, {"pyo", "ピョ"},
    {"mya", "ミャ"}, {"myu", "ミュ"}, {"myo", "ミョ"}, {"rya", "リャ"}, {"ryu", "リュ"}, {"ryo", "リョ"},
    {"thi", "ティ"}, {"dhi", "ディ"}, {"dhu", "デュ"}, {"tsa", "ツァ"}, {"ca", "カ"},    {"cu", "ク"},
    {"co", "コ"},    {"la", "ァ"},    {"li", "ィ"},    {"lu", "ゥ"},    {"le", "ェ"},    {"lo", "ォ"},
    {"xa", "ァ"},    {"xi", "ィ"},    {"xu", "ゥ"},    {"xe", "ェ"},    {"xo", "ォ"},    {"lya", "ャ"},
    {"lyu", "ュ"},   {"lyo", "ョ"},   {"xya", "ャ"},   {"xyu", "ュ"},   {"xyo", "ョ"},   {"ltu", "ッ"},
    {"xtu", "ッ"},   {"ltsu", "ッ"},  {"xtsu", "ッ"},  {"lwa", "ヮ"},   {"xwa", "ヮ"},   {"-", "ー"},
};

constexpr char kSmallTsu[] = "ッ";
constexpr char kN[] = "ン";
constexpr size_t kMaxReadings = 24;

bool IsVowel(char c) {
    return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o';
}

bool IsConsonant(char c) {
    return c >= 'a' && c <= 'z' && !IsVowel(c);
}

// True when some syllable starts with the consonant `c`, so that a doubled `c` is a small tsu.
bool Doubles(char c) {
    if (!IsConsonant(c) || c == 'n')
        return false;
    for (const Syllable& s : kSyllables) {
        if (s.romaji[0] == c)
            return true;
    }
    return false;
}

// The longest syllable that `rest` starts with, or null.
const Syllable* LongestSyllable(std::string_view rest) {
    const Syllable* best = nullptr;
    size_t bestLength = 0;
    for (const Syllable& s : kSyllables) {
        const size_t length = std::strlen(s.romaji);
        if (length > bestLength && rest.substr(0, length) == s.romaji) {
            best = &s;
            bestLength = length;
        }
    }
    return best;
}

// Every kana an unfinished syllable `rest` may still become, shortest first; none when no syllable
// starts so.
void Completions(std::string_view rest, std::vector<std::string>& out) {
    for (const Syllable& s : kSyllables) {
        if (std::string_view(s.romaji).substr(0, rest.size()) == rest)
            out.emplace_back(s.kana);
    }
    if (rest.size() == 1 && Doubles(rest[0]))
        out.emplace_back(kSmallTsu);  // the first of a doubled consonant
    // A text holding a reading also holds every reading it starts with, so the longer ones add nothing.
    std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    std::vector<std::string> kept;
    for (const std::string& reading : out) {
        if (std::none_of(kept.begin(), kept.end(),
                         [&reading](const std::string& k) { return reading.compare(0, k.size(), k) == 0; }))
            kept.push_back(reading);
    }
    out.swap(kept);
}

}  // namespace

void RomajiReadings(std::string_view word, std::vector<std::string>& out) {
    if (word.empty() || word.size() > 64)
        return;
    for (char c : word) {
        if (!((c >= 'a' && c <= 'z') || c == '-' || c == '\''))
            return;
    }
    std::vector<std::string> readings(1);
    auto append = [&readings](const char* kana) {
        for (std::string& r : readings)
            r += kana;
    };
    size_t pos = 0;
    while (pos < word.size()) {
        const std::string_view rest = word.substr(pos);
        const char c = rest[0];
        const char next = rest.size() > 1 ? rest[1] : '\0';
        // ン before a consonant (and m before b, m, p, as Hepburn writes it); "nn" before a vowel or y is
        // ン followed by a syllable of the n row.
        if (c == 'n' && next != '\0' && IsConsonant(next) && next != 'y' &&
            (next != 'n' || (rest.size() > 2 && (IsVowel(rest[2]) || rest[2] == 'y')))) {
            append(kN);
            ++pos;
            continue;
        }
        if (c == 'm' && (next == 'b' || next == 'p' || next == 'm')) {
            append(kN);
            ++pos;
            continue;
        }
        if ((c == next && Doubles(c)) || (c == 't' && next == 'c')) {  // "tch" is Hepburn's doubled ch
            append(kSmallTsu);
            ++pos;
            continue;
        }
        if (const Syllable* s = LongestSyllable(rest)) {
            const size_t length = std::strlen(s->romaji);
            const size_t count = readings.size();
            for (const Syllable& second : kSecondKana) {
                if (rest.substr(0, length) == second.romaji && count * 2 <= kMaxReadings) {
                    for (size_t i = 0; i < count; ++i)
                        readings.push_back(readings[i] + second.kana);
                }
            }
            for (size_t i = 0; i < count; ++i)
                readings[i] += s->kana;
            pos += length;
            continue;
        }
        // The unfinished last syllable.
        std::vector<std::string> tails;
        Completions(rest, tails);
        if (tails.empty())
            return;
        for (const std::string& r : readings) {
            for (const std::string& tail : tails) {
                if (out.size() >= kMaxReadings)
                    return;
                out.push_back(r + tail);
            }
        }
        return;
    }
    for (std::string& r : readings) {
        if (!r.empty())
            out.push_back(std::move(r));
    }
}

}  // namespace brindle::search
