#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/messages.h"
#include "ui/pickers.h"

namespace brindle::testing {

// Records the boxes the code under test shows. Each box takes the next of `answers` (box::kAnswerYes,
// box::kAnswerNo, ...); with none left it is answered OK.
class RecordingMessages : public Messages {
public:
    struct Box {
        std::string text;
        unsigned style;
    };
    int Show(const std::string& text, unsigned style) override {
        boxes.push_back({text, style});
        if (answered_ >= answers.size())
            return box::kAnswerOk;
        return answers[answered_++];
    }
    void RequestQuit(int exitCode) override { quitCodes.push_back(exitCode); }

    std::vector<Box> boxes;
    std::vector<int> quitCodes;
    std::vector<int> answers;

private:
    size_t answered_ = 0;
};

// Answers the pickers as the test says (nothing: the user cancelled) and records what was asked.
class RecordingPickers : public Pickers {
public:
    std::optional<std::string> OpenFile(const FileOpenRequest& request) override {
        fileRequests.push_back(request);
        return fileAnswer;
    }
    std::optional<std::string> ChooseFolder(const FolderRequest& request) override {
        folderRequests.push_back(request);
        return folderAnswer;
    }
    bool ChooseFont(FontChoice& font) override {
        fontsAsked.push_back(font);
        if (!fontAnswer)
            return false;
        font = *fontAnswer;
        return true;
    }
    bool ChooseColor(unsigned& color) override {
        colorsAsked.push_back(color);
        if (!colorAnswer)
            return false;
        color = *colorAnswer;
        return true;
    }

    std::optional<std::string> fileAnswer, folderAnswer;
    std::optional<FontChoice> fontAnswer;
    std::optional<unsigned> colorAnswer;
    std::vector<FileOpenRequest> fileRequests;
    std::vector<FolderRequest> folderRequests;
    std::vector<FontChoice> fontsAsked;
    std::vector<unsigned> colorsAsked;
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
