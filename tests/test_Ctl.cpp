// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <fcntl.h>
#include <sstream>
#include <thread>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestUtil.h"
#include "cli/CtlCommands.h"
#include "device/DeviceEnvironment.h"
#include "platform/AppDataFolder.h"
#include "platform/Autostart.h"
#include "platform/FileUtil.h"
#include "platform/ProfileIni.h"
#include "platform/RestoreChannel.h"
#include "platform/UdevRule.h"
#include "platform/UploadLock.h"
#include "model/ProfileFiles.h"

namespace qm {
namespace {

int RunCtl(const std::vector<std::string>& args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    ctl::Options options;
    int status = ctl::kExitUsage;
    if (ctl::ParseOptions(args, options, e)) {
        status = ctl::Run(options, o, e);
    }
    out = o.str();
    err = e.str();
    return status;
}

TEST(Ctl, ShowPrintsTheCurrentProfileOfAFreshFolder) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    test::ScopedEnv lang("LC_ALL", "en_GB.UTF-8");
    std::string out, err;
    ASSERT_EQ(RunCtl({"show"}, out, err), 0) << err;
    EXPECT_NE(out.find("Current profile: Profile 1 (config0.bin)"), std::string::npos) << out;
    EXPECT_NE(out.find("Button 4: snipe"), std::string::npos) << out;
    EXPECT_NE(out.find("Button 5: Fn"), std::string::npos) << out;
    EXPECT_NE(out.find("Button 6: DPI up"), std::string::npos) << out;
    EXPECT_NE(out.find("Stage 7: on   10800 / 12000 DPI  colour #FF00FF"), std::string::npos) << out;
    EXPECT_NE(out.find("double-click 550 ms"), std::string::npos) << out;
    // Showing writes nothing: the profile is still waiting for its first start.
    EXPECT_FALSE(test::FileExists(dir / "QM517 Pro/config0.bin"));
}

TEST(Ctl, ShowOfAFileChecksItsSize) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    test::WriteFile(dir / "short.bin", std::string(1000, '\x01'));
    std::string out, err;
    EXPECT_EQ(RunCtl({"show", dir / "short.bin"}, out, err), 1);
    EXPECT_NE(err.find("1000 bytes, expected 1885"), std::string::npos) << err;
}

TEST(Ctl, ListWithoutDevicesSaysSo) {
    std::string out, err;
    EXPECT_EQ(RunCtl({"--emulate=", "list"}, out, err), 0);
    EXPECT_EQ(out, "No QM517 Pro and no mousepad found.\n");
}

TEST(Ctl, ListOfTheVirtualDevices) {
    std::string out, err;
    EXPECT_EQ(RunCtl({"--emulate", "list"}, out, err), 0) << err;
    EXPECT_EQ(out,
              "mouse A11D: present, firmware 0302\n"
              "mouse A1DC (3360): present, firmware 0107\n"
              "mousepad: present\n"
              "presence flags: A=1 B=1 P=1\n");
}

TEST(Ctl, ApplyUploadsEverythingSavesAndTraces) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    const std::string trace = dir / "t.txt";
    std::string out, err;
    ASSERT_EQ(RunCtl({"--emulate", "--virtual-clock", "--trace", trace, "apply"}, out, err), 0) << err;
    EXPECT_NE(out.find("mouse A11D: report rate\n"), std::string::npos) << out;
    EXPECT_NE(out.find("mousepad: lighting effect\n"), std::string::npos) << out;
    const std::string text = test::ReadFile(trace);
    EXPECT_EQ(text.rfind("a11d SET_FEATURE 00 81 00 00 00 00 00 00 7e\nSLEEP 50\n", 0), 0u);
    EXPECT_NE(text.find("a1dc SET_FEATURE 00 06 02 07 32 08 00 00 b6\n"), std::string::npos);
    EXPECT_NE(text.find("\npad GET_FEATURE 00 88"), std::string::npos);
    EXPECT_TRUE(text.ends_with("POINTER accel=0,0,0 speed=10 wheel=3 doubleclick=550\n"));
    // The first start initialised the profile; apply saved it.
    EXPECT_EQ(test::ReadFile(dir / "QM517 Pro/config0.bin").size(), 1885u);
    EXPECT_EQ(ProfileIni::GetString(dir / "QM517 Pro/str0.ini", "Profile", "IsDefault"), "Y");
}

