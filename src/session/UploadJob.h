// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "device/Discovery.h"
#include "device/Upload.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/UploadLock.h"

namespace qm {

// What an upload came to.
struct UploadOutcome {
    // Another upload held this device past the wait: nothing was sent or saved.
    std::optional<UploadDevice> busyDevice;
    // Another program held the profiles past the wait: nothing was sent or saved.
    bool profilesBusy = false;
    // The devices that did not take all of it, in upload order (the rest of the upload went
    // on, and the profile was saved as the user made it).
    std::vector<DeviceFailure> failures;

    bool Refused() const { return busyDevice.has_value() || profilesBusy; }
};

// The locks an upload holds while it runs: one per present device, so that two programs
// never interleave reports on a device, and for qm517ctl also the profiles, from the load of
// the current profile to its save. Every program takes the devices first and the profiles
// second, so no two ever wait for each other.
class UploadLocks {
public:
    struct Waiting {
        std::function<void(UploadDevice)> device;  // another upload holds this device
        std::function<void()> profiles;            // another program holds the profiles
    };
    // Takes them, waiting up to `waitMs` on `clock` for each (-1: no end; 0: not at all).
    // Returns a refused outcome (every lock given back) when one could not be had.
    UploadOutcome Take(const DiscoveryState& discovery, bool profiles, int waitMs, Clock& clock,
                       const Waiting& waiting);
    void Release();

private:
    UploadLock m_devices;
    UploadLock m_profiles;
};

enum class UploadKind {
    kApply,      // the current profile: its macro store compiled in, sent, saved, committed
    kApplyFile,  // an exported profile file: sent, nothing saved
    kReset,      // the factory settings for the current profile, sent and saved
};

// Runs one upload on `context` (whose saveProfile it sets for the kind) and returns the
// failures of every device it reached.
UploadOutcome RunUpload(UploadKind kind, UploadContext& context);

}  // namespace qm
