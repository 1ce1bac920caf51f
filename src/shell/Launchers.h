// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

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
UpdateStart StartFirmwareUpdate(const DiscoveryState& state, const QString& programFolder,
                                LauncherPort& port);
// The folder the updaters are looked for in.
QString UpdaterFolder(const QString& programFolder);

// The maker's web page.
void OpenMakerPage(const QString& address, LauncherPort& port);

}  // namespace qm