TEST(Ctl, ApplyOfAFileLeavesTheProfilesAlone) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    std::string file(1885, '\0');
    file[1 + 169] = 7;  // sensitivityX
    test::WriteFile(dir / "mine.bin", file);
    std::string out, err;
    ASSERT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "--trace", dir / "t.txt", "apply",
                      dir / "mine.bin"},
                     out, err),
              0)
        << err;
    EXPECT_NE(test::ReadFile(dir / "t.txt").find("a11d SET_FEATURE 00 0b 8c 00"), std::string::npos);
    EXPECT_FALSE(test::FileExists(dir / "QM517 Pro/config0.bin"));
    EXPECT_EQ(RunCtl({"--emulate", "apply", dir / "missing.bin"}, out, err), 1);
}

TEST(Ctl, ADamagedFileIsShownMarkedAndTheDesktopGetsOnlyValuesInRange) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    std::string file(1885, '\0');
    file[1 + 163] = static_cast<char>(194);  // pointerSpeed
    file[1 + 164] = 0;                       // wheelLines
    file[1 + 165] = static_cast<char>(255);  // doubleClickSpeed
    file[1 + 169] = 12;                      // sensitivityX
    file[1 + 170] = 5;                       // sensitivityY
    file[1 + 15] = static_cast<char>(200);   // dpiValueB of stage 1
    test::WriteFile(dir / "damaged.bin", file);
    std::string out, err;
    ASSERT_EQ(RunCtl({"show", dir / "damaged.bin"}, out, err), 0) << err;
    EXPECT_NE(out.find("Pointer: enhanced precision off, speed 194 (outside 1..11: 11 is used), "
                       "wheel 0 (outside 1..100: 1 is used) lines per notch, double-click 200 ms "
                       "(step 255 outside 1..11: 11 is used)\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Axis sensitivity: x 12 (outside 1..11), y 5\n"), std::string::npos) << out;
    EXPECT_NE(out.find("(A1DC value 200 outside 1..120)"), std::string::npos) << out;
    EXPECT_EQ(out.find("Stage 2: off        0 /     0 DPI  colour #000000  ("), std::string::npos) << out;

    ASSERT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "--trace", dir / "t.txt", "apply", dir / "damaged.bin"},
                     out, err),
              0)
        << err;
    EXPECT_TRUE(test::ReadFile(dir / "t.txt").ends_with("POINTER accel=0,0,0 speed=20 wheel=1 doubleclick=200\n"));
    EXPECT_NE(out.find("Pointer options: acceleration off, speed 20, wheel 1 lines, double-click 200 ms"),
              std::string::npos)
        << out;
}

TEST(Ctl, ResetAndAnUnusableProfileList) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    std::string out, err;
    ASSERT_EQ(RunCtl({"--emulate=pad", "--virtual-clock", "reset"}, out, err), 0) << err;
    EXPECT_NE(out.find("mousepad: colours"), std::string::npos);
    test::WriteFile(dir / "QM517 Pro/str.ini", "[Profile]\nItemCount=abc\n");
    const std::string config = test::ReadFile(dir / "QM517 Pro/config0.bin");
    EXPECT_EQ(RunCtl({"--emulate", "--virtual-clock", "apply"}, out, err), 1);
    EXPECT_NE(err.find("unusable"), std::string::npos);
    // Nothing was applied, and nothing was written.
    EXPECT_EQ(test::ReadFile(dir / "QM517 Pro/str.ini"), "[Profile]\nItemCount=abc\n");
    EXPECT_EQ(test::ReadFile(dir / "QM517 Pro/config0.bin"), config);
}

TEST(Ctl, AnEmptyProfileFolderGetsItsBaseFilesAndApplies) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    ASSERT_EQ(mkdir((dir / "QM517 Pro").c_str(), 0755), 0);
    std::string out, err;
    ASSERT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "apply"}, out, err), 0) << err;
    EXPECT_NE(err.find("lacked base files; written anew: config.bin, str.ini, str0.ini"), std::string::npos)
        << err;
    EXPECT_EQ(test::ReadFile(dir / "QM517 Pro/config0.bin").size(), 1885u);
    EXPECT_EQ(ProfileIni::GetString(dir / "QM517 Pro/str0.ini", "Profile", "IsDefault"), "Y");
    // The next command finds everything in place.
    ASSERT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "apply"}, out, err), 0) << err;
    EXPECT_EQ(err, "");
}

