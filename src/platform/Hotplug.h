// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm {

// Device arrival and removal notices in the form WM_DEVICECHANGE delivered them: the event
// code, the device type of the broadcast header and the device interface name, which
// carries "VID_04D9&PID_A11D" and the like.
constexpr uint32_t kDbtDeviceArrival = 0x8000;
constexpr uint32_t kDbtDeviceRemoveComplete = 0x8004;
constexpr uint32_t kDbtDevTypDeviceInterface = 5;

struct DeviceNotice {
    uint32_t event = kDbtDeviceArrival;
    uint32_t deviceType = kDbtDevTypDeviceInterface;
    std::string name;
};

// "\\?\HID#VID_04D9&PID_A11D#<instance>#{4d1e55b2-f16f-11cf-88cb-001111000030}"
std::string DeviceInterfaceName(uint16_t vendorId, uint16_t productId, const std::string& instance);

// A source of notices with a descriptor to wait on (poll, QSocketNotifier).
class HotplugSource {
public:
    virtual ~HotplugSource() = default;
    // Readable when notices are waiting; -1 when the source cannot deliver any.
    virtual int Fd() const = 0;
    // The notices that arrived since the last call; never blocks.
    virtual std::vector<DeviceNotice> ReadNotices() = 0;
};

// hidraw add and remove events from udev. Fd() is -1 when udev cannot be reached.
std::unique_ptr<HotplugSource> CreateUdevHotplug();

// The vendor and product IDs in a hidraw device path such as
// ".../0003:04D9:A11D.0001/hidraw/hidraw3"; false when it names none.
bool HidIdsFromDevpath(const std::string& devpath, uint16_t& vendorId, uint16_t& productId,
                       std::string& instance);

}  // namespace qm
