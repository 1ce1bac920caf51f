// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "device/DeviceEncodings.h"
#include "device/Discovery.h"
#include "device/Transport.h"
#include "device/UploadStep.h"
#include "platform/UploadLock.h"
#include "model/ProfileFiles.h"
#include "platform/PointerSink.h"

namespace qm {

// How many steps an upload reports: seven per mouse, two for the pad.
int CountUploadSteps(bool mouseA11D, bool mouseA1DC, bool pad);

// The devices an Apply or Reset writes, in upload order.
std::vector<UploadDevice> PresentDevices(const DiscoveryState& discovery);
// "a11d", "a1dc", "pad": the device's name in lock files and on the command line.
const char* ShortName(UploadDevice device);
// One upload at a time per device: takes the locks of the present devices, telling
// `waiting` of each one another upload holds. Returns the device whose lock could not be
// had within `timeoutMs` on `clock` (-1: no end, 0: no wait); then no lock is held.
std::optional<UploadDevice> LockPresentDevices(UploadLock& lock, const DiscoveryState& discovery, int timeoutMs,
                                               Clock& clock, const std::function<void(UploadDevice)>& waiting);

// What failed on one device during an upload: its first failed report and how many failed.
struct DeviceFailure {
    UploadDevice device;
    UploadStepKind firstStep;
    std::string firstWhat;  // "HidD_SetFeature", "the reply to 81 (it answers 00)"
    int count = 0;
};
// The failures of an upload, one entry per device in upload order.
std::vector<DeviceFailure> FailuresByDevice(const std::vector<TransferFailure>& failures);
// "mouse A11D: 12 reports failed, the first in the report rate step (HidD_SetFeature)".
std::string DescribeFailure(const DeviceFailure& failure);

// Everything one upload works with. The references outlive the upload.
struct UploadContext {
    SettingsState& settings;
    DeviceState& device;
    DiscoveryState& discovery;
    Transport& transport;
    ProfileFiles& files;
    ButtonCaptions& captions;
    PointerSink& pointer;
    DebugOutput& debug;
    // Called at the start of every step; may be empty.
    std::function<void(const UploadStep&)> progress;
    // false: upload only, the saved profiles stay as they are (qm517ctl apply FILE.bin).
    bool saveProfile = true;
};

// Writes the working record to one mouse: report settings, sensitivity, stage colours,
// DPI stages, button table, the twelve macros, lighting colours and effect; then saves
// the profile. One upload sleeps 5350 ms in all.
void UploadMouse(UploadContext& context, MouseVariant variant);
// The pad's colours (0x09, 0x0A, 0x0B), then its effect (0x08) with the 0x88 read-back.
void UploadPad(UploadContext& context);
// Apply: every present mouse (A11D first), the pad, save, commit, pointer options.
void ApplySettings(UploadContext& context);
// Reset: the base profile with the factory defaults, keeping profileIndex and the macro
// slots, then the whole of ApplySettings into the current profile's files.
void ResetToDefaults(UploadContext& context);

}  // namespace qm
