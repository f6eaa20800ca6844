#include "editing/edit_rules.h"

#include <cstdlib>
#include <string_view>

#include "text/sjis.h"

namespace brindle::dialogs {

std::optional<std::string> ForbiddenCharacterMessage(const std::string& text, const char* forbidden) {
    if (sjis::FindAnyOf(text, forbidden) == std::string_view::npos)
        return std::nullopt;
    return std::string("以下の半角文字は使用しないでください。\n") + forbidden;
}

// '>' (0x3E) is below every trail byte of code page 932, so a plain search cannot hit half a character.
IconChoice SplitIconChoice(const std::string& source) {
    IconChoice choice{source, 0};
    const size_t mark = source.find('>');
    if (mark != std::string::npos) {
        const long index = std::strtol(source.c_str() + mark + 1, nullptr, 0);
        // An index beyond int is no icon of any file; it reads as none rather than wrapping.
        choice.index = index > 0x7FFFFFFFL || index < -0x7FFFFFFFL ? 0 : static_cast<int>(index);
        choice.file.resize(mark);
    }
    return choice;
}

std::string JoinIconChoice(const std::string& file, int index) {
    if (index <= 0)
        return file;
    return file + ">" + std::to_string(index);
}

std::string QuoteProgramPart(const std::string& commandLine, const std::function<bool(const std::string&)>& isFile) {
    if (commandLine.empty() || commandLine[0] == '"' || isFile(commandLine))
        return commandLine;
    // A blank is no trail byte: the text is split byte by byte.
    for (size_t blank = commandLine.find(' '); blank != std::string::npos; blank = commandLine.find(' ', blank + 1)) {
        const std::string program = commandLine.substr(0, blank);
        if (!program.empty() && program.back() != ' ' && isFile(program))
            return '"' + program + '"' + commandLine.substr(blank);
    }
    return commandLine;
}

}  // namespace brindle::dialogs
