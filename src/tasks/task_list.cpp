#include "tasks/task_list.h"

#include <algorithm>

#include "text/sjis.h"

namespace brindle {

bool IsListedClass(const std::string& className) {
    return className != "Progman" && className != "tooltips_class32";
}

bool IsListedWindow(const WindowFacts& facts) {
    return facts.visible && facts.enabled && !facts.ownProcess && !facts.title.empty() &&
           IsListedClass(facts.className);
}

namespace {

bool ComesBefore(const TaskEntry& a, const TaskEntry& b) {
    const int program = sjis::Compare(a.program.c_str(), b.program.c_str());
    if (program != 0)
        return program < 0;
    return sjis::Compare(a.title.c_str(), b.title.c_str()) < 0;
}

}  // namespace

size_t InsertSorted(std::vector<TaskEntry>& entries, TaskEntry entry) {
    // After every entry that is not greater: equal ones stay in the order they came.
    auto at = std::upper_bound(entries.begin(), entries.end(), entry, ComesBefore);
    const size_t position = static_cast<size_t>(at - entries.begin());
    entries.insert(at, std::move(entry));
    return position;
}

std::vector<size_t> WindowsToClose(const std::vector<TaskEntry>& entries,
                                   size_t selected,
                                   bool allOfProgram,
                                   uint32_t ownProcessId) {
    std::vector<size_t> chosen;
    if (selected >= entries.size() || entries[selected].processId == ownProcessId)
        return chosen;
    const std::string& program = entries[selected].program;
    if (!allOfProgram || program.empty()) {
        chosen.push_back(selected);
        return chosen;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].processId != ownProcessId && entries[i].program == program)
            chosen.push_back(i);
    }
    return chosen;
}

std::string ShownTitle(std::string title) {
    title.resize(sjis::CutAtBoundary(title, kTaskTitleMaxBytes).size());
    return title;
}

std::string EntryText(const TaskEntry& entry) {
    return "[" + entry.program + "]" + entry.title;
}

}  // namespace brindle
