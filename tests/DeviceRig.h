// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "TestUtil.h"
#include "device/DeviceLink.h"
#include "device/PointerSettings.h"
#include "device/Upload.h"
#include "emulator/VirtualDevices.h"
#include "model/ProfileFiles.h"
#include "platform/TracingHidBackend.h"

namespace qm::test {

// A clock that can leave out one of the program's pauses (the `skip`-th sleep, counted
// from 0), to show that the devices notice.
struct SkippingClock : Clock {
    explicit SkippingClock(Clock& clock) : inner(clock) {}
    void Sleep(int milliseconds) override {
        if (sleeps++ != skip) {
            inner.Sleep(milliseconds);
        }
    }
    uint32_t TickCount() override { return inner.TickCount(); }
    bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, int timeoutMs,
                 const std::function<bool()>& ready) override {
        return inner.WaitFor(cv, lock, timeoutMs, ready);
    }
    bool WaitReadable(int fd, int timeoutMs) override { return inner.WaitReadable(fd, timeoutMs); }
    Clock& inner;
    int skip = -1;
    int sleeps = 0;
};

// Virtual devices behind a traced backend and a virtual clock, a profile folder, and
// everything an upload needs. Devices are plugged by the test.
struct DeviceRig {
    VirtualDevices devices;  // first: outlives every handle opened on it
    VirtualClock clock;
    SkippingClock skippingClock{clock};
    std::ostringstream traceText;
    Trace trace{traceText};
    TracingHidBackend backend{devices, trace};
    TracingClock tracingClock{skippingClock, trace};
    CapturedDebugOutput debug;
    TempDir dir;
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    ProfileFiles files{dir.Path(), settings, captions, strings, debug};
    TracePointerSink pointer{trace};
    DeviceLink link{backend, tracingClock, debug};
    UploadContext context{settings, link.device, link.state, link.transport, files,
                          captions, pointer, debug, {}, true};

    DeviceRig() {
        devices.SetClock(&clock);
        strings.FillUiStrings("EN");
        ApplyFactoryDefaults(settings.record);
        link.transport.SetBlockReadTimeout(20);
    }
    void Discover() {
        link.discovery.DiscoverMice();
        link.discovery.DiscoverPad();
    }
    std::vector<std::string> TraceLines() const {
        std::vector<std::string> lines;
        std::istringstream in(traceText.str());
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    // Nothing was sent that hardware would not take: no report too soon after the one
    // before it, no unknown command, no report of the wrong length.
    void ExpectCleanTraffic() const {
        const VirtualTrafficErrors errors = devices.TrafficErrors();
        std::string details;
        for (const std::string& line : errors.details) {
            details += line + "\n";
        }
        EXPECT_TRUE(errors.Clean()) << "pacing " << errors.pacingViolations << ", unknown " << errors.unknownCommands
                                    << ", refused " << errors.refusedReports << "\n"
                                    << details;
    }
    void ClearTrace() {
        traceText.str("");
        clock.Clear();
    }
};

}  // namespace qm::test
