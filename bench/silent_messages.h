#pragma once

#include <string>

#include "ui/messages.h"

namespace bench {

// The program's messages answered "OK" without a box, so no run waits on a dialog.
class SilentMessages : public brindle::Messages {
public:
    int Show(const std::string&, unsigned) override { return brindle::box::kAnswerOk; }
    void RequestQuit(int) override {}
};

}  // namespace bench