// Every regular file of a folder with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : test::ListFolder(folder)) {
        struct stat st {};
        if (::lstat((folder + name).c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0444) != 0) {
            files[name] = test::ReadFile(folder + name);
        }
    }
    return files;
}

TEST(Ctl, AProfileFileThatCannotBeReadStopsApplyAndReset) {
    // A FIFO, a folder, a device or a file without read permission where a profile file
    // should be: said by name, nothing sent, nothing written, and never waited on.
    const bool root = ::geteuid() == 0;
    for (const char* file : {"config0.bin", "str0.ini", "record.ini"}) {
        for (const std::string kind : {"fifo", "folder", "device", "no permission"}) {
            for (const char* command : {"apply", "reset"}) {
                if (std::string(file) == "record.ini" && std::string(command) == "reset") {
                    continue;  // a reset sends no macros
                }
                const std::string what = std::string(command) + " with " + file + " a " + kind;
                test::TempDir dir;
                test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
                const std::string folder = dir / "QM517 Pro/";
                std::string out, err;
                ASSERT_EQ(RunCtl({"--emulate=a11d,pad", "--virtual-clock", "apply"}, out, err), 0) << err;
                test::WriteFile(folder + "record.ini", "[MacroName]\nMacroCount=1\nMacroName0=m\n[m]\nItemCount=0\n");
                const std::string path = folder + file;
                if (kind == "no permission") {
                    ::chmod(path.c_str(), 0);
                } else {
                    ::unlink(path.c_str());
                    if (kind == "fifo") {
                        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
                    } else if (kind == "folder") {
                        ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
                    } else {
                        ASSERT_EQ(::symlink("/dev/zero", path.c_str()), 0);
                    }
                }
                const auto before = Snapshot(folder);
                const std::string trace = dir / "trace.txt";
                const std::string errors = dir / "err.txt";
                if (kind == "no permission" && root) {
                    // Root reads anything: the command runs as another user who owns the files.
                    std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);
                    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
                        ::lchown(entry.path().c_str(), 65534, 65534);
                    }
                    ::lchown(dir.Path().c_str(), 65534, 65534);
                }
                const auto run = [&] {
                    ::alarm(60);  // a command that waits on the file fails instead of hanging
                    std::string o, e;
                    const int status = RunCtl({"--emulate=a11d,pad", "--virtual-clock", "--trace", trace, command}, o, e);
                    std::ofstream(errors) << e;
                    return status;
                };
                const int status = kind == "no permission" ? test::RunUnprivileged(run) : test::RunInChild(run);
                EXPECT_EQ(status, 1) << what;
                const std::string message = test::ReadFile(errors);
                EXPECT_NE(message.find("cannot read " + path), std::string::npos) << what << ": " << message;
                EXPECT_NE(message.find("nothing was applied or written"), std::string::npos) << what << ": " << message;
                EXPECT_EQ(test::ReadFile(trace).find("SET_FEATURE"), std::string::npos) << what;
                EXPECT_EQ(Snapshot(folder), before) << what;
                struct stat st {};
                ASSERT_EQ(::lstat(path.c_str(), &st), 0) << what;
                EXPECT_EQ(kind == "fifo" ? S_ISFIFO(st.st_mode)
                          : kind == "folder" ? S_ISDIR(st.st_mode)
                          : kind == "device" ? S_ISLNK(st.st_mode)
                                             : S_ISREG(st.st_mode) && (st.st_mode & 0777) == 0,
                          true)
                    << what;
            }
        }
    }
}

TEST(Ctl, AnEmptySettingsFileCountsAsMissingAndIsNamed) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    std::string out, err;
    ASSERT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "apply"}, out, err), 0) << err;
    const std::string config = dir / "QM517 Pro/config0.bin";
    const std::string factory = test::ReadFile(config);  // what the first start saved
    test::WriteFile(config, "");
    ASSERT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "--trace", dir / "t.txt", "apply"}, out, err), 0) << err;
    EXPECT_NE(err.find(config + " is empty"), std::string::npos) << err;
    // The factory settings went out and were saved, never an all-zero record.
    EXPECT_EQ(test::ReadFile(config), factory);
    EXPECT_NE(test::ReadFile(dir / "t.txt").find("a11d SET_FEATURE"), std::string::npos);
}

