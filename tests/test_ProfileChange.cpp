// SPDX-License-Identifier: GPL-3.0-or-later
// Changes of several profile files, whole or not at all: interrupted at every file step
// (the process ends there, as a crash would) and failed at every step (an I/O error), and
// after each the next start finds every profile name with its own files.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

#include "TestUtil.h"
#include "model/FirstRun.h"
#include "model/ProfileChange.h"
#include "model/ProfileFiles.h"
#include "platform/Format.h"
#include "platform/ProfileIni.h"
#include "platform/UploadLock.h"

namespace qm {
namespace {

using test::CrashAt;
using test::FileExists;
using test::StepFault;
using test::ReadFile;
using test::WriteFile;

// Four profiles PA..PD (PB current) whose every file says whose it is.
struct ProfileFolder : ::testing::Test {
    test::TempDir dir;
    std::string folder = dir / "QM517 Pro/";
    test::ScopedEnv runtime{"XDG_RUNTIME_DIR", dir.Path().c_str()};
    std::map<std::string, std::string> config;  // by profile name
    std::map<std::string, std::string> ini;
    const std::vector<std::string> names = {"PA", "PB", "PC", "PD"};

    void SetUp() override {
        std::filesystem::remove_all(folder);
        ASSERT_EQ(SeedAppDataFolder(folder, "EN"), 0);
        for (size_t i = 0; i < names.size(); ++i) {
            config[names[i]] = std::string(1, '\x01') + std::string(rec::kSize, static_cast<char>('a' + i));
            ini[names[i]] = "[Profile]\nIsDefault=Y\n[Probe]\nTag=" + names[i] + "\n[Skins]\nLan=EN\n";
            WriteFile(folder + Format("config%d.bin", static_cast<int>(i)), config[names[i]]);
            WriteFile(folder + Format("str%d.ini", static_cast<int>(i)), ini[names[i]]);
        }
        WriteFile(folder + "str.ini",
                  "[Profile]\nCurProfileName=PB\nItemCount=4\nItem0=PA\nItem1=PB\nItem2=PC\nItem3=PD\n[Skins]\nLan=EN\n");
    }

    std::vector<std::string> StoredList() const {
        const IniDocument doc = IniDocument::Load(folder + "str.ini");
        std::vector<std::string> list;
        for (int i = 0; i < ParseDecimal(doc.Get("Profile", "ItemCount")); ++i) {
            list.push_back(doc.Get("Profile", Format("Item%d", i)));
        }
        return list;
    }

