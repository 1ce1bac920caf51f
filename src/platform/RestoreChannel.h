// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace qm {

// This user's private folder for running programs: $XDG_RUNTIME_DIR, else /run/user/<uid>,
// else a folder of the program's own under the temporary folder (created 0700). A folder
// counts only when it belongs to this user and no one else may write into it; empty when
// none does (another user made the fallback folder first, say).
std::string RuntimeFolder();

// Where RuntimeFolder() looks, in order, and whose the folder must be.
struct RuntimePlaces {
    std::string xdgRuntimeDir;  // $XDG_RUNTIME_DIR (empty: unset)
    std::string runUser;        // /run/user/<uid>
    std::string temp;           // $TMPDIR, else /tmp: the fallback is <temp>/qm517pro-<uid>
    unsigned uid = 0;
    static RuntimePlaces OfThisProcess();
};
std::string RuntimeFolderIn(const RuntimePlaces& places);
// Makes RuntimeFolder() look in other places (tests; nullptr: this process's again).
void SetRuntimePlaces(const RuntimePlaces* places);

// The running utility holds a lock file in the runtime folder and listens on a socket
// beside it, so only this user can reach it and the copy that holds the lock owns the
// channel. A connection that sends "11110\n" asks it to show its window (message 11110).
// Empty when there is no runtime folder.
std::string RestoreSocketPath();
constexpr const char* kRestoreMessage = "11110\n";

// Sends the restore message; false when no utility is listening.
bool SendRestoreMessage();

}  // namespace qm
