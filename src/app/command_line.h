#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// The program's command line (the part after the program name) split into tokens: blanks separate;
// a token that starts with '"' runs to the next '"' (the quotes are dropped, and a character glued to
// the closing quote starts a new token); an opening quote without its partner takes the rest of the line.
std::vector<std::string> SplitCommandTokens(std::string_view commandLine);

struct StartOptions {
    bool reverseButtons = false;  // "keyrev": the notification-area icon's buttons swap roles
    bool startHidden = false;     // "hidden": go to the notification area at once
    bool restoreBackup = false;   // "restore": put the settings file's backup back (after asking) first
    std::string settingsFile;     // the first token that is not an option; empty when none
};

// Options are "-keyrev", "-hidden" and "-restore", also with '/' for '-' (case-sensitive); other tokens starting
// with '-' or '/' are ignored; only the first other token names the settings file.
StartOptions ParseStartOptions(std::string_view commandLine);

}  // namespace brindle