TEST(Ctl, AnEmptyCaptionsFileIsWrittenInEveryLanguage) {
    // No language code to go by: the seeding's one is written, and the captions are saved
    // for every language the utility speaks, never under a section without a name.
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    std::string out, err;
    ASSERT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "apply"}, out, err), 0) << err;
    const std::string ini = dir / "QM517 Pro/str0.ini";
    test::WriteFile(ini, "");
    ASSERT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "apply"}, out, err), 0) << err;
    const IniDocument doc = IniDocument::Load(ini);
    EXPECT_EQ(doc.SectionNames(),
              (std::vector<std::string>{"Skins", "Profile", "Setting-EN", "Setting-DE", "Setting-CHS", "Setting-CHT"}));
    EXPECT_EQ(doc.Get("Skins", "Lan"), LanguageFromLocale(UserLocale()));
    EXPECT_EQ(doc.Get("Setting-EN", "Item1"), "Click");
    EXPECT_EQ(doc.Get("Setting-CHS", "Item7"), "DPI -");
}

TEST(Ctl, AFaultyDeviceIsNamedAndTheOthersAndTheProfileLoseNothing) {
    struct Device {
        const char* name;
        const char* described;
        const char* lastReport;  // the last report of a whole upload to it
    };
    const Device devices[] = {{"a11d", "mouse A11D", "a11d SET_FEATURE 00 06"},
                              {"a1dc", "mouse A1DC", "a1dc SET_FEATURE 00 06"},
                              {"pad", "mousepad", "pad GET_FEATURE 00 88"}};
    for (const char* fault : {"vanish-after=3", "refuse-open", "short-read", "stall", "garbage-reply", "eio"}) {
        for (const Device& device : devices) {
            const std::string what = std::string(device.name) + ":" + fault;
            test::TempDir dir;
            test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
            test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
            std::string out, err;
            ASSERT_EQ(RunCtl({"--emulate", "--virtual-clock", "apply"}, out, err), 0) << err;
            // The user's edit: axis sensitivity 9.
            const std::string config = dir / "QM517 Pro/config0.bin";
            std::string edit = test::ReadFile(config);
            edit[1 + 169] = 9;
            test::WriteFile(config, edit);
            const std::string trace = dir / "t.txt";
            EXPECT_EQ(RunCtl({"--emulate", "--virtual-clock", "--fault", what, "--trace", trace, "apply"}, out, err), 1)
                << what;
            if (std::string(fault) == "refuse-open") {
                EXPECT_NE(err.find("may not open it"), std::string::npos) << what << ": " << err;
            } else {
                EXPECT_NE(err.find(std::string("qm517ctl: ") + device.described + ": "), std::string::npos)
                    << what << ": " << err;
                EXPECT_NE(err.find("failed, the first in the "), std::string::npos) << what << ": " << err;
                EXPECT_NE(err.find("the profile was saved"), std::string::npos) << what << ": " << err;
            }
            EXPECT_EQ(test::ReadFile(config), edit) << what;
            const std::string text = test::ReadFile(trace);
            for (const Device& other : devices) {
                if (&other != &device) {
                    EXPECT_NE(text.find(other.lastReport), std::string::npos) << what << ": " << other.name;
                }
            }
        }
    }
}

TEST(Ctl, ApplyFailsWhenADeviceCannotBeOpened) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    std::string out, err;
    // One true message: found, but not to be opened, and what to do about it.
    for (const char* command : {"apply", "list"}) {
        EXPECT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "--fault", "a11d:refuse-open", command}, out, err), 1)
            << command;
        EXPECT_NE(err.find("QM517 Pro found, but this user may not open it"), std::string::npos) << err;
        EXPECT_NE(err.find("udev rule"), std::string::npos) << err;
        EXPECT_EQ(out.find("No QM517 Pro"), std::string::npos) << command << ": " << out;
    }
    EXPECT_EQ(RunCtl({"--emulate=a11d,pad", "--fault", "a11d:refuse-open", "list"}, out, err), 1);
    EXPECT_NE(out.find("mousepad: present"), std::string::npos) << out;
    // Faults are for the virtual devices, and for those emulated.
    EXPECT_EQ(RunCtl({"--fault", "a11d:eio", "list"}, out, err), 2);
    EXPECT_NE(err.find("faults are for the virtual devices"), std::string::npos) << err;
    EXPECT_EQ(RunCtl({"--emulate=pad", "--fault", "a11d:eio", "list"}, out, err), 2);
    EXPECT_NE(err.find("that device is not emulated"), std::string::npos) << err;
    EXPECT_EQ(RunCtl({"--emulate", "--fault", "a11d:melt", "list"}, out, err), 2);
}

