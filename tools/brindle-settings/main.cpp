// brindle-settings: reads and writes settings files with the program's own store code.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "brindle_version.h"
#include "json_dump.h"
#include "plan.h"
#include "store/settings_backup.h"
#include "store/settings_io.h"
#include "store/settings_store.h"
#include "to_utf8.h"
#include "ui/messages.h"

#ifdef _WIN32
#include "launch/system_win.h"
using PlatformEnvironment = brindle::WinSystem;
#else
#include "launch/environment_posix.h"
using PlatformEnvironment = brindle::PosixEnvironment;
#endif

namespace {

constexpr char kUsage[] =
    "usage: brindle-settings dump FILE\n"
    "       brindle-settings resave IN OUT\n"
    "       brindle-settings plan FILE INDEX [ARG ...]\n"
    "       brindle-settings restore [--yes] FILE\n"
    "       brindle-settings --version\n"
    "  dump    prints FILE as the program reads it, as JSON (texts in UTF-8)\n"
    "  resave  reads IN and writes it to OUT as the program would save it\n"
    "  plan    prints, without launching, what the launch of shortcut INDEX with the ARGs as dropped files\n"
    "          hands to the shell: {\"file\", \"parameters\", \"directory\", \"show\"}, or {\"error\"}\n"
    "  restore puts FILE.bak back in place of FILE after asking (--yes: without asking); FILE becomes the\n"
    "          backup\n"
    "exit status: 0 done, 2 failure, usage or no shortcut at INDEX, 3 (resave) the file was read with errors\n"
    "and is not written, 1 (restore) not confirmed\n";

// Message boxes become lines on stderr, in UTF-8.
class StderrMessages : public brindle::Messages {
public:
    int Show(const std::string& text, unsigned) override {
        std::fprintf(stderr, "%s\n", brindle::ToUtf8(text).c_str());
        return brindle::box::kAnswerOk;
    }
    void RequestQuit(int) override {}
};

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

bool Readable(const std::string& path) {
    std::string bytes, errorText;
    switch (brindle::settings_io::ReadWholeFile(path, bytes, errorText)) {
        case brindle::settings_io::ReadResult::kRead:
            return true;
        case brindle::settings_io::ReadResult::kNotFound:
            std::fprintf(stderr, "brindle-settings: cannot read %s: no such file\n", path.c_str());
            return false;
        case brindle::settings_io::ReadResult::kFailed:
            std::fprintf(stderr, "brindle-settings: cannot read %s\n", brindle::ToUtf8(errorText).c_str());
            return false;
    }
    return false;
}

int Dump(const std::string& path) {
    if (!Readable(path)) {
        return 2;
    }
    StderrMessages messages;
    brindle::SettingsStore store(messages, path);
    store.Load();
    if (store.LoadUnreadable()) {
        return 2;  // binary, or an encoding with characters Shift_JIS lacks: said on stderr
    }
    std::string json = brindle::DumpJson(store);
    std::fwrite(json.data(), 1, json.size(), stdout);
    return 0;
}

int Resave(const std::string& in, const std::string& out) {
    if (!Readable(in)) {
        return 2;
    }
    StderrMessages messages;
    brindle::SettingsStore store(messages, in);
    store.Load();
    if (store.LoadFailed()) {
        std::fprintf(stderr, "brindle-settings: %s was read with errors; %s is not written\n", in.c_str(), out.c_str());
        return 3;
    }
    // OUT is a name, not a pattern to resolve as the program's settings file argument is.
    std::string errorText;
    if (!brindle::settings_io::ReplaceWholeFile(out, store.SaveText(), errorText,
                                                brindle::settings_backup::BackupPathOf(out))) {
        std::fprintf(stderr, "%s\n", brindle::ToUtf8(errorText).c_str());
        return 2;
    }
    return 0;
}

int Plan(const std::string& path, const char* indexText, char** args, int argCount) {
    char* end = nullptr;
    long index = std::strtol(indexText, &end, 10);
    if (end == indexText || *end != '\0' || index < 0 || index > INT32_MAX) {
        return Usage();
    }
    if (!Readable(path)) {
        return 2;
    }
    StderrMessages messages;
    brindle::SettingsStore store(messages, path);
    store.Load();
    std::vector<std::string> arguments;
    for (int i = 0; i < argCount; ++i) {
        arguments.push_back(brindle::ArgumentToAnsi(args[i]));
    }
    PlatformEnvironment environment;
    std::string json;
    if (!brindle::PlanJson(store, static_cast<int>(index), arguments, environment, json)) {
        std::fprintf(stderr, "brindle-settings: no shortcut at index %ld\n", index);
        return 2;
    }
    std::fwrite(json.data(), 1, json.size(), stdout);
    return 0;
}

// Asks on the terminal unless `confirmed`; only "y" or "yes" is a yes.
int Restore(const std::string& path, bool confirmed) {
    const std::string backup = brindle::settings_backup::BackupPathOf(path);
    std::string bytes, errorText;
    if (brindle::settings_io::ReadWholeFile(backup, bytes, errorText) == brindle::settings_io::ReadResult::kNotFound) {
        std::fprintf(stderr, "brindle-settings: no backup %s\n", backup.c_str());
        return 2;
    }
    if (!confirmed) {
        std::fprintf(stderr, "brindle-settings: put %s back in place of %s? [y/N] ", backup.c_str(), path.c_str());
        std::fflush(stderr);
        char answer[16] = "";
        if (!std::fgets(answer, sizeof answer, stdin) ||
            (std::strcmp(answer, "y\n") != 0 && std::strcmp(answer, "yes\n") != 0 && std::strcmp(answer, "y") != 0 &&
             std::strcmp(answer, "yes") != 0)) {
            std::fprintf(stderr, "brindle-settings: %s is left as it is\n", path.c_str());
            return 1;
        }
    }
    switch (brindle::settings_backup::Restore(path, errorText)) {
        case brindle::settings_backup::RestoreResult::kRestored:
            return 0;
        case brindle::settings_backup::RestoreResult::kNoBackup:
            std::fprintf(stderr, "brindle-settings: no backup %s\n", backup.c_str());
            return 2;
        case brindle::settings_backup::RestoreResult::kFailed:
            std::fprintf(stderr, "brindle-settings: cannot restore %s\n", brindle::ToUtf8(errorText).c_str());
            return 2;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("brindle-settings " BRINDLE_VERSION_TEXT);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "dump") == 0) {
        return Dump(argv[2]);
    }
    if (argc == 4 && std::strcmp(argv[1], "resave") == 0) {
        return Resave(argv[2], argv[3]);
    }
    if (argc >= 4 && std::strcmp(argv[1], "plan") == 0) {
        return Plan(argv[2], argv[3], argv + 4, argc - 4);
    }
    if (argc == 3 && std::strcmp(argv[1], "restore") == 0) {
        return Restore(argv[2], false);
    }
    if (argc == 4 && std::strcmp(argv[1], "restore") == 0 && std::strcmp(argv[2], "--yes") == 0) {
        return Restore(argv[3], true);
    }
    if (argc == 4 && std::strcmp(argv[1], "restore") == 0 && std::strcmp(argv[3], "--yes") == 0) {
        return Restore(argv[2], true);
    }
    return Usage();
}
