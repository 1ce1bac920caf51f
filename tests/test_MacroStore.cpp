// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "macros/MacroStore.h"
#include "platform/FileUtil.h"

namespace qm {
namespace {

using test::ReadFile;
using test::WriteFile;

struct MacroStoreTest : ::testing::Test {
    test::TempDir dir;
    std::string path = dir / "record.ini";
    MacroStore store{path};

    MacroEditorState Editor(std::vector<std::string> names, int selected,
                            std::vector<std::string> keys) {
        MacroEditorState s;
        s.names = std::move(names);
        s.selected = selected;
        s.keystrokes = std::move(keys);
        return s;
    }
};

TEST_F(MacroStoreTest, FullWriteLaysOutNameListAndSectionInOrder) {
    WriteFile(path, "");
    MacroEditorState s = Editor({"Macro_1", "Macro_2"}, 0, {"A   Dn", "50 ms", "A   Up"});
    s.recordDelays = true;
    s.loopText = "3";
    ASSERT_EQ(store.WriteMacroToIni(s), 0);
    EXPECT_EQ(ReadFile(path),
              "[MacroName]\n"
              "MacroCount=2\n"
              "0=Macro_1\n"
              "1=Macro_2\n"
              "[Macro_1]\n"
              "DelayTimeSelStatus=1\n"
              "MacroLoopTimes=3\n"
              "ItemCount=3\n"
              "Item0=A   Dn\n"
              "Item1=50 ms\n"
              "Item2=A   Up\n");
    EXPECT_EQ(store.ReadNames(), (std::vector<std::string>{"Macro_1", "Macro_2"}));
    const MacroSection m = store.ReadMacro("Macro_1");
    EXPECT_EQ(m.delayTimeSelStatus, "1");
    EXPECT_EQ(m.loopTimes, "3");
    EXPECT_EQ(m.items, (std::vector<std::string>{"A   Dn", "50 ms", "A   Up"}));
}

TEST_F(MacroStoreTest, AnEmptyKeystrokeListRemovesTheSectionButKeepsTheName) {
    WriteFile(path, "[Macro_1]\nItemCount=1\nItem0=B   Dn\n");
    ASSERT_EQ(store.WriteMacroToIni(Editor({"Macro_1"}, 0, {})), 0);
    EXPECT_EQ(ReadFile(path), "[MacroName]\nMacroCount=1\n0=Macro_1\n");
}

TEST_F(MacroStoreTest, DeletingTheOnlyMacroLeavesAnEmptyList) {
    WriteFile(path, "[MacroName]\nMacroCount=1\n0=Macro_1\n[Macro_1]\nItemCount=0\n");
    ASSERT_EQ(store.DeleteMacro({}, "Macro_1"), 0);
    EXPECT_EQ(ReadFile(path), "[MacroName]\nMacroCount=0\n0=\n");
    EXPECT_TRUE(store.ReadNames().empty());
}

TEST_F(MacroStoreTest, ARenameMovesTheWholeMacroInOneWrite) {
    const std::string stored = "[MacroName]\nMacroCount=2\n0=Old\n1=Other\n"
                               "[Old]\nDelayTimeSelStatus=1\nMacroLoopTimes=9\nItemCount=2\nItem0=A   Dn\nItem1=A   Up\n"
                               "[Other]\nItemCount=1\nItem0=B   Dn\n";
    // Not on screen: the stored section, every key, under the new name.
    WriteFile(path, stored);
    ASSERT_EQ(store.RenameMacro("Old", "Run", {"Run", "Other"}, nullptr), 0);
    EXPECT_EQ(ReadFile(path), "[Run]\nDelayTimeSelStatus=1\nMacroLoopTimes=9\nItemCount=2\nItem0=A   Dn\nItem1=A   Up\n"
                              "[Other]\nItemCount=1\nItem0=B   Dn\n"
                              "[MacroName]\nMacroCount=2\n0=Run\n1=Other\n");
    // On screen: as it is shown, loop count and delay option included.
    WriteFile(path, stored);
    MacroEditorState shown = Editor({"Run", "Other"}, 0, {"A   Dn", "20 ms", "A   Up"});
    shown.loopText = "20";
    shown.recordDelays = true;
    ASSERT_EQ(store.RenameMacro("Old", "Run", shown.names, &shown), 0);
    EXPECT_EQ(store.ReadNames(), shown.names);
    EXPECT_FALSE(IniDocument::Load(path).HasSection("Old"));
    const MacroSection run = store.ReadMacro("Run");
    EXPECT_EQ(run.items, shown.keystrokes);
    EXPECT_EQ(run.loopTimes, "20");
    EXPECT_EQ(run.delayTimeSelStatus, "1");
    EXPECT_EQ(store.ReadMacro("Other").items, std::vector<std::string>{"B   Dn"});
}

TEST_F(MacroStoreTest, WriteOfARecording) {
    WriteFile(path, "[Macro_1]\nItemCount=1\nItem0=old\n");
    ASSERT_EQ(store.WriteRecording({"Macro_1"}, {"Macro_1", "0", "2", "A   Dn", "A   Up"}), 0);
    EXPECT_EQ(ReadFile(path),
              "[MacroName]\nMacroCount=1\n0=Macro_1\n"
              "[Macro_1]\nDelayTimeSelStatus=0\nMacroLoopTimes=2\nItemCount=2\n"
              "Item0=A   Dn\nItem1=A   Up\n");
}

TEST_F(MacroStoreTest, WritesThatNeedTheStoreDoNothingWithoutIt) {
    MacroEditorState s = Editor({"Macro_1"}, 0, {"A   Dn"});
    EXPECT_EQ(store.WriteMacroToIni(s), MacroStore::kNotWritten);
    EXPECT_EQ(store.RenameMacro("Macro_1", "Run", {"Run"}, &s), MacroStore::kNotWritten);
    EXPECT_EQ(store.WriteRecording({"Macro_1"}, {"Macro_1", "0", "1", "A   Dn"}),
              MacroStore::kNotWritten);
    EXPECT_FALSE(test::FileExists(path));
    EXPECT_TRUE(store.ReadNames().empty());

    WriteFile(path, "");
    EXPECT_EQ(store.WriteMacroToIni(Editor({}, -1, {})), MacroStore::kNotWritten);
    EXPECT_EQ(store.WriteRecording({"Macro_1"}, {}), MacroStore::kNotWritten);
    EXPECT_EQ(ReadFile(path), "");
}

TEST_F(MacroStoreTest, TheLoopCountWriteCreatesTheStore) {
    ASSERT_EQ(store.WriteLoopCount("Macro_1", 65535), 0);
    EXPECT_EQ(ReadFile(path), "[Macro_1]\nMacroLoopTimes=65535\n");
}

TEST_F(MacroStoreTest, CountsAreBoundedByWhatTheFileHolds) {
    WriteFile(path,
              "[MacroName]\nMacroCount=99999999\n0=a\n2=c\n"
              "[a]\nItemCount=99999999\nItem0=A   Dn\nItem2=A   Up\n"
              "[c]\nItemCount=99999999\nItem99999998=x\n");
    // Missing name keys read as empty names up to the twelve macros a store holds.
    EXPECT_EQ(store.ReadNames(),
              (std::vector<std::string>{"a", "", "c", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(store.ReadMacro("a").items, (std::vector<std::string>{"A   Dn", "", "A   Up"}));
    // One absurd key cannot make the list absurdly long.
    EXPECT_EQ(store.ReadMacro("c").items.size(), static_cast<size_t>(kMaxStoreListEntries));
}

TEST_F(MacroStoreTest, BadCountsReadAsNothing) {
    for (const char* count : {"", "abc", "-1", "0"}) {
        WriteFile(path, std::string("[MacroName]\nMacroCount=") + count + "\n0=a\n");
        EXPECT_TRUE(store.ReadNames().empty()) << count;
    }
    WriteFile(path, "[MacroName]\n0=a\n");
    EXPECT_TRUE(store.ReadNames().empty());
    WriteFile(path, std::string("\x01\x02[\xFF\xFE\0garbage]", 14) + "\n=\n===\n[MacroName\n");
    EXPECT_TRUE(store.ReadNames().empty());
}

TEST_F(MacroStoreTest, NamesWithBracketsAndBlanksKeepTheirSections) {
    WriteFile(path, "");
    MacroEditorState s = Editor({"My ]Macro", "two words"}, 0, {"B   Dn"});
    s.loopText = "1";
    ASSERT_EQ(store.WriteMacroToIni(s), 0);
    s.selected = 1;
    s.keystrokes = {"C   Dn"};
    ASSERT_EQ(store.WriteMacroToIni(s), 0);
    EXPECT_EQ(store.ReadNames(), (std::vector<std::string>{"My ]Macro", "two words"}));
    EXPECT_EQ(store.ReadMacro("My ]Macro").items, std::vector<std::string>{"B   Dn"});
    EXPECT_EQ(store.ReadMacro("two words").items, std::vector<std::string>{"C   Dn"});
}

TEST_F(MacroStoreTest, AMacroNamedLikeTheListNeverDeletesIt) {
    // Section names compare without case: a macro called "macroname" would be the list's
    // own section. Every write keeps the list whole.
    for (const std::string name : {"MacroName", "macroname", "MACRONAME"}) {
        const std::vector<std::string> names = {"Macro_1", name};
        WriteFile(path, "[MacroName]\nMacroCount=2\n0=Macro_1\n1=" + name + "\n[Macro_1]\nItemCount=1\nItem0=A   Dn\n");
        MacroEditorState s = Editor(names, 1, {"B   Dn"});
        s.loopText = "1";
        EXPECT_EQ(store.WriteMacroToIni(s), 0);
        EXPECT_EQ(store.ReadNames(), names) << name;
        EXPECT_EQ(store.RenameMacro(name, "Macro_2", names, &s), 0);
        EXPECT_EQ(store.ReadNames(), names) << name;
        EXPECT_EQ(store.RenameMacro("Macro_1", name, names, nullptr), 0);
        EXPECT_EQ(store.ReadNames(), names) << name;
        EXPECT_EQ(store.WriteRecording(names, {name, "0", "1", "C   Dn"}), 0);
        EXPECT_EQ(store.ReadNames(), names) << name;
        EXPECT_EQ(store.ReadMacro("Macro_1").items, std::vector<std::string>{"A   Dn"}) << name;
        EXPECT_EQ(store.DeleteMacro({"Macro_1"}, name), 0);
        EXPECT_EQ(store.ReadNames(), std::vector<std::string>{"Macro_1"}) << name;
    }
    const std::pair<const char*, bool> usable[] = {
        {"Macro_1", true},  {"two words", true}, {"左键", true},     {"MacroName", false}, {"macroNAME", false},
        {"", false},        {" lead", false},    {"trail ", false}, {"a]b", false},       {"a=b", false},
        {"a\nb", false},    {"a\rb", false}};
    for (const auto& [name, expected] : usable) {
        EXPECT_EQ(IsUsableMacroName(name), expected) << name;
    }
}

TEST_F(MacroStoreTest, ANameWithSurroundingBlanksKeepsItsKeystrokes) {
    // The name list trims values; the section of the same name must be found again.
    WriteFile(path, "");
    MacroEditorState s = Editor({" Spaced "}, 0, {"B   Dn", "B   Up"});
    s.loopText = "1";
    ASSERT_EQ(store.WriteMacroToIni(s), 0);
    const std::vector<std::string> names = store.ReadNames();
    ASSERT_EQ(names, std::vector<std::string>{"Spaced"});
    EXPECT_EQ(store.ReadMacro(names[0]).items, (std::vector<std::string>{"B   Dn", "B   Up"}));
    // A second full write of the name as read back replaces the section, never adds one.
    MacroEditorState again = Editor(names, 0, {"C   Dn"});
    again.loopText = "1";
    ASSERT_EQ(store.WriteMacroToIni(again), 0);
    EXPECT_EQ(store.ReadMacro(" Spaced ").items, std::vector<std::string>{"C   Dn"});
    EXPECT_EQ(test::ReadFile(path).find("B   Dn"), std::string::npos);
}

TEST_F(MacroStoreTest, LoadingAMacroNormalisesItsLoopCountAndWritesItBack) {
    struct Case {
        const char* stored;
        const char* shown;
        bool loopEnabled;
    };
    const Case cases[] = {
        {"0", "1", false},     {"70000", "1", false}, {"abc", "1", false},
        {"", "1", false},      {"1", "1", false},     {"5", "5", true},
        {"65535", "65535", true},
    };
    for (const auto& c : cases) {
        WriteFile(path, std::string("[MacroName]\nMacroCount=1\n0=M\n[M]\nMacroLoopTimes=") +
                            c.stored + "\nItemCount=1\nItem0=A   Dn\n");
        MacroEditorState s;
        s.names = {"M"};
        SelectMacro(store, s, 0);
        EXPECT_EQ(s.loopText, c.shown) << c.stored;
        EXPECT_EQ(s.loopEnabled, c.loopEnabled) << c.stored;
        EXPECT_EQ(store.ReadMacro("M").loopTimes, c.shown) << c.stored;
        EXPECT_EQ(s.snapshot, (std::vector<std::string>{"M", c.stored, "A   Dn"}));
    }
}

TEST_F(MacroStoreTest, DelayOptionFollowsTheStoredFlag) {
    struct Case {
        const char* stored;
        bool before;
        bool after;
    };
    const Case cases[] = {{"1", false, true}, {"0", true, false}, {"2", true, true},
                          {"", false, false}, {"", true, true}};
    for (const auto& c : cases) {
        WriteFile(path, std::string("[M]\nDelayTimeSelStatus=") + c.stored + "\nItemCount=0\n");
        MacroEditorState s;
        s.names = {"M"};
        s.recordDelays = c.before;
        SelectMacro(store, s, 0);
        EXPECT_EQ(s.recordDelays, c.after) << '"' << c.stored << '"' << c.before;
    }
}

TEST_F(MacroStoreTest, LoadingAllListsEveryNameAndShowsTheFirst) {
    WriteFile(path,
              "[MacroName]\nMacroCount=2\n0=One\n1=Two\n"
              "[One]\nDelayTimeSelStatus=5\nMacroLoopTimes=2\nItemCount=1\nItem0=A   Dn\n"
              "[Two]\nDelayTimeSelStatus=1\nMacroLoopTimes=1\nItemCount=2\nItem0=B   Dn\n"
              "Item1=B   Up\n");
    MacroEditorState s;
    LoadAllMacros(store, s);
    EXPECT_EQ(s.names, (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(s.selected, 0);
    EXPECT_EQ(s.keystrokes, std::vector<std::string>{"A   Dn"});
    EXPECT_EQ(s.loopText, "2");
    EXPECT_TRUE(s.loopEnabled);
    // The first macro's "5" leaves the option as the pass over all macros left it.
    EXPECT_TRUE(s.recordDelays);
}

TEST_F(MacroStoreTest, ItemsParseIntoPressReleaseOrNothing) {
    EXPECT_EQ(ParseMacroItem("A   Dn").kind, ItemKind::kPress);
    EXPECT_EQ(ParseMacroItem("A   Dn").keyName, "A");
    EXPECT_EQ(ParseMacroItem("Up   Up").keyName, "Up");
    EXPECT_EQ(ParseMacroItem("Down   Dn").keyName, "Down");
    EXPECT_EQ(ParseMacroItem("Page Up   Up").kind, ItemKind::kRelease);
    EXPECT_EQ(ParseMacroItem("A  Dn").kind, ItemKind::kOther);
    EXPECT_EQ(ParseMacroItem("50 ms").kind, ItemKind::kOther);
    EXPECT_EQ(ParseMacroItem("").kind, ItemKind::kOther);

    const std::string items[] = {"50 ms", "5 ms", "0 ms", "70000 ms", "x ms", "A   Dn", "note"};
    const int pauses[] = {50, 10, 10, 70000, 10, 50, 50};
    for (size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(PauseBefore(&items[i]), pauses[i]) << items[i];
    }
    EXPECT_EQ(PauseBefore(nullptr), 50);
}

TEST_F(MacroStoreTest, EveryMacroCommandCutShortAnywhereLeavesTheStoreWholeBeforeOrAfter) {
    const std::string before = "[MacroName]\nMacroCount=2\n0=Macro_1\n1=Macro_2\n"
                               "[Macro_1]\nDelayTimeSelStatus=1\nMacroLoopTimes=20\nItemCount=2\nItem0=A   Dn\n"
                               "Item1=A   Up\n[Macro_2]\nDelayTimeSelStatus=0\nMacroLoopTimes=1\nItemCount=1\n"
                               "Item0=B   Dn\n";
    MacroEditorState shown = Editor({"Run", "Macro_2"}, 0, {"A   Dn", "A   Up"});
    shown.loopText = "20";
    shown.recordDelays = true;
    const std::vector<std::pair<const char*, std::function<void(MacroStore&)>>> commands = {
        {"rename", [&](MacroStore& m) { m.RenameMacro("Macro_1", "Run", shown.names, &shown); }},
        {"delete", [](MacroStore& m) { m.DeleteMacro({"Macro_2"}, "Macro_1"); }},
        {"new", [](MacroStore& m) { m.WriteNameList({"Macro_1", "Macro_2", "Macro_3"}); }},
        {"recording", [](MacroStore& m) { m.WriteRecording({"Macro_1", "Macro_2"}, {"Macro_2", "0", "3", "C   Dn"}); }},
        {"loop count", [](MacroStore& m) { m.WriteLoopCount("Macro_2", 7); }},
        {"write", [&](MacroStore& m) {
             MacroEditorState s = shown;
             s.names = {"Macro_1", "Macro_2"};
             s.keystrokes = {"A   Dn", "100 ms", "A   Up"};
             m.WriteMacroToIni(s);
         }},
    };
    for (const auto& [what, command] : commands) {
        WriteFile(path, before);
        test::StepFault counter;
        counter.Install();
        command(store);
        SetFileStepHook({});
        const std::string after = ReadFile(path);
        ASSERT_NE(after, before) << what;
        for (int at = 0; at < counter.steps; ++at) {
            WriteFile(path, before);
            ASSERT_TRUE(test::CrashAt(at, [&] { command(store); })) << what << " " << at;
            const std::string left = ReadFile(path);
            EXPECT_TRUE(left == before || left == after) << what << ", ended before step " << at << ":\n" << left;
        }
    }
}

}  // namespace
}  // namespace qm