    // Every name of the stored list holds its own files: an original name its own, a copy
    // its source's, a new one none but the seeded captions file; no position past the
    // list keeps settings.
    void ExpectEveryNameHoldsItsOwnFiles(const std::map<std::string, std::string>& copies,
                                         const std::string& context) {
        const std::vector<std::string> list = StoredList();
        ASSERT_FALSE(list.empty()) << context;
        for (int i = 0; i < 6; ++i) {
            const std::string configPath = folder + Format("config%d.bin", i);
            const std::string iniPath = folder + Format("str%d.ini", i);
            if (i >= static_cast<int>(list.size())) {
                EXPECT_FALSE(FileExists(configPath)) << context << ": position " << i;
                continue;
            }
            std::string name = list[static_cast<size_t>(i)];
            if (const auto copy = copies.find(name); copy != copies.end()) {
                name = copy->second;
            }
            if (config.count(name) == 0) {  // a new profile
                EXPECT_FALSE(FileExists(configPath)) << context << ": " << name;
                EXPECT_EQ(ReadFile(iniPath), SeededProfileIni("EN")) << context << ": " << name;
                continue;
            }
            EXPECT_EQ(ReadFile(configPath), config.at(name)) << context << ": " << list[static_cast<size_t>(i)];
            EXPECT_EQ(ReadFile(iniPath), ini.at(name)) << context << ": " << list[static_cast<size_t>(i)];
        }
        EXPECT_FALSE(FileExists(folder + kProfileJournal)) << context;
    }
};

struct ListChange {
    const char* what;
    std::vector<std::string> names;
    std::vector<int> origin;
    std::map<std::string, std::string> copies;  // a copy's name, and whose files it has
};

const ListChange kListChanges[] = {
    {"delete from the middle", {"PA", "PC", "PD"}, {0, 2, 3}, {}},
    {"delete the first", {"PB", "PC", "PD"}, {1, 2, 3}, {}},
    {"delete the last", {"PA", "PB", "PC"}, {0, 1, 2}, {}},
    {"copy", {"PA", "PB", "PC", "PD", "Copy PC"}, {0, 1, 2, 3, 2}, {{"Copy PC", "PC"}}},
    {"new", {"PA", "PB", "PC", "PD", "Profile 5"}, {0, 1, 2, 3, -1}, {}},
    {"rename", {"PA", "PX", "PC", "PD"}, {0, 1, 2, 3}, {{"PX", "PB"}}},
    {"delete and new", {"PA", "PC", "Profile 4"}, {0, 2, -1}, {}},
};

// What the profiles panel does when it closes, in a program of its own.
int Change(const std::string& folder, const ListChange& c) {
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    strings.FillUiStrings("EN");
    DebugOutput debug;
    ProfileFiles files(folder, settings, captions, strings, debug);
    files.LoadCurrentProfile();
    return files.ChangeProfileList(c.names, c.origin, 0);
}

TEST_F(ProfileFolder, EveryListChangeLandsWhole) {
    for (const ListChange& c : kListChanges) {
        SetUp();
        EXPECT_EQ(Change(folder, c), 0) << c.what;
        EXPECT_EQ(StoredList(), c.names) << c.what;
        ExpectEveryNameHoldsItsOwnFiles(c.copies, c.what);
        // The seeded captions files stay, with their language: nothing a new profile reads
        // is gone.
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(FileExists(folder + Format("str%d.ini", i))) << c.what << ": " << i;
        }
    }
}

TEST_F(ProfileFolder, AChangeCutShortAnywhereIsFinishedAtTheNextStart) {
    for (const ListChange& c : kListChanges) {
        SetUp();
        StepFault counter;
        counter.Install();
        ASSERT_EQ(Change(folder, c), 0);
        SetFileStepHook({});
        const int steps = counter.steps;
        ASSERT_GT(steps, 2) << c.what;
        for (int at = 0; at < steps; ++at) {
            SetUp();
            const std::string context = std::string(c.what) + ", ended before step " + std::to_string(at);
            ASSERT_TRUE(CrashAt(at, [&] { Change(folder, c); })) << context;
            // The next start, before it reads a profile.
            int error = -1;
            PrepareProfileFolder(folder, "EN", &error);
            EXPECT_EQ(error, 0) << context;
            const std::vector<std::string> list = StoredList();
            EXPECT_TRUE(list == names || list == c.names) << context;
            ExpectEveryNameHoldsItsOwnFiles(list == names ? std::map<std::string, std::string>{} : c.copies, context);
        }
    }
}

TEST_F(ProfileFolder, AFailedStepChangesNothingAndSaysSo) {
    for (const ListChange& c : kListChanges) {
        SetUp();
        StepFault counter;
        counter.Install();
        ASSERT_EQ(Change(folder, c), 0);
        SetFileStepHook({});
        for (int at = 0; at < counter.steps; ++at) {
            SetUp();
            const std::string context = std::string(c.what) + ", failing step " + std::to_string(at);
            StepFault fault;
            fault.kind = StepFault::kError;
            fault.at = at;
            fault.Install();
            SettingsState settings;
            ButtonCaptions captions;
            UiStrings strings;
            strings.FillUiStrings("EN");
            DebugOutput debug;
            ProfileFiles files(folder, settings, captions, strings, debug);
            files.LoadCurrentProfile();
            const int current = files.CurrentProfileNumber();
            if (at == counter.steps - 1) {
                // Only the journal would not go: the change stands, and the next start
                // finds nothing to do again.
                EXPECT_EQ(files.ChangeProfileList(c.names, c.origin, 0), 0) << context;
                SetFileStepHook({});
                int error = -1;
                EXPECT_EQ(PrepareProfileFolder(folder, "EN", &error), std::vector<std::string>{}) << context;
                EXPECT_EQ(StoredList(), c.names) << context;
                ExpectEveryNameHoldsItsOwnFiles(c.copies, context);
                continue;
            }
            EXPECT_EQ(files.ChangeProfileList(c.names, c.origin, 0), EIO) << context;
            SetFileStepHook({});
            EXPECT_NE(files.LastError().find("nothing was changed"), std::string::npos) << context << ": "
                                                                                         << files.LastError();
            EXPECT_EQ(files.CurrentProfileNumber(), current) << context;
            EXPECT_EQ(StoredList(), names) << context;
            ExpectEveryNameHoldsItsOwnFiles({}, context);
        }
    }
}

TEST_F(ProfileFolder, WhenEvenPuttingBackFailsTheNextStartFinishesTheChange) {
    const ListChange& c = kListChanges[0];
    StepFault fault;
    fault.kind = StepFault::kErrorFromThereOn;
    fault.at = 4;  // the journal and one file are written, then the disk fails for good
    fault.Install();
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    strings.FillUiStrings("EN");
    DebugOutput debug;
    ProfileFiles files(folder, settings, captions, strings, debug);
    files.LoadCurrentProfile();
    EXPECT_EQ(files.ChangeProfileList(c.names, c.origin, 0), EIO);
    SetFileStepHook({});
    EXPECT_NE(files.LastError().find("finished at the next start"), std::string::npos) << files.LastError();
    int error = -1;
    const std::vector<std::string> lines = PrepareProfileFolder(folder, "EN", &error);
    EXPECT_EQ(error, 0);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("finished the profile change"), std::string::npos) << lines[0];
    EXPECT_EQ(StoredList(), c.names);
    ExpectEveryNameHoldsItsOwnFiles({}, "after the next start");
}