TEST(Ctl, TheAdviceOnARefusedDeviceFitsWhereTheRuleIs) {
    test::TempDir dir;
    const std::string etc = dir / "etc/udev/rules.d/";
    const std::string prefix = dir / "usr/local/";
    ASSERT_EQ(MakeFolders(etc), 0);
    ASSERT_EQ(MakeFolders(prefix + "bin"), 0);
    ASSERT_EQ(MakeFolders(prefix + "lib/udev/rules.d"), 0);
    // Installed where udev reads it (a package): replug, or log in at the computer.
    test::WriteFile(etc + kUdevRuleName, "rule");
    UdevRuleState rule = FindUdevRule(prefix + "bin/", {etc});
    EXPECT_EQ(rule.installed, etc + kUdevRuleName);
    EXPECT_NE(UdevAdvice(rule).find("Unplug the mouse and plug it in again"), std::string::npos) << UdevAdvice(rule);
    EXPECT_NE(UdevAdvice(rule).find("systemd-logind"), std::string::npos);
    EXPECT_EQ(UdevAdvice(rule).find("install -m"), std::string::npos);
    // Installed under a prefix udev does not read: copied from there.
    ::unlink((etc + kUdevRuleName).c_str());
    test::WriteFile(prefix + "lib/udev/rules.d/" + kUdevRuleName, "rule");
    rule = FindUdevRule(prefix + "bin/", {etc});
    EXPECT_EQ(rule.installed, "");
    EXPECT_NE(UdevAdvice(rule).find("install -m 644 '" + prefix + "bin/../lib/udev/rules.d/" + kUdevRuleName +
                                    "' /etc/udev/rules.d/"),
              std::string::npos)
        << UdevAdvice(rule);
    // A build: the rule of its source tree.
    rule = FindUdevRule(dir / "build/bin/", {etc});
    EXPECT_NE(rule.source.find("/data/70-qm517pro.rules"), std::string::npos) << rule.source;
    EXPECT_TRUE(test::FileExists(rule.source));
}

TEST(Ctl, AnInterruptedUploadIsFinishedFirst) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    for (const char* command : {"apply", "reset"}) {
        ctl::StopRequest stop;
        stop.Request();  // Ctrl+C came as the upload started
        ctl::Options options;
        std::ostringstream o, e;
        ASSERT_TRUE(ctl::ParseOptions({"--emulate=a11d", "--virtual-clock", "--trace", dir / "t.txt", command},
                                      options, e));
        EXPECT_EQ(ctl::Run(options, o, e, &stop), 130) << command;
        EXPECT_NE(e.str().find("the upload finishes first"), std::string::npos) << e.str();
        // The whole upload went out: the lighting effect is the mouse's last report.
        EXPECT_NE(test::ReadFile(dir / "t.txt").find("a11d SET_FEATURE 00 06"), std::string::npos);
        EXPECT_NE(o.str().find("Saved "), std::string::npos) << command;
    }
}

// The trace of one whole upload of the current profile to mouse A11D, as the virtual
// devices take it (the profile folder is made first).
std::vector<std::string> OneUpload(const test::TempDir& dir) {
    std::string out, err;
    EXPECT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "apply"}, out, err), 0) << err;
    EXPECT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "--trace", dir / "one.txt", "apply"}, out, err), 0)
        << err;
    const std::vector<std::string> lines = test::SplitLines(test::ReadFile(dir / "one.txt"));
    EXPECT_EQ(lines.back(), "POINTER accel=0,0,0 speed=10 wheel=3 doubleclick=550");
    // A program tracing into a held SharedTrace stops before its upload is half done.
    size_t bytes = 0;
    for (const std::string& line : lines) {
        bytes += line.size() + 1;
    }
    EXPECT_GT(bytes, 2 * test::SharedTrace::kPipeBytes);
    return lines;
}

