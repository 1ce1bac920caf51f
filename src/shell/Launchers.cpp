// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Launchers.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <cstdio>

#include "platform/AppDataFolder.h"
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

QString UpdaterFolder(const QString& dataFolder) {
    return dataFolder + QStringLiteral("Update/");
}

QStringList UpdaterDataFolders(const QString& programDataFolder) {
    QStringList folders;
    if (const std::string home = DataHome(); !home.empty()) {
        folders << QString::fromStdString(home) + QStringLiteral("qm517pro/");
    }
    folders << programDataFolder;
    return folders;
}

UpdateStart StartFirmwareUpdate(const DiscoveryState& state, const QStringList& folders, LauncherPort& port) {
    if (port.WindowExists(QStringLiteral("Programmer"))) {
        return UpdateStart::kUpdaterRunning;
    }
    // The first folder that holds it.
    const auto find = [&](const char* updater) {
        for (const QString& folder : folders) {
            if (port.FileExists(folder + updater)) {
                return folder + updater;
            }
        }
        return QString();
    };
    const QString updaterA = find(kUpdaterA11D);
    const QString updaterB = find(kUpdaterA1DC);
    const bool startA = state.presentA != 0 && !updaterA.isEmpty();
    const bool startB = state.presentB != 0 && !updaterB.isEmpty();
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
