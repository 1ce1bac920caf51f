// SPDX-License-Identifier: GPL-3.0-or-later
// What the commands share: the profile folder, and the word on devices not ours to open.
#include <ostream>

#include "cli/Command.h"
#include "platform/AppDataFolder.h"
#include "platform/UdevRule.h"

namespace qm::ctl {

CommandProfiles::CommandProfiles(std::ostream& err, DebugOutput* debug) : m_folder(AppDataFolder()) {
    if (m_folder.empty()) {
        err << "qm517ctl: no home folder: set HOME or XDG_CONFIG_HOME\n";
        return;
    }
    auto session = std::make_unique<ProfileSession>(m_folder, debug != nullptr ? *debug : m_ownDebug);
    int error = 0;
    for (const std::string& line : session->OpenFolder(&error)) {
        err << "qm517ctl: " << line << "\n";
    }
    if (error == 0) {
        m_session = std::move(session);
    }
}

void ReportRefused(const DiscoveryState& state, std::ostream& err) {
    if (state.refused.empty()) {
        return;
    }
    for (const RefusedInterface& r : state.refused) {
        err << "qm517ctl: QM517 Pro found, but this user may not open it [" << r.path << "]\n";
    }
    err << UdevAdvice(FindUdevRule(ProgramFolder())) << "\n";
}

}  // namespace qm::ctl
