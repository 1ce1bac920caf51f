// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window against virtual devices with a virtual clock, in a fresh profile folder:
// the fixture of the window and page tests.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "TestUtil.h"
#include "controls/MessageEvent.h"
#include "model/FirstRun.h"
#include "shell/CMouseConfigurationDlg.h"

namespace qm::test {

constexpr uint16_t kA = 0xA11D;
constexpr uint16_t kB = 0xA1DC;
constexpr uint16_t kPad = 0xA1C9;

struct FakeLauncher : LauncherPort {
    std::vector<QString> opened;
    bool updaterRunning = false;
    bool updatersInstalled = true;
    int quits = 0;
    std::vector<QString> files;  // present whatever updatersInstalled says
    bool FileExists(const QString& path) override {
        return updatersInstalled || std::find(files.begin(), files.end(), path) != files.end();
    }
    bool WindowExists(const QString& title) override { return updaterRunning && title == "Programmer"; }
    bool OpenFile(const QString& path) override {
        opened.push_back(path);
        return true;
    }
    bool OpenUrl(const QString& url) override {
        opened.push_back(url);
        return true;
    }
    void Quit() override { ++quits; }
};

struct MainWindow : ::testing::Test {
    test::TempDir dir;
    std::string folder = dir / "QM517 Pro/";
    std::unique_ptr<DeviceEnvironment> env;
    FakeLauncher launcher;
    std::vector<QString> asked;
    bool answerOk = true;
    std::unique_ptr<CMouseConfigurationDlg> window;

    bool trayAvailable = true;
    bool realTray = false;  // the desktop's tray, as the window follows it, instead of trayAvailable
    bool startInTray = true;  // as the start with the desktop: the window waits in the tray
    int uploadLockWaitMs = 60000;
    // Where the udev rule is as the window sees it: not installed, a copy in a source tree.
    UdevRuleState udevRule{"", "/src/data/70-qm517pro.rules"};
    std::string traceFile;  // every report, pause and pointer setting (empty: none)
    // What the open and save dialogs of profile files answer (empty: cancelled).
    std::function<std::optional<std::string>(bool save, const std::string& initial)> chooseFile;

    void Start(std::set<uint16_t> devices = {kA, kPad}, const char* language = "EN",
               const std::function<void(VirtualDevices&)>& plugMore = {}) {
        ASSERT_EQ(SeedAppDataFolder(folder, language), 0);
        DeviceEnvironmentOptions options;
        options.emulate = true;
        options.emulated = std::move(devices);
        options.virtualClock = true;
        options.traceFile = traceFile;
        env = std::make_unique<DeviceEnvironment>(options);
        if (plugMore) {
            plugMore(*env->Virtual());
            env->Virtual()->ReadNotices();
        }
        Prompts prompts;
        prompts.okCancel = [this](const QString& caption, const QString& text) {
            asked.push_back(caption + "|" + text);
            return answerOk;
        };
        prompts.yesNo = prompts.okCancel;
        prompts.chooseFile = [this](bool save, const std::string& initial) -> std::optional<std::string> {
            return chooseFile ? chooseFile(save, initial) : std::nullopt;
        };
        prompts.warning = [this](const QString& caption, const QString& text) { asked.push_back(caption + "|" + text); };
        prompts.information = prompts.warning;
        MainWindowOptions windowOptions;
        windowOptions.showSplash = false;
        windowOptions.profileFolder = QString::fromStdString(folder);
        if (!realTray) {
            windowOptions.systemTrayAvailable = [this] { return trayAvailable; };
        }
        windowOptions.uploadLockWaitMs = uploadLockWaitMs;
        windowOptions.startInTray = startInTray;
        windowOptions.udevRule = [this] { return udevRule; };
        window = std::make_unique<CMouseConfigurationDlg>(*env, windowOptions, &launcher, prompts);
        ASSERT_TRUE(window->OnInitDialog());
    }
    void TearDown() override {
        window.reset();
        // What the window sent kept the devices' pacing and held only what they know.
        if (env && env->Virtual() != nullptr) {
            const VirtualTrafficErrors errors = env->Virtual()->TrafficErrors();
            EXPECT_TRUE(errors.Clean()) << "pacing " << errors.pacingViolations << ", unknown "
                                        << errors.unknownCommands << ", refused " << errors.refusedReports << ": "
                                        << (errors.details.empty() ? "" : errors.details[0]);
        }
    }

    VirtualDevices& Devices() { return *env->Virtual(); }
    void DeliverHotplug() {
        for (const DeviceNotice& n : Devices().ReadNotices()) {
            window->OnHotplug(n);
        }
        QCoreApplication::sendPostedEvents();
    }
    void ApplyAndWait() {
        QSignalSpy finished(window.get(), &CMouseConfigurationDlg::applyFinished);
        window->OnApply();
        ASSERT_TRUE(finished.count() > 0 || finished.wait(kPatienceMs));
    }
    void ResetAndWait() {
        QSignalSpy finished(window.get(), &CMouseConfigurationDlg::applyFinished);
        window->OnReset();
        ASSERT_TRUE(finished.count() > 0 || finished.wait(kPatienceMs));
    }
    SettingsRecord& Record() { return window->Settings().record; }
    void Marker(int id, int value) {
        QCoreApplication::postEvent(window.get(), new MessageEvent(UM_MARKER_POS, value, id));
        QCoreApplication::sendPostedEvents(window.get());
    }
};

}  // namespace qm::test
