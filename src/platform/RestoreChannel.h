#pragma once

#include <string>

namespace qm {

// The running utility listens on an abstract-namespace local socket of this name (one per
// user); a connection that sends "11110\n" asks it to show its window (message 11110).
std::string RestoreChannelName();
constexpr const char* kRestoreMessage = "11110\n";

// Sends the restore message; false when no utility is listening.
bool SendRestoreMessage();

}  // namespace qm