TEST_F(ProfileFolder, AJournalIsCarriedOutOnlyOverFilesItKnows) {
    // A file changed after a change whose journal could not be removed stays as it is.
    ProfileChange::Entry changed{"config1.bin", std::string("new"), config["PB"]};
    ProfileChange::Entry pending{"config2.bin", std::string("new too"), config["PC"]};
    WriteFile(folder + "config1.bin", "applied since");
    WriteFile(folder + kProfileJournal, JournalBytes({changed, pending}));
    int error = -1;
    FinishProfileChange(folder, &error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadFile(folder + "config1.bin"), "applied since");
    EXPECT_EQ(ReadFile(folder + "config2.bin"), "new too");
    EXPECT_FALSE(FileExists(folder + kProfileJournal));

    // A damaged journal, or one that names other files, does nothing and is set aside.
    std::string outside = JournalBytes({{"config1.bin", std::string("x"), std::nullopt}});
    outside.replace(outside.find("config1.bin"), 11, "../passwd.x");
    const std::string good = JournalBytes({changed});
    for (const std::string& bad : {good.substr(0, good.size() - 3), std::string("garbage\n"), outside,
                                   good + "trailing", std::string()}) {
        WriteFile(folder + kProfileJournal, bad);
        const std::string before = ReadFile(folder + "config1.bin");
        const std::string line = FinishProfileChange(folder, &error);
        EXPECT_EQ(error, 0);
        EXPECT_NE(line.find("damaged"), std::string::npos) << line;
        EXPECT_EQ(ReadFile(folder + "config1.bin"), before);
        EXPECT_FALSE(FileExists(folder + kProfileJournal));
        EXPECT_EQ(ReadFile(folder + kProfileJournal + ".damaged"), bad);
    }
    // Parsed back, a journal is what was written.
    const auto parsed = ParseJournal(JournalBytes({changed, {"str3.ini", std::nullopt, std::string("")}}));
    ASSERT_TRUE(parsed.has_value());
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_EQ((*parsed)[0].content, changed.content);
    EXPECT_EQ((*parsed)[0].old, changed.old);
    EXPECT_EQ((*parsed)[1].content, std::nullopt);
    EXPECT_EQ((*parsed)[1].old, std::string(""));
}

TEST_F(ProfileFolder, AStartLeavesTheJournalOfAChangeThatIsStillRunning) {
    WriteFile(folder + kProfileJournal, JournalBytes({{"config1.bin", std::string("new"), config["PB"]}}));
    VirtualClock clock;
    UploadLock running;  // the program whose change it is
    ASSERT_EQ(running.Acquire({kProfilesLockName}, 0, {}, clock), "");
    PrepareProfileFolder(folder, "EN", nullptr);
    EXPECT_EQ(ReadFile(folder + "config1.bin"), config["PB"]);
    EXPECT_TRUE(FileExists(folder + kProfileJournal));
    running.Release();
    PrepareProfileFolder(folder, "EN", nullptr);  // left by a crash: finished
    EXPECT_EQ(ReadFile(folder + "config1.bin"), "new");
    EXPECT_FALSE(FileExists(folder + kProfileJournal));
}

TEST_F(ProfileFolder, TheListIsNotChangedWhileAnotherProgramHoldsTheProfiles) {
    VirtualClock clock;
    UploadLock qm517ctl;
    ASSERT_EQ(qm517ctl.Acquire({kProfilesLockName}, 0, {}, clock), "");
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    DebugOutput debug;
    ProfileFiles files(folder, settings, captions, strings, debug);
    files.LoadCurrentProfile();
    EXPECT_EQ(files.ChangeProfileList(kListChanges[0].names, kListChanges[0].origin, 0), EBUSY);
    EXPECT_EQ(StoredList(), names);
    ExpectEveryNameHoldsItsOwnFiles({}, "while held");
    qm517ctl.Release();
    EXPECT_EQ(files.ChangeProfileList(kListChanges[0].names, kListChanges[0].origin, 0), 0);
}

}  // namespace
}  // namespace qm
