// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "device/Discovery.h"

namespace qm {

// What the launchers need from the desktop; tests replace it.
class LauncherPort {
public:
    virtual ~LauncherPort() = default;
    virtual bool WindowExists(const QString& title);
    // Starts a file through the desktop's handler for it (ShellExecuteW "open").
    virtual bool OpenFile(const QString& path);
    virtual bool OpenUrl(const QString& url);
    virtual bool FileExists(const QString& path);
    // Ends the program (the quit message of the main loop).
    virtual void Quit();
};

constexpr const char* kUpdaterA11D = "Update/FWUpdate.exe";
constexpr const char* kUpdaterA1DC = "Update/3360/FWUpdate.exe";

enum class UpdateStart {
    kStarted,         // an updater was started; the program ends
    kUpdaterRunning,  // an updater window is open: nothing was done
    kNoUpdater,       // no updater file for a present mouse: nothing was started
};

// The Update command: unless an updater window ("Programmer") is open, starts the updater
// of each present mouse (A11D first) and ends the program so the updater has the device
// to itself. Linux installs come without the maker's updaters: when none of the present
// mice has its updater file, nothing is started and the program keeps running, so the
// caller can say where the updater belongs.
// The updaters are looked for in each of `folders` in turn (each ending with '/').
UpdateStart StartFirmwareUpdate(const DiscoveryState& state, const QStringList& folders, LauncherPort& port);
// The folder of the updaters below a data folder.
QString UpdaterFolder(const QString& dataFolder);
// Where the updaters are looked for: the user's own data folder first
// ($XDG_DATA_HOME/qm517pro/, which the user may write), then the program's data folder
// (in a package install that one is the package's).
QStringList UpdaterDataFolders(const QString& programDataFolder);

// The maker's web page.
void OpenMakerPage(const QString& address, LauncherPort& port);

}  // namespace qm
