#include "launch/shell_texts.h"

#include "launch/help_topics.h"
#include "text/append.h"

namespace brindle {

std::string FormatIconSource(const std::string& file, int index) {
    std::string out = file + '>';
    text::AppendInt(out, index);
    return out;
}

std::string LinkIconSource(const std::string& location, int index, const std::string& target) {
    if (index < 1) {
        return location;
    }
    return FormatIconSource(location.empty() ? target : location, index);
}

std::string HelpFileOfModule(const std::string& modulePath) {
    // '.' is no trail byte of a double-byte character.
    size_t dot = modulePath.rfind('.');
    return dot == std::string::npos ? modulePath : modulePath.substr(0, dot) + ".chm";
}

std::string HelpTopic(const std::string& file, const std::string& page) {
    return file + "::/" + page + ">" + help::kWindowType;
}

}  // namespace brindle
