#include "shell/Launchers.h"

#include <QCoreApplication>
#include <QDesktopServices>
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

bool StartFirmwareUpdate(const DiscoveryState& state, const QString& programFolder, LauncherPort& port) {
    if (port.WindowExists(QStringLiteral("Programmer"))) {
        return false;
    }
    if (state.presentA != 0) {
        port.OpenFile(programFolder + kUpdaterA11D);
    }
    if (state.presentB != 0) {
        port.OpenFile(programFolder + kUpdaterA1DC);
    }
    port.Quit();
    return true;
}

void OpenMakerPage(const QString& address, LauncherPort& port) {
    port.OpenUrl(address);
}

}  // namespace qm
