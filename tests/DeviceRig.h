#pragma once

#include <sstream>

#include "TestUtil.h"
#include "device/DeviceLink.h"
#include "device/PointerSettings.h"
#include "device/Upload.h"
#include "emulator/VirtualDevices.h"
#include "model/ProfileFiles.h"
#include "platform/TracingHidBackend.h"

namespace qm::test {

// Virtual devices behind a traced backend and a virtual clock, a profile folder, and
// everything an upload needs. Devices are plugged by the test.
struct DeviceRig {
    VirtualDevices devices;  // first: outlives every handle opened on it
    VirtualClock clock;
    std::ostringstream traceText;
    Trace trace{traceText};
    TracingHidBackend backend{devices, trace};
    TracingClock tracingClock{clock, trace};
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
    void ClearTrace() {
        traceText.str("");
        clock.Clear();
    }
};

}  // namespace qm::test
