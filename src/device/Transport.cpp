// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/Transport.h"

#include <algorithm>

#include "platform/Format.h"

namespace qm {

uint8_t FrameChecksum(const Frame& frame) {
    unsigned sum = 0;
    for (size_t i = 0; i < 7; ++i) {
        sum += frame[i];
    }
    return static_cast<uint8_t>(0xFF - (sum & 0xFF));
}

void Transport::Fail(const std::string& what) {
    ++m_failed;
    if (m_failures.size() < 200) {
        m_failures.push_back({m_step, what});
    }
    m_debug.Write(what + " failed.\n");
}

void Transport::SetFeatureFrame(HidHandle* handle, const Frame& frame, bool checksum,
                                const ReportLengths& lengths) {
    std::vector<uint8_t> report(std::max<size_t>(lengths.feature, 9), 0);
    std::copy_n(frame.begin(), checksum ? 7 : 8, report.begin() + 1);
    if (checksum) {
        report[8] = FrameChecksum(frame);
    }
    if (handle == nullptr || !handle->SetFeature(report.data(), lengths.feature)) {
        Fail("HidD_SetFeature");
    }
    m_clock.Sleep(50);
}

bool Transport::ReadReply(HidHandle* handle, std::vector<uint8_t>& report, uint8_t command,
                          const ReportLengths& lengths) {
    const int n = handle == nullptr ? -1 : handle->GetFeature(report.data(), lengths.feature);
    if (n < 0) {
        Fail("HidD_GetFeature");
    } else if (n < static_cast<int>(lengths.feature)) {
        Fail(Format("HidD_GetFeature (%d of %u bytes)", n, lengths.feature));
    } else if (report[1] != command) {
        // A device answers with the command it answers; anything else is no reply to it.
        Fail(Format("the reply to %02X (it answers %02X)", command, report[1]));
    } else {
        return true;
    }
    return false;
}

void Transport::GetFeatureFrame(HidHandle* handle, Frame& frame, uint8_t command, const ReportLengths& lengths) {
    std::vector<uint8_t> report(std::max<size_t>(lengths.feature, 9), 0);
    if (!ReadReply(handle, report, command, lengths)) {
        std::fill(report.begin(), report.end(), 0);
    }
    m_clock.Sleep(50);
    std::copy_n(report.begin() + 1, 8, frame.begin());
}

void Transport::SendCommand(HidHandle* handle, Frame& frame, bool readReply,
                            const ReportLengths& lengths) {
    SetFeatureFrame(handle, frame, true, lengths);
    if (readReply) {
        GetFeatureFrame(handle, frame, frame[0], lengths);
        m_debug.Write(Format("Buffer[1]:%02x,Buffer[2]:%02x.", frame[0], frame[1]));
    }
}

void Transport::TransferBlocks(HidHandle* handle, Frame& frame, uint8_t* data, bool fromDevice,
                               size_t length, const ReportLengths& lengths) {
    SetFeatureFrame(handle, frame, true, lengths);
    const size_t blocks = (length + 63) / 64;
    if (!fromDevice) {
        std::vector<uint8_t> report(std::max<size_t>(lengths.output, 65), 0);
        for (size_t b = 0; b < blocks; ++b) {
            std::fill(report.begin(), report.end(), 0);
            std::copy_n(data + 64 * b, std::min<size_t>(64, length - 64 * b), report.begin() + 1);
            if (handle == nullptr || !handle->Write(report.data(), lengths.output)) {
                Fail("WriteFile");
            }
            m_clock.Sleep(100);
        }
        return;
    }
    GetFeatureFrame(handle, frame, frame[0], lengths);
    std::vector<uint8_t> report(std::max<size_t>(lengths.input, 65), 0);
    for (size_t b = 0; b < blocks; ++b) {
        std::fill(report.begin(), report.end(), 0);
        // Every read has a time-out: a device that stalls never holds the upload.
        const int n = handle == nullptr ? -1 : handle->Read(report.data(), lengths.input, m_blockReadTimeoutMs);
        if (n <= 0) {
            Fail(n == 0 ? "ReadFile (no block within the time-out)" : "ReadFile");
        } else if (n < std::min<int>(65, lengths.input)) {
            Fail(Format("ReadFile (%d of %u bytes)", n, lengths.input));
            std::fill(report.begin(), report.end(), 0);
        }
        std::copy_n(report.begin() + 1, std::min<size_t>(64, length - 64 * b), data + 64 * b);
        m_clock.Sleep(100);
    }
}

void Transport::SendPadFrame(HidHandle* handle, const Frame& frame, const ReportLengths& lengths) {
    SetFeatureFrame(handle, frame, false, lengths);
}

void Transport::ReadPadFrame(HidHandle* handle, uint8_t command, const ReportLengths& lengths) {
    std::vector<uint8_t> report(std::max<size_t>(lengths.feature, 9), 0);
    report[1] = command;
    ReadReply(handle, report, command, lengths);  // its content is not used; a failure is still told
}

}  // namespace qm
