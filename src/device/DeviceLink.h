// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "device/DeviceEncodings.h"
#include "device/DeviceEvents.h"
#include "device/Discovery.h"
#include "device/Transport.h"

namespace qm {

// Owns the process-wide device state: what discovery found, what the last upload left,
// the transport, and the two reader threads. Discovery wakes the reader of each mouse it
// finds. Readers are stopped before the handles go (destruction order of the members).
class DeviceLink {
public:
    DeviceLink(HidBackend& backend, Clock& clock, DebugOutput& debug);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    DiscoveryState state;
    DeviceState device;
    Transport transport;
    Discovery discovery;

    // Start-up discovery: both mice and the pad. When a mouse is present, the device state
    // is cleared and profileIndex set to 0 before the profile is loaded.
    void DiscoverAll(SettingsRecord& record);

    // One reader per mouse variant, delivering stage notices to `notice`.
    void StartReaders(EventReader::Notice notice);
    void StopReaders();

private:
    std::unique_ptr<EventReader> m_readers[2];
};

}  // namespace qm
