// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "TestUtil.h"
#include "model/ButtonCatalogue.h"
#include "model/ProfileFiles.h"
#include "platform/FileUtil.h"
#include "platform/ProfileIni.h"

namespace qm {
namespace {

using test::ReadFile;
using test::WriteFile;

struct FakeUi : ProfileUi {
    std::optional<std::string> importChoice;
    std::optional<std::string> exportChoice;
    std::string offeredName;
    std::vector<std::string> calls;

    std::optional<std::string> ChooseImportFile(const std::string& initial) override {
        offeredName = initial;
        calls.push_back("import dialog");
        return importChoice;
    }
    std::optional<std::string> ChooseExportFile(const std::string& initial) override {
        offeredName = initial;
        calls.push_back("export dialog");
        return exportChoice;
    }
    void RefreshAfterImport() override { calls.push_back("refresh after import"); }
    void RefreshCaptions() override { calls.push_back("refresh captions"); }
    void RefreshViews() override { calls.push_back("refresh views"); }
    void CloseProfilesPanel() override { calls.push_back("close panel"); }
};

// A record file: the flag byte, then record bytes that name their profile in byte 0 and
// otherwise follow a pattern that no default matches.
std::string RecordFile(uint8_t flag, uint8_t profileByte, size_t size = kRecordFileSize) {
    std::string file(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        file[i] = static_cast<char>(i == 0 ? flag : i == 1 ? profileByte : 1 + (i * 7) % 250);
    }
    return file;
}

std::string ProfileList(const char* count, std::vector<std::string> names, const char* current) {
    std::string text = "[Profile]\n";
    if (current != nullptr) {
        text += std::string("CurProfileName=") + current + "\n";
    }
    if (count != nullptr) {
        text += std::string("ItemCount=") + count + "\n";
    }
    for (size_t i = 0; i < names.size(); ++i) {
        text += "Item" + std::to_string(i) + "=" + names[i] + "\n";
    }
    return text;
}

const char* kMacroStore = "[MacroName]\nMacroCount=1\n0=M\n[M]\nMacroLoopTimes=1\nItemCount=1\n"
                          "Item0=A   Dn\n";

std::string Captions(const std::string& prefix) {
    std::string text = "[Setting-EN]\n";
    for (int i = 1; i <= 7; ++i) {
        text += "Item" + std::to_string(i) + "=" + prefix + std::to_string(i) + "\n";
    }
    return text;
}

struct Profiles : ::testing::Test {
    test::TempDir dir;
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    CapturedDebugOutput debug;
    FakeUi ui;
    std::unique_ptr<ProfileFiles> files;

