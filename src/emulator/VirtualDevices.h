// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/Hid.h"
#include "platform/Hotplug.h"

namespace qm {

// Switches that make a virtual device misbehave, for tests and for `--fault`.
struct VirtualFaults {
    int vanishAfterOperations = -1;   // unplugs itself after this many reports (-1: never)
    bool zeroReplies = false;         // feature reads return zeros
    bool garbageEvents = false;       // every stage report comes after one with wrong first bytes
    bool shortEvents = false;         // stage reports are cut to 3 bytes
    bool featureLength8 = false;      // the command interface has 8-byte feature reports
    bool refuseOpen = false;          // opening needs a permission this user lacks
    bool refuseQuery = false;         // even querying the interface is refused
    bool noCommandInterface = false;  // only the event interface is there (half found)
    bool neverAnswerBlocks = false;   // requested data blocks never come
    uint16_t blockReportLength = 65;  // input and output report length of the command interface
    // Faults of the command interface that start after `faultAfter` reports; the device
    // stays plugged in.
    int faultAfter = 0;
    bool stall = false;         // nothing answers: writes fail, reads wait out their time-out
    bool shortReads = false;    // feature and block reads return 3 bytes
    bool garbageReplies = false;  // feature and block reads return bytes that mean nothing
    bool eio = false;           // every report fails with an I/O error
};

// "a11d:vanish-after=20", "pad:eio", "a1dc:stall=5" (the command line's --fault): the
// fault added to the faults of the device it names, whose product ID is put in
// `productId`. False with `error` set when the text names no device or no fault.
bool ParseFault(const std::string& text, std::map<uint16_t, VirtualFaults>& faults, uint16_t& productId,
                std::string& error);

// What a virtual mouse has been told, for tests to look at.
struct VirtualMouseState {
    uint8_t interval = 2;
    std::array<uint8_t, 3> k{0x11, 0x22, 0x33};  // report settings the mouse keeps
    uint8_t sensitivityX = 100;
    uint8_t sensitivityY = 100;
    std::array<uint8_t, 64> stageColours{};
    uint8_t currentStage = 0;
    uint8_t stageMask = 0xFF;
    std::array<uint8_t, 7> dpiCodes{11, 23, 47, 71, 107, 143, 179};
    std::array<uint8_t, 64> buttonTable{};
    std::array<std::array<uint8_t, 192>, 12> macros{};
    std::array<uint8_t, 64> lightColourBlock{};
    std::array<uint8_t, 6> lightEffect{};
    int checksumErrors = 0;
    int protocolErrors = 0;
    int commands = 0;
};

struct VirtualPadState {
    std::array<uint8_t, 18> colours{};  // colours 0..5
    std::array<uint8_t, 7> effect{};    // effect frame bytes 1..7
    int frames = 0;
};

// What the devices would not have accepted from a program, over every device ever
// plugged (an unplugged one keeps its count here).
struct VirtualTrafficErrors {
    // A report sooner after the previous one than the device's pause: 50 ms after a
    // feature report, 100 ms after a data block or the sensitivity command.
    int pacingViolations = 0;
    // Commands the firmware does not know (it ignores them).
    int unknownCommands = 0;
    // Reports refused as the system refuses them: the wrong length, or a write on a
    // handle opened for reading.
    int refusedReports = 0;
    std::vector<std::string> details;  // one line for each, for test failures

    bool Clean() const { return pacingViolations == 0 && unknownCommands == 0 && refusedReports == 0; }
};

// The firmware models of both mouse variants and the pad, behind the same interface as
// the real devices. Devices are plugged and unplugged by the test (or by a fault);
// plugging and unplugging send hotplug notices as udev would. Handles it opened must be
// released before it is destroyed.
class VirtualDevices : public HidBackend, public HotplugSource {
public:
    VirtualDevices();
    ~VirtualDevices() override;

    // Plugs a device in (productId 0xA11D, 0xA1DC or 0xA1C9) with a firmware version.
    void Plug(uint16_t productId, uint16_t version = 0, const VirtualFaults& faults = {});
    void Unplug(uint16_t productId);
    bool IsPlugged(uint16_t productId) const;

    // The mouse's own DPI button: moves to the next enabled stage and reports it on the
    // event interface as 04 01 00 stage.
    void PressDpiButton(uint16_t productId);
    // Any input report on a mouse's event interface.
    void SendEventReport(uint16_t productId, std::vector<uint8_t> report);

    VirtualMouseState MouseState(uint16_t productId) const;
    VirtualPadState PadState() const;
    int OpenHandles() const;
    // Waits until `count` reads wait for input reports that have not come (a reader
    // thread that has reached its read).
    void WaitForBlockedReads(int count) const;
    VirtualTrafficErrors TrafficErrors() const;
    void ClearTrafficErrors();

    // The clock the devices measure their pauses with (the program's, so that a virtual
    // clock is one for the devices too); a steady clock until set. Set before use.
    void SetClock(Clock* clock) { m_clock = clock; }
    // Where the faults say when they fire (nothing until set).
    void SetDebug(DebugOutput* debug) { m_debug = debug; }

    // HidBackend
    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidHandle> Open(const HidInterfaceInfo& info, HidAccess access,
                                    int* error) override;
    // HotplugSource
    int Fd() const override { return m_eventFd; }
    std::vector<DeviceNotice> ReadNotices() override;

    // Default firmware versions: new enough for the firmware check.
    static constexpr uint16_t kDefaultVersionA11D = 0x0302;
    static constexpr uint16_t kDefaultVersionA1DC = 0x0107;
    static constexpr uint16_t kDefaultVersionPad = 0x0100;

private:
    friend class VirtualHandle;
    enum class Role { kCommand, kEvent, kPad, kPointer };
    struct Device;

    Device* Find(uint16_t productId);
    const Device* Find(uint16_t productId) const;
    void UnplugLocked(uint16_t productId);
    void Notify(uint32_t event, uint16_t productId);
    // Counts one report of the command interface and checks its pacing; false when the
    // device is (now) gone.
    bool CountOperation(Device& device, const char* what);
    // Says on the debug output that a fault fired on this report.
    void Faulty(const Device& device, const char* what, const char* fault);
    // Whether the faults of the command interface have started.
    bool Active(const Device& device) const;
    // The device asks for this pause after the report just taken.
    void PauseAfter(Device& device, int milliseconds);
    void NoteError(int VirtualTrafficErrors::*counter, const Device& device, const std::string& what);
    Clock& ClockOf();
    uint32_t Now();

    bool SetFeature(int generation, uint16_t productId, Role role, bool writable, const uint8_t* data,
                    size_t length);
    int GetFeature(int generation, uint16_t productId, Role role, uint8_t* data, size_t length);
    bool Write(int generation, uint16_t productId, Role role, bool writable, const uint8_t* data, size_t length);
    int Read(int generation, uint16_t productId, Role role, uint8_t* data, size_t length,
             int timeoutMs, bool& cancelled);

    void MouseCommand(Device& d, const uint8_t* frame);
    void PadCommand(Device& d, const uint8_t* frame);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::map<uint16_t, std::unique_ptr<Device>> m_devices;
    std::deque<DeviceNotice> m_notices;
    int m_eventFd = -1;
    int m_nextGeneration = 1;
    int m_openHandles = 0;
    int m_blockedReads = 0;
    mutable std::condition_variable m_blockedChanged;
    VirtualTrafficErrors m_errors;
    Clock* m_clock = nullptr;
    DebugOutput* m_debug = nullptr;
};

}  // namespace qm
