// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/Discovery.h"

#include <cerrno>

#include "platform/Format.h"

namespace qm {

namespace {

size_t Index(MouseVariant v) {
    return v == MouseVariant::kA11D ? 0 : 1;
}

void Replace(std::shared_ptr<HidHandle>& slot, std::shared_ptr<HidHandle> handle) {
    if (slot) {
        slot->CancelRead();
    }
    slot = std::move(handle);
}

}  // namespace

const char* const kOutdatedFirmwareText =
    "鼠标固件版本过低，请更新固件后重新打开驱动继续使用。\n\"是\"更新固件，\"否\"退出程序。";

std::shared_ptr<HidHandle> DiscoveryState::CommandHandle(MouseVariant variant) const {
    std::lock_guard lock(m_mutex);
    return m_command[Index(variant)];
}

std::shared_ptr<HidHandle> DiscoveryState::EventHandle(MouseVariant variant) const {
    std::lock_guard lock(m_mutex);
    return m_event[Index(variant)];
}

std::shared_ptr<HidHandle> DiscoveryState::PadHandle() const {
    std::lock_guard lock(m_mutex);
    return m_pad;
}

void DiscoveryState::SetCommandHandle(MouseVariant variant, std::shared_ptr<HidHandle> handle) {
    std::lock_guard lock(m_mutex);
    Replace(m_command[Index(variant)], std::move(handle));
}

void DiscoveryState::SetEventHandle(MouseVariant variant, std::shared_ptr<HidHandle> handle) {
    std::lock_guard lock(m_mutex);
    Replace(m_event[Index(variant)], std::move(handle));
}

void DiscoveryState::SetPadHandle(std::shared_ptr<HidHandle> handle) {
    std::lock_guard lock(m_mutex);
    Replace(m_pad, std::move(handle));
}

void DiscoveryState::CloseAll() {
    std::lock_guard lock(m_mutex);
    for (auto* slot : {&m_command[0], &m_event[0], &m_command[1], &m_event[1], &m_pad}) {
        Replace(*slot, nullptr);
    }
}

Discovery::Discovery(HidBackend& backend, DiscoveryState& state, DebugOutput& debug)
    : m_backend(backend), m_state(state), m_debug(debug) {}

bool Discovery::FindEventInterface(MouseVariant variant) {
    return Routine(Kind::kEvent, variant == MouseVariant::kA11D ? kProductA11D : kProductA1DC, variant);
}

bool Discovery::FindCommandInterface(MouseVariant variant) {
    return Routine(Kind::kCommand, variant == MouseVariant::kA11D ? kProductA11D : kProductA1DC,
                   variant);
}

bool Discovery::FindPadInterface() {
    return Routine(Kind::kPad, kProductPad, MouseVariant::kA11D);
}

bool Discovery::Routine(Kind kind, uint16_t productId, MouseVariant variant) {
    for (const HidInterfaceInfo& info : m_backend.Enumerate()) {
        m_state.lastPath = info.path;
        if (info.queryError == EACCES) {
            continue;
        }
        if (info.queryError != 0) {
            return false;
        }
        m_debug.Write(Format("PID:%04x,VID:%04x,VersionNumber:%04x\n", info.productId,
                             info.vendorId, info.versionNumber));
        if (info.vendorId != kVendorId || info.productId != productId) {
            continue;
        }
        if (kind == Kind::kPad) {
            m_debug.Write("Find our pad hid device.Success\n");
        } else {
            (variant == MouseVariant::kA11D ? m_state.versionA : m_state.versionB) = info.versionNumber;
            m_debug.Write("Find our hid device.Success\n");
        }
        if (info.caps == HidInterfaceInfo::Caps::kNoDescriptor) {
            m_debug.Write("HidD_GetPreparsedData failed.\n");
            return false;
        }
        if (info.caps == HidInterfaceInfo::Caps::kInvalid) {
            m_debug.Write("HidP_GetCaps failed.");
            return false;
        }
        m_debug.Write(Format("DevicePath:%s,Usage:0x%04x,UsagePage:0x%04x,FeatureReportByteLength:"
                             "0x%04x,InputReportByteLength:0x%x,OutputReportByteLength:0x%x\n",
                             info.path.c_str(), info.usage, info.usagePage,
                             info.featureReportLength, info.inputReportLength,
                             info.outputReportLength));
        bool matches = false;
        switch (kind) {
            case Kind::kEvent:
                matches = info.usagePage == 0xFF02 && info.usage == 0x0001 && info.inputReportLength != 0;
                break;
            case Kind::kCommand:
                matches = info.usagePage == 0xFF01 && info.usage == 0x0001 &&
                          info.featureReportLength == 9;
                break;
            case Kind::kPad:
                matches = info.usagePage == 0xFF00 && info.usage == 0xFF00 &&
                          info.featureReportLength == 9;
                break;
        }
        if (!matches) {
            continue;
        }
        int error = 0;
        std::unique_ptr<HidHandle> opened = m_backend.Open(
            info, kind == Kind::kEvent ? HidAccess::kRead : HidAccess::kReadWrite, &error);
        if (!opened) {
            if (error == EACCES || error == EPERM) {
                m_state.refused.push_back({info.productId, info.path});
                m_debug.Write("QM517 Pro found, but this user may not open " + info.path +
                              ": install the udev rule.\n");
                continue;
            }
            return false;
        }
        std::shared_ptr<HidHandle> handle(std::move(opened));
        switch (kind) {
            case Kind::kEvent:
                (variant == MouseVariant::kA11D ? m_state.eventInputLengthA
                                                : m_state.eventInputLengthB) = info.inputReportLength;
                m_state.SetEventHandle(variant, std::move(handle));
                break;
            case Kind::kCommand:
                m_state.featureLength = info.featureReportLength;
                m_state.inputLength = info.inputReportLength;
                m_state.outputLength = info.outputReportLength;
                m_state.SetCommandHandle(variant, std::move(handle));
                break;
            case Kind::kPad:
                m_state.SetPadHandle(std::move(handle));
                break;
        }
        return true;
    }
    m_debug.Write("SetupDiEnumDeviceInterfaces failed.\n");
    return false;
}

void Discovery::DiscoverMice() {
    std::erase_if(m_state.refused, [](const RefusedInterface& r) { return r.productId != kProductPad; });
    for (MouseVariant variant : {MouseVariant::kA11D, MouseVariant::kA1DC}) {
        const bool found = FindEventInterface(variant) && FindCommandInterface(variant);
        (variant == MouseVariant::kA11D ? m_state.presentA : m_state.presentB) = found ? 1 : 0;
    }
    for (MouseVariant variant : {MouseVariant::kA11D, MouseVariant::kA1DC}) {
        const bool present = (variant == MouseVariant::kA11D ? m_state.presentA : m_state.presentB) != 0;
        if (present && m_signal) {
            m_signal(variant);
        }
    }
}

void Discovery::DiscoverPad() {
    std::erase_if(m_state.refused, [](const RefusedInterface& r) { return r.productId == kProductPad; });
    m_state.presentP = FindPadInterface() ? 1 : 0;
}

bool FirmwareTooOld(const DiscoveryState& state) {
    if (state.presentB != 0) {
        return state.versionB >= 1 && state.versionB <= 0x106;
    }
    if (state.presentA != 0) {
        return state.versionA >= 1 && state.versionA <= 0x301;
    }
    return false;
}

void CheckFirmware(const DiscoveryState& state, FirmwarePort& port) {
    if (port.WindowExists("Programmer V1.0.0") || !FirmwareTooOld(state)) {
        return;
    }
    if (port.AskToUpdateFirmware("QM517 Pro", kOutdatedFirmwareText)) {
        port.StartFirmwareUpdate();
    }
    port.Quit();
}

}  // namespace qm