    void SetUp() override {
        strings.FillUiStrings("EN");
        settings.record.bytes.fill(0xEE);
        files = std::make_unique<ProfileFiles>(dir.Path(), settings, captions, strings, debug);
    }
    std::string P(const std::string& name) const { return dir / name; }
    std::string RecordBytes() const {
        return std::string(settings.record.bytes.begin(), settings.record.bytes.end());
    }
};

TEST_F(Profiles, RecordFilesRoundTripWithTheirDebugLines) {
    for (size_t i = 0; i < rec::kSize; ++i) {
        settings.record.bytes[i] = static_cast<uint8_t>(i * 31 + 7);
    }
    const SettingsRecord written = settings.record;
    ASSERT_EQ(files->WriteRecordFile(P("config3.bin"), settings.record), 0);
    const std::string file = ReadFile(P("config3.bin"));
    ASSERT_EQ(file.size(), 1885u);
    EXPECT_EQ(file[0], '\x01');
    EXPECT_EQ(file.substr(1), RecordBytes());
    EXPECT_TRUE(debug.Contains("Data num:1 BYTE -1884 BYTE\n Struct size:1884 BYTE"));

    settings.record.bytes.fill(0);
    EXPECT_TRUE(files->ReadRecordFile(P("config3.bin"), settings.record));
    EXPECT_EQ(settings.record, written);
    EXPECT_TRUE(debug.Contains("Program First Run Flag:1\nRead Size is: 1884"));
}

TEST_F(Profiles, WholeAndLongRecordFilesFillTheRecordAndShortOnesCountAsMissing) {
    for (size_t size : {1885, 5000}) {
        settings.record.bytes.fill(0xEE);
        debug.Clear();
        const std::string file = RecordFile(7, 3, size);
        WriteFile(P("config0.bin"), file);
        ASSERT_TRUE(files->ReadRecordFile(P("config0.bin"), settings.record));
        EXPECT_EQ(RecordBytes(), file.substr(1, 1884)) << size;
        EXPECT_EQ(debug.Lines(), std::vector<std::string>{"Program First Run Flag:7\nRead Size is: 1884"}) << size;
    }
    // A file too short to hold the settings (empty, the flag alone, cut off) holds no
    // profile: it is taken as missing, and said so by name.
    struct Short {
        size_t size;
        std::string said;
    };
    for (const Short& c : {Short{0, "config0.bin is empty"},
                           Short{1, "config0.bin is too short to hold the settings (1 bytes, 1885 expected)"},
                           Short{1000, "config0.bin is too short to hold the settings (1000 bytes, 1885 expected)"}}) {
        settings.record.bytes.fill(0xEE);
        debug.Clear();
        WriteFile(P("config0.bin"), RecordFile(7, 3, c.size));
        EXPECT_FALSE(files->ReadRecordFile(P("config0.bin"), settings.record)) << c.size;
        EXPECT_EQ(RecordBytes(), std::string(1884, '\xEE')) << c.size;
        EXPECT_TRUE(debug.Contains("Config file is not exist.\n")) << c.size;
        EXPECT_NE(files->LastError().find(c.said), std::string::npos) << files->LastError();
        EXPECT_TRUE(files->RecordUnreadable().empty());
    }
}

TEST_F(Profiles, TheListEntryOfTheCurrentNameIsTheNameItself) {
    struct Case {
        std::vector<std::string> names;
        std::string wanted;
        int entry;
    };
    const Case cases[] = {
        {{"Game", "Game 1"}, "Game", 0},  // not the later name it starts
        {{"Game 1", "Game"}, "Game", 1},
        {{"A", "b", "B"}, "B", 2},        // the same case first
        {{"A", "b"}, "B", 1},             // then another case
        {{"Game", "Game 1", "Game 2"}, "GAME 1", 1},
        {{"Alpha", "Beta", "Al"}, "al", 2},
        {{"Alpha", "Beta", "Alto"}, "al", 2},  // the list box's prefix search: from entry 1 on
        {{"Alpha", "Beta"}, "al", 0},
        {{"A", "B"}, "", -1},  // no name: no entry, the current profile stays
        {{"A", "B"}, "C", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindCurrentEntry(c.names, c.wanted), c.entry) << c.wanted;
    }
}

TEST_F(Profiles, ImportTakesOnlyWholeProfileFiles) {
    for (size_t size : {0, 1, 1000, 1885, 5000}) {
        settings.record.bytes.fill(0xEE);
        captions = {};
        const std::string bin = P("export" + std::to_string(size) + ".bin");
        WriteFile(bin, RecordFile(1, 4, size));
        WriteFile(CompanionIniPath(bin), Captions("Imported "));
        ui.importChoice = bin;
        debug.Clear();
        files->OnProfileMessage(kProfileImport, 0, ui);
        // Only a whole file is an import (and the one of 1885 bytes stays done after it).
        EXPECT_EQ(files->ImportDone(), size >= 1885) << size;
        if (size == 1885) {
            EXPECT_EQ(RecordBytes(), RecordFile(1, 4).substr(1));
            EXPECT_EQ(captions[0], "Imported 1");
            EXPECT_EQ(captions[6], "Imported 7");
            // An import writes no debug line of its own read.
            EXPECT_TRUE(debug.Lines().empty());
        } else {
            EXPECT_EQ(RecordBytes(), std::string(1884, '\xEE')) << size;
            EXPECT_EQ(captions[0], "") << size;
            EXPECT_NE(files->LastError().find(bin + " is not a profile file"), std::string::npos) << files->LastError();
        }
    }
    EXPECT_EQ(std::count(ui.calls.begin(), ui.calls.end(), "refresh after import"), 1);
}

TEST_F(Profiles, ImportEndsOnCancelOrOnANameWithoutBin) {
    WriteFile(P("good.dat"), RecordFile(1, 4));
    for (std::optional<std::string> choice : {std::optional<std::string>{},
                                              std::optional<std::string>{P("good.dat")},
                                              std::optional<std::string>{P("missing.bin")}}) {
        ui.importChoice = choice;
        files->OnProfileMessage(kProfileImport, 0, ui);
        EXPECT_FALSE(files->ImportDone());  // nothing came in: the next Apply saves the profile itself
        EXPECT_EQ(RecordBytes(), std::string(1884, '\xEE'));
        // A file that was refused is named.
        EXPECT_EQ(files->LastError().empty(), !choice) << files->LastError();
        files->ClearLastError();
    }
    EXPECT_TRUE(debug.Contains("Config file is not exist.\n"));
}

TEST_F(Profiles, AMissingRecordFileLeavesTheRecord) {
    EXPECT_FALSE(files->ReadRecordFile(P("config5.bin"), settings.record));
    EXPECT_EQ(debug.Lines(), std::vector<std::string>{"Config file is not exist.\n"});
    ASSERT_EQ(mkdir(P("config4.bin").c_str(), 0755), 0);
    EXPECT_FALSE(files->ReadRecordFile(P("config4.bin"), settings.record));
    EXPECT_EQ(RecordBytes(), std::string(1884, '\xEE'));
}

TEST_F(Profiles, TheCurrentProfileIsFoundByNameInTheList) {
    struct Case {
        std::string list;
        bool loads;
        int number;
    };
    const Case cases[] = {
        {ProfileList("2", {"A", "B"}, "B"), true, 1},
        {ProfileList("3", {"Game", "Other", "Game"}, "Game"), true, 2},  // the last match wins
        {ProfileList("3", {"Game", "Other", "Game"}, "game"), true, 0},  // exact, no match
        {ProfileList("1", {"A"}, nullptr), true, 0},
        {ProfileList("abc", {"A"}, "A"), false, 0},
        {ProfileList("0", {"A"}, "A"), false, 0},
        {ProfileList("7", {"A"}, "A"), false, 0},
        {ProfileList("-1", {"A"}, "A"), false, 0},
        {ProfileList(nullptr, {"A"}, "A"), false, 0},
        {"", false, 0},
    };
    WriteFile(P("record.ini"), kMacroStore);
    for (int n = 0; n < 3; ++n) {
        WriteFile(P("config" + std::to_string(n) + ".bin"), RecordFile(1, static_cast<uint8_t>(10 + n)));
    }
    for (const auto& c : cases) {
        WriteFile(P("str.ini"), c.list);
        settings.record.bytes.fill(0xEE);
        files = std::make_unique<ProfileFiles>(dir.Path(), settings, captions, strings, debug);
        EXPECT_EQ(files->LoadCurrentProfile(), c.loads) << c.list;
        EXPECT_EQ(files->CurrentProfileNumber(), c.number) << c.list;
        if (c.loads) {
            EXPECT_EQ(settings.record[0], 10 + c.number) << c.list;
            EXPECT_EQ(files->CurrentIniPath(), P("str" + std::to_string(c.number) + ".ini"));
            // The macro store was compiled into the record.
            EXPECT_EQ(test::ToHex(settings.record.MacroSlot(0), 4), "00 01 05 04");
        } else {
            EXPECT_EQ(RecordBytes(), std::string(1884, '\xEE')) << c.list;
        }
    }
}

TEST_F(Profiles, ResetModeLoadsTheBaseFiles) {
    WriteFile(P("str.ini"), ProfileList("2", {"A", "B"}, "B"));
    WriteFile(P("config.bin"), RecordFile(1, 0x99));
    WriteFile(P("config1.bin"), RecordFile(1, 0x11));
    files->SetResetInProgress(true);
    EXPECT_TRUE(files->LoadCurrentProfile());
    EXPECT_EQ(settings.record[0], 0x99);
    EXPECT_EQ(files->CurrentIniPath(), P("str.ini"));
    EXPECT_EQ(files->CurrentConfigPath(), P("config.bin"));
}

TEST_F(Profiles, TheInitialisationMarkDecidesWhetherDefaultsAreWritten) {
    struct Case {
        const char* ini;
        bool afterExport;
        bool defaults;
    };
    const Case cases[] = {
        {"[Profile]\nIsDefault=N\n", false, true},  {"[Profile]\nIsDefault=\n", false, true},
        {"", false, true},                          {"[Profile]\nIsDefault=y\n", false, false},
        {"[Profile]\nIsDefault=Y\n", false, false}, {"[Profile]\nIsDefault=n\n", false, false},
        {"[Profile]\nIsDefault=N\n", true, true},   {"", true, false},
    };
    WriteFile(P("str.ini"), ProfileList("1", {"A"}, "A"));
    for (const auto& c : cases) {
        WriteFile(P("config0.bin"), RecordFile(1, 0));
        WriteFile(P("str0.ini"), c.ini);
        ASSERT_TRUE(files->LoadCurrentProfile());
        files->CheckInitialisationMark(c.afterExport);
        EXPECT_EQ(ReadFile(P("str0.ini")).find("IsDefault=Y") != std::string::npos, true) << c.ini;
        const std::string saved = ReadFile(P("config0.bin"));
        if (c.defaults) {
            EXPECT_EQ(settings.record[rec::kPointerSpeed], 6) << c.ini;
            EXPECT_EQ(saved.substr(1), RecordBytes()) << c.ini;
        } else {
            EXPECT_EQ(saved, RecordFile(1, 0)) << c.ini;
            EXPECT_EQ(RecordBytes(), RecordFile(1, 0).substr(1)) << c.ini;
        }
    }
}

TEST_F(Profiles, AnUnusableListNeverOverwritesAProfileWithDefaults) {
    WriteFile(P("str.ini"), ProfileList("abc", {"A"}, "A"));
    WriteFile(P("config0.bin"), RecordFile(1, 5));
    EXPECT_FALSE(files->LoadCurrentProfile());
    files->CheckInitialisationMark();
    EXPECT_EQ(settings.record[rec::kPointerSpeed], 6);  // the defaults are shown
    EXPECT_EQ(ReadFile(P("config0.bin")), RecordFile(1, 5));
}

TEST_F(Profiles, SwitchingAfterAnImportKeepsTheImportedRecord) {
    WriteFile(P("str.ini"), ProfileList("2", {"A", "B"}, "A"));
    WriteFile(P("config0.bin"), RecordFile(1, 0));
    WriteFile(P("config1.bin"), RecordFile(1, 1));
    WriteFile(P("in.bin"), RecordFile(1, 0x42));
    ASSERT_TRUE(files->LoadCurrentProfile());
    ui.importChoice = P("in.bin");
    files->OnProfileMessage(kProfileImport, 1, ui);
    files->SetCurrentProfileNumber(1);
    ui.calls.clear();
    files->OnProfileMessage(kProfileSwitch, 1, ui);
    EXPECT_EQ(settings.record[0], 0x42);
    EXPECT_FALSE(files->ImportDone());
    EXPECT_EQ(ui.calls, std::vector<std::string>{"close panel"});
    EXPECT_EQ(ReadFile(P("config1.bin")), RecordFile(1, 1));
}

TEST_F(Profiles, SwitchingToTheProfileShownOnlyClosesThePanel) {
    WriteFile(P("str.ini"), ProfileList("2", {"A", "B"}, "B"));
    WriteFile(P("config1.bin"), RecordFile(1, 1));
    ASSERT_TRUE(files->LoadCurrentProfile());
    settings.record[rec::kSensitivityX] = 9;  // an edit not yet applied
    files->SetCurrentProfileNumber(0);          // the panel selected A on the way
    files->OnProfileMessage(kProfileSwitch, 1, ui);
    EXPECT_EQ(ui.calls, std::vector<std::string>{"close panel"});
    EXPECT_EQ(settings.record[rec::kSensitivityX], 9);
    // The record is still B's, and an Apply saves it into B's file.
    EXPECT_EQ(files->CurrentProfileNumber(), 1);
    EXPECT_EQ(files->CurrentConfigPath(), P("config1.bin"));
}

TEST_F(Profiles, SwitchingLoadsTheOtherProfilesFiles) {
    WriteFile(P("str.ini"), ProfileList("2", {"A", "B"}, "A"));
    WriteFile(P("config0.bin"), RecordFile(1, 0));
    WriteFile(P("config1.bin"), RecordFile(1, 0x21));
    WriteFile(P("str1.ini"), "[Profile]\nIsDefault=Y\n" + Captions("B"));
    ASSERT_TRUE(files->LoadCurrentProfile());
    files->SetCurrentProfileNumber(1);  // the panel's selection
    files->OnProfileMessage(kProfileSwitch, 1, ui);
    EXPECT_EQ(settings.record[0], 0x21);  // the file's byte replaces the number
    EXPECT_EQ(captions[0], "B1");
    EXPECT_EQ(files->CurrentIniPath(), P("str1.ini"));
    EXPECT_EQ(files->LastSwitchedTo(), 1);
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"refresh views", "close panel"}));
    EXPECT_EQ(ReadFile(P("config1.bin")), RecordFile(1, 0x21));
    EXPECT_EQ(ReadFile(P("config0.bin")), RecordFile(1, 0));
}