const std::string kFirstStep = "mouse A11D: report rate";

TEST(Ctl, CtrlCDuringAnUploadEndsItWith130) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    const std::vector<std::string> one = OneUpload(dir);
    // The real program, held in the middle of its upload by its trace.
    test::SharedTrace trace(dir / "trace.fifo");
    trace.Hold();
    test::ChildProcess ctl(QM517CTL_PATH, {"--emulate=a11d", "--virtual-clock", "--trace", trace.Path(), "apply"},
                           true, true);
    ASSERT_TRUE(ctl.WaitForOutLine(kFirstStep)) << ctl.Out();
    ::kill(ctl.Pid(), SIGINT);
    ASSERT_TRUE(ctl.WaitForErrLine("interrupted: the upload finishes first")) << ctl.Err();
    trace.Resume();
    const int status = ctl.Wait();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_NE(ctl.Out().find("Saved "), std::string::npos) << ctl.Out();
    EXPECT_EQ(trace.Lines(), one);  // the whole upload, to its pointer options
}

TEST(Ctl, OutsideAnUploadCtrlCEndsAtOnce) {
    // Reading files or looking for devices, there is nothing to finish first.
    EXPECT_EQ(test::RunInChild([] {
                  ctl::OnSignal(SIGTERM);
                  return 0;
              }),
              130);
}

TEST(Ctl, TwoUploadsToOneDeviceNeverInterleave) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    const std::vector<std::string> one = OneUpload(dir);
    // Both programs trace into one FIFO, so its lines are in the order the two sent them.
    // The first is held in the middle of its upload, holding the mouse.
    test::SharedTrace trace(dir / "trace.fifo");
    trace.Hold();
    const std::vector<std::string> apply = {"--emulate=a11d", "--virtual-clock", "--trace", trace.Path(), "apply"};
    test::ChildProcess first(QM517CTL_PATH, apply, true, false);
    ASSERT_TRUE(first.WaitForOutLine(kFirstStep)) << first.Out();

    // Without waiting: refused at once, nothing sent.
    const std::string refusedTrace = dir / "refused.txt";
    std::string out, err;
    EXPECT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "--no-wait", "--trace", refusedTrace, "apply"}, out, err),
              1);
    EXPECT_NE(err.find("another upload to the mouse A11D is running: nothing was sent or written"), std::string::npos)
        << err;
    EXPECT_EQ(test::ReadFile(refusedTrace).find("SET_FEATURE"), std::string::npos);

    // Waiting: it says so, and sends once the first has let go of the mouse.
    test::ChildProcess second(QM517CTL_PATH, apply, false, true);
    ASSERT_TRUE(second.WaitForErrLine("another upload to the mouse A11D is running; waiting for it to finish"))
        << second.Err();
    trace.Resume();
    for (test::ChildProcess* ctl : {&first, &second}) {
        const int status = ctl->Wait();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << ": " << ctl->Err();
    }
    // The first upload whole, then the second whole: not one report of either between
    // reports of the other.
    std::vector<std::string> both = one;
    both.insert(both.end(), one.begin(), one.end());
    EXPECT_EQ(trace.Lines(), both);
}

TEST(Ctl, AnApplyHoldsTheProfilesFromItsLoadToItsSave) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    std::string out, err;
    ASSERT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "apply"}, out, err), 0) << err;
    // The window's profiles panel changes the list: qm517ctl loads nothing meanwhile.
    VirtualClock clock;
    UploadLock panel;
    ASSERT_EQ(panel.Acquire({kProfilesLockName}, 0, {}, clock), "");
    EXPECT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "--no-wait", "apply"}, out, err), 1);
    EXPECT_NE(err.find("the profiles are being changed by another program: nothing was sent or written"),
              std::string::npos)
        << err;
    test::ChildProcess waiting(QM517CTL_PATH, {"--emulate=a11d", "--virtual-clock", "apply"}, true, true);
    ASSERT_TRUE(waiting.WaitForErrLine("the profiles are being changed by another program; waiting for it to finish"))
        << waiting.Err();
    EXPECT_EQ(waiting.Out(), "");  // nothing loaded, nothing sent
    panel.Release();
    const int status = waiting.Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << waiting.Err();
    EXPECT_NE(waiting.Out().find("Saved "), std::string::npos) << waiting.Out();
    // And while qm517ctl holds them, the list cannot change.
    UploadLock ctl;
    ASSERT_EQ(ctl.Acquire({kProfilesLockName}, 0, {}, clock), "");
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    DebugOutput debug;
    ProfileFiles files(dir / "QM517 Pro/", settings, captions, strings, debug);
    files.LoadCurrentProfile();
    EXPECT_EQ(files.ChangeProfileList({"Profile 1", "Profile 2"}, {0, -1}, 0), EBUSY);
}

