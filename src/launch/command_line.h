#pragma once

#include <string>
#include <vector>

namespace brindle {

class Environment;

// Splits a shortcut's command line into the file to open and its parameters. `"file" params` gives the
// text between the first two quotes and everything after the closing quote, unchanged; any other text
// (also one with a lone leading quote) is the file whole, with empty parameters. Environment variables
// are expanded in the file part only (a failed expansion leaves it as it was), and a file part written
// relative to the program is resolved against its folder. A null command line leaves both outputs
// untouched.
void SplitCommandLine(const char* commandLine, std::string& file, std::string& parameters, Environment& env);

// A path field (file, icon, work folder) as the system is to see it: its environment variables
// expanded (kept as written when the expansion fails), then resolved against the program's folder
// when it is written relative to the program (launch/program_relative.h).
std::string ExpandPath(const std::string& text, Environment& env);

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
