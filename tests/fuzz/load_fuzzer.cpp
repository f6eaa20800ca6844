// Feeds arbitrary bytes to Load as a settings file (in any encoding it detects), then saves and reads the
// result once more.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "store/settings_encoding.h"
#include "store/settings_store.h"
#include "ui/messages.h"

namespace {

class SilentMessages : public brindle::Messages {
public:
    int Show(const std::string&, unsigned) override { return brindle::box::kAnswerOk; }
    void RequestQuit(int) override {}
};

std::string Scratch(const char* name) {
    return "/tmp/brindle-fuzz-" + std::to_string(getpid()) + "-" + name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = Scratch("in.ini");
    static const std::string output = Scratch("out.ini");
    FILE* file = std::fopen(input.c_str(), "wb");
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    SilentMessages messages;
    brindle::SettingsStore store(messages, input);
    store.Load();
    if (store.LoadFailed()) {
        return 0;
    }
    // What was written must read back to the same text, except for page texts with a double quote,
    // which the page line cannot carry.
    for (int i = 0; i < store.PageCount(); ++i) {
        brindle::PageRecord page;
        store.GetPageAt(i, page);
        for (const char* text : {page.name, page.normalIcon, page.selectedIcon}) {
            if (text && std::strchr(text, '"')) return 0;
        }
    }
    // The text a save writes, without the save's flush to the disk, which would make each run slow.
    const std::string text = store.SaveText();
    // A file converted from UTF-16 or UTF-8 is written as Shift_JIS, which reads back the same unless its only
    // non-ASCII bytes happen to form UTF-8 (the detection's known blind spot, such as a lone "ﾃｽ").
    if (brindle::settings_encoding::Detect(text) != brindle::settings_encoding::Encoding::ShiftJis) {
        return 0;
    }
    file = std::fopen(output.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    brindle::SettingsStore again(messages, output);
    again.Load();
    if (again.SaveText() != text) {
        __builtin_trap();
    }
    return 0;
}
