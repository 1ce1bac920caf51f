// SPDX-License-Identifier: GPL-3.0-or-later
#include <libudev.h>

#include <cstdio>
#include <cstring>

#include "platform/Hotplug.h"

namespace qm {

std::string DeviceInterfaceName(uint16_t vendorId, uint16_t productId, const std::string& instance) {
    char head[64];
    std::snprintf(head, sizeof head, "\\\\?\\HID#VID_%04X&PID_%04X#", vendorId, productId);
    return head + instance + "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
}

bool HidIdsFromDevpath(const std::string& devpath, uint16_t& vendorId, uint16_t& productId,
                       std::string& instance) {
    // Look for a component "BBBB:VVVV:PPPP.NNNN".
    size_t start = 0;
    while (start < devpath.size()) {
        size_t end = devpath.find('/', start);
        if (end == std::string::npos) {
            end = devpath.size();
        }
        const std::string part = devpath.substr(start, end - start);
        unsigned bus = 0, vid = 0, pid = 0, inst = 0;
        char tail = 0;
        if (part.size() == 19 &&
            std::sscanf(part.c_str(), "%4x:%4x:%4x.%4x%c", &bus, &vid, &pid, &inst, &tail) == 4) {
            vendorId = static_cast<uint16_t>(vid);
            productId = static_cast<uint16_t>(pid);
            instance = part;
            return true;
        }
        start = end + 1;
    }
    return false;
}

namespace {

class UdevHotplug : public HotplugSource {
public:
    UdevHotplug() {
        m_udev = udev_new();
        if (m_udev == nullptr) {
            return;
        }
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
        if (m_monitor == nullptr ||
            udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(m_monitor) < 0) {
            if (m_monitor != nullptr) {
                udev_monitor_unref(m_monitor);
                m_monitor = nullptr;
            }
        }
    }
    ~UdevHotplug() override {
        if (m_monitor != nullptr) {
            udev_monitor_unref(m_monitor);
        }
        if (m_udev != nullptr) {
            udev_unref(m_udev);
        }
    }
    int Fd() const override { return m_monitor != nullptr ? udev_monitor_get_fd(m_monitor) : -1; }
    std::vector<DeviceNotice> ReadNotices() override {
        std::vector<DeviceNotice> notices;
        if (m_monitor == nullptr) {
            return notices;
        }
        while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
            const char* action = udev_device_get_action(device);
            const char* devpath = udev_device_get_devpath(device);
            uint16_t vid = 0, pid = 0;
            std::string instance;
            if (action != nullptr && devpath != nullptr &&
                (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0) &&
                HidIdsFromDevpath(devpath, vid, pid, instance)) {
                DeviceNotice notice;
                notice.event = std::strcmp(action, "add") == 0 ? kDbtDeviceArrival
                                                               : kDbtDeviceRemoveComplete;
                notice.name = DeviceInterfaceName(vid, pid, instance);
                notices.push_back(notice);
            }
            udev_device_unref(device);
        }
        return notices;
    }

private:
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
};

}  // namespace

std::unique_ptr<HotplugSource> CreateUdevHotplug() {
    return std::make_unique<UdevHotplug>();
}

}  // namespace qm
