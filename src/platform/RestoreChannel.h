#pragma once

#include <string>

namespace qm {

// This user's private folder for running programs: $XDG_RUNTIME_DIR, else /run/user/<uid>,
// else a folder of the program's own under the temporary folder (created 0700). Empty when
// none of them is a folder that belongs to this user.
std::string RuntimeFolder();

// The running utility holds a lock file in the runtime folder and listens on an
// abstract-namespace local socket whose name is keyed by the same folder, so the copy
// that holds the lock always owns the channel (two sessions with their own runtime
// folders never meet). A connection that sends "11110\n" asks it to show its window
// (message 11110).
std::string RestoreChannelName();
constexpr const char* kRestoreMessage = "11110\n";

// Sends the restore message; false when no utility is listening.
bool SendRestoreMessage();

}  // namespace qm
