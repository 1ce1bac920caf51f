// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <map>
#include <random>
#include <sys/resource.h>

#include "TestUtil.h"
#include "FuzzTargets.h"
#include "platform/ProfileIni.h"

namespace qm {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(ProfileIni, ReadsLikeTheWindowsProfileCalls) {
    const IniDocument doc = IniDocument::Parse(
        "; comment\n"
        "[Profile]\n"
        "  ItemCount =  3  \n"
        "Item0=first\n"
        "ITEM0=second\n"
        "quoted=\"  keep blanks  \"\n"
        "single='x'\n"
        "mixed=\"x'\n"
        "twice=\"\"y\"\"\n"
        "empty=\n"
        "no equals sign here\n"
        "[profile]\n"
        "Other=hidden by the first section\n"
        "[Skins]\r\n"
        "Lan=EN\r\n");
    EXPECT_EQ(doc.Get("profile", "itemcount"), "3");
    EXPECT_EQ(doc.Get("PROFILE", "Item0"), "first");
    EXPECT_EQ(doc.Get("Profile", "quoted"), "  keep blanks  ");
    EXPECT_EQ(doc.Get("Profile", "single"), "x");
    EXPECT_EQ(doc.Get("Profile", "mixed"), "\"x'");
    EXPECT_EQ(doc.Get("Profile", "twice"), "\"y\"");
    EXPECT_EQ(doc.Find("Profile", "empty"), "");
    EXPECT_EQ(doc.Find("Profile", "missing"), std::nullopt);
    EXPECT_EQ(doc.Find("Profile", "Other"), std::nullopt);
    EXPECT_EQ(doc.Find("Nowhere", "Item0"), std::nullopt);
    EXPECT_EQ(doc.Get("skins", "lan"), "EN");
}

TEST(ProfileIni, ValuesAreCutAt1023Characters) {
    const std::string longValue(5000, 'x');
    std::string chinese;
    for (int i = 0; i < 1100; ++i) {
        chinese += "宏";
    }
    const IniDocument doc = IniDocument::Parse("[S]\nk=" + longValue + "\nc=" + chinese + "\n");
    EXPECT_EQ(doc.Get("S", "k"), std::string(1023, 'x'));
    const std::string cut = doc.Get("S", "c");
    EXPECT_EQ(cut.size(), 1023u * 3);  // characters, never half a character
    EXPECT_EQ(cut.substr(0, 3), "宏");
}

TEST(ProfileIni, WritesAppendAndReplaceAndKeepOtherLines) {
    IniDocument doc = IniDocument::Parse(
        "; kept\n"
        "[A]\n"
        "x=1\n"
        "\n"
        "[B]\n"
        "y=2\n");
    doc.Set("a", "X", "10");     // replaced in place, under the name given now
    doc.Set("A", "z", "3");      // new key at the end of its section
    doc.Set("C", "w", "4");      // new section at the end of the file
    doc.Set("B", "v", "line\nbreak");
    EXPECT_EQ(doc.Serialize(),
              "; kept\n"
              "[A]\n"
              "X=10\n"
              "z=3\n"
              "\n"
              "[B]\n"
              "y=2\n"
              "v=line break\n"
              "[C]\n"
              "w=4\n");
}

TEST(ProfileIni, DeletesSectionsAndKeys) {
    IniDocument doc = IniDocument::Parse("[M]\na=1\n[N]\nb=2\n[m]\nc=3\n");
    doc.DeleteSection("M");
    EXPECT_EQ(doc.Serialize(), "[N]\nb=2\n");
    doc.DeleteKey("n", "B");
    EXPECT_EQ(doc.Serialize(), "[N]\n");
    EXPECT_TRUE(doc.HasSection("N"));
}

TEST(ProfileIni, SectionNamesWithBracketsAndBlanksReadBack) {
    IniDocument doc;
    doc.Set("My ]Macro", "k", "v1");
    doc.Set("[odd", "k", "v2");
    doc.Set("a]", "k", "v3");
    const IniDocument again = IniDocument::Parse(doc.Serialize());
    EXPECT_EQ(again.Get("My ]Macro", "k"), "v1");
    EXPECT_EQ(again.Get("[odd", "k"), "v2");
    EXPECT_EQ(again.Get("a]", "k"), "v3");
}

TEST(ProfileIni, SectionNamesAreTrimmedOnLookupAndCreation) {
    IniDocument doc = IniDocument::Parse("[ Padded ]\nk=v1\n");
    EXPECT_EQ(doc.Get("Padded", "k"), "v1");
    EXPECT_EQ(doc.Get("  Padded\t", "k"), "v1");
    doc.Set(" New ", "k", "v2");
    EXPECT_EQ(doc.Serialize(), "[ Padded ]\nk=v1\n[New]\nk=v2\n");
    doc.DeleteSection(" padded");
    EXPECT_FALSE(doc.HasSection("Padded"));
}

TEST(ProfileIni, ReadsUtf16AndUtf8WithBomAndWritesUtf8) {
    TempDir dir;
    const std::string path = dir / "str0.ini";
    // "[Setting-CHS]\r\nItem1=左键\r\n" in UTF-16LE with BOM.
    std::u16string text = u"[Setting-CHS]\r\nItem1=左键\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    WriteFile(path, bytes);
    EXPECT_EQ(ProfileIni::GetString(path, "Setting-CHS", "Item1"), "左键");
    ASSERT_EQ(ProfileIni::WriteString(path, "Profile", "IsDefault", "Y"), 0);
    EXPECT_EQ(ReadFile(path), "[Setting-CHS]\r\nItem1=左键\r\n[Profile]\r\nIsDefault=Y\r\n");

    WriteFile(path, "\xEF\xBB\xBF[Skins]\nLan=CHT\n");
    EXPECT_EQ(ProfileIni::GetString(path, "Skins", "Lan"), "CHT");
}

using fuzz::Seen;

TEST(ProfileIni, WritingAFileBackNeverChangesHowItReads) {
    // Inputs built from the pieces that decide decoding and structure: byte-order marks
    // anywhere, brackets, equals signs, line breaks, NULs and bytes that are not UTF-8.
    const std::vector<std::string> pieces = {
        "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "\xFF", "\xFE", "\xEF\xBB", "[", "]", "=", "\n", "\r\n", "\r",
        " ", "\"", std::string(1, '\0'), "Profile", "IsDefault", "Y", "Item1", "\xE5\xB7\xA6", "\xC3", "a"};
    std::mt19937 random(517);
    std::vector<std::string> inputs = {"\xEF\xBB\xBF\xFF\xFE[Profile]\nIsDefault=Y\n", "\xFF\xFE", "\xEF\xBB\xBF",
                                       "\xEF\xBB\xBF\xEF\xBB\xBF[a]\nb=c\n", "\xFE\xFF\x00[\x00]"};
    for (int i = 0; i < 20000; ++i) {
        std::string bytes;
        const int count = static_cast<int>(random() % 24);
        for (int k = 0; k < count; ++k) {
            bytes += random() % 8 == 0 ? std::string(1, static_cast<char>(random())) : pieces[random() % pieces.size()];
        }
        inputs.push_back(bytes);
    }
    for (const std::string& bytes : inputs) {
        IniDocument doc = IniDocument::Parse(bytes);
        const auto seen = Seen(doc);
        const std::string written = doc.Bytes();
        EXPECT_EQ(Seen(IniDocument::Parse(written)), seen) << test::ToHex(bytes);
        // And a change to one key changes nothing else.
        doc.Set("Profile", "IsDefault", "Y");
        const IniDocument changed = IniDocument::Parse(doc.Bytes());
        EXPECT_EQ(changed.Get("Profile", "IsDefault"), "Y") << test::ToHex(bytes);
        EXPECT_EQ(changed.SectionNames().size(), doc.SectionNames().size()) << test::ToHex(bytes);
    }
}

TEST(ProfileIni, BinaryGarbageAndHugeLinesDoNotBreakReading) {
    std::string garbage;
    uint32_t x = 12345;
    for (int i = 0; i < 100000; ++i) {
        x = x * 1103515245 + 12345;
        garbage += static_cast<char>(x >> 16);
    }
    const IniDocument doc = IniDocument::Parse(garbage);
    (void)doc.Get("MacroName", "MacroCount");
    (void)doc.HighestIndex("MacroName", "");

    const std::string huge = "[MacroName]\nMacroCount=" + std::string(10 * 1024 * 1024, '7') +
                             "\n0=" + std::string(3, '\0') + "x\n";
    const IniDocument big = IniDocument::Parse(huge);
    EXPECT_EQ(big.Get("MacroName", "MacroCount").size(), 1023u);
    EXPECT_EQ(big.Get("MacroName", "0"), std::string(3, '\0') + "x");
}

TEST(ProfileIni, HighestIndexCountsOnlyKeysWrittenAsNumbers) {
    const IniDocument doc = IniDocument::Parse(
        "[M]\nItem0=a\nitem7=b\nItem08=c\nItem-9=d\nItemX=e\nItem99999999999=f\n");
    EXPECT_EQ(doc.HighestIndex("M", "Item"), 7);
    EXPECT_EQ(doc.HighestIndex("M", "Other"), -1);
    EXPECT_EQ(doc.HighestIndex("Missing", "Item"), -1);
}

TEST(ProfileIni, AFailedWriteLeavesTheOldFileWhole) {
    TempDir dir;
    const std::string path = dir / "record.ini";
    const std::string old = "[MacroName]\nMacroCount=1\n0=Macro_1\n";
    WriteFile(path, old);
    // The file system refuses the bytes part way through (as on a full disk).
    const int result = test::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        return ProfileIni::WriteString(path, "Macro_1", "Item0", std::string(500, 'A'));
    });
    EXPECT_EQ(result, EFBIG);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(test::ListFolder(dir.Path()), std::vector<std::string>{"record.ini"});
}

