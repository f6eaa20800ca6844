// The power commands' Windows half with entry points the test makes: functions that answer with garbage
// above their one-byte result, missing functions, and a token that must be closed.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "system/power_win.h"
#include "unit/test_support.h"

namespace brindle {
namespace {

// Machine code of a function that returns `value` in eax and pops `argumentBytes` (stdcall on x86).
class FakeFunction {
public:
    FakeFunction(DWORD value, WORD argumentBytes) {
        code_ = static_cast<unsigned char*>(VirtualAlloc(nullptr, 16, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        unsigned char bytes[8] = {0xB8};  // mov eax, value
        std::memcpy(bytes + 1, &value, 4);
#ifdef _WIN64
        (void)argumentBytes;
        bytes[5] = 0xC3;  // ret
#else
        bytes[5] = 0xC2;  // ret argumentBytes
        std::memcpy(bytes + 6, &argumentBytes, 2);
#endif
        std::memcpy(code_, bytes, sizeof bytes);
        DWORD old = 0;
        VirtualProtect(code_, 16, PAGE_EXECUTE_READ, &old);
        FlushInstructionCache(GetCurrentProcess(), code_, 16);
    }
    ~FakeFunction() {
        VirtualFree(code_, 0, MEM_RELEASE);
    }
    template <typename Function>
    Function As() const {
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(code_));
    }

private:
    unsigned char* code_;
};

// "No" with garbage above its byte, as a BOOLEAN function may leave it; and a clean "yes".
constexpr DWORD kNoWithGarbage = 0xABCDEF00;
constexpr DWORD kYesWithGarbage = 0xABCDEF01;

TEST(PowerFunctions, OneByteAnswersAreReadAsOneByte) {
    FakeFunction no(kNoWithGarbage, 0), yes(kYesWithGarbage, 0);
    PowerFunctions functions;
    functions.isPwrShutdownAllowed = no.As<PowerFunctions::PowerQueryFunction>();
    functions.isPwrSuspendAllowed = yes.As<PowerFunctions::PowerQueryFunction>();
    functions.isPwrHibernateAllowed = no.As<PowerFunctions::PowerQueryFunction>();
    const PowerFeatures features = ReadPowerFeatures(functions);
    EXPECT_EQ(features.shutdownAllowed, false);
    EXPECT_EQ(features.suspendAllowed, true);
    EXPECT_EQ(features.hibernateAllowed, false);
    EXPECT_FALSE(features.setSuspendState);
    EXPECT_EQ(ReadPowerFeatures(PowerFunctions{}).suspendAllowed, std::nullopt);
}

TEST(PowerFunctions, AFailedSuspendWithGarbageFallsBackAndIsReported) {
    FakeFunction failedSuspend(kNoWithGarbage, 3 * sizeof(DWORD_PTR)), failedPowerState(0, 2 * sizeof(DWORD_PTR));
    PowerFunctions functions;
    functions.setSuspendState = failedSuspend.As<PowerFunctions::SetSuspendStateFunction>();
    WinPowerActions actions(functions, nullptr);
    EXPECT_FALSE(actions.SetSuspendState(false, false, false));

    functions.setSystemPowerState = failedPowerState.As<PowerFunctions::SetSystemPowerStateFunction>();
    PowerFeatures features = ReadPowerFeatures(functions);
    testing::RecordingMessages messages;
    RunPowerCommand(PowerCommand::StandBy, features, actions, messages);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "ｻｽﾍﾟﾝﾄﾞ状態に移行できません");
}

TEST(PowerFunctions, MissingEntryPointsAreNeverCalled) {
    PowerFunctions none;
    WinPowerActions actions(none, nullptr);
    EXPECT_FALSE(actions.LockWorkStation());
    EXPECT_FALSE(actions.SetSuspendState(true, false, false));
    EXPECT_FALSE(actions.SetSystemPowerState(true, false));
    EXPECT_FALSE(actions.AdjustShutdownPrivilege());
}

// The token the privilege was enabled on, as the real OpenProcessToken gave it.
HANDLE lastToken;

BOOL WINAPI OpenAndRememberToken(HANDLE process, DWORD access, PHANDLE token) {
    const BOOL opened = OpenProcessToken(process, access, token);
    lastToken = opened ? *token : nullptr;
    return opened;
}

TEST(PowerFunctions, ThePrivilegeIsEnabledOnATokenThatIsClosedAfterwards) {
    PowerLibrary library;
    PowerFunctions functions = library.Functions();
    ASSERT_NE(functions.openProcessToken, nullptr);
    functions.openProcessToken = OpenAndRememberToken;
    WinPowerActions actions(functions, nullptr);
    actions.AdjustShutdownPrivilege();
    ASSERT_NE(lastToken, nullptr);
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(lastToken, &flags)) << "the token handle is still open";
}

}  // namespace
}  // namespace brindle