TEST_F(Profiles, SwitchingToAProfileWithoutFilesGivesItTheDefaults) {
    WriteFile(P("str.ini"), ProfileList("1", {"A"}, "A"));
    WriteFile(P("config0.bin"), RecordFile(1, 0));
    ASSERT_TRUE(files->LoadCurrentProfile());
    debug.Clear();
    files->SetCurrentProfileNumber(4);
    files->OnProfileMessage(kProfileSwitch, 4, ui);
    EXPECT_TRUE(debug.Contains("Config file is not exist."));
    EXPECT_EQ(settings.record[0], 4);
    EXPECT_EQ(settings.record[rec::kPointerSpeed], 6);
    EXPECT_EQ(ReadFile(P("config4.bin")).substr(1), RecordBytes());
    EXPECT_NE(ReadFile(P("str4.ini")).find("IsDefault=Y"), std::string::npos);
}

TEST_F(Profiles, ANewProfileStartsFromTheBaseFileWithDefaults) {
    SettingsRecord base;
    base.bytes.fill(0x33);
    base[0] = 0;
    std::string baseFile(1, '\x01');
    baseFile.append(base.bytes.begin(), base.bytes.end());
    WriteFile(P("config.bin"), baseFile);
    WriteFile(P("str.ini"), ProfileList("3", {"A", "B", "C"}, "A") + Captions("Base"));
    WriteFile(P("str2.ini"), "[Profile]\nIsDefault=N\n");
    files->SetCurrentProfileNumber(2);
    files->OnProfileMessage(kProfileNew, 2, ui);

    SettingsRecord expected = base;
    ApplyFactoryDefaults(expected);
    EXPECT_EQ(settings.record, expected);  // profileIndex is the base file's byte 0
    EXPECT_EQ(ReadFile(P("config2.bin")), std::string(1, '\x01') + std::string(expected.bytes.begin(), expected.bytes.end()));
    // Captions that do not name the factory functions are made anew from the record, in
    // every language.
    EXPECT_EQ(ProfileIni::GetString(P("str2.ini"), "Setting-EN", "Item3"), "Scroll");
    EXPECT_EQ(ProfileIni::GetString(P("str2.ini"), "Setting-DE", "Item4"), "Fn");
    // Marked as initialised, so the next load keeps what the user applies to it.
    EXPECT_EQ(ProfileIni::GetString(P("str2.ini"), "Profile", "IsDefault"), "Y");
    EXPECT_EQ(files->LastSwitchedTo(), 2);
    EXPECT_FALSE(files->ResetInProgress());
}

