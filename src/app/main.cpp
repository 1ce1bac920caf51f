// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QSystemTrayIcon>
#include <cstdio>
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
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        std::string error;
        switch (qm::ParseDeviceOption(args, i, false, devices, faults, error)) {
            case qm::DeviceOption::kTaken: continue;
            case qm::DeviceOption::kError:
                std::fprintf(stderr, "qm517pro: %s\n", error.c_str());
                return 2;
            case qm::DeviceOption::kNotOne: break;
        }
        if (args[i] == "--tray") {
            startInTray = true;
        } else if (args[i] == "--version") {
            std::printf("qm517pro %s\n", QM517_VERSION);
            return 0;
        } else if (args[i] == "--help" || args[i] == "-h") {
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
