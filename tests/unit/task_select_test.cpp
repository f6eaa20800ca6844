// The task select dialog's rules apart from any window: which windows are listed and in which order,
// which ones a Close reaches, where the controls go and what Select may do to a window.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "tasks/task_list.h"
#include "tasks/task_move.h"
#include "tasks/task_select_layout.h"

namespace brindle {
namespace {

TEST(TaskList, OnlyVisibleEnabledTitledWindowsOfOtherPrograms) {
    const WindowFacts listed{true, true, false, "Notepad", "memo.txt - Notepad"};
    EXPECT_TRUE(IsListedWindow(listed));

    WindowFacts facts = listed;
    facts.visible = false;
    EXPECT_FALSE(IsListedWindow(facts));
    facts = listed;
    facts.enabled = false;
    EXPECT_FALSE(IsListedWindow(facts));
    facts = listed;
    facts.title.clear();
    EXPECT_FALSE(IsListedWindow(facts));
    facts = listed;
    facts.ownProcess = true;  // our main window, the dialog itself, another dialog of ours
    EXPECT_FALSE(IsListedWindow(facts));
    for (const char* hidden : {"Progman", "tooltips_class32"}) {
        facts = listed;
        facts.className = hidden;
        EXPECT_FALSE(IsListedWindow(facts)) << hidden;
    }
    // The class names are compared exactly, case and all.
    for (const char* shown : {"progman", "Progman2", "tooltips_class"}) {
        facts = listed;
        facts.className = shown;
        EXPECT_TRUE(IsListedWindow(facts)) << shown;
    }
}

std::vector<TaskEntry> Sorted(const std::vector<TaskEntry>& zOrder) {
    std::vector<TaskEntry> entries;
    for (const TaskEntry& entry : zOrder)
        InsertSorted(entries, entry);
    return entries;
}

std::vector<uintptr_t> Windows(const std::vector<TaskEntry>& entries) {
    std::vector<uintptr_t> windows;
    for (const TaskEntry& entry : entries)
        windows.push_back(entry.window);
    return windows;
}

TEST(TaskList, SortedByProgramThenTitleAndEqualEntriesKeepTheZOrder) {
    // In z-order, topmost first.
    const std::vector<TaskEntry> zOrder{
        {1, 10, "b", "notepad.exe"}, {2, 11, "a", "notepad.exe"}, {3, 12, "x", "calc.exe"}, {4, 13, "same", "Zeta.exe"},
        {5, 14, "same", "Zeta.exe"}, {6, 15, "same", "Zeta.exe"}, {7, 16, "untitled", ""},
    };
    // Byte order: upper case before lower case, and a window whose program is unknown first.
    EXPECT_EQ(Windows(Sorted(zOrder)), (std::vector<uintptr_t>{7, 4, 5, 6, 3, 2, 1}));

    std::vector<TaskEntry> entries;
    EXPECT_EQ(InsertSorted(entries, {1, 1, "t", "b.exe"}), 0u);
    EXPECT_EQ(InsertSorted(entries, {2, 1, "t", "b.exe"}), 1u);  // equal: after the one before it
    EXPECT_EQ(InsertSorted(entries, {3, 1, "t", "a.exe"}), 0u);

    // Character by character as the multibyte run-time compares: half-width katakana ("ｱ", 0xB1) come
    // before double-byte characters ("あ", 0x82 0xA0), which a plain byte comparison would reverse.
    const std::vector<TaskEntry> kana{{1, 1, "t", "あ.exe"}, {2, 2, "t", "ｱ.exe"}};
    EXPECT_EQ(Windows(Sorted(kana)), (std::vector<uintptr_t>{2, 1}));
}

TEST(TaskList, CloseReachesTheSelectedWindowOrEveryWindowOfItsProgramButNeverOurs) {
    const uint32_t own = 500;
    const std::vector<TaskEntry> entries{
        {1, 20, "a", "calc.exe"},
        {2, 30, "a", "notepad.exe"},
        {3, 31, "b", "notepad.exe"},
        {4, 30, "c", "notepad.exe"},
        {5, 40, "x", ""},
        {6, 41, "y", ""},
        {7, 60, "other", "brindle.exe"},
        {8, own, "ours", "brindle.exe"},
    };
    EXPECT_EQ(WindowsToClose(entries, 2, false, own), (std::vector<size_t>{2}));
    EXPECT_EQ(WindowsToClose(entries, 2, true, own), (std::vector<size_t>{1, 2, 3}));
    EXPECT_EQ(WindowsToClose(entries, 0, true, own), (std::vector<size_t>{0}));
    // No program name (its process was not found, or the snapshot failed): that window alone.
    EXPECT_EQ(WindowsToClose(entries, 4, true, own), (std::vector<size_t>{4}));
    // Another instance of this program: its windows, never our own.
    EXPECT_EQ(WindowsToClose(entries, 6, true, own), (std::vector<size_t>{6}));
    EXPECT_TRUE(WindowsToClose(entries, 7, false, own).empty());
    EXPECT_TRUE(WindowsToClose(entries, 7, true, own).empty());
    EXPECT_TRUE(WindowsToClose(entries, 8, false, own).empty());  // no selection
    EXPECT_TRUE(WindowsToClose({}, 0, true, own).empty());

    EXPECT_EQ(EntryText(entries[2]), "[notepad.exe]b");
    EXPECT_EQ(EntryText(entries[4]), "[]x");
}

TEST(TaskList, ATitleIsCutAtItsLengthLimitNeverInsideACharacter) {
    EXPECT_EQ(ShownTitle("short"), "short");
    EXPECT_EQ(ShownTitle(std::string(5000, 'x')).size(), kTaskTitleMaxBytes);
    // A double-byte character across the limit goes whole.
    std::string title(kTaskTitleMaxBytes - 1, 'x');
    title += "表表";
    EXPECT_EQ(ShownTitle(title), std::string(kTaskTitleMaxBytes - 1, 'x'));
    std::string fits(kTaskTitleMaxBytes - 2, 'x');
    EXPECT_EQ(ShownTitle(fits + "表表"), fits + "表");
}

TEST(TaskSelectLayout, ButtonsBottomRightListBetweenLabelAndButtons) {
    TaskSelectSizes sizes;
    sizes.selectWidth = 60, sizes.selectHeight = 23;
    sizes.closeWidth = 50, sizes.closeHeight = 21;
    sizes.cancelWidth = 70, sizes.cancelHeight = 22;
    sizes.checkHeight = 16;
    sizes.labelWidth = 80, sizes.labelHeight = 13;
    const TaskSelectLayout layout = ComputeTaskSelectLayout(400, 300, sizes);
    // The row's top is 1 pixel above the taller of Select and Cancel; the buttons are 1 pixel apart.
    EXPECT_EQ(layout.cancel, (ui::Box{330, 276, 400, 298}));
    EXPECT_EQ(layout.close, (ui::Box{279, 276, 329, 297}));
    EXPECT_EQ(layout.select, (ui::Box{218, 276, 278, 299}));
    EXPECT_EQ(layout.label, (ui::Box{0, 17, 80, 30}));
    EXPECT_EQ(layout.list, (ui::Box{0, 31, 400, 276}));
    EXPECT_EQ(layout.hint, (ui::Box{0, 277, 217, 300}));

    // Squeezed below its minimum: nothing gets a negative size.
    const TaskSelectLayout tiny = ComputeTaskSelectLayout(100, 40, sizes);
    EXPECT_GE(tiny.list.bottom, tiny.list.top);
    EXPECT_GE(tiny.hint.right, tiny.hint.left);
    EXPECT_GE(tiny.hint.bottom, tiny.hint.top);
}

TEST(TaskSelectLayout, MinimumSizeIsTheCreatedSizeWhenItFits) {
    EXPECT_EQ(MinimumTrackSize(400, 250, 1280, 984).width, 400);
    EXPECT_EQ(MinimumTrackSize(400, 250, 1280, 984).height, 250);
    EXPECT_EQ(MinimumTrackSize(1300, 250, 1280, 984).width, 320);
    EXPECT_EQ(MinimumTrackSize(1300, 250, 1280, 984).height, 250);
    EXPECT_EQ(MinimumTrackSize(400, 1000, 1280, 984).height, 160);
    EXPECT_EQ(MinimumTrackSize(-1, -1, 1280, 984).width, 320);
    EXPECT_EQ(MinimumTrackSize(-1, -1, 1280, 984).height, 160);
}

TEST(TaskMove, TypedPositionAndSizeAreCheckedBeforeAnyWindowMoves) {
    using ui::ScreenRect;
    // A monitor left of the primary one has negative coordinates.
    const std::vector<ScreenRect> monitors{{0, 0, 1280, 1024}, {-1024, 0, 0, 768}};
    const ScreenRect current{100, 100, 500, 400};
    const int caption = 27;

    MoveRequest request;
    EXPECT_EQ(PlanMove(request, current, monitors, caption).rect, current);  // only to the front

    request.position = true, request.x = 10, request.y = 20;
    MovePlan plan = PlanMove(request, current, monitors, caption);
    EXPECT_EQ(plan.refusal, MoveRefusal::None);
    EXPECT_EQ(plan.rect, (ScreenRect{10, 20, 410, 320}));  // the size kept

    request.x = -8, request.y = -8;  // where a maximised window stands
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::None);
    request.x = -900, request.y = 100;  // on the left monitor
    EXPECT_EQ(PlanMove(request, current, monitors, caption).rect, (ScreenRect{-900, 100, -500, 400}));