TEST_F(Profiles, CaptionsAreSavedInEveryLanguageAndStaleOnesAreMadeAnew) {
    SettingsRecord& r = settings.record;
    ApplyFactoryDefaults(r);
    r[rec::kButtonKind + 2] = kKindMultimedia;
    r[rec::kMediaKey + 2] = 0xE9;
    r[rec::kButtonKind + 3] = kKindKeyboardKey;
    r[rec::kKeyUsage + 3] = 0x3E;  // F5
    r[rec::kButtonKind + 4] = kKindMacro;
    captions = {"Click", "Menu", "Volume Up", "Assign Keyboard Key-F5", "Macro:Jump", "DPI +", "DPI -", ""};
    ASSERT_EQ(files->SaveCaptions(P("str0.ini")), 0);
    const IniDocument saved = IniDocument::Load(P("str0.ini"));
    struct Row {
        const char* section;
        std::array<const char*, 3> items;  // Item3..Item5
    };
    for (const Row& row : {Row{"Setting-EN", {"Volume Up", "Assign Keyboard Key-F5", "Macro:Jump"}},
                           Row{"Setting-DE", {"Lautstärke +", "Keyboard-Taste zuweisen +-F5", "Makro:Jump"}},
                           Row{"Setting-CHS", {"音量+", "单键-F5", "宏:Jump"}},
                           Row{"Setting-CHT", {"提高音量", "指派鍵盤按鍵-F5", "巨集鍵:Jump"}}}) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(saved.Get(row.section, "Item" + std::to_string(i + 3)), row.items[static_cast<size_t>(i)])
                << row.section;
        }
        EXPECT_EQ(saved.Get(row.section, "Item7"), "DPI -") << row.section;
    }

    // The next start in German reads the German captions.
    strings.FillUiStrings("DE");
    files->LoadCaptions(P("str0.ini"));
    EXPECT_EQ(captions[0], "Klick");
    EXPECT_EQ(captions[2], "Lautstärke +");
    EXPECT_EQ(captions[4], "Makro:Jump");

    // Captions written before the buttons changed, or by hand, are made anew from the
    // record; a macro caption keeps its name.
    WriteFile(P("str0.ini"),
              "[Setting-DE]\nItem1=Klick\nItem2=Klick\nItem3=Klick\n"
              "Item4=Keyboard-Taste zuweisen +-F6\nItem5=Makro:Other\nItem6=\n");
    files->LoadCaptions(P("str0.ini"));
    EXPECT_EQ(captions[1], "Menü");
    EXPECT_EQ(captions[2], "Lautstärke +");
    EXPECT_EQ(captions[3], "Keyboard-Taste zuweisen +-F5");
    EXPECT_EQ(captions[4], "Makro:Other");
    EXPECT_EQ(captions[5], "DPI +");
}

