#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/messages.h"

namespace brindle::testing {

// Records the boxes the code under test shows.
class RecordingMessages : public Messages {
public:
    struct Box {
        std::string text;
        unsigned style;
    };
    int Show(const std::string& text, unsigned style) override {
        boxes.push_back({text, style});
        return box::kAnswerOk;
    }
    void RequestQuit(int exitCode) override { quitCodes.push_back(exitCode); }

    std::vector<Box> boxes;
    std::vector<int> quitCodes;
};

// A fresh folder for the test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("brindle-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string Str(const char* text) {
    return text ? text : "<null>";
}

}  // namespace brindle::testing
