// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/UploadJob.h"

#include "macros/MacroCompiler.h"
#include "macros/MacroStore.h"

namespace qm {

UploadOutcome UploadLocks::Take(const DiscoveryState& discovery, bool profiles, int waitMs, Clock& clock,
                                const Waiting& waiting) {
    Release();
    UploadOutcome outcome;
    outcome.busyDevice = LockPresentDevices(m_devices, discovery, waitMs, clock, waiting.device);
    if (outcome.busyDevice) {
        return outcome;
    }
    if (profiles) {
        const auto said = [&](const std::string&) {
            if (waiting.profiles) {
                waiting.profiles();
            }
        };
        if (!m_profiles.Acquire({kProfilesLockName}, waitMs, said, clock).empty()) {
            m_devices.Release();
            outcome.profilesBusy = true;
        }
    }
    return outcome;
}

void UploadLocks::Release() {
    m_profiles.Release();
    m_devices.Release();
}

UploadOutcome RunUpload(UploadKind kind, UploadContext& context) {
    context.transport.ClearFailures();
    context.saveProfile = kind != UploadKind::kApplyFile;
    switch (kind) {
        case UploadKind::kApply:
            CompileMacros(MacroStore(context.files.RecordIniPath()), context.settings.record, context.debug);
            ApplySettings(context);
            break;
        case UploadKind::kApplyFile:
            ApplySettings(context);
            break;
        case UploadKind::kReset:
            ResetToDefaults(context);
            break;
    }
    UploadOutcome outcome;
    outcome.failures = FailuresByDevice(context.transport.Failures());
    return outcome;
}

}  // namespace qm
