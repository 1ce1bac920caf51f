// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QSystemTrayIcon>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "controls/SkinImage.h"
#include "device/DeviceEnvironment.h"
#include "shell/CMouseConfigurationApp.h"
#include "shell/CMouseConfigurationDlg.h"
#include "controls/UiFonts.h"

namespace {

// Where the skins are read from: beside the program in its build folder, else the
// installed share/qm517pro/.
QString DataFolder() {
    return qm::CMouseConfigurationApp::DataFolderFor(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + '/');
}

void Usage(FILE* out) {
    std::fprintf(out,
                 "Usage: qm517pro [--tray] [--emulate[=a11d,a1dc,pad]] [--fault DEVICE:FAULT[=N]]... [--trace FILE]\n"
                 "  --emulate      use virtual devices (both mice and the pad, or those listed)\n"
                 "                 and show the window\n"
                 "  --fault DEVICE:FAULT[=N]\n"
                 "                 make a virtual device misbehave: DEVICE a11d, a1dc or pad;\n"
                 "                 FAULT vanish-after=N, refuse-open, short-read, stall,\n"
                 "                 garbage-reply or eio (=N: after N good reports)\n"
                 "  --trace FILE   write every report, pause and pointer setting to FILE\n"
                 "  --tray         start in the tray, the window hidden (the start with the\n"
                 "                 desktop); without it the window shows\n"
                 "  --version      print the version\n"
                 "  -h, --help     print this help\n"
                 "Skins and firmware updaters are read from %s\n",
                 qPrintable(DataFolder()));
}

}  // namespace

int main(int argc, char** argv) {
    qm::DeviceEnvironmentOptions devices;
    std::vector<std::string> faults;
    bool startInTray = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--emulate") == 0) {
            devices.emulate = true;
        } else if (std::strncmp(argv[i], "--emulate=", 10) == 0) {
            devices.emulate = true;
            devices.emulated.clear();
            std::string bad;
            if (!qm::ParseEmulatedDevices(argv[i] + 10, devices.emulated, bad)) {
                std::fprintf(stderr, "qm517pro: unknown virtual device %s (a11d, a1dc, pad)\n", bad.c_str());
                return 2;
            }
        } else if (std::strcmp(argv[i], "--trace") == 0 && i + 1 < argc) {
            devices.traceFile = argv[++i];
        } else if (std::strcmp(argv[i], "--fault") == 0 && i + 1 < argc) {
            faults.emplace_back(argv[++i]);
        } else if (std::strncmp(argv[i], "--fault=", 8) == 0) {
            faults.emplace_back(argv[i] + 8);
        } else if (std::strcmp(argv[i], "--tray") == 0) {
            startInTray = true;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("qm517pro %s\n", QM517_VERSION);
            return 0;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            Usage(stdout);
            return 0;
        } else {
            Usage(stderr);
            return 2;
        }
    }
    if (std::string error; !qm::ParseFaults(faults, devices.emulate, devices.emulated, devices.faults, error)) {
        std::fprintf(stderr, "qm517pro: %s\n", error.c_str());
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qm517pro"));
    QApplication::setQuitOnLastWindowClosed(false);
    qm::InitSkinResources();
    qm::InstallFontSubstitutions();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/skins/qm517pro.png")));

    qm::CMouseConfigurationApp theApp;
    if (!theApp.InitInstance()) {
        if (!theApp.Error().isEmpty()) {
            std::fprintf(stderr, "qm517pro: %s\n", qPrintable(theApp.Error()));
            return 1;
        }
        // Another copy runs: this one ends silently, and unless it was the start with the
        // desktop, the running copy's window comes forward (without a mouse it has no tray
        // icon to be reached by).
        if (!startInTray || !QSystemTrayIcon::isSystemTrayAvailable()) {
            qm::CMouseConfigurationApp::RestoreRunningCopy();
        }
        return 0;
    }
    qm::Skins::SetProgramFolder(qm::CMouseConfigurationApp::DataFolder());
    if (!QFileInfo(qm::CMouseConfigurationApp::DataFolder() + QStringLiteral("Skins")).isDir()) {
        std::fprintf(stderr, "qm517pro: no Skins folder beside the program or in %s: the window has no pictures\n",
                     qPrintable(QDir::cleanPath(qm::CMouseConfigurationApp::ProgramFolder() +
                                                QStringLiteral("../share/qm517pro"))));
    }

    qm::DeviceEnvironment environment(devices);
    if (!environment.Error().empty()) {
        std::fprintf(stderr, "qm517pro: %s\n", environment.Error().c_str());
        return 1;
    }
    int status = 0;
    {
        qm::MainWindowOptions options;
        options.emulate = devices.emulate;
        options.startInTray = startInTray;
        qm::CMouseConfigurationDlg window(environment, options);
        window.OnInitDialog();
        status = QApplication::exec();
    }
    if (const std::string traceError = environment.TraceError(); !traceError.empty()) {
        std::fprintf(stderr, "qm517pro: %s\n", traceError.c_str());
        status = status == 0 ? 1 : status;
    }
    theApp.ExitInstance();
    return status;
}
