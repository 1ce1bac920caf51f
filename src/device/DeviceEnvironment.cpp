// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceEnvironment.h"

#include "platform/DesktopPointer.h"
#include "platform/HidapiBackend.h"

namespace qm {

DeviceEnvironment::DeviceEnvironment(const DeviceEnvironmentOptions& options) {
    if (options.emulate) {
        m_virtual = std::make_unique<VirtualDevices>();
        m_virtual->SetDebug(&m_debug);
        for (uint16_t productId : options.emulated) {
            const auto fault = options.faults.find(productId);
            m_virtual->Plug(productId, 0, fault != options.faults.end() ? fault->second : VirtualFaults{});
        }
        m_virtual->ReadNotices();  // present from the start, as devices plugged in before
        m_backend = m_virtual.get();
    } else {
        m_real = std::make_unique<HidapiBackend>();
        m_backend = m_real.get();
        m_udev = CreateUdevHotplug();
        // Only real devices change the desktop's pointer options.
        m_desktop = std::make_unique<DesktopPointerSink>();
        m_pointer.Add(*m_desktop);
    }
    m_clock = options.virtualClock ? static_cast<Clock*>(&m_virtualClock) : &m_realClock;
    if (m_virtual) {
        m_virtual->SetClock(m_clock);  // the devices time their pauses by the program's clock
    }
    if (!options.traceFile.empty()) {
        m_tracePath = options.traceFile;
        m_traceFile.open(options.traceFile, std::ios::trunc);
        if (!m_traceFile) {
            m_error = "cannot write the trace file " + options.traceFile;
            return;
        }
        m_trace = std::make_unique<Trace>(m_traceFile);
        m_tracing = std::make_unique<TracingHidBackend>(*m_backend, *m_trace);
        m_backend = m_tracing.get();
        m_tracingClock = std::make_unique<TracingClock>(*m_clock, *m_trace);
        m_clock = m_tracingClock.get();
        m_tracePointer = std::make_unique<TracePointerSink>(*m_trace);
        m_pointer.Add(*m_tracePointer);
    }
}

DeviceEnvironment::~DeviceEnvironment() = default;

std::string DeviceEnvironment::TraceError() const {
    return m_trace && m_trace->Failed() ? "writing the trace file " + m_tracePath + " failed: it is incomplete"
                                        : std::string{};
}

HotplugSource* DeviceEnvironment::Hotplug() {
    return m_virtual ? static_cast<HotplugSource*>(m_virtual.get()) : m_udev.get();
}

bool ParseFaults(const std::vector<std::string>& texts, bool emulate, const std::set<uint16_t>& emulated,
                 std::map<uint16_t, VirtualFaults>& faults, std::string& error) {
    for (const std::string& text : texts) {
        uint16_t productId = 0;
        if (!emulate) {
            error = "--fault " + text + ": faults are for the virtual devices (--emulate)";
            return false;
        }
        if (!ParseFault(text, faults, productId, error)) {
            return false;
        }
        if (emulated.count(productId) == 0) {
            error = "--fault " + text + ": that device is not emulated";
            return false;
        }
    }
    return true;
}

DeviceOption ParseDeviceOption(const std::vector<std::string>& args, size_t& i, bool virtualClock,
                               DeviceEnvironmentOptions& options, std::vector<std::string>& faultTexts,
                               std::string& error) {
    const std::string& arg = args[i];
    const auto value = [&](const char* option, std::string& into) {
        if (i + 1 >= args.size()) {
            error = std::string(option) + (std::string(option) == "--trace" ? " needs a file name" : " needs DEVICE:FAULT");
            return DeviceOption::kError;
        }
        into = args[++i];
        return DeviceOption::kTaken;
    };
    if (arg == "--emulate") {
        options.emulate = true;
        options.emulated = {0xA11D, 0xA1DC, 0xA1C9};
        return DeviceOption::kTaken;
    }
    if (arg.rfind("--emulate=", 0) == 0) {
        options.emulate = true;
        options.emulated.clear();
        std::string bad;
        if (!ParseEmulatedDevices(arg.substr(10), options.emulated, bad)) {
            error = "unknown virtual device " + bad + " (a11d, a1dc, pad)";
            return DeviceOption::kError;
        }
        return DeviceOption::kTaken;
    }
    if (virtualClock && arg == "--virtual-clock") {
        options.virtualClock = true;
        return DeviceOption::kTaken;
    }
    if (arg == "--trace") {
        return value("--trace", options.traceFile);
    }
    if (arg.rfind("--trace=", 0) == 0) {
        options.traceFile = arg.substr(8);
        return DeviceOption::kTaken;
    }
    if (arg == "--fault") {
        std::string text;
        const DeviceOption result = value("--fault", text);
        if (result == DeviceOption::kTaken) {
            faultTexts.push_back(text);
        }
        return result;
    }
    if (arg.rfind("--fault=", 0) == 0) {
        faultTexts.push_back(arg.substr(8));
        return DeviceOption::kTaken;
    }
    return DeviceOption::kNotOne;
}

bool ParseEmulatedDevices(const std::string& list, std::set<uint16_t>& devices, std::string& bad) {
    const std::string names = list + ",";
    for (size_t start = 0, comma; (comma = names.find(',', start)) != std::string::npos; start = comma + 1) {
        const std::string name = names.substr(start, comma - start);
        if (name == "a11d") {
            devices.insert(0xA11D);
        } else if (name == "a1dc") {
            devices.insert(0xA1DC);
        } else if (name == "pad") {
            devices.insert(0xA1C9);
        } else if (!name.empty()) {
            bad = name;
            return false;
        }
    }
    return true;
}

}  // namespace qm
