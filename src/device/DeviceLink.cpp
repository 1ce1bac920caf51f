// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceLink.h"

namespace qm {

DeviceLink::DeviceLink(HidBackend& backend, Clock& clock, DebugOutput& debug)
    : transport(clock, debug), discovery(backend, state, debug) {
    discovery.SetReaderSignal([this](MouseVariant variant) {
        if (auto& reader = m_readers[variant == MouseVariant::kA11D ? 0 : 1]) {
            reader->Signal();
        }
    });
}

DeviceLink::~DeviceLink() {
    StopReaders();
    state.CloseAll();
}

void DeviceLink::DiscoverAll(SettingsRecord& record) {
    discovery.DiscoverMice();
    discovery.DiscoverPad();
    if (state.AnyMouse()) {
        device.ClearOnDiscovery();
        record[rec::kProfileIndex] = 0;
    }
}

void DeviceLink::StartReaders(EventReader::Notice notice) {
    const MouseVariant variants[] = {MouseVariant::kA11D, MouseVariant::kA1DC};
    for (int i = 0; i < 2; ++i) {
        if (!m_readers[i]) {
            m_readers[i] = std::make_unique<EventReader>(variants[i], state, notice);
            m_readers[i]->Start();
        }
    }
}

void DeviceLink::StopReaders() {
    for (auto& reader : m_readers) {
        if (reader) {
            reader->Stop();
            reader.reset();
        }
    }
}

}  // namespace qm
