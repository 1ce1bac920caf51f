// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/Upload.h"

#include <algorithm>

#include "device/PointerSettings.h"
#include "platform/Format.h"

namespace qm {

namespace {

void Step(UploadContext& c, UploadDevice device, UploadStepKind kind) {
    c.transport.SetStep(UploadStep{device, kind});
    if (c.progress) {
        c.progress(UploadStep{device, kind});
    }
}

void SaveProfileAndCaptions(UploadContext& c) {
    if (!c.saveProfile) {
        return;
    }
    c.files.SaveCurrentProfile();
    c.files.SaveCaptions(c.files.CurrentIniPath());
}

}  // namespace

const char* DeviceName(UploadDevice device) {
    return device == UploadDevice::kMouseA11D ? "mouse A11D" : device == UploadDevice::kMouseA1DC ? "mouse A1DC" : "mousepad";
}

namespace {

const char* StepName(UploadStepKind kind) {
    const char* what = "";
    switch (kind) {
        case UploadStepKind::kReportRate: what = "report rate"; break;
        case UploadStepKind::kSensitivity: what = "axis sensitivity"; break;
        case UploadStepKind::kStageColours: what = "stage colours"; break;
        case UploadStepKind::kDpiStages: what = "DPI stages"; break;
        case UploadStepKind::kButtonTable: what = "button table"; break;
        case UploadStepKind::kMacros: what = "macros"; break;
        case UploadStepKind::kLighting: what = "lighting"; break;
        case UploadStepKind::kPadColours: what = "colours"; break;
        case UploadStepKind::kPadEffect: what = "lighting effect"; break;
    }
    return what;
}

}  // namespace

std::string DescribeStep(const UploadStep& step) {
    return std::string(DeviceName(step.device)) + ": " + StepName(step.kind);
}

std::vector<UploadDevice> PresentDevices(const DiscoveryState& discovery) {
    std::vector<UploadDevice> devices;
    if (discovery.presentA != 0) {
        devices.push_back(UploadDevice::kMouseA11D);
    }
    if (discovery.presentB != 0) {
        devices.push_back(UploadDevice::kMouseA1DC);
    }
    if (discovery.presentP != 0) {
        devices.push_back(UploadDevice::kPad);
    }
    return devices;
}

const char* ShortName(UploadDevice device) {
    return device == UploadDevice::kMouseA11D ? "a11d" : device == UploadDevice::kMouseA1DC ? "a1dc" : "pad";
}

std::optional<UploadDevice> LockPresentDevices(UploadLock& lock, const DiscoveryState& discovery, int timeoutMs,
                                               Clock& clock, const std::function<void(UploadDevice)>& waiting) {
    const std::vector<UploadDevice> devices = PresentDevices(discovery);
    std::vector<std::string> names;
    for (const UploadDevice device : devices) {
        names.push_back(ShortName(device));
    }
    const auto deviceOf = [&](const std::string& name) {
        return *std::find_if(devices.begin(), devices.end(), [&](UploadDevice d) { return name == ShortName(d); });
    };
    const std::string busy = lock.Acquire(names, timeoutMs, [&](const std::string& name) {
        if (waiting) {
            waiting(deviceOf(name));
        }
    }, clock);
    return busy.empty() ? std::nullopt : std::optional<UploadDevice>(deviceOf(busy));
}

std::vector<DeviceFailure> FailuresByDevice(const std::vector<TransferFailure>& failures) {
    std::vector<DeviceFailure> byDevice;
    for (const TransferFailure& f : failures) {
        if (!f.step) {
            continue;
        }
        auto it = std::find_if(byDevice.begin(), byDevice.end(),
                               [&](const DeviceFailure& d) { return d.device == f.step->device; });
        if (it == byDevice.end()) {
            byDevice.push_back({f.step->device, f.step->kind, f.what, 0});
            it = byDevice.end() - 1;
        }
        ++it->count;
    }
    std::sort(byDevice.begin(), byDevice.end(),
              [](const DeviceFailure& a, const DeviceFailure& b) { return a.device < b.device; });
    return byDevice;
}

std::string DescribeFailure(const DeviceFailure& f) {
    return Format("%s: %d %s failed, the first in the %s step (%s)", DeviceName(f.device), f.count,
                  f.count == 1 ? "report" : "reports", StepName(f.firstStep), f.firstWhat.c_str());
}

int CountUploadSteps(bool mouseA11D, bool mouseA1DC, bool pad) {
    return 7 * ((mouseA11D ? 1 : 0) + (mouseA1DC ? 1 : 0)) + (pad ? 2 : 0);
}

void UploadMouse(UploadContext& c, MouseVariant variant) {
    // Held for the whole upload: a rediscovery meanwhile cannot close it under us.
    const std::shared_ptr<HidHandle> owner = c.discovery.CommandHandle(variant);
    HidHandle* handle = owner.get();
    const ReportLengths lengths{c.discovery.featureLength, c.discovery.inputLength,
                                c.discovery.outputLength};
    const SettingsRecord& r = c.settings.record;
    const UploadDevice name = variant == MouseVariant::kA11D ? UploadDevice::kMouseA11D : UploadDevice::kMouseA1DC;
    Transport& t = c.transport;

    Step(c, name, UploadStepKind::kReportRate);
    Frame frame{kMouseReadInterval};
    t.SendCommand(handle, frame, true, lengths);
    std::copy_n(frame.begin() + 1, 4, c.device.intervalReply.begin());
    c.debug.Write(Format("ReportRate:%02x\n", frame[1]));
    frame = IntervalFrame(r, c.device);
    t.SendCommand(handle, frame, false, lengths);

    Step(c, name, UploadStepKind::kSensitivity);
    frame = SensitivityFrame(r);
    t.SendCommand(handle, frame, false, lengths);
    t.Pause(50);  // the mouse needs a second 50 ms after the sensitivity

    Step(c, name, UploadStepKind::kStageColours);
    Block block = StageColourBlock(r);
    frame = BlockFrame(kMouseStageColours, 1);
    t.TransferBlocks(handle, frame, block.data(), false, block.size(), lengths);

    Step(c, name, UploadStepKind::kDpiStages);
    frame = Frame{kMouseReadStage};
    t.SendCommand(handle, frame, true, lengths);
    c.device.currentStage = frame[1];
    c.debug.Write(Format("nCurDPI:%02x\n", frame[1]));
    const bool dpiSetA = c.discovery.presentA != 0;
    frame = DpiStagesFrame08(r, dpiSetA);
    t.SendCommand(handle, frame, false, lengths);
    frame = DpiStagesFrame07(r, dpiSetA, c.device.currentStage);
    t.SendCommand(handle, frame, false, lengths);

    Step(c, name, UploadStepKind::kButtonTable);
    BuildButtonTable(r, c.device);
    block = ButtonTableBlock(c.device);
    frame = BlockFrame(kMouseButtonTable, 1);
    t.TransferBlocks(handle, frame, block.data(), false, block.size(), lengths);

    Step(c, name, UploadStepKind::kMacros);
    std::copy_n(r.MacroSlot(0), c.device.macroArea.size(), c.device.macroArea.begin());
    for (int m = 0; m < static_cast<int>(rec::kMacroSlotCount); ++m) {
        auto data = MacroTransfer(c.device, m);
        frame = BlockFrame(kMouseMacro, 3, static_cast<uint8_t>(m));
        t.TransferBlocks(handle, frame, data.data(), false, data.size(), lengths);
    }

    Step(c, name, UploadStepKind::kLighting);
    Block readBack{};
    frame = BlockFrame(kMouseReadLightColours, 1);
    t.TransferBlocks(handle, frame, readBack.data(), true, readBack.size(), lengths);
    block = LightColourBlock(r, readBack, c.device);
    frame = BlockFrame(kMouseLightColours, 1);
    t.TransferBlocks(handle, frame, block.data(), false, block.size(), lengths);
    frame = LightEffectFrame(r);
    t.SendCommand(handle, frame, false, lengths);

    SaveProfileAndCaptions(c);
}

void UploadPad(UploadContext& c) {
    const std::shared_ptr<HidHandle> owner = c.discovery.PadHandle();
    const ReportLengths lengths{9, 0, 0};
    Step(c, UploadDevice::kPad, UploadStepKind::kPadColours);
    for (const Frame& frame : PadColourFrames(c.settings.record)) {
        c.transport.SendPadFrame(owner.get(), frame, lengths);
    }
    Step(c, UploadDevice::kPad, UploadStepKind::kPadEffect);
    c.transport.SendPadFrame(owner.get(), PadEffectFrame(c.settings.record), lengths);
    c.transport.ReadPadFrame(owner.get(), kPadReadBack, lengths);
}

void ApplySettings(UploadContext& c) {
    if (c.discovery.presentA != 0) {
        UploadMouse(c, MouseVariant::kA11D);
    }
    if (c.discovery.presentB != 0) {
        UploadMouse(c, MouseVariant::kA1DC);
    }
    if (c.discovery.presentP != 0) {
        UploadPad(c);
    }
    c.transport.SetStep(std::nullopt);
    SaveProfileAndCaptions(c);
    c.settings.Commit();
    ApplyPointerSettings(c.settings.record, c.pointer, c.debug);
}

void ResetToDefaults(UploadContext& c) {
    c.files.SetResetInProgress(true);
    const uint8_t profileIndex = c.settings.record[rec::kProfileIndex];
    std::array<uint8_t, rec::kMacroSlotSize * rec::kMacroSlotCount> macros;
    std::copy_n(c.settings.record.MacroSlot(0), macros.size(), macros.begin());

    c.files.LoadCurrentProfile();
    ApplyFactoryDefaults(c.settings.record);
    c.files.LoadCaptions(c.files.StrIniPath());

    c.settings.record[rec::kProfileIndex] = profileIndex;
    std::copy(macros.begin(), macros.end(), c.settings.record.MacroSlot(0));
    ApplySettings(c);
    c.files.SetResetInProgress(false);
}

}  // namespace qm
