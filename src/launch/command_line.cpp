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

// A dropped name as one argument of its own. A name cannot hold a double quote, so one in it (only a
// hand-made list could carry it) is dropped rather than let it close the quotes early. Backslashes at
// the end are doubled when a quote follows them, so that "C:\" does not read as an escaped quote.
std::string NameForQuotes(const std::string& name, bool closingQuoteFollows) {
    std::string out;
    for (size_t at = 0; at < name.size();) {
        const size_t length = sjis::CharLength(name, at);
        if (name[at] != '"')
            out.append(name, at, length);
        at += length;
    }
    if (closingQuoteFollows) {
        // A trailing 0x5C is a backslash of its own only when it begins a character.
        size_t backslashes = 0;
        for (size_t at = 0; at < out.size(); at += sjis::CharLength(out, at))
            backslashes = out[at] == '\\' ? backslashes + 1 : 0;
        out.append(backslashes, '\\');
    }
    return out;
}

std::string Quoted(const std::string& name) {
    return '"' + NameForQuotes(name, true) + '"';
}

}  // namespace

void MergeArguments(std::string& parameters, const std::vector<std::string>& arguments) {
    // '%', '"' and the digits are no trail bytes, so placeholders and quotes are found byte by byte.
    if (parameters.find('%') == std::string::npos) {
        for (const std::string& argument : arguments)
            parameters += ' ' + Quoted(argument);
        return;
    }
    // One pass over the template: the text put in is never searched again, and whether a placeholder
    // stands inside quotes is read from the template alone.
    std::string merged;
    bool insideQuotes = false;
    for (size_t at = 0; at < parameters.size(); ++at) {
        const char c = parameters[at];
        const bool placeholder = c == '%' && at + 1 < parameters.size() && parameters[at + 1] >= '1' &&
                                 parameters[at + 1] <= '9';
        if (!placeholder) {
            insideQuotes = c == '"' ? !insideQuotes : insideQuotes;
            merged += c;
            continue;
        }
        const size_t number = static_cast<size_t>(parameters[at + 1] - '0');
        ++at;
        if (arguments.empty())
            continue;  // without arguments every placeholder goes
        if (number > arguments.size()) {
            merged += '%';
            merged += parameters[at];
        } else if (insideQuotes) {
            const bool closing = at + 1 < parameters.size() && parameters[at + 1] == '"';
            merged += NameForQuotes(arguments[number - 1], closing);
        } else {
            merged += Quoted(arguments[number - 1]);
        }
    }
    parameters = std::move(merged);
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
