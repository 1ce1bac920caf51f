// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace qm {

// Start at login: the desktop starts what "$XDG_CONFIG_HOME/autostart/qm517pro.desktop"
// names (by default ~/.config/autostart/). The utility writes that entry, with a checksum
// of its own lines, and removes it again only while it is still as written: an entry the
// user changed is theirs and is left as it is.
enum class AutostartState {
    kOff,     // no entry
    kOn,      // our entry, as we wrote it
    kEdited,  // an entry of that name that is not (or no longer) as we wrote it
};

// The entry's path; empty without a home folder.
std::string AutostartPath();
// What the entry holds: starts `program` (an absolute path) in the tray.
std::string AutostartEntry(const std::string& program);
AutostartState GetAutostart();
// Writes our entry (creating the folder). An edited entry is left as it is (kEdited is
// returned); else 0, or the errno of what failed.
constexpr int kAutostartLeftEdited = -1;
int EnableAutostart(const std::string& program);
// Removes our entry; an edited one is left (kAutostartLeftEdited). 0 when there is none.
int DisableAutostart();
// The qm517pro beside the running program (qm517ctl and qm517pro share a folder).
std::string UtilityProgramPath();

}  // namespace qm
