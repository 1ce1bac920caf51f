// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Launchers.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <cstdio>

#include "shell/WindowFinder.h"

namespace qm {

bool LauncherPort::WindowExists(const QString& title) {
    return qm::WindowExists(title);
}

bool LauncherPort::OpenFile(const QString& path) {
    const bool ok = QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!ok) {
        std::fprintf(stderr, "qm517pro: cannot start %s\n", qPrintable(path));
    }
    return ok;
}

bool LauncherPort::OpenUrl(const QString& url) {
    const bool ok = QDesktopServices::openUrl(QUrl(url));
    if (!ok) {
        std::fprintf(stderr, "qm517pro: cannot open %s (is xdg-open installed?)\n", qPrintable(url));
    }
    return ok;
}

void LauncherPort::Quit() {
    QCoreApplication::exit(0);
}

bool LauncherPort::FileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

QString UpdaterFolder(const QString& programFolder) {
    return programFolder + QStringLiteral("Update/");
}

UpdateStart StartFirmwareUpdate(const DiscoveryState& state, const QString& programFolder,
                                LauncherPort& port) {
    if (port.WindowExists(QStringLiteral("Programmer"))) {
        return UpdateStart::kUpdaterRunning;
    }
    const QString updaterA = programFolder + kUpdaterA11D;
    const QString updaterB = programFolder + kUpdaterA1DC;
    const bool startA = state.presentA != 0 && port.FileExists(updaterA);
    const bool startB = state.presentB != 0 && port.FileExists(updaterB);
    if (!startA && !startB) {
        return UpdateStart::kNoUpdater;
    }
    if (startA) {
        port.OpenFile(updaterA);
    }
    if (startB) {
        port.OpenFile(updaterB);
    }
    port.Quit();
    return UpdateStart::kStarted;
}

void OpenMakerPage(const QString& address, LauncherPort& port) {
    port.OpenUrl(address);
}

}  // namespace qm
