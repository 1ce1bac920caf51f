// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm {

// One HID top-level collection as the Windows HID class presents it: the IDs and version
// of its device, its usage page and usage, and the report byte lengths HidP_GetCaps gives
// (the longest report of each type plus one byte for the report ID, which is counted even
// when the device numbers no reports; 0 when the collection has no report of that type).
struct HidInterfaceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;  // bcdDevice
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t featureReportLength = 0;
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    bool numberedReports = false;

    // How querying the interface went: 0, or the errno of opening it for the query
    // (EACCES: the interface is skipped and the walk goes on).
    int queryError = 0;
    enum class Caps { kOk, kNoDescriptor, kInvalid };
    Caps caps = Caps::kOk;
};

enum class HidAccess {
    kReadWrite,  // the command interfaces: feature, output and input reports
    kRead,       // the event interfaces: input reports only
};

// An open interface, with the report semantics of the Windows HID calls: byte 0 of every
// feature, output and input report buffer is the report ID (0 for unnumbered reports).
// Feature and output calls block until the report is through; nothing is retried.
class HidHandle {
public:
    virtual ~HidHandle() = default;
    // HidD_SetFeature: sends `length` bytes, report ID first.
    virtual bool SetFeature(const uint8_t* buffer, size_t length) = 0;
    // HidD_GetFeature: buffer[0] holds the report ID on entry; fills up to `length` bytes.
    // Returns the bytes read (report ID included; fewer than asked for is a short reply),
    // or -1 when the read failed.
    virtual int GetFeature(uint8_t* buffer, size_t length) = 0;
    // WriteFile of one output report.
    virtual bool Write(const uint8_t* buffer, size_t length) = 0;
    // ReadFile of one input report. Waits up to `timeoutMs` (-1: until a report comes).
    // Returns the bytes read (report ID included), 0 on time-out or CancelRead, -1 when
    // the read failed (the device is gone).
    virtual int Read(uint8_t* buffer, size_t length, int timeoutMs) = 0;
    // Ends a Read blocked in another thread; it returns 0. A cancel that comes before the
    // Read starts ends the next Read at once.
    virtual void CancelRead() = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // The present HID collections of the vendor's devices (others may be listed too).
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens a collection; nullptr on failure with *error set (EACCES: no permission).
    virtual std::unique_ptr<HidHandle> Open(const HidInterfaceInfo& info, HidAccess access,
                                            int* error) = 0;
};

}  // namespace qm
