#pragma once

#include <string>
#include <vector>

namespace brindle {

class Environment;

// Splits a shortcut's command line into the file to open and its parameters. `"file" params` gives the
// text between the first two quotes and everything after the closing quote, unchanged; any other text
// (also one with a lone leading quote) is the file whole, with empty parameters. Environment variables
// are expanded in the file part only; a failed expansion leaves it as it was. A null command line
// leaves both outputs untouched.
void SplitCommandLine(const char* commandLine, std::string& file, std::string& parameters, Environment& env);

// `text` with its environment variables expanded, or `text` unchanged when the expansion fails.
std::string ExpandOrKeep(const std::string& text, Environment& env);

// Merges the extra arguments (dropped files, in order) into the parameters, each as one argument in
// double quotes, so that neither a blank nor a character the command processor reads ("&", "|", "^")
// in a name can split it or start another command. Without a '%' in the parameters each argument is
// appended after a blank. With a '%' anywhere, the placeholders %1 to %9 are replaced by the arguments
// of those numbers instead (extra arguments are dropped, placeholders without an argument stay);
// without arguments they are removed. A placeholder the parameters already put inside quotes ("%1")
// takes the name without quotes of its own.
void MergeArguments(std::string& parameters, const std::vector<std::string>& arguments);

// The show command (SW_*) for a shortcut's show type: 0 normal, 1 maximised, 2 minimised; any other
// value, which only a hand-edited settings file holds, launches normal.
int ShowCommandFor(int showType);

constexpr int kShowNormal = 1;     // SW_SHOWNORMAL
constexpr int kShowMinimized = 2;  // SW_SHOWMINIMIZED
constexpr int kShowMaximized = 3;  // SW_SHOWMAXIMIZED

}  // namespace brindle
