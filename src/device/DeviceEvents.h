// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "device/DeviceEncodings.h"
#include "device/Discovery.h"
#include "i18n/UiStrings.h"
#include "model/ProfileFiles.h"

namespace qm {

// wParam values of UM_DEVICE_EVENT.
constexpr int kEventStageA11D = 0;
constexpr int kEventStageA1DC = 1;
constexpr int kEventMouseFound = 14;
constexpr int kEventNoMouseLeft = 15;

// One reader per mouse variant: blocks in a read of the mouse's event interface and turns
// each report 04 01 .. stage into a notice (wParam 0 for A11D, 1 for A1DC, lParam the
// stage), delivered from the reader's thread; the reader waits until the notice has been
// handled. Other reports are ignored. While the mouse is absent, or after a failed read
// (the mouse went away), the reader waits until discovery signals it.
class EventReader {
public:
    using Notice = std::function<void(int wParam, int lParam)>;

    EventReader(MouseVariant variant, DiscoveryState& state, Notice notice);
    ~EventReader();
    EventReader(const EventReader&) = delete;
    EventReader& operator=(const EventReader&) = delete;

    void Start();
    // Discovery's signal: the event handle or the presence flag may have changed.
    void Signal();
    // Ends the thread. Must not be called while the thread that handles notices is
    // itself blocked waiting for this reader.
    void Stop();

private:
    void Loop();
    bool WaitForSignal();  // false when stopping

    MouseVariant m_variant;
    DiscoveryState& m_state;
    Notice m_notice;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_signalled = false;
    bool m_stop = false;
    std::shared_ptr<HidHandle> m_reading;
};

// A tray balloon.
struct Balloon {
    std::string title;
    std::string text;
    int timeoutMs = 0;
    bool operator==(const Balloon&) const = default;
};

// The DPI text of a stage notice, from the applied settings: "%d" of the stage's DPI on
// the mouse's scale; empty for an A11D code above 180; "NULL" for wParam 2 and 3.
std::string StageDpiText(int wParam, int stage, const SettingsRecord& applied);

// OnDeviceStage: the balloon a UM_DEVICE_EVENT shows. The text is kept between notices:
// a stage above 7 shows the previous text again.
class StageNotices {
public:
    std::optional<Balloon> OnDeviceStage(int wParam, int lParam, const SettingsRecord& applied,
                                         const UiStrings& strings);

private:
    std::string m_text;
};

// What device notices do to the main window, its tray icon and its pages.
class DeviceWindowPort {
public:
    virtual ~DeviceWindowPort() = default;
    virtual void PostDeviceEvent(int wParam) = 0;  // UM_DEVICE_EVENT 14 or 15, posted
    virtual void HideWindow() = 0;
    virtual void AddTrayIcon() = 0;
    virtual void RemoveTrayIcon() = 0;
    virtual void SetDpiScale(int scale) = 0;  // 0: A11D codes, 1: A1DC codes
    virtual void CheckFirmware() = 0;
    virtual void CloseMacroManager() = 0;
    // The page host collapses its sections and shows or hides the pad section.
    virtual void PadPresenceChanged(bool present) = 0;
    // The profile was read again (a mouse arrived): the pages show the new record.
    virtual void ProfileReloaded() {}
};

// OnDeviceChange: arrival and removal notices of our devices re-run discovery, reload the
// profile on a mouse's arrival and keep the window and tray in step. Nothing is uploaded.
class DeviceChangeHandler {
public:
    DeviceChangeHandler(Discovery& discovery, DiscoveryState& state, DeviceState& device,
                        SettingsState& settings, ProfileFiles& files, DebugOutput& debug,
                        DeviceWindowPort& window);
    // Returns 1 (TRUE) for every notice.
    int OnDeviceChange(uint32_t event, uint32_t deviceType, const std::string& name);

private:
    void SetDpiScale();

    Discovery& m_discovery;
    DiscoveryState& m_state;
    DeviceState& m_device;
    SettingsState& m_settings;
    ProfileFiles& m_files;
    DebugOutput& m_debug;
    DeviceWindowPort& m_window;
};

bool NamesOurMouse(const std::string& name);
bool NamesOurPad(const std::string& name);

}  // namespace qm