TEST(ProfileIni, AReadOnlyFolderGivesAnErrorAndKeepsTheFile) {
    TempDir dir;
    const std::string path = dir / "str0.ini";
    WriteFile(path, "[Profile]\nIsDefault=N\n");
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    const int result = test::RunUnprivileged(
        [&] { return ProfileIni::WriteString(path, "Profile", "IsDefault", "Y"); });
    EXPECT_EQ(result, EACCES);
    EXPECT_EQ(ReadFile(path), "[Profile]\nIsDefault=N\n");
}

TEST(ProfileIni, AFolderWhereTheFileShouldBe) {
    TempDir dir;
    const std::string path = dir / "str.ini";
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    EXPECT_EQ(ProfileIni::GetString(path, "Profile", "ItemCount"), "");
    EXPECT_EQ(ProfileIni::WriteString(path, "Profile", "ItemCount", "1"), EISDIR);
    EXPECT_EQ(ProfileIni::DeleteSection(path, "Profile"), EISDIR);
    EXPECT_TRUE(test::FileExists(path));
}

TEST(ProfileIni, WritingCreatesAMissingFileButDeletingDoesNot) {
    TempDir dir;
    const std::string path = dir / "new.ini";
    EXPECT_EQ(ProfileIni::DeleteSection(path, "X"), 0);
    EXPECT_FALSE(test::FileExists(path));
    EXPECT_EQ(ProfileIni::WriteString(path, "X", "k", "v"), 0);
    EXPECT_EQ(ReadFile(path), "[X]\nk=v\n");
}

}  // namespace
}  // namespace qm
