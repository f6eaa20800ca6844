// The clipboard's file list and drop effect blocks: what copy and cut write, and what paste accepts from
// other programs.
#include "views/clipboard_blocks.h"

#include <gtest/gtest.h>

#include <cstring>

#include "views/shell_menu_rules.h"

namespace brindle {
namespace {

using Bytes = std::vector<unsigned char>;

// A drop block: header with `offset` and the wide flag, then `list` as it stands (terminators included).
Bytes DropBlock(uint32_t offset, bool wide, const Bytes& list) {
    Bytes block(kDropHeaderSize, 0);
    block[0] = static_cast<unsigned char>(offset);
    block[1] = static_cast<unsigned char>(offset >> 8);
    block[16] = wide ? 1 : 0;
    block.resize(offset > block.size() ? offset : block.size(), 0);
    block.insert(block.end(), list.begin(), list.end());
    return block;
}

Bytes Narrow(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A literal with its embedded NULs, without the one that ends it.
template <typename Char, size_t N>
std::basic_string<Char> Units(const Char (&text)[N]) {
    return std::basic_string<Char>(text, N - 1);
}

Bytes Wide(const std::u16string& text) {
    Bytes bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

std::optional<FileDropList> Parse(const Bytes& block) {
    return ParseFileDrop(block.data(), block.size());
}

TEST(ClipboardBlocks, CopyAndCutWriteTheDropFormWithOneAnsiNameAndTheEffect) {
    const std::string path = "C:\\表\\a.txt";  // a trail byte 0x5C inside
    const Bytes block = FileDropBlock(path);
    ASSERT_EQ(block.size(), path.size() + 22);
    const Bytes header = {20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 20), header);
    EXPECT_EQ(std::string(block.begin() + 20, block.end() - 2), path);
    EXPECT_EQ(block[block.size() - 2], 0);
    EXPECT_EQ(block[block.size() - 1], 0);
    // What the program writes, it reads back whole.
    const std::optional<FileDropList> list = Parse(block);
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->wide);
    EXPECT_EQ(list->narrow, std::vector<std::string>{path});

    EXPECT_EQ(EffectBlock(kEffectCopy), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(EffectBlock(kEffectMove), (Bytes{2, 0, 0, 0}));
    const Bytes effect = {0x05, 0x00, 0x01, 0x80};
    EXPECT_EQ(ParseEffect(effect.data(), effect.size()), 0x80010005u);
}

TEST(ClipboardBlocks, EveryNameOfNarrowAndWideListsInOrder) {
    std::optional<FileDropList> narrow = Parse(DropBlock(20, false, Narrow(Units("C:\\a\0D:\\b c\0\0"))));
    ASSERT_TRUE(narrow);
    EXPECT_EQ(narrow->narrow, (std::vector<std::string>{"C:\\a", "D:\\b c"}));

    // A wide list as the desktop shell writes it, after a header padded to an odd offset.
    std::optional<FileDropList> wide = Parse(DropBlock(21, true, Wide(Units(u"C:\\一\0C:\\二三\0\0"))));
    ASSERT_TRUE(wide);
    EXPECT_TRUE(wide->wide);
    EXPECT_EQ(wide->wideNames, (std::vector<std::u16string>{u"C:\\一", u"C:\\二三"}));
    EXPECT_EQ(wide->Count(), 2u);
}

TEST(ClipboardBlocks, BlocksOfOtherProgramsAreCheckedAgainstTheirSize) {
    const Bytes good = Narrow(Units("C:\\a\0\0"));
    ASSERT_TRUE(Parse(DropBlock(20, false, good)));
    // Too short for the header, an offset inside the header or at or beyond the end.
    EXPECT_FALSE(Parse(Bytes(19, 0)));
    Bytes inside = DropBlock(20, false, good);
    inside[0] = 8;
    EXPECT_FALSE(Parse(inside));
    Bytes beyond = DropBlock(20, false, good);
    beyond[0] = static_cast<unsigned char>(beyond.size());
    EXPECT_FALSE(Parse(beyond));
    beyond[1] = 0x7F;
    EXPECT_FALSE(Parse(beyond));
    // The list's closing NUL, or a name's own, missing.
    EXPECT_FALSE(Parse(DropBlock(20, false, Narrow(Units("C:\\a\0")))));
    EXPECT_FALSE(Parse(DropBlock(20, false, Narrow("C:\\a"))));
    EXPECT_FALSE(Parse(DropBlock(20, true, Wide(Units(u"C:\\a\0")))));
    // A wide terminator cut in half by the block's end.
    Bytes halfWide = DropBlock(20, true, Wide(Units(u"C:\\a\0\0")));
    halfWide.pop_back();
    EXPECT_FALSE(Parse(halfWide));
    // A narrow reading of a wide list would stop at the first zero byte: the flag decides.
    const std::optional<FileDropList> wide = Parse(DropBlock(20, true, Wide(Units(u"C:\\a\0\0"))));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->wideNames, std::vector<std::u16string>{u"C:\\a"});
    // An empty list names nothing to paste.
    EXPECT_FALSE(Parse(DropBlock(20, false, Bytes{0, 0})));
    EXPECT_FALSE(ParseFileDrop(nullptr, 40));

    const Bytes shortEffect = {1, 0, 0};
    EXPECT_FALSE(ParseEffect(shortEffect.data(), shortEffect.size()));
}

TEST(ClipboardBlocks, TheEffectChoosesCopyBeforeMove) {
    EXPECT_EQ(OperationOfEffect(1), PasteOperation::Copy);
    EXPECT_EQ(OperationOfEffect(3), PasteOperation::Copy);
    EXPECT_EQ(OperationOfEffect(2), PasteOperation::Move);
    EXPECT_EQ(OperationOfEffect(0x80000002u), PasteOperation::Move);
    EXPECT_EQ(OperationOfEffect(4), PasteOperation::Unknown);
    EXPECT_EQ(OperationOfEffect(0), PasteOperation::Unknown);
    EXPECT_EQ(DoubleNulList({"a", "表"}), Units("a\0表\0\0"));
}

TEST(ClipboardBlocks, OnlyPlainAbsoluteNamesArePasted) {
    for (const char* name : {"C:\\Users\\me\\a.txt", "c:/a", "Z:\\", "\\\\server\\share\\a b.txt",
                             "\\\\ソ\\共有", "//host/share", "C:\\表\\ソ.txt"})
        EXPECT_TRUE(IsPlainAbsoluteName(name)) << name;
    // Wildcards (the file operation expands them), names taken from the current folder or drive, device
    // and long-name prefixes, shares without a server or share name.
    for (const char* name : {"C:\\Users\\me\\Documents\\*", "C:\\a?.txt", "a.txt", "..\\a", "\\Windows",
                             "C:a.txt", "C:", "1:\\a", "\\\\?\\C:\\a", "\\\\.\\C:\\a", "\\\\server",
                             "\\\\server\\", "\\\\\\share", "\\\\server\\\\a", ""})
        EXPECT_FALSE(IsPlainAbsoluteName(name)) << name;
}

TEST(ShellMenuRules, TheTwoOptionsDecideTheFileVerbs) {
    for (bool copyPaste : {false, true}) {
        for (bool cutDelete : {false, true}) {
            SCOPED_TRACE(::testing::Message() << copyPaste << cutDelete);
            EXPECT_EQ(RuleForVerb("copy", copyPaste, cutDelete), copyPaste ? VerbRule::TakeCopy : VerbRule::Gray);
            EXPECT_EQ(RuleForVerb("paste", copyPaste, cutDelete), copyPaste ? VerbRule::TakePaste : VerbRule::Gray);
            EXPECT_EQ(RuleForVerb("cut", copyPaste, cutDelete), cutDelete ? VerbRule::TakeCut : VerbRule::Gray);
            EXPECT_EQ(RuleForVerb("link", copyPaste, cutDelete), cutDelete ? VerbRule::Keep : VerbRule::Gray);
            EXPECT_EQ(RuleForVerb("delete", copyPaste, cutDelete), cutDelete ? VerbRule::Keep : VerbRule::Gray);
            EXPECT_EQ(RuleForVerb("open", copyPaste, cutDelete), VerbRule::Keep);
            EXPECT_EQ(RuleForVerb("Copy", copyPaste, cutDelete), VerbRule::Keep);  // verbs are compared exactly
        }
    }
}

}  // namespace
}  // namespace brindle