TEST(Ctl, WithoutAPrivateRuntimeFolderNothingIsUploaded) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    // The fallback folder was made by another user: there is no folder for the locks.
    RuntimePlaces places;
    places.runUser = dir / "no-such-folder";
    places.temp = dir.Path();
    places.uid = ::getuid() + 1;
    ASSERT_EQ(::mkdir((dir / ("qm517pro-" + std::to_string(places.uid))).c_str(), 0700), 0);
    SetRuntimePlaces(&places);
    const std::string trace = dir / "t.txt";
    std::string out, err;
    for (const char* command : {"apply", "reset"}) {
        EXPECT_EQ(RunCtl({"--emulate=a11d", "--virtual-clock", "--trace", trace, command}, out, err), 1) << command;
        EXPECT_NE(err.find("no private runtime folder for the upload locks"), std::string::npos) << err;
        EXPECT_EQ(test::ReadFile(trace).find("SET_FEATURE"), std::string::npos) << command;
    }
    SetRuntimePlaces(nullptr);
}

TEST(Ctl, AutostartWritesAndRemovesOnlyItsOwnEntry) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    const std::string entry = dir / "autostart/qm517pro.desktop";
    std::string out, err;
    ASSERT_EQ(RunCtl({"autostart", "status"}, out, err), 0) << err;
    EXPECT_EQ(out, "off: the utility does not start with the desktop\n");
    ASSERT_EQ(RunCtl({"autostart", "on"}, out, err), 0) << err;
    EXPECT_EQ(out, "on: the utility starts in the tray with the desktop (" + entry + ")\n");
    const std::string text = test::ReadFile(entry);
    // The qm517pro beside this program, started in the tray; the last line is the checksum
    // that tells our own entry from one changed by hand.
    const std::string program = std::string(DirName(QM517CTL_PATH)) + "qm517pro";
    const std::string lines = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=QM517 Pro\n"
                              "GenericName=Mouse configuration\n"
                              "Comment=Starts the QM517 Pro utility in the tray\n"
                              "Exec=" + program + " --tray\n"
                              "TryExec=" + program + "\n"
                              "Icon=qm517pro\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n";
    ASSERT_EQ(text.substr(0, lines.size()), lines);
    const std::string checksum = text.substr(lines.size());
    EXPECT_EQ(checksum.size(), std::string("X-QM517Pro-Checksum=01234567\n").size()) << checksum;
    EXPECT_EQ(checksum.rfind("X-QM517Pro-Checksum=", 0), 0u) << checksum;
    ASSERT_EQ(RunCtl({"autostart", "on"}, out, err), 0) << err;  // again: nothing changes
    EXPECT_EQ(test::ReadFile(entry), text);
    ASSERT_EQ(RunCtl({"autostart", "off"}, out, err), 0) << err;
    EXPECT_FALSE(test::FileExists(entry));
    ASSERT_EQ(RunCtl({"autostart", "off"}, out, err), 0) << err;

    // An entry changed by hand (or someone else's of that name) is never removed or replaced.
    for (const std::string& edited : {text + "Hidden=true\n", std::string("[Desktop Entry]\nExec=mine\n"),
                                      text.substr(0, text.size() - 2) + "0\n"}) {
        test::WriteFile(entry, edited);
        ASSERT_EQ(RunCtl({"autostart", "status"}, out, err), 0) << err;
        EXPECT_EQ(out.rfind("edited: ", 0), 0u) << out;
        EXPECT_EQ(RunCtl({"autostart", "off"}, out, err), 1);
        EXPECT_NE(err.find("was changed by hand: it is left as it is"), std::string::npos) << err;
        EXPECT_EQ(RunCtl({"autostart", "on"}, out, err), 1);
        EXPECT_EQ(test::ReadFile(entry), edited);
    }
    EXPECT_EQ(RunCtl({"autostart"}, out, err), 2);
    EXPECT_EQ(RunCtl({"autostart", "maybe"}, out, err), 2);
    // A program in a folder with blanks is quoted as the desktop entry format wants.
    EXPECT_NE(AutostartEntry("/opt/my apps/qm517pro").find("\nExec=\"/opt/my apps/qm517pro\" --tray\n"),
              std::string::npos);
    EXPECT_NE(AutostartEntry("/opt/my apps/qm517pro").find("\nTryExec=/opt/my apps/qm517pro\n"), std::string::npos);
}

