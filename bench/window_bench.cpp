// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's budgets, measured against the virtual devices on the offscreen
// platform: start to tray ready (without the splash), a full repaint, the longest stall of
// the event loop while one virtual mouse is applied with the real clock, the peak resident
// memory while the utility sits hidden in the tray, and the settings column: a full repaint
// with every section open, one section toggle with its re-stack and repaint, one wheel step.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWheelEvent>
#include <QEventLoop>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <map>
#include <fstream>
#include <string>

#include "controls/SkinImage.h"
#include "device/DeviceEnvironment.h"
#include "controls/CBitmapBtn.h"
#include "model/FirstRun.h"
#include "pages/CDlgadvance.h"
#include "shell/CMouseConfigurationDlg.h"
#include "controls/UiFonts.h"

namespace {

// The voluntary context switches of every thread of this process, by thread id: each is
// a wake-up (a thread that blocked and was woken).
std::map<std::string, long> SwitchesByThread() {
    std::map<std::string, long> switches;
    if (DIR* tasks = opendir("/proc/self/task")) {
        while (const dirent* task = readdir(tasks)) {
            if (task->d_name[0] == '.') {
                continue;
            }
            std::ifstream status(std::string("/proc/self/task/") + task->d_name + "/status");
            for (std::string line; std::getline(status, line);) {
                if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
                    switches[task->d_name] = std::stol(line.substr(24));
                }
            }
        }
        closedir(tasks);
    }
    return switches;
}

// The wake-ups of the threads that live through `seconds` of an idle event loop. The one
// timer that ends the measurement wakes the main thread once: it is not counted.
long IdleWakeups(int seconds) {
    const auto before = SwitchesByThread();
    QEventLoop idle;
    QTimer::singleShot(seconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    const auto after = SwitchesByThread();
    long wakeups = -1;
    for (const auto& [thread, count] : after) {
        if (const auto it = before.find(thread); it != before.end()) {
            wakeups += count - it->second;
        }
    }
    return std::max(wakeups, 0L);
}

long PeakRssKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // QT_QPA_PLATFORM=xcb under Xvfb measures X11 too
    }
    QApplication app(argc, argv);
    qm::InitSkinResources();
    qm::InstallFontSubstitutions();
    qm::Skins::SetProgramFolder(QCoreApplication::applicationDirPath() + '/');
    char folder[] = "/tmp/qm517-window-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string profiles = std::string(folder) + "/QM517 Pro/";
    qm::SeedAppDataFolder(profiles, "EN");

    qm::DeviceEnvironmentOptions devices;
    devices.emulate = true;
    devices.emulated = {0xA11D, 0xA1C9};
    qm::DeviceEnvironment environment(devices);
    qm::MainWindowOptions options;
    options.showSplash = false;
    options.profileFolder = QString::fromStdString(profiles);
    options.systemTrayAvailable = [] { return true; };
    options.startInTray = true;  // as with the desktop: hidden in the tray
    qm::LauncherPort launcher;
    qm::Prompts prompts = qm::Prompts::MessageBoxes(nullptr);

    QElapsedTimer clock;
    clock.start();
    qm::CMouseConfigurationDlg window(environment, options, &launcher, prompts);
    window.OnInitDialog();
    const double startMs = clock.nsecsElapsed() / 1e6;
    const long rssKb = PeakRssKb();
    // Idle in the tray, then with the window open: a utility that runs all day must not
    // wake (a laptop's battery pays for every wake-up).
    const long trayWakeups = IdleWakeups(20);
    window.RestoreFromTray();
    const long windowWakeups = IdleWakeups(20);

    window.RestoreFromTray();
    window.SetButtonPanel(0);
    window.SetAxisPanel(0);
    const int repaints = 50;
    clock.restart();
    for (int i = 0; i < repaints; ++i) {
        (void)window.grab();  // paints the whole window into an image
    }
    const double repaintMs = clock.nsecsElapsed() / 1e6 / repaints;

    // The settings column with every section open (the pad is there).
    qm::CDlgadvance& host = *window.PageHost();
    for (int s = 0; s < qm::CDlgadvance::kAngleSnap; ++s) {
        host.ToggleSection(s, 0);
    }
    clock.restart();
    for (int i = 0; i < repaints; ++i) {
        (void)window.grab();
    }
    const double openRepaintMs = clock.nsecsElapsed() / 1e6 / repaints;
    const int toggles = 40;
    clock.restart();
    for (int i = 0; i < toggles; ++i) {
        host.Title(qm::CDlgadvance::kLighting)->click();  // collapse, then expand again
        (void)host.grab();  // paints the column with its titles and open pages
    }
    const double toggleMs = clock.nsecsElapsed() / 1e6 / toggles;
    host.wheelScrollLines = [] { return 3; };
    const int wheels = 40;
    clock.restart();
    for (int i = 0; i < wheels; ++i) {
        const int delta = (i / 10) % 2 == 0 ? -120 : 120;  // down ten notches, up ten
        QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&host, &wheel);
        (void)host.grab();  // paints the column with its titles and open pages
    }
    const double wheelMs = clock.nsecsElapsed() / 1e6 / wheels;
    host.CollapseAll();

    // The event loop keeps turning while the upload runs on its worker thread.
    qint64 last = 0;
    qint64 longest = 0;
    QElapsedTimer loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = loop.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    bool finished = false;
    QObject::connect(&window, &qm::CMouseConfigurationDlg::applyFinished, [&] { finished = true; });
    loop.start();
    tick.start(5);
    window.OnApply();
    while (!finished) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    const double uploadMs = loop.nsecsElapsed() / 1e6;

    std::printf("start to tray ready: %.1f ms (target < 50)\n", startMs);
    std::printf("full repaint: %.2f ms (target < 5)\n", repaintMs);
    std::printf("longest event-loop stall during an upload of %.0f ms: %.1f ms (target < 50)\n", uploadMs,
                longest / 1e6);
    std::printf("peak RSS hidden in the tray: %.1f MB (target < 30)\n", rssKb / 1024.0);
    std::printf("wake-ups in 20 s idle in the tray: %ld (target 0)\n", trayWakeups);
    std::printf("wake-ups in 20 s idle with the window open: %ld (target 0)\n", windowWakeups);
    std::printf("full repaint, every section of the column open: %.2f ms (target < 5)\n", openRepaintMs);
    std::printf("one section toggle with re-stack and repaint: %.2f ms (target < 16)\n", toggleMs);
    std::printf("one wheel step of the column with repaint: %.2f ms (target < 16)\n", wheelMs);
    return 0;
}
