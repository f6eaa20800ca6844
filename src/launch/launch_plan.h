#pragma once

#include <string>
#include <vector>

#include "store/records.h"

namespace brindle {

class Environment;

// What a launch hands to the shell.
struct LaunchPlan {
    std::string file;        // environment-expanded
    std::string parameters;  // with the extra arguments merged in, never expanded
    std::string directory;   // the work folder, environment-expanded
    int show = 0;            // SW_* show command
};

// Builds the launch of `shortcut` with the extra arguments. False when there is nothing to start (an
// absent command line, or one that is only a pair of quotes); `error` then holds the text to show.
bool PlanLaunch(const ShortcutRecord& shortcut,
                const std::vector<std::string>& arguments,
                Environment& env,
                LaunchPlan& plan,
                std::string& error);

// The box texts of a failed launch (code 32 or less from the shell).
std::string LaunchFailureText(int code, const LaunchPlan& plan);
std::string OpenFailureText(int code, const std::string& path);

// The text shown when the folder of a shortcut's command line cannot be opened.
std::string NoFolderText(const char* commandLine);

// The message for a ShellExecute result of 32 or less.
const char* ShellExecuteErrorText(int code);

}  // namespace brindle
