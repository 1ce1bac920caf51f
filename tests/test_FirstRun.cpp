// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include "TestUtil.h"
#include "model/FirstRun.h"
#include "model/ProfileFiles.h"
#include "platform/AppDataFolder.h"
#include "platform/FileUtil.h"
#include "platform/ProfileIni.h"

namespace qm {
namespace {

using test::ReadFile;
using test::ScopedEnv;

TEST(AppDataFolder, FollowsXdgConfigHome) {
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/x/conf");
        EXPECT_EQ(AppDataFolder(), "/x/conf/QM517 Pro/");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(AppDataFolder(), "/home/u/.config/QM517 Pro/");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/path");  // not absolute: ignored
        ScopedEnv home("HOME", "/home/v");
        EXPECT_EQ(AppDataFolder(), "/home/v/.config/QM517 Pro/");
    }
}

TEST(AppDataFolder, LanguageFromTheLocale) {
    const std::pair<const char*, const char*> cases[] = {
        {"de_DE.UTF-8", "DE"}, {"de_AT", "DE"},      {"zh_CN.UTF-8", "CHS"}, {"zh_SG", "CHS"},
        {"zh_TW.UTF-8", "CHT"}, {"zh_HK", "CHT"},    {"en_US.UTF-8", "EN"},  {"fr_FR", "EN"},
        {"C", "EN"},            {"", "EN"},
    };
    for (const auto& [locale, code] : cases) {
        EXPECT_EQ(LanguageFromLocale(locale), code) << locale;
    }
}

TEST(FirstRun, SeedsAMissingFolderWithTheBaseFiles) {
    test::TempDir dir;
    const std::string folder = dir / "conf/QM517 Pro/";
    ASSERT_EQ(SeedAppDataFolder(folder, "CHS"), 0);
    EXPECT_EQ(test::ListFolder(folder),
              (std::vector<std::string>{"config.bin", "str.ini", "str0.ini", "str1.ini", "str2.ini",
                                        "str3.ini", "str4.ini", "str5.ini"}));
    SettingsRecord factory;
    ApplyFactoryDefaults(factory);
    EXPECT_EQ(ReadFile(folder + "config.bin"),
              std::string(1, '\x01') + std::string(factory.bytes.begin(), factory.bytes.end()));
    const IniDocument list = IniDocument::Load(folder + "str.ini");
    EXPECT_EQ(list.Get("Profile", "CurProfileName"), "Profile 1");
    EXPECT_EQ(list.Get("Profile", "ItemCount"), "1");
    EXPECT_EQ(list.Get("Profile", "Item0"), "Profile 1");
    EXPECT_EQ(list.Get("Skins", "Lan"), "CHS");
    for (int n = 0; n < 6; ++n) {
        const IniDocument p = IniDocument::Load(folder + "str" + std::to_string(n) + ".ini");
        EXPECT_EQ(p.Get("Profile", "IsDefault"), "N");
        EXPECT_EQ(p.Get("Skins", "Lan"), "CHS");
        EXPECT_EQ(p.Get("Setting-EN", "Item1"), "Click");
        EXPECT_EQ(p.Get("Setting-CHS", "Item1"), "左键");
        EXPECT_EQ(p.Get("Setting-DE", "Item5"), "Sniper");
        EXPECT_EQ(p.Get("Setting-CHT", "Item7"), "DPI -");
    }
    // An existing folder is never touched.
    test::WriteFile(folder + "str.ini", "mine");
    ASSERT_EQ(SeedAppDataFolder(folder, "EN"), 0);
    EXPECT_EQ(ReadFile(folder + "str.ini"), "mine");
    EXPECT_EQ(test::ListFolder(dir / "conf"), std::vector<std::string>{"QM517 Pro"});
}

TEST(FirstRun, AnExistingFolderGetsOnlyItsMissingBaseFiles) {
    test::TempDir dir;
    const std::string folder = dir / "QM517 Pro/";
    ASSERT_EQ(MakeFolders(folder), 0);
    test::WriteFile(folder + "str.ini", "[Profile]\nItemCount=3\n");
    const std::string mine(1885, '\x07');
    test::WriteFile(folder + "config2.bin", mine);
    std::vector<std::string> seeded;
    ASSERT_EQ(SeedAppDataFolder(folder, "EN", &seeded), 0);
    EXPECT_EQ(seeded, (std::vector<std::string>{"config.bin", "str0.ini", "str1.ini", "str2.ini",
                                                "str3.ini", "str4.ini", "str5.ini"}));
    EXPECT_EQ(ReadFile(folder + "str.ini"), "[Profile]\nItemCount=3\n");
    EXPECT_EQ(ReadFile(folder + "config2.bin"), mine);
    EXPECT_EQ(ReadFile(folder + "config.bin").size(), 1885u);
    // The profile that has settings is marked initialised, so its settings stay.
    EXPECT_EQ(ProfileIni::GetString(folder + "str2.ini", "Profile", "IsDefault"), "Y");
    EXPECT_EQ(ProfileIni::GetString(folder + "str0.ini", "Profile", "IsDefault"), "N");
    seeded.clear();
    ASSERT_EQ(SeedAppDataFolder(folder, "EN", &seeded), 0);
    EXPECT_TRUE(seeded.empty());
    // A file where the folder should be is an error, not a folder to write into.
    test::WriteFile(dir / "file", "x");
    EXPECT_EQ(SeedAppDataFolder(dir / "file/", "EN"), ENOTDIR);
}

TEST(FirstRun, TheFirstStartInitialisesProfile1) {
    test::TempDir dir;
    const std::string folder = dir / "QM517 Pro/";
    ASSERT_EQ(SeedAppDataFolder(folder, "DE"), 0);
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    CapturedDebugOutput debug;
    ProfileFiles files(folder, settings, captions, strings, debug);
    ASSERT_TRUE(files.LoadCurrentProfile());
    EXPECT_TRUE(debug.Contains("Config file is not exist.\n"));
    settings.Commit();
    strings.FillUiStrings(files.ReadLanguageCode());
    files.LoadCaptions(files.CurrentIniPath());
    files.CheckInitialisationMark();

    EXPECT_EQ(captions[0], "Klick");
    EXPECT_EQ(captions[2], "Scrollen");  // the trailing blank does not survive the INI file
    SettingsRecord factory;
    ApplyFactoryDefaults(factory);
    EXPECT_EQ(settings.record, factory);
    EXPECT_EQ(ReadFile(folder + "config0.bin").substr(1),
              std::string(factory.bytes.begin(), factory.bytes.end()));
    EXPECT_EQ(ProfileIni::GetString(folder + "str0.ini", "Profile", "IsDefault"), "Y");
}

TEST(FirstRun, ASeedThatCannotBeWrittenLeavesNoHalfFolder) {
    test::TempDir dir;
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    const std::string folder = dir / "QM517 Pro/";
    const int result =
        test::RunUnprivileged([&] { return SeedAppDataFolder(folder, "EN") == EACCES ? 0 : 1; });
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(test::FileExists(folder));
}

TEST(FirstRun, TheUmaskDecidesTheModes) {
    test::TempDir dir;
    const std::string folder = dir / "conf/QM517 Pro/";
    const int result = test::RunInChild([&] {
        ::umask(077);
        if (SeedAppDataFolder(folder, "EN") != 0 || WriteFileAtomic(folder + "config0.bin", "x") != 0) {
            return 1;
        }
        const auto mode = [](const std::string& path) {
            struct stat st {};
            return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 01000u;
        };
        int bad = 0;
        for (const std::string& path : {dir / "conf", folder, folder + "str.ini", folder + "config.bin",
                                       folder + "str5.ini", folder + "config0.bin"}) {
            const unsigned expected = path.back() == '/' || path.ends_with("conf") ? 0700 : 0600;
            if (mode(path) != expected) {
                std::fprintf(stderr, "%s: %o\n", path.c_str(), mode(path));
                ++bad;
            }
        }
        // A file the user opened up keeps its mode when it is written again.
        ::chmod((folder + "str.ini").c_str(), 0644);
        WriteFileAtomic(folder + "str.ini", "[Profile]\n");
        return bad + (mode(folder + "str.ini") == 0644 ? 0 : 100);
    });
    EXPECT_EQ(result, 0);
}

TEST(FirstRun, StaleTemporariesAreRemovedAndNothingElse) {
    test::TempDir dir;
    const std::string folder = dir.Path();
    const auto make = [&](const std::string& name, bool old) {
        test::WriteFile(folder + name, "x");
        if (old) {
            const utimbuf times{::time(nullptr) - 3600, ::time(nullptr) - 3600};
            ::utime((folder + name).c_str(), &times);
        }
    };
    make(".config0.bin.Ab12Cd", true);
    make(".str3.ini.q9Zz0a", true);
    make(".record.ini.aaaaaa", true);
    make("config2.bin.reorder", true);
    make(".str0.ini.young1", false);      // a write that may still be running
    make(".notes.txt.abcdef", true);      // not ours
    make(".config0.bin.toolong", true);   // not a name mkstemp makes
    make("config0.bin", true);
    make("str7.ini.reorder", true);       // no such profile
    ASSERT_EQ(::mkdir((folder + ".str1.ini.dir123").c_str(), 0700), 0);
    const utimbuf times{::time(nullptr) - 3600, ::time(nullptr) - 3600};
    ::utime((folder + ".str1.ini.dir123").c_str(), &times);

    std::vector<std::string> removed = RemoveStaleProfileTemporaries(folder);
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, (std::vector<std::string>{".config0.bin.Ab12Cd", ".record.ini.aaaaaa", ".str3.ini.q9Zz0a",
                                                 "config2.bin.reorder"}));
    std::vector<std::string> left = test::ListFolder(folder);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".config0.bin.toolong", ".notes.txt.abcdef", ".str0.ini.young1",
                                              ".str1.ini.dir123", "config0.bin", "str7.ini.reorder"}));
}

}  // namespace
}  // namespace qm
