// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "cli/CtlCommands.h"
#include "device/Discovery.h"
#include "session/ProfileSession.h"

namespace qm::ctl {

// What one command runs with.
struct CommandContext {
    const Options& options;
    std::ostream& out;
    std::ostream& err;
    StopRequest* stop;
    DeviceEnvironment* env;  // the devices, for the commands that use them (else nullptr)
};

// The commands, one file each.
int List(CommandContext& c);
int Upload(CommandContext& c);  // apply, apply FILE.bin, reset
int Show(CommandContext& c);
int Events(CommandContext& c);
int Restore(CommandContext& c);
int Autostart(CommandContext& c);

// What the command is doing, for the signal handler: an upload is finished first,
// `events` ends, anything else ends at once.
enum class Phase : int { kOther = 0, kUpload = 1, kEvents = 2 };
// Sets the phase for the life of the object.
class PhaseScope {
public:
    explicit PhaseScope(Phase phase);
    ~PhaseScope();
};

// The profile session of the user's folder for one command, the folder opened as every
// start opens it (the lines of what was done go to `err`). Not Ready() when there is no
// home folder or the folder cannot be made (said on `err`).
class CommandProfiles {
public:
    // `debug` gets the profile files' trace (nullptr: a trace of its own).
    explicit CommandProfiles(std::ostream& err, DebugOutput* debug = nullptr);
    bool Ready() const { return m_session != nullptr; }
    ProfileSession& Session() { return *m_session; }
    const std::string& Folder() const { return m_folder; }

private:
    DebugOutput m_ownDebug;
    std::string m_folder;
    std::unique_ptr<ProfileSession> m_session;
};

// Devices found but not ours to open: each named, then what to do about it.
void ReportRefused(const DiscoveryState& state, std::ostream& err);

}  // namespace qm::ctl