TEST_F(Profiles, ExportAppendsBinAndWritesTheCaptionsBeside) {
    WriteFile(P("str.ini"), ProfileList("1", {"A"}, "A"));
    WriteFile(P("config0.bin"), RecordFile(1, 0));
    WriteFile(P("str0.ini"), "[Profile]\nIsDefault=Y\n");
    ASSERT_TRUE(files->LoadCurrentProfile());
    settings.record[rec::kSensitivityX] = 3;
    captions = {"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"};
    ASSERT_EQ(mkdir(P("x.bin.d").c_str(), 0755), 0);
    ui.exportChoice = P("x.bin.d/mine");
    files->OnProfileMessage(kProfileExport, 0, ui);

    EXPECT_EQ(ui.offeredName, P("config0.bin"));
    const std::string exported = ReadFile(P("x.bin.d/mine.bin"));
    ASSERT_EQ(exported.size(), 1885u);
    EXPECT_EQ(static_cast<uint8_t>(exported[1 + rec::kSensitivityX]), 3);
    // Every language's section; this record's kinds have no caption of their own, so each
    // keeps the one shown.
    std::string sections;
    for (const char* code : {"EN", "DE", "CHS", "CHT"}) {
        sections += std::string("[Setting-") + code +
                    "]\nItem1=c1\nItem2=c2\nItem3=c3\nItem4=c4\nItem5=c5\nItem6=c6\nItem7=c7\n";
    }
    EXPECT_EQ(ReadFile(P("x.bin.d/mine.ini")), sections);
    // Then the current profile is read again from its own file, its captions with it, and
    // the views follow.
    EXPECT_EQ(RecordBytes(), RecordFile(1, 0).substr(1));
    EXPECT_EQ(ui.calls.back(), "refresh views");
}

