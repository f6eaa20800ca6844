#pragma once

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace brindle {

class Messages;

// The names of a drop, in drop order, in the ANSI code page; none for an empty drop. Names the code
// page cannot hold refuse the drop: the user is told which, and nothing is returned. The drop handle
// stays the caller's to release.
std::optional<std::vector<std::string>> DroppedNames(HDROP drop, Messages& messages);

}  // namespace brindle
