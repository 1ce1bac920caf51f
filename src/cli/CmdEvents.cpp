// SPDX-License-Identifier: GPL-3.0-or-later
// events: DPI stage changes and plug notices, printed as the window would show them, until
// Ctrl+C.
#include <mutex>
#include <ostream>
#include <poll.h>

#include "cli/Command.h"
#include "device/DeviceEvents.h"
#include "device/DeviceLink.h"

namespace qm::ctl {

namespace {

// Waits until `a` or `b` can be read (either may be -1), or a signal comes: the caller
// looks again at what it waits for.
void WaitForEither(int a, int b) {
    pollfd fds[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
    ::poll(fds, 2, -1);
}

// Prints what device notices would show or do in the window.
class PrintingWindow : public DeviceWindowPort {
public:
    PrintingWindow(std::ostream& out, std::mutex& mutex, StageNotices& notices,
                   const SettingsState& settings, const UiStrings& strings)
        : m_out(out), m_mutex(mutex), m_notices(notices), m_settings(settings), m_strings(strings) {}

    void PostDeviceEvent(int wParam) override { Show(wParam, 0); }
    void HideWindow() override {}
    void AddTrayIcon() override {}
    void RemoveTrayIcon() override {}
    void SetDpiScale(int) override {}
    void CheckFirmware() override {}
    void CloseMacroManager() override {}
    void PadPresenceChanged(bool present) override {
        Print(present ? "mousepad: present" : "mousepad: absent");
    }

    void Show(int wParam, int lParam) {
        std::lock_guard lock(m_mutex);
        if (auto balloon = m_notices.OnDeviceStage(wParam, lParam, m_settings.appliedCopy, m_strings)) {
            m_out << balloon->title << ": " << balloon->text << "\n" << std::flush;
        }
    }
    void Print(const std::string& line) {
        std::lock_guard lock(m_mutex);
        m_out << line << "\n" << std::flush;
    }

private:
    std::ostream& m_out;
    std::mutex& m_mutex;
    StageNotices& m_notices;
    const SettingsState& m_settings;
    const UiStrings& m_strings;
};

}  // namespace

int Events(CommandContext& c) {
    DeviceEnvironment& env = *c.env;
    std::ostream& out = c.out;
    StopRequest* stop = c.stop;
    CommandProfiles profiles(c.err, &env.Debug());
    if (!profiles.Ready()) {
        return kExitFailure;
    }
    ProfileSession& s = profiles.Session();
    DeviceLink link(env.Backend(), env.GetClock(), env.Debug());
    link.DiscoverAll(s.settings.record);
    ReportRefused(link.state, c.err);
    s.files.LoadCurrentProfile();
    // The stages' DPI are told from what the mouse was last given, the factory settings
    // where the utility has never set it up.
    s.GiveFactorySettingsIfNew();
    s.settings.Commit();
    s.strings.FillUiStrings(s.files.ReadLanguageCode());

    std::mutex mutex;
    StageNotices notices;
    PrintingWindow window(out, mutex, notices, s.settings, s.strings);
    DeviceChangeHandler handler(link.discovery, link.state, link.device, s.settings, s.files,
                                env.Debug(), window);
    const PhaseScope phase(Phase::kEvents);
    window.Print(link.state.AnyMouse() ? "Waiting for DPI stage changes (Ctrl+C ends)."
                                       : "No QM517 Pro found; waiting for one (Ctrl+C ends).");
    link.StartReaders([&](int wParam, int lParam) { window.Show(wParam, lParam); });

    // Asleep until a device comes or goes or Ctrl+C comes.
    HotplugSource* hotplug = env.Hotplug();
    while (stop == nullptr || !stop->Requested()) {
        WaitForEither(hotplug != nullptr ? hotplug->Fd() : -1, stop != nullptr ? stop->Fd() : -1);
        if (hotplug != nullptr) {
            for (const DeviceNotice& notice : hotplug->ReadNotices()) {
                window.Print(std::string(notice.event == kDbtDeviceArrival ? "arrival: " : "removal: ") +
                             notice.name);
                handler.OnDeviceChange(notice.event, notice.deviceType, notice.name);
            }
        }
    }
    link.StopReaders();
    return kExitOk;
}


}  // namespace qm::ctl
