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

void Transport::Fail(const char* what) {
    ++m_failed;
    m_debug.Write(Format("%s failed.\n", what));
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

void Transport::GetFeatureFrame(HidHandle* handle, Frame& frame, const ReportLengths& lengths) {
    std::vector<uint8_t> report(std::max<size_t>(lengths.feature, 9), 0);
    if (handle == nullptr || !handle->GetFeature(report.data(), lengths.feature)) {
        Fail("HidD_GetFeature");
        std::fill(report.begin(), report.end(), 0);
    }
    m_clock.Sleep(50);
    std::copy_n(report.begin() + 1, 8, frame.begin());
}

void Transport::SendCommand(HidHandle* handle, Frame& frame, bool readReply,
                            const ReportLengths& lengths) {
    SetFeatureFrame(handle, frame, true, lengths);
    if (readReply) {
        GetFeatureFrame(handle, frame, lengths);
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
    GetFeatureFrame(handle, frame, lengths);
    std::vector<uint8_t> report(std::max<size_t>(lengths.input, 65), 0);
    for (size_t b = 0; b < blocks; ++b) {
        std::fill(report.begin(), report.end(), 0);
        if (handle == nullptr ||
            handle->Read(report.data(), lengths.input, m_blockReadTimeoutMs) <= 0) {
            Fail("ReadFile");
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
    if (handle == nullptr || !handle->GetFeature(report.data(), lengths.feature)) {
        Fail("HidD_GetFeature");
    }
}

}  // namespace qm
