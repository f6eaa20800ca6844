#pragma once

#include "launch/system.h"

namespace brindle {

// Environment expansion for the native build of the tools: %NAME% becomes the variable's value; a
// reference to a variable that is not set, and a lone '%', stay as they are.
class PosixEnvironment : public Environment {
public:
    bool Expand(const std::string& text, std::string& out) override;
    // Windows paths are not resolved natively: relative ones stay as they are written.
    std::string ModulePath() override { return {}; }
};

}  // namespace brindle
