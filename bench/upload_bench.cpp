// SPDX-License-Identifier: GPL-3.0-or-later
// One UploadMouse against the virtual mouse with the real clock. The protocol's pauses add
// up to 5350 ms; everything else the program does should be lost in them. Prints the wall
// time divided by 5350 ms; the target is 1.01 or less.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "device/DeviceLink.h"
#include "device/Upload.h"
#include "emulator/VirtualDevices.h"
#include "model/ProfileFiles.h"
#include "platform/DesktopPointer.h"

int main() {
    using namespace qm;
    VirtualDevices devices;
    devices.Plug(0xA11D);
    RealClock clock;
    DebugOutput debug;
    char folder[] = "/tmp/qm517-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    SettingsState settings;
    ApplyFactoryDefaults(settings.record);
    ButtonCaptions captions;
    UiStrings strings;
    ProfileFiles files(std::string(folder) + "/", settings, captions, strings, debug);
    DesktopPointerSink pointer(false, false, [](const std::vector<std::string>&) { return 0; });
    DeviceLink link(devices, clock, debug);
    link.discovery.DiscoverMice();
    UploadContext context{settings, link.device, link.state, link.transport, files,
                          captions, pointer, debug, {}, false};

    const auto start = std::chrono::steady_clock::now();
    UploadMouse(context, MouseVariant::kA11D);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double ms = std::chrono::duration<double, std::milli>(elapsed).count();
    std::printf("UploadMouse: %.1f ms, %.4f x 5350 ms (target <= 1.01)\n", ms, ms / 5350.0);
    std::remove((std::string(folder) + "/config0.bin").c_str());
    rmdir(folder);
    return 0;
}
