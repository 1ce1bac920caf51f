// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "device/PointerSettings.h"
#include "emulator/VirtualDevices.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/Hid.h"
#include "platform/Hotplug.h"
#include "platform/Trace.h"
#include "platform/TracingHidBackend.h"

namespace qm {

// What the utility and qm517ctl run against: the real devices (hidapi, udev, the desktop's
// pointer settings) or the virtual ones, a real or virtual clock, and optionally a trace of
// every report, pause and pointer setting.
struct DeviceEnvironmentOptions {
    bool emulate = false;
    std::set<uint16_t> emulated{0xA11D, 0xA1DC, 0xA1C9};
    bool virtualClock = false;
    std::string traceFile;
    // Faults of the virtual devices (--fault), by product ID.
    std::map<uint16_t, VirtualFaults> faults;
};

// The list of "--emulate=a11d,a1dc,pad": the product IDs named. False (with the name in
// `bad`) for a name that is none of the three.
bool ParseEmulatedDevices(const std::string& list, std::set<uint16_t>& devices, std::string& bad);

// The faults of "--fault DEVICE:FAULT[=N]" options for the virtual devices in `emulated`.
// False with `error` set when one is malformed, used without --emulate, or names a
// device that is not emulated.
bool ParseFaults(const std::vector<std::string>& texts, bool emulate, const std::set<uint16_t>& emulated,
                 std::map<uint16_t, VirtualFaults>& faults, std::string& error);

// One device option of either program's command line, at args[i]: --emulate[=LIST],
// --virtual-clock (where `virtualClock` allows it), --trace FILE or --trace=FILE, --fault
// SPEC or --fault=SPEC (collected in `faultTexts` for ParseFaults, once the whole line is
// read). `i` moves past an argument of its own.
enum class DeviceOption { kTaken, kNotOne, kError };
DeviceOption ParseDeviceOption(const std::vector<std::string>& args, size_t& i, bool virtualClock,
                               DeviceEnvironmentOptions& options, std::vector<std::string>& faultTexts,
                               std::string& error);

class DeviceEnvironment {
public:
    explicit DeviceEnvironment(const DeviceEnvironmentOptions& options);
    ~DeviceEnvironment();

    // Non-empty when the environment could not be set up (the trace file, say).
    const std::string& Error() const { return m_error; }
    // Non-empty when a line of the trace could not be written.
    std::string TraceError() const;
    HidBackend& Backend() { return *m_backend; }
    Clock& GetClock() { return *m_clock; }
    PointerSink& Pointer() { return m_pointer; }
    DebugOutput& Debug() { return m_debug; }
    // udev on real devices, the virtual devices' notices otherwise.
    HotplugSource* Hotplug();
    // The virtual devices, or nullptr with real ones.
    VirtualDevices* Virtual() { return m_virtual.get(); }

private:
    DebugOutput m_debug;
    // First: outlives every handle opened on it.
    std::unique_ptr<VirtualDevices> m_virtual;
    std::unique_ptr<HidBackend> m_real;
    std::unique_ptr<HotplugSource> m_udev;
    std::ofstream m_traceFile;
    std::unique_ptr<Trace> m_trace;
    std::unique_ptr<TracingHidBackend> m_tracing;
    HidBackend* m_backend = nullptr;
    RealClock m_realClock;
    VirtualClock m_virtualClock;
    std::unique_ptr<TracingClock> m_tracingClock;
    Clock* m_clock = nullptr;
    PointerSinks m_pointer;
    std::unique_ptr<PointerSink> m_desktop;
    std::unique_ptr<TracePointerSink> m_tracePointer;
    std::string m_error;
    std::string m_tracePath;
};

}  // namespace qm
