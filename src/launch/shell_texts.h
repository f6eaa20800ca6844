#pragma once

#include <string>

namespace brindle {

// An icon source "file>index".
std::string FormatIconSource(const std::string& file, int index);

// The icon source of a shell link: an index below 1 gives the location as it is (maybe empty, and
// without an index); otherwise "location>index", with the link's target when the location is empty.
std::string LinkIconSource(const std::string& location, int index, const std::string& target);

// The help file of the program at `modulePath`: the module path with the part from its last '.'
// replaced by ".chm" (unchanged without a '.').
std::string HelpFileOfModule(const std::string& modulePath);

// The HTML Help topic text for `page` of the compiled help `file`, shown in the program's window type:
// "file::/page>mainwnd".
std::string HelpTopic(const std::string& file, const std::string& page);

}  // namespace brindle
