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

#include "platform/Hid.h"
#include "platform/Hotplug.h"

namespace qm {

// Switches that make a virtual device misbehave, for tests.
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
};

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
    // Counts one report; false when the device is (now) gone.
    bool CountOperation(Device& device);

    bool SetFeature(int generation, uint16_t productId, Role role, const uint8_t* data, size_t length);
    bool GetFeature(int generation, uint16_t productId, Role role, uint8_t* data, size_t length);
    bool Write(int generation, uint16_t productId, Role role, const uint8_t* data, size_t length);
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
};

}  // namespace qm