TEST(Ctl, EventsPrintsStageChanges) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    test::ScopedEnv lang("LC_ALL", "C");
    ctl::Options options;
    std::ostringstream e;
    ASSERT_TRUE(ctl::ParseOptions({"--emulate=a11d", "--virtual-clock", "events"}, options, e));
    DeviceEnvironment env(ctl::EnvironmentOptions(options));
    ASSERT_EQ(env.Error(), "");
    test::WatchedStream out;
    ctl::StopRequest stop;
    int status = -1;
    std::thread events([&] { status = ctl::RunOnDevices(options, env, out, e, &stop); });
    ASSERT_TRUE(out.WaitFor("Waiting for DPI stage changes (Ctrl+C ends).\n")) << out.Text();
    // The mouse's own button, pressed while the command waits for its report.
    env.Virtual()->WaitForBlockedReads(1);
    env.Virtual()->PressDpiButton(0xA11D);
    const std::string stage = "Info: Switch DPI into the second stage (1200)\n";
    EXPECT_TRUE(out.WaitFor(stage)) << out.Text();
    // The pad plugged in: the notice, and what it changes.
    env.Virtual()->Plug(0xA1C9);
    EXPECT_TRUE(out.WaitFor("mousepad: present\n")) << out.Text();
    stop.Request();
    events.join();
    EXPECT_EQ(status, 0) << e.str();
    const std::vector<std::string> lines = test::SplitLines(out.Text());
    ASSERT_EQ(lines.size(), 4u) << out.Text();
    EXPECT_EQ(lines[1] + "\n", stage);
    EXPECT_EQ(lines[2].rfind("arrival: ", 0), 0u) << lines[2];
    EXPECT_NE(lines[2].find("VID_04D9&PID_A1C9"), std::string::npos) << lines[2];
}

TEST(Ctl, VersionOfBothPrograms) {
    std::string out, err;
    EXPECT_EQ(RunCtl({"--version"}, out, err), 0);
    EXPECT_EQ(out, std::string("qm517ctl ") + QM517_VERSION + "\n");
    test::ChildProcess utility(std::string(DirName(QM517CTL_PATH)) + "qm517pro", {"--version"}, true, false);
    const int status = utility.Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(utility.Out(), std::string("qm517pro ") + QM517_VERSION + "\n");
}

TEST(Ctl, BadUsage) {
    std::string out, err;
    EXPECT_EQ(RunCtl({}, out, err), 2);
    EXPECT_EQ(RunCtl({"--frobnicate", "show"}, out, err), 2);
    EXPECT_EQ(RunCtl({"dance"}, out, err), 2);
    EXPECT_NE(err.find("unknown command dance"), std::string::npos);
    EXPECT_EQ(RunCtl({"--emulate=mouse", "list"}, out, err), 2);
    EXPECT_EQ(RunCtl({"list", "--trace"}, out, err), 2);
    for (const char* command : {"list", "events", "restore"}) {
        EXPECT_EQ(RunCtl({"--emulate", command, "extra"}, out, err), 2) << command;
        EXPECT_NE(err.find(std::string(command) + " takes no arguments"), std::string::npos) << err;
    }
    EXPECT_EQ(RunCtl({"--trace", "/nonexistent/dir/t.txt", "--emulate", "list"}, out, err), 1);
    // A trace that cannot be written whole is an error, whatever the command did.
    for (const char* command : {"apply", "reset"}) {
        test::TempDir dir;
        test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
        EXPECT_EQ(RunCtl({"--trace", "/dev/full", "--emulate", "--virtual-clock", command}, out, err), 1) << command;
        EXPECT_NE(err.find("writing the trace file /dev/full failed"), std::string::npos) << err;
    }
}

}  // namespace
}  // namespace qm
