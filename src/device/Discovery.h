// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/DebugOutput.h"
#include "platform/Hid.h"

namespace qm {

constexpr uint16_t kVendorId = 0x04D9;
constexpr uint16_t kProductA11D = 0xA11D;
constexpr uint16_t kProductA1DC = 0xA1DC;  // the "3360" variant
constexpr uint16_t kProductPad = 0xA1C9;

enum class MouseVariant { kA11D = 0, kA1DC = 1 };

// An interface of ours that this user may not open (no udev rule installed).
struct RefusedInterface {
    uint16_t productId;
    std::string path;
};

// What discovery found: presence flags, handles, report lengths, firmware versions.
// Written by discovery on the user-interface thread; the reader threads read the flags
// and take their event handle through EventHandle(), so both are safe to share.
class DiscoveryState {
public:
    std::atomic<int> presentA{0};
    std::atomic<int> presentB{0};
    std::atomic<int> presentP{0};

    // Report lengths of the mouse command interface found last (one set for both mice).
    uint16_t featureLength = 0;
    uint16_t inputLength = 0;
    uint16_t outputLength = 0;
    std::atomic<uint16_t> eventInputLengthA{0};
    std::atomic<uint16_t> eventInputLengthB{0};
    uint16_t versionA = 0;
    uint16_t versionB = 0;
    std::string lastPath;
    std::vector<RefusedInterface> refused;

    std::shared_ptr<HidHandle> CommandHandle(MouseVariant variant) const;
    std::shared_ptr<HidHandle> EventHandle(MouseVariant variant) const;
    std::shared_ptr<HidHandle> PadHandle() const;
    bool AnyMouse() const { return presentA != 0 || presentB != 0; }

    // Replaces a handle; the one it replaces is closed (a read blocked on it ends).
    void SetCommandHandle(MouseVariant variant, std::shared_ptr<HidHandle> handle);
    void SetEventHandle(MouseVariant variant, std::shared_ptr<HidHandle> handle);
    void SetPadHandle(std::shared_ptr<HidHandle> handle);
    // Closes every handle (the main window's destruction).
    void CloseAll();

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<HidHandle> m_command[2];
    std::shared_ptr<HidHandle> m_event[2];
    std::shared_ptr<HidHandle> m_pad;
};

// Finds the two mouse variants and the pad by vendor, product, usage page, usage and
// report lengths, opens them and records what the rest of the program relies on.
class Discovery {
public:
    Discovery(HidBackend& backend, DiscoveryState& state, DebugOutput& debug);

    // Wakes the reader of a mouse whose event interface was (re)opened.
    void SetReaderSignal(std::function<void(MouseVariant)> signal) { m_signal = std::move(signal); }

    // Event A, then command A (only when event A was found), then the same for A1DC; sets
    // flags A and B from the pairs and signals the reader of each present mouse.
    void DiscoverMice();
    void DiscoverPad();

    // The five routines; each returns whether it found and opened its interface.
    bool FindEventInterface(MouseVariant variant);
    bool FindCommandInterface(MouseVariant variant);
    bool FindPadInterface();

private:
    enum class Kind { kEvent, kCommand, kPad };
    bool Routine(Kind kind, uint16_t productId, MouseVariant variant);

    HidBackend& m_backend;
    DiscoveryState& m_state;
    DebugOutput& m_debug;
    std::function<void(MouseVariant)> m_signal;
};

// What the firmware check needs from the window side.
class FirmwarePort {
public:
    virtual ~FirmwarePort() = default;
    // FindWindowW by title.
    virtual bool WindowExists(const std::string& title) = 0;
    // The Yes/No question; returns false only for No.
    virtual bool AskToUpdateFirmware(const std::string& caption, const std::string& text) = 0;
    virtual void StartFirmwareUpdate() = 0;
    virtual void Quit() = 0;
};

extern const char* const kOutdatedFirmwareText;

// Firmware too old: A1DC versions 0x0001..0x0106, else A11D versions 0x0001..0x0301.
bool FirmwareTooOld(const DiscoveryState& state);
// Offers the update when the firmware is too old (and no updater is running); the
// program quits either way once the question was asked.
void CheckFirmware(const DiscoveryState& state, FirmwarePort& port);

}  // namespace qm