    request.x = 99999;
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::OffScreen);
    request.x = 100, request.y = 900;  // near the bottom of the primary monitor
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::None);
    request.x = -900;
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::OffScreen);
    request.x = std::numeric_limits<int>::max() - 10, request.y = 0;  // no overflow into the screen
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::OffScreen);
    request.x = std::numeric_limits<int>::min(), request.y = std::numeric_limits<int>::min();
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::OffScreen);

    request = {};
    request.size = true, request.width = 300, request.height = 200;
    plan = PlanMove(request, current, monitors, caption);
    EXPECT_EQ(plan.refusal, MoveRefusal::None);
    EXPECT_EQ(plan.rect, (ScreenRect{100, 100, 400, 300}));
    request.width = 0;
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::Width);
    request.width = 300, request.height = -5;
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::Height);
    // A size alone never refuses a window that is off screen already: it is not moved.
    request.height = 200;
    EXPECT_EQ(PlanMove(request, {5000, 5000, 5400, 5300}, monitors, caption).refusal, MoveRefusal::None);
    // The typed size counts for the position check: a 1-pixel-wide window at the edge is still reachable.
    request.position = true, request.x = 1279, request.y = 0, request.width = 1;
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::None);
    request.x = 1280;
    EXPECT_EQ(PlanMove(request, current, monitors, caption).refusal, MoveRefusal::OffScreen);
}

TEST(TaskMove, RestoredRectanglesAreKeptRelativeToTheWorkArea) {
    // A taskbar at the top (30 pixels) and on the left (60): the work area starts there.
    EXPECT_EQ(WorkspaceToScreen({10, 20, 110, 220}, {60, 30, 1280, 1024}, {0, 0, 1280, 1024}),
              (ui::ScreenRect{70, 50, 170, 250}));
    EXPECT_EQ(WorkspaceToScreen({10, 20, 110, 220}, {1280, 0, 2560, 984}, {1280, 0, 2560, 1024}),
              (ui::ScreenRect{10, 20, 110, 220}));
}

}  // namespace
}  // namespace brindle
