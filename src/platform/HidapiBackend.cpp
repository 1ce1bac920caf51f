// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HidapiBackend.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <hidapi.h>
#include <set>
#include <unistd.h>
#include <vector>

#include "platform/FileUtil.h"
#include "platform/HidDescriptor.h"

namespace qm {

namespace {

constexpr uint16_t kVendorId = 0x04D9;

class HidapiHandle : public HidHandle {
public:
    HidapiHandle(hid_device* device, bool numbered) : m_device(device), m_numbered(numbered) {}
    ~HidapiHandle() override { hid_close(m_device); }

    bool SetFeature(const uint8_t* buffer, size_t length) override {
        return hid_send_feature_report(m_device, buffer, length) >= 0;
    }
    int GetFeature(uint8_t* buffer, size_t length) override {
        return hid_get_feature_report(m_device, buffer, length);
    }
    bool Write(const uint8_t* buffer, size_t length) override {
        return hid_write(m_device, buffer, length) >= 0;
    }
    int Read(uint8_t* buffer, size_t length, int timeoutMs) override {
        if (length < 2) {
            return -1;
        }
        // hidraw hands over unnumbered input reports without their report ID byte.
        uint8_t* target = m_numbered ? buffer : buffer + 1;
        const size_t room = m_numbered ? length : length - 1;
        const auto start = std::chrono::steady_clock::now();
        for (;;) {
            // Short waits, so that CancelRead ends a read within 100 ms.
            const int n = hid_read_timeout(m_device, target, room, 100);
            if (n < 0) {
                return -1;
            }
            if (n > 0) {
                if (!m_numbered) {
                    buffer[0] = 0;
                    return n + 1;
                }
                return n;
            }
            if (m_cancel.exchange(false)) {
                return 0;
            }
            if (timeoutMs >= 0 && std::chrono::steady_clock::now() - start >=
                                      std::chrono::milliseconds(timeoutMs)) {
                return 0;
            }
        }
    }
    void CancelRead() override { m_cancel = true; }

private:
    hid_device* m_device;
    bool m_numbered;
    std::atomic<bool> m_cancel{false};
};

// /dev/hidrawN -> the report descriptor of the node, from sysfs.
bool ReadDescriptor(const std::string& path, std::string& bytes) {
    const std::string node(BaseName(path));
    return ReadWholeFile("/sys/class/hidraw/" + node + "/device/report_descriptor", bytes) == 0;
}

}  // namespace

HidapiBackend::HidapiBackend() {
    hid_init();
}

HidapiBackend::~HidapiBackend() {
    hid_exit();
}

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate() {
    std::vector<HidInterfaceInfo> result;
    std::set<std::string> seen;  // hidraw lists one entry per top-level usage of a node
    hid_device_info* list = hid_enumerate(kVendorId, 0);
    for (hid_device_info* d = list; d != nullptr; d = d->next) {
        const std::string path = d->path != nullptr ? d->path : "";
        if (!seen.insert(path).second) {
            continue;
        }
        HidInterfaceInfo base;
        base.path = path;
        base.vendorId = d->vendor_id;
        base.productId = d->product_id;
        base.versionNumber = d->release_number;
        std::string descriptor;
        if (!ReadDescriptor(path, descriptor)) {
            base.caps = HidInterfaceInfo::Caps::kNoDescriptor;
            result.push_back(base);
            continue;
        }
        const HidDescriptorCaps caps = ParseReportDescriptor(
            reinterpret_cast<const uint8_t*>(descriptor.data()), descriptor.size());
        if (!caps.valid) {
            base.caps = HidInterfaceInfo::Caps::kInvalid;
            result.push_back(base);
            continue;
        }
        for (const HidCollectionCaps& c : caps.collections) {
            HidInterfaceInfo info = base;
            info.usagePage = c.usagePage;
            info.usage = c.usage;
            info.featureReportLength = c.featureReportLength;
            info.inputReportLength = c.inputReportLength;
            info.outputReportLength = c.outputReportLength;
            info.numberedReports = caps.numberedReports;
            result.push_back(info);
        }
    }
    hid_free_enumeration(list);
    return result;
}

std::unique_ptr<HidHandle> HidapiBackend::Open(const HidInterfaceInfo& info, HidAccess access,
                                               int* error) {
    const int mode = access == HidAccess::kRead ? R_OK : (R_OK | W_OK);
    if (::access(info.path.c_str(), mode) != 0) {
        *error = errno;
        return nullptr;
    }
    hid_device* device = hid_open_path(info.path.c_str());
    if (device == nullptr) {
        *error = errno != 0 ? errno : EIO;
        return nullptr;
    }
    *error = 0;
    return std::make_unique<HidapiHandle>(device, info.numberedReports);
}

}  // namespace qm
