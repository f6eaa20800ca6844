#include "launch/command_line.h"

#include "launch/program_relative.h"
#include "launch/system.h"
#include "text/sjis.h"

namespace brindle {

std::string ExpandPath(const std::string& text, Environment& env) {
    std::string expanded;
    if (!env.Expand(text, expanded)) {
        expanded = text;
    }
    return ResolveProgramRelative(expanded, ProgramFolderOf(env.ModulePath()));
}

void SplitCommandLine(const char* commandLine, std::string& file, std::string& parameters, Environment& env) {
    if (!commandLine) {
        return;
    }
    std::string_view text(commandLine);
    // '"' is no trail byte of a double-byte character, so the closing quote is found byte by byte.
    size_t close = text.empty() || text[0] != '"' ? std::string_view::npos : text.find('"', 1);
    if (close != std::string_view::npos) {
        file.assign(text.substr(1, close - 1));
        parameters.assign(text.substr(close + 1));
    } else {
        file.assign(text);
        parameters.clear();
    }
    file = ExpandPath(file, env);
}

namespace {

// Replaces every occurrence of `from` by `to`, left to right, without looking at text just inserted.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

std::string Placeholder(int number) {
    return std::string{'%', static_cast<char>('0' + number)};
}

}  // namespace

void MergeArguments(std::string& parameters, const std::vector<std::string>& arguments) {
    // '%' and the digits are no trail bytes, so placeholders are found byte by byte.
    bool placeholders = parameters.find('%') != std::string::npos;
    if (!placeholders) {
        for (const std::string& argument : arguments) {
            parameters += ' ';
            if (sjis::FindChar(argument, ' ') != std::string_view::npos) {
                parameters += '"' + argument + '"';
            } else {
                parameters += argument;
            }
        }
        return;
    }
    for (int number = 1; number <= 9; ++number) {
        if (arguments.empty()) {
            ReplaceAll(parameters, Placeholder(number), "");
        } else if (static_cast<size_t>(number) <= arguments.size()) {
            ReplaceAll(parameters, Placeholder(number), arguments[number - 1]);
        }
    }
}

int ShowCommandFor(int showType) {
    switch (showType) {
        case 1:
            return kShowMaximized;
        case 2:
            return kShowMinimized;
        default:
            return kShowNormal;
    }
}

}  // namespace brindle
