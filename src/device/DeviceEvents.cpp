// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceEvents.h"

#include <algorithm>
#include <array>

#include "platform/Format.h"
#include "platform/Hotplug.h"

namespace qm {

EventReader::EventReader(MouseVariant variant, DiscoveryState& state, Notice notice)
    : m_variant(variant), m_state(state), m_notice(std::move(notice)) {}

EventReader::~EventReader() {
    Stop();
}

void EventReader::Start() {
    if (!m_thread.joinable()) {
        m_thread = std::thread([this] { Loop(); });
    }
}

void EventReader::Signal() {
    std::lock_guard lock(m_mutex);
    m_signalled = true;
    if (m_reading) {
        m_reading->CancelRead();
    }
    m_wake.notify_all();
}

void EventReader::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        if (m_reading) {
            m_reading->CancelRead();
        }
        m_wake.notify_all();
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool EventReader::WaitForSignal() {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_signalled || m_stop; });
    return !m_stop;
}

void EventReader::Loop() {
    const bool isA = m_variant == MouseVariant::kA11D;
    const auto present = [&] { return (isA ? m_state.presentA : m_state.presentB) != 0; };
    for (;;) {
        std::shared_ptr<HidHandle> handle;
        {
            std::lock_guard lock(m_mutex);
            if (m_stop) {
                return;
            }
            m_signalled = false;  // ResetEvent
            handle = m_state.EventHandle(m_variant);
            if (present() && handle) {
                m_reading = handle;
            } else {
                handle.reset();
            }
        }
        if (!handle) {
            if (!WaitForSignal()) {
                return;
            }
            continue;
        }
        std::array<uint8_t, 80> buffer{};
        const size_t length = std::min<size_t>(
            buffer.size(), isA ? m_state.eventInputLengthA.load() : m_state.eventInputLengthB.load());
        const int n = handle->Read(buffer.data(), length, -1);
        {
            std::lock_guard lock(m_mutex);
            m_reading.reset();
        }
        // A report too short to carry a stage is not a stage change.
        if (n >= 4 && present() && buffer[0] == 0x04 && buffer[1] == 0x01) {
            m_notice(isA ? kEventStageA11D : kEventStageA1DC, buffer[3]);
        }
        if (n < 0 && !WaitForSignal()) {
            return;
        }
    }
}

std::string StageDpiText(int wParam, int stage, const SettingsRecord& applied) {
    if (wParam == kEventStageA11D) {
        const auto dpi = DecodeDpiA(applied[rec::kDpiValueA + static_cast<size_t>(stage)]);
        return dpi ? Format("%d", *dpi) : std::string{};
    }
    if (wParam == kEventStageA1DC) {
        return Format("%d", DecodeDpiB(applied[rec::kDpiValueB + static_cast<size_t>(stage)]));
    }
    return "NULL";
}

std::optional<Balloon> StageNotices::OnDeviceStage(int wParam, int lParam,
                                                   const SettingsRecord& applied,
                                                   const UiStrings& strings) {
    if (wParam >= 0 && wParam <= 3) {
        if (lParam >= 0 && lParam <= 7) {
            m_text = strings[UiStrings::kFirstStage + lParam] + "(" +
                     StageDpiText(wParam, lParam, applied) + ")";
        }
        return Balloon{"Info", m_text, 5000};
    }
    if (wParam == kEventMouseFound) {
        m_text = strings[UiStrings::kMouseFound];
        return Balloon{"Info", m_text, 100};
    }
    if (wParam == kEventNoMouseLeft) {
        m_text = strings[UiStrings::kNoMouse];
        return Balloon{"Warning", m_text, 100};
    }
    return std::nullopt;
}

bool NamesOurMouse(const std::string& name) {
    for (const char* id : {"Vid_04d9&Pid_a11d", "VID_04D9&PID_A11D", "Vid_04d9&Pid_a1dc",
                           "VID_04D9&PID_A1DC"}) {
        if (Contains(name, id)) {
            return true;
        }
    }
    return false;
}

bool NamesOurPad(const std::string& name) {
    return Contains(name, "Vid_04d9&Pid_a1c9") || Contains(name, "VID_04D9&PID_A1C9");
}

DeviceChangeHandler::DeviceChangeHandler(Discovery& discovery, DiscoveryState& state,
                                         DeviceState& device, SettingsState& settings,
                                         ProfileFiles& files, DebugOutput& debug,
                                         DeviceWindowPort& window)
    : m_discovery(discovery),
      m_state(state),
      m_device(device),
      m_settings(settings),
      m_files(files),
      m_debug(debug),
      m_window(window) {}

void DeviceChangeHandler::SetDpiScale() {
    // Mouse A11D wins when both are present.
    if (m_state.presentB != 0) {
        m_window.SetDpiScale(1);
    }
    if (m_state.presentA != 0) {
        m_window.SetDpiScale(0);
    }
}

int DeviceChangeHandler::OnDeviceChange(uint32_t event, uint32_t deviceType,
                                        const std::string& name) {
    if ((event != kDbtDeviceArrival && event != kDbtDeviceRemoveComplete) ||
        deviceType != kDbtDevTypDeviceInterface) {
        return 1;
    }
    const bool arrival = event == kDbtDeviceArrival;
    if (NamesOurMouse(name)) {
        m_discovery.DiscoverMice();
        const bool anyMouse = m_state.AnyMouse();
        if (arrival && !anyMouse) {
            m_window.HideWindow();
            m_state.presentA = 0;
            m_state.presentB = 0;
            m_window.RemoveTrayIcon();
            m_window.CheckFirmware();
        } else if (arrival) {
            m_window.PostDeviceEvent(kEventMouseFound);
            m_device.ClearOnDiscovery();
            m_settings.record[rec::kProfileIndex] = 0;
            m_files.LoadCurrentProfile();
            m_files.LoadCaptions(m_files.CurrentIniPath());
            m_window.ProfileReloaded();
            SetDpiScale();
            m_window.AddTrayIcon();
            m_window.CheckFirmware();
        } else if (!anyMouse) {
            m_debug.Write("The system did not detect the QM517 Pro.");
            m_window.PostDeviceEvent(kEventNoMouseLeft);
            m_window.HideWindow();
            m_window.CloseMacroManager();
            m_window.RemoveTrayIcon();
        } else {
            m_window.AddTrayIcon();
            SetDpiScale();
        }
    }
    if (NamesOurPad(name)) {
        m_discovery.DiscoverPad();
        m_window.PadPresenceChanged(m_state.presentP != 0);
    }
    return 1;
}

}  // namespace qm
