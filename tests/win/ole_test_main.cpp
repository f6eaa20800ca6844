// The Windows test programs run as the program does: OLE initialised on the main thread for the whole run.
#include <gtest/gtest.h>

#include "platform/com.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    brindle::ui::OleScope ole;
    return RUN_ALL_TESTS();
}