TEST_F(Profiles, ExportCancelledWritesNoProfileFile) {
    // Without a profile list there is nothing to read back, and nothing is written: no
    // mark lands in the list's file.
    files->OnProfileMessage(kProfileExport, 0, ui);
    EXPECT_EQ(test::ListFolder(dir.Path()), std::vector<std::string>{});
}

TEST_F(Profiles, CompanionNamesChangeOnlyTheFileName) {
    EXPECT_EQ(CompanionIniPath("/a/b.bin"), "/a/b.ini");
    EXPECT_EQ(CompanionIniPath("/a.bin/b.bin"), "/a.bin/b.ini");
    EXPECT_EQ(CompanionIniPath("/a/b.bin.bin"), "/a/b.bin.ini");
}

TEST_F(Profiles, AReadOnlyFolderKeepsTheSavedProfile) {
    WriteFile(P("config0.bin"), RecordFile(1, 0));
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    ApplyFactoryDefaults(settings.record);
    const int result = test::RunUnprivileged([&] {
        const int error = files->SaveCurrentProfile();
        return error == EACCES && debug.Contains("Error Code is: 13 \n") &&
                       files->LastError().find("config0.bin") != std::string::npos
                   ? 0
                   : 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFile(P("config0.bin")), RecordFile(1, 0));
}

TEST_F(Profiles, AProfileFileThatIsALinkStaysALink) {
    // A dotfile manager keeps the profile elsewhere and links it here.
    ASSERT_EQ(::mkdir(P("kept").c_str(), 0755), 0);
    WriteFile(P("kept/config0.bin"), RecordFile(1, 1));
    ASSERT_EQ(::symlink(P("kept/config0.bin").c_str(), P("config0.bin").c_str()), 0);
    settings.record[rec::kSensitivityX] = 42;
    ASSERT_EQ(files->WriteRecordFile(P("config0.bin"), settings.record), 0);
    struct stat st {};
    ASSERT_EQ(::lstat(P("config0.bin").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(static_cast<uint8_t>(ReadFile(P("kept/config0.bin"))[1 + rec::kSensitivityX]), 42);
    EXPECT_EQ(test::ListFolder(P("kept")), std::vector<std::string>{"config0.bin"});  // no temporary left

    // A link to what is no regular file of this user is written through by nothing.
    ASSERT_EQ(::mkfifo(P("kept/fifo").c_str(), 0600), 0);
    std::vector<std::string> targets = {P("kept"), P("kept/fifo"), P("kept/missing.bin")};
    if (::geteuid() == 0) {
        WriteFile(P("kept/theirs.bin"), "theirs");
        ASSERT_EQ(::chown(P("kept/theirs.bin").c_str(), 65534, 65534), 0);
        targets.push_back(P("kept/theirs.bin"));
    }
    for (const std::string& target : targets) {
        ::unlink(P("config1.bin").c_str());
        ASSERT_EQ(::symlink(target.c_str(), P("config1.bin").c_str()), 0);
        EXPECT_EQ(files->WriteRecordFile(P("config1.bin"), settings.record), kRefusedLink) << target;
        EXPECT_NE(files->LastError().find("symbolic link"), std::string::npos) << files->LastError();
        ASSERT_EQ(::lstat(P("config1.bin").c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << target;
    }
    if (::geteuid() == 0) {
        EXPECT_EQ(ReadFile(P("kept/theirs.bin")), "theirs");
    }
}

TEST_F(Profiles, FoldersWhereFilesShouldBe) {
    ASSERT_EQ(mkdir(P("config0.bin").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(P("str0.ini").c_str(), 0755), 0);
    EXPECT_EQ(files->SaveCurrentProfile(), EISDIR);
    EXPECT_TRUE(debug.Contains("Error Code is: 21 \n"));
    EXPECT_EQ(files->SaveCaptions(P("str0.ini")), EISDIR);
    files->LoadCaptions(P("str0.ini"));
    EXPECT_EQ(captions[0], "");
}

TEST_F(Profiles, FactoryDefaultsKeepTheLoadedProfilesOwnBytes) {
    WriteFile(P("str.ini"), ProfileList("1", {"A"}, "A"));
    WriteFile(P("config0.bin"), RecordFile(1, 3));
    ASSERT_TRUE(files->LoadCurrentProfile());
    const SettingsRecord loaded = settings.record;
    ApplyFactoryDefaults(settings.record);
    EXPECT_EQ(settings.record[0], 3);
    for (size_t i = rec::kMacroSlots; i < rec::kSize; ++i) {
        ASSERT_EQ(settings.record[i], loaded[i]) << i;
    }
}

}  // namespace
}  // namespace qm
