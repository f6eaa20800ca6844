#include "app/command_line.h"

#include "text/sjis.h"

namespace brindle {
namespace {

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::vector<std::string> SplitCommandTokens(std::string_view line) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
        } else if (line[i] == '"') {
            size_t close = sjis::FindChar(line, '"', i + 1);
            if (close == std::string_view::npos) {
                tokens.emplace_back(line.substr(i + 1));
                break;
            }
            tokens.emplace_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            // Trail bytes are never blanks, so a byte-wise search is safe here.
            size_t end = i;
            while (end < line.size() && !IsBlank(line[end]))
                ++end;
            tokens.emplace_back(line.substr(i, end - i));
            i = end;
        }
    }
    return tokens;
}

StartOptions ParseStartOptions(std::string_view commandLine) {
    StartOptions options;
    bool haveFile = false;
    for (const std::string& token : SplitCommandTokens(commandLine)) {
        if (!token.empty() && (token[0] == '-' || token[0] == '/')) {
            std::string_view name = std::string_view(token).substr(1);
            if (name == "keyrev")
                options.reverseButtons = true;
            if (name == "hidden")
                options.startHidden = true;
            if (name == "restore")
                options.restoreBackup = true;
        } else if (!haveFile) {
            options.settingsFile = token;
            haveFile = true;
        }
    }
    return options;
}

}  // namespace brindle
