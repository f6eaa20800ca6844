#pragma once

#include <string>

namespace brindle {

class SettingsStore;

// The store as one JSON object: loadError, preferences, pages and shortcuts; texts in UTF-8.
std::string DumpJson(const SettingsStore& store);

// `sjis` converted to UTF-8 as a JSON string, or null for a null text.
std::string JsonText(const char* sjis);

}  // namespace brindle
