// A save that cannot be written whole must leave the old settings file exactly as it was.
#include <signal.h>
#include <sys/resource.h>

#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

constexpr char kSaveErrorSuffix[] = "\n環境情報を保存できません。";

const std::string kOldFile = "[Brindle]\r\nPage=0\r\n[Page]\r\n0=Old,-1,0,0,\"\",\"\"\r\n";

class AtomicSave : public ::testing::Test {
protected:
    void SetUp() override {
        testing::WriteBytes(path, kOldFile);
        store.Load();
        for (int i = 0; i < 2000; ++i) {
            store.AddShortcut("a rather long shortcut name", "C:\\Program Files\\Something\\program.exe /switch",
                              nullptr, nullptr, 0, 0, 0, 1, "a comment to make the file large");
        }
    }
    void ExpectOldFileAndOneSaveError() {
        EXPECT_EQ(testing::ReadBytes(path), kOldFile);
        ASSERT_EQ(messages.boxes.size(), 1u);
        const std::string& text = messages.boxes[0].text;
        EXPECT_EQ(text.substr(text.size() - std::strlen(kSaveErrorSuffix)), kSaveErrorSuffix);
        EXPECT_EQ(messages.boxes[0].style, box::kIconStop);
        EXPECT_FALSE(std::filesystem::exists(path + ".new")) << "a half-written file was left behind";
    }

    testing::TempFolder folder;
    std::string path = folder.File("Brindle.INI");
    RecordingMessages messages;
    SettingsStore store{messages, path};
};

// A full disk: the file size limit makes the write fail part way, as a full disk does.
TEST_F(AtomicSave, FullDiskKeepsTheOldFile) {
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved = store.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    ExpectOldFileAndOneSaveError();
    EXPECT_NE(messages.boxes[0].text.find("File too large"), std::string::npos) << messages.boxes[0].text;
}

// The new file cannot even be created beside the old one. The box names the settings file, which is
// the one the user knows.
TEST_F(AtomicSave, UncreatableNewFileKeepsTheOldFile) {
    std::filesystem::create_directory(path + ".new");
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(testing::ReadBytes(path), kOldFile);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text.find(path + ": "), 0u) << messages.boxes[0].text;
    EXPECT_EQ(messages.boxes[0].text.find(".new"), std::string::npos) << messages.boxes[0].text;
    std::filesystem::remove(path + ".new");
    messages.boxes.clear();

    EXPECT_TRUE(store.Save());
    EXPECT_EQ(testing::ReadBytes(path), store.SaveText());
    EXPECT_TRUE(messages.boxes.empty());
}

// The new file takes the place of the old one with the old one's permissions, not those of a new file.
TEST_F(AtomicSave, TheOldFilesPermissionsAreKept) {
    namespace fs = std::filesystem;
    for (fs::perms perms : {fs::perms::owner_read | fs::perms::owner_write,
                            fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read}) {
        fs::permissions(path, perms);
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(fs::status(path).permissions(), perms);
    }
    EXPECT_EQ(testing::ReadBytes(path), store.SaveText());
}

// A read-only folder (only meaningful when the tests do not run as root, who may write anywhere).
TEST_F(AtomicSave, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root ignores folder permissions";
    }
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    bool saved = store.Save();
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_FALSE(saved);
    ExpectOldFileAndOneSaveError();
}

TEST_F(AtomicSave, MissingFolderIsReported) {
    RecordingMessages m;
    SettingsStore elsewhere(m, folder.File("no/such/folder/Brindle.INI"));
    EXPECT_FALSE(elsewhere.Save());
    ASSERT_EQ(m.boxes.size(), 1u);
    EXPECT_NE(m.boxes[0].text.find(kSaveErrorSuffix), std::string::npos);
}

}  // namespace
}  // namespace brindle
