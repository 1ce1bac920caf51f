// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceEncodings.h"
#include "device/UploadStep.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/Hid.h"

namespace qm {

// The checksum of a mouse command frame: 0xFF minus the 8-bit sum of bytes 0..6.
uint8_t FrameChecksum(const Frame& frame);

// Report lengths of the interface being written.
struct ReportLengths {
    uint16_t feature = 9;
    uint16_t input = 65;
    uint16_t output = 65;
};

// A report that failed, and the step of the upload it belonged to.
struct TransferFailure {
    std::optional<UploadStep> step;  // none outside an upload
    std::string what;                // "HidD_SetFeature", "the reply to 81 (it answers 00)"
};

// Commands as feature reports (8-byte frame after report ID 0) and bulk data as 64-byte
// output or input reports, paced as the device needs: 50 ms after every feature report
// written or read, 100 ms after every data block. Nothing is retried; failures are logged
// and recorded with their step, and the caller carries on with zeros where a reply did
// not come, came short, or does not answer the command sent.
class Transport {
public:
    // A read of a data block gives up after this long instead of hanging on a device that
    // went away or never answers.
    static constexpr int kBlockReadTimeoutMs = 1000;
    void SetBlockReadTimeout(int milliseconds) { m_blockReadTimeoutMs = milliseconds; }

    Transport(Clock& clock, DebugOutput& debug) : m_clock(clock), m_debug(debug) {}

    // Sends a frame (checksum put into byte 7) and, when `readReply` is set, reads the
    // reply frame back over `frame`.
    void SendCommand(HidHandle* handle, Frame& frame, bool readReply, const ReportLengths& lengths);
    // Sends the frame, then moves ceil(length / 64) blocks to or from `data`.
    void TransferBlocks(HidHandle* handle, Frame& frame, uint8_t* data, bool fromDevice,
                        size_t length, const ReportLengths& lengths);
    // A pad frame: no checksum, all eight bytes are the caller's.
    void SendPadFrame(HidHandle* handle, const Frame& frame, const ReportLengths& lengths);
    // The pad's read-back: one feature read with the command in byte 1, no sleep after it.
    void ReadPadFrame(HidHandle* handle, uint8_t command, const ReportLengths& lengths);

    // A pause the protocol asks for beyond the per-report ones.
    void Pause(int milliseconds) { m_clock.Sleep(milliseconds); }

    int FailedTransfers() const { return m_failed; }
    // The step that failures from now on belong to.
    void SetStep(std::optional<UploadStep> step) { m_step = step; }
    // The failures so far (the first 200), in order.
    const std::vector<TransferFailure>& Failures() const { return m_failures; }
    void ClearFailures() {
        m_failed = 0;
        m_failures.clear();
    }

private:
    void SetFeatureFrame(HidHandle* handle, const Frame& frame, bool checksum,
                         const ReportLengths& lengths);
    // One feature read into `report`; false (and recorded) when it failed, came short or
    // does not answer `command`.
    bool ReadReply(HidHandle* handle, std::vector<uint8_t>& report, uint8_t command, const ReportLengths& lengths);
    // Reads the reply to `command` over `frame`: zeros when the read failed, came short or
    // does not answer the command.
    void GetFeatureFrame(HidHandle* handle, Frame& frame, uint8_t command, const ReportLengths& lengths);
    void Fail(const std::string& what);

    Clock& m_clock;
    DebugOutput& m_debug;
    int m_failed = 0;
    std::vector<TransferFailure> m_failures;
    std::optional<UploadStep> m_step;
    int m_blockReadTimeoutMs = kBlockReadTimeoutMs;
};

}  // namespace qm
