// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CtlCommands.h"

#include <map>
#include <mutex>
#include <thread>
#include <ostream>
#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include "device/DeviceEnvironment.h"
#include "device/DeviceLink.h"
#include "device/PointerSettings.h"
#include "device/Upload.h"
#include "i18n/UiStrings.h"
#include "macros/MacroCompiler.h"
#include "model/FirstRun.h"
#include "model/ProfileDescription.h"
#include "model/ProfileFiles.h"
#include "platform/AppDataFolder.h"
#include "platform/Autostart.h"
#include "platform/FileUtil.h"
#include "platform/Format.h"
#include "platform/ProfileIni.h"
#include "platform/RestoreChannel.h"
#include "platform/UdevRule.h"
#include "platform/UploadLock.h"

namespace qm::ctl {

namespace {

// What the command is doing, for the signal handler.
enum Phase : int { kPhaseOther = 0, kPhaseUpload = 1, kPhaseEvents = 2 };
std::atomic<int> g_phase{kPhaseOther};
StopRequest g_stop;  // made before main(), so that the handler never makes it

// Sets the phase for the life of the object.
struct PhaseScope {
    explicit PhaseScope(Phase phase) { g_phase = phase; }
    ~PhaseScope() { g_phase = kPhaseOther; }
};

}  // namespace

StopRequest::StopRequest() : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

StopRequest::~StopRequest() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void StopRequest::Request() {
    m_requested = true;
    const uint64_t one = 1;
    if (m_fd >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(m_fd, &one, sizeof one);
    }
}

StopRequest& SignalledStop() {
    return g_stop;
}

void OnSignal(int) {
    g_stop.Request();
    if (g_phase.load() == kPhaseOther) {
        ::_exit(kExitInterrupted);  // nothing to finish: end at once
    }
}

void PrintUsage(std::ostream& out) {
    out << "Usage: qm517ctl [OPTIONS] COMMAND [ARGUMENTS]\n"
           "\n"
           "Commands:\n"
           "  list              the devices found, their firmware versions and presence flags\n"
           "  apply             upload the current profile to every device, save it and set\n"
           "                    the pointer options (what Apply in the window does)\n"
           "  apply FILE.bin    upload an exported profile; the saved profiles stay as they are\n"
           "  reset             give the current profile the factory settings and upload them\n"
           "  show [FILE.bin]   print the current profile, or an exported profile file\n"
           "  events            print DPI stage changes and plug notices until interrupted\n"
           "  restore           ask the running utility to show its window\n"
           "  autostart on|off|status\n"
           "                    start the utility in the tray with the desktop, or not\n"
           "\n"
           "Options:\n"
           "  --emulate[=a11d,a1dc,pad]  use virtual devices (all three without a list)\n"
           "  --virtual-clock            record the protocol's pauses instead of waiting\n"
           "  --trace FILE               write every report and pause to FILE\n"
           "  --fault DEVICE:FAULT[=N]   make a virtual device misbehave (with --emulate;\n"
           "                             repeatable): DEVICE a11d, a1dc or pad; FAULT\n"
           "                             vanish-after=N, refuse-open, short-read, stall,\n"
           "                             garbage-reply or eio (=N: after N good reports)\n"
           "  --no-wait                  fail at once when another upload to a device runs\n"
           "  --version                  print the version\n"
           "  -h, --help                 print this help\n";
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::ostream& err) {
    std::vector<std::string> faultTexts;
    const auto usage = [&](const std::string& message) {
        err << "qm517ctl: " << message << "\n";
        PrintUsage(err);
        return false;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            options.command = "help";
        } else if (arg == "--version") {
            options.command = "version";
        } else if (arg == "--emulate") {
            options.emulate = true;
            options.emulated = {0xA11D, 0xA1DC, 0xA1C9};
        } else if (arg.rfind("--emulate=", 0) == 0) {
            options.emulate = true;
            std::string bad;
            if (!ParseEmulatedDevices(arg.substr(10), options.emulated, bad)) {
                return usage("unknown virtual device " + bad + " (a11d, a1dc, pad)");
            }
        } else if (arg == "--virtual-clock") {
            options.virtualClock = true;
        } else if (arg == "--trace") {
            if (i + 1 >= args.size()) {
                return usage("--trace needs a file name");
            }
            options.traceFile = args[++i];
        } else if (arg.rfind("--trace=", 0) == 0) {
            options.traceFile = arg.substr(8);
        } else if (arg == "--fault") {
            if (i + 1 >= args.size()) {
                return usage("--fault needs DEVICE:FAULT");
            }
            faultTexts.push_back(args[++i]);
        } else if (arg.rfind("--fault=", 0) == 0) {
            faultTexts.push_back(arg.substr(8));
        } else if (arg == "--no-wait") {
            options.noWait = true;
        } else if (arg.rfind("--", 0) == 0) {
            return usage("unknown option " + arg);
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.arguments.push_back(arg);
        }
    }
    if (options.command.empty()) {
        return usage("no command given");
    }
    // Checked once the whole line is read: a fault needs --emulate and a device it names.
    if (std::string error; !ParseFaults(faultTexts, options.emulate, options.emulated, options.faults, error)) {
        return usage(error);
    }
    return true;
}

namespace {

// The profile side: folder, record, captions, strings.
struct Session {
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    ProfileFiles files;

    Session(const std::string& folder, DebugOutput& debug)
        : files(folder, settings, captions, strings, debug) {}

    // Start-up as the window does it: load, commit, language, captions, the mark check.
    // Without a usable profile list nothing is loaded and nothing is written.
    bool LoadAsAtStartUp() {
        if (!files.LoadCurrentProfile() || !files.RecordUnreadable().empty()) {
            return false;
        }
        settings.Commit();
        strings.FillUiStrings(files.LanguageCode());
        files.LoadCaptions(files.CurrentIniPath());
        if (files.CheckInitialisationMark()) {
            settings.Commit();
        }
        return true;
    }

    // A profile the utility has not yet started with gets the factory settings at its
    // next start: given here in memory only, nothing written. True when it did.
    bool GiveFactorySettingsIfNew() {
        const std::string mark = ProfileIni::GetString(files.CurrentIniPath(), "Profile", "IsDefault");
        if (mark == "N" || mark.empty()) {
            ApplyFactoryDefaults(settings.record);
            return true;
        }
        return false;
    }
};

bool PrepareFolder(std::string& folder, std::ostream& err) {
    folder = AppDataFolder();
    if (folder.empty()) {
        err << "qm517ctl: no home folder: set HOME or XDG_CONFIG_HOME\n";
        return false;
    }
    int error = 0;
    for (const std::string& line : PrepareProfileFolder(folder, LanguageFromLocale(UserLocale()), &error)) {
        err << "qm517ctl: " << line << "\n";
    }
    return error == 0;
}

void ReportRefused(const DiscoveryState& state, std::ostream& err) {
    if (state.refused.empty()) {
        return;
    }
    for (const RefusedInterface& r : state.refused) {
        err << "qm517ctl: QM517 Pro found, but this user may not open it [" << r.path << "]\n";
    }
    err << UdevAdvice(FindUdevRule(ProgramFolder())) << "\n";
}

int Show(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.arguments.size() > 1) {
        err << "qm517ctl: show takes at most one file\n";
        return kExitUsage;
    }
    std::string folder;
    if (!PrepareFolder(folder, err)) {
        return kExitFailure;
    }
    DebugOutput debug;
    Session s(folder, debug);

    if (options.arguments.size() == 1) {
        const std::string& path = options.arguments[0];
        const auto size = RegularFileSize(path);
        if (!size || *size != static_cast<int64_t>(kRecordFileSize)) {
            err << "qm517ctl: " << path << " is not a profile file"
                << (size ? " (" + std::to_string(*size) + " bytes, expected 1885)" : "") << "\n";
            return kExitFailure;
        }
        s.files.LoadCurrentProfile();
        const std::string code = s.files.ReadLanguageCode();
        s.strings.FillUiStrings(code.empty() ? LanguageFromLocale(UserLocale()) : code);
        s.files.ReadRecordFile(path, s.settings.record, "", false);
        s.files.LoadCaptions(CompanionIniPath(path));
        out << "Profile file: " << path << "\n" << DescribeProfile(s.settings.record, s.captions);
        return kExitOk;
    }

    const bool loaded = s.files.LoadCurrentProfile();
    s.strings.FillUiStrings(s.files.ReadLanguageCode());
    s.files.LoadCaptions(s.files.CurrentIniPath());
    out << "Profile folder: " << folder << "\n";
    if (!loaded) {
        err << "qm517ctl: the profile list in " << s.files.StrIniPath()
            << " is unusable: no profile is loaded\n";
        return kExitFailure;
    }
    const IniDocument list = IniDocument::Load(s.files.StrIniPath());
    out << "Current profile: " << list.Get("Profile", "CurProfileName") << " ("
        << BaseName(s.files.CurrentConfigPath()) << ")\n";
    if (s.GiveFactorySettingsIfNew()) {
        out << "(not yet initialised: the factory settings it gets at the next start)\n";
    }
    out << DescribeProfile(s.settings.record, s.captions);
    return kExitOk;
}

// autostart on|off|status: the start at login of the utility beside this program.
int Autostart(const Options& options, std::ostream& out, std::ostream& err) {
    const std::string what = options.arguments.size() == 1 ? options.arguments[0] : std::string{};
    if (what != "on" && what != "off" && what != "status") {
        err << "qm517ctl: autostart takes on, off or status\n";
        return kExitUsage;
    }
    const std::string path = AutostartPath();
    if (path.empty()) {
        err << "qm517ctl: no home folder: set HOME or XDG_CONFIG_HOME\n";
        return kExitFailure;
    }
    int result = 0;
    if (what == "on") {
        result = EnableAutostart(UtilityProgramPath());
    } else if (what == "off") {
        result = DisableAutostart();
    }
    if (result == kAutostartLeftEdited) {
        err << "qm517ctl: " << path << " was changed by hand: it is left as it is\n";
        return kExitFailure;
    }
    if (result != 0) {
        err << "qm517ctl: cannot " << (what == "on" ? "write " : "remove ") << path << ": " << ErrnoText(result)
            << "\n";
        return kExitFailure;
    }
    switch (GetAutostart()) {
        case AutostartState::kOn:
            out << "on: the utility starts in the tray with the desktop (" << path << ")\n";
            break;
        case AutostartState::kOff:
            out << "off: the utility does not start with the desktop\n";
            break;
        case AutostartState::kEdited:
            out << "edited: " << path << " was changed by hand; the utility leaves it as it is\n";
            break;
    }
    return kExitOk;
}

int List(DeviceEnvironment& env, std::ostream& out, std::ostream& err) {
    DeviceLink link(env.Backend(), env.GetClock(), env.Debug());
    link.discovery.DiscoverMice();
    link.discovery.DiscoverPad();
    const DiscoveryState& s = link.state;
    ReportRefused(s, err);
    if (!s.AnyMouse() && s.presentP == 0) {
        if (!s.refused.empty()) {
            return kExitFailure;  // found, but not ours to open: said above
        }
        out << "No QM517 Pro and no mousepad found.\n";
        return kExitOk;
    }
    if (s.presentA != 0) {
        out << Format("mouse A11D: present, firmware %04x\n", s.versionA);
    }
    if (s.presentB != 0) {
        out << Format("mouse A1DC (3360): present, firmware %04x\n", s.versionB);
    }
    if (s.presentP != 0) {
        out << "mousepad: present\n";
    }
    out << Format("presence flags: A=%d B=%d P=%d\n", s.presentA.load(), s.presentB.load(),
                  s.presentP.load());
    if (FirmwareTooOld(s)) {
        out << "The mouse's firmware is too old: update it with the maker's updater.\n";
    }
    return s.refused.empty() ? kExitOk : kExitFailure;
}

// Waits until `a` or `b` can be read (either may be -1), or a signal comes: the caller
// looks again at what it waits for.
void WaitForEither(int a, int b) {
    pollfd fds[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
    ::poll(fds, 2, -1);
}

// Says once, on `err`, that Ctrl+C came during an upload and the upload goes on: when it
// came before the upload, while it runs (a watcher thread wakes for it) or too late in it
// for the watcher to say so first.
class InterruptNotice {
public:
    InterruptNotice(StopRequest* stop, std::ostream& err) : m_stop(stop), m_err(err) {
        if (m_stop == nullptr) {
            return;
        }
        TellIfRequested();
        // Without its descriptors nothing would wake the watcher: the notice then comes
        // before and after the upload only.
        if (m_done < 0 || m_stop->Fd() < 0) {
            return;
        }
        m_watcher = std::thread([this] {
            while (!m_stop->Requested() && !m_finished) {
                WaitForEither(m_stop->Fd(), m_done);
            }
            TellIfRequested();
        });
    }
    // Once the upload is over.
    ~InterruptNotice() {
        if (m_watcher.joinable()) {
            m_finished = true;
            const uint64_t one = 1;
            [[maybe_unused]] const ssize_t n = ::write(m_done, &one, sizeof one);
            m_watcher.join();
        }
        if (m_stop != nullptr) {
            TellIfRequested();
        }
        if (m_done >= 0) {
            ::close(m_done);
        }
    }

private:
    void TellIfRequested() {
        if (m_stop->Requested() && !m_told.exchange(true)) {
            m_err << "qm517ctl: interrupted: the upload finishes first (an interrupted upload "
                     "would leave the mouse half written)\n"
                  << std::flush;
        }
    }

    StopRequest* m_stop;
    std::ostream& m_err;
    std::atomic<bool> m_told{false};
    std::atomic<bool> m_finished{false};
    int m_done = ::eventfd(0, EFD_CLOEXEC);
    std::thread m_watcher;
};

// apply, apply FILE.bin and reset.
int Upload(const Options& options, DeviceEnvironment& env, std::ostream& out, std::ostream& err,
           StopRequest* stop) {
    const bool reset = options.command == "reset";
    if (options.arguments.size() > (reset ? 0u : 1u)) {
        err << "qm517ctl: too many arguments for " << options.command << "\n";
        return kExitUsage;
    }
    std::string folder;
    if (!PrepareFolder(folder, err)) {
        return kExitFailure;
    }
    DeviceLink link(env.Backend(), env.GetClock(), env.Debug());
    Session s(folder, env.Debug());
    link.discovery.DiscoverMice();
    link.discovery.DiscoverPad();
    ReportRefused(link.state, err);

    // Without a private runtime folder no lock keeps two uploads (or an upload and a change
    // of the profile list) apart.
    if (RuntimeFolder().empty()) {
        err << "qm517ctl: no private runtime folder for the upload locks (XDG_RUNTIME_DIR, /run/user/"
            << ::getuid() << ", or a qm517pro-" << ::getuid()
            << " folder of this user's under the temporary folder): nothing was sent or written\n";
        return kExitFailure;
    }
    // One upload at a time on each device: another one (the window's, another
    // qm517ctl's) is waited for, or with --no-wait refused. Taken before the profile is
    // read, so that what is sent is what the other upload left saved.
    UploadLock lock;
    const auto busy = LockPresentDevices(lock, link.state, options.noWait ? 0 : -1, env.GetClock(), [&](UploadDevice device) {
        err << "qm517ctl: another upload to the " << DeviceName(device) << " is running; waiting for it to finish\n"
            << std::flush;
    });
    if (busy) {
        err << "qm517ctl: another upload to the " << DeviceName(*busy) << " is running: nothing was sent or written\n";
        return kExitFailure;
    }
    // Then the profiles, from the load of the current profile to its save: the window's
    // profiles panel moves no file meanwhile. (Devices first, profiles second, in every
    // program that waits for both: no two wait for each other.)
    UploadLock profiles;
    if (!profiles
             .Acquire({kProfilesLockName}, options.noWait ? 0 : -1,
                      [&](const std::string&) {
                          err << "qm517ctl: the profiles are being changed by another program; waiting for it to "
                                 "finish\n"
                              << std::flush;
                      },
                      env.GetClock())
             .empty()) {
        err << "qm517ctl: the profiles are being changed by another program: nothing was sent or written\n";
        return kExitFailure;
    }

    const bool fromFile = !options.arguments.empty();
    if (fromFile) {
        const std::string& path = options.arguments[0];
        if (RegularFileSize(path) != static_cast<int64_t>(kRecordFileSize)) {
            err << "qm517ctl: " << path << " is not a profile file (1885 bytes)\n";
            return kExitFailure;
        }
        s.files.ReadRecordFile(path, s.settings.record, "", false);
    } else if (!s.LoadAsAtStartUp()) {
        if (const std::string why = s.files.UnreadableProfileFiles(false); !why.empty()) {
            err << "qm517ctl: " << why << ": nothing was applied or written\n";
        } else {
            err << "qm517ctl: the profile list in " << s.files.StrIniPath()
                << " is unusable: nothing was applied\n";
        }
        return kExitFailure;
    }
    if (!fromFile) {
        // Captions and marks that cannot be read would be saved over with defaults, and
        // buttons that name macros would get empty ones.
        if (const std::string why = s.files.UnreadableProfileFiles(!reset); !why.empty()) {
            err << "qm517ctl: " << why << ": nothing was applied or written\n";
            return kExitFailure;
        }
    }
    if (!fromFile && !s.files.LastError().empty()) {
        // Worth telling, though the upload goes on: an empty settings file, a mark that
        // could not be read.
        err << "qm517ctl: " << s.files.LastError() << "\n";
        s.files.ClearLastError();
    }

    // Ctrl+C does not cut an upload short: a mouse left half written would keep a button
    // table without its macros, or DPI stages without their colours.
    const PhaseScope phase(kPhaseUpload);
    auto interrupted = std::make_unique<InterruptNotice>(stop, err);
    UploadContext context{s.settings, link.device, link.state, link.transport, s.files,
                          s.captions, env.Pointer(), env.Debug(),
                          [&](const UploadStep& step) { out << DescribeStep(step) << "\n" << std::flush; },
                          !fromFile};
    if (!link.state.AnyMouse() && link.state.presentP == 0 && link.state.refused.empty()) {
        out << "No QM517 Pro and no mousepad found: nothing is uploaded.\n";
    }
    if (reset) {
        ResetToDefaults(context);
    } else {
        if (!fromFile) {
            CompileMacros(MacroStore(s.files.RecordIniPath()), s.settings.record, env.Debug());
        }
        ApplySettings(context);
    }
    interrupted.reset();
    if (!fromFile) {
        out << "Saved " << s.files.CurrentConfigPath() << "\n";
    }
    const PointerValues p = ComputePointerValues(s.settings.record);
    out << Format("Pointer options: acceleration %s, speed %d, wheel %s, double-click %d ms\n",
                  p.acceleration[2] != 0 ? "on" : "off", p.speed,
                  p.wheelLines == 0xFFFFFFFFu ? "one screen"
                                              : Format("%u lines", p.wheelLines).c_str(),
                  p.doubleClickMs);
    int status = kExitOk;
    if (const auto failures = FailuresByDevice(link.transport.Failures()); !failures.empty()) {
        // Nothing is retried: the rest of the upload went on, the other devices got
        // theirs, and the profile is saved as the user made it.
        for (const DeviceFailure& f : failures) {
            err << "qm517ctl: " << DescribeFailure(f) << "\n";
        }
        err << "qm517ctl: the upload went on to the end"
            << (fromFile ? "" : " and the profile was saved") << "; apply again once the device answers\n";
        status = kExitFailure;
    }
    if (!link.state.refused.empty()) {
        status = kExitFailure;  // found, but not ours to open: said above
    }
    if (!s.files.LastError().empty()) {
        err << "qm517ctl: " << s.files.LastError() << "\n";
        status = kExitFailure;
    }
    if (stop != nullptr && stop->Requested()) {
        return kExitInterrupted;
    }
    return status;
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

int Events(DeviceEnvironment& env, std::ostream& out, std::ostream& err, StopRequest* stop) {
    std::string folder;
    if (!PrepareFolder(folder, err)) {
        return kExitFailure;
    }
    Session s(folder, env.Debug());
    DeviceLink link(env.Backend(), env.GetClock(), env.Debug());
    link.DiscoverAll(s.settings.record);
    ReportRefused(link.state, err);
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
    const PhaseScope phase(kPhaseEvents);
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

}  // namespace

int Run(const Options& options, std::ostream& out, std::ostream& err, StopRequest* stop) {
    const std::string& command = options.command;
    if (command == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    if (command == "version") {
        out << "qm517ctl " << QM517_VERSION << "\n";
        return kExitOk;
    }
    if (command == "show") {
        return Show(options, out, err);
    }
    if ((command == "list" || command == "events" || command == "restore") && !options.arguments.empty()) {
        err << "qm517ctl: " << command << " takes no arguments\n";
        return kExitUsage;
    }
    if (command == "autostart") {
        return Autostart(options, out, err);
    }
    if (command == "restore") {
        if (!SendRestoreMessage()) {
            err << "qm517ctl: the utility is not running\n";
            return kExitFailure;
        }
        return kExitOk;
    }
    if (command != "list" && command != "apply" && command != "reset" && command != "events") {
        err << "qm517ctl: unknown command " << command << "\n";
        PrintUsage(err);
        return kExitUsage;
    }
    DeviceEnvironment env(EnvironmentOptions(options));
    if (!env.Error().empty()) {
        err << "qm517ctl: " << env.Error() << "\n";
        return kExitFailure;
    }
    return RunOnDevices(options, env, out, err, stop);
}

DeviceEnvironmentOptions EnvironmentOptions(const Options& options) {
    DeviceEnvironmentOptions environment;
    environment.emulate = options.emulate;
    environment.emulated = options.emulated;
    environment.virtualClock = options.virtualClock;
    environment.traceFile = options.traceFile;
    environment.faults = options.faults;
    return environment;
}

int RunOnDevices(const Options& options, DeviceEnvironment& env, std::ostream& out, std::ostream& err,
                 StopRequest* stop) {
    const std::string& command = options.command;
    int status = kExitOk;
    if (command == "list") {
        status = List(env, out, err);
    } else if (command == "events") {
        status = Events(env, out, err, stop);
    } else {
        status = Upload(options, env, out, err, stop);
    }
    // The virtual devices check what a program sends as hardware would: a report too
    // soon, an unknown command or a report of the wrong length is a fault of ours.
    if (VirtualDevices* devices = env.Virtual(); devices != nullptr && !devices->TrafficErrors().Clean()) {
        const VirtualTrafficErrors errors = devices->TrafficErrors();
        err << Format("qm517ctl: the virtual devices saw what hardware would not take: %d reports too soon, %d "
                      "unknown commands, %d refused reports%s%s\n",
                      errors.pacingViolations, errors.unknownCommands, errors.refusedReports,
                      errors.details.empty() ? "" : "; first: ",
                      errors.details.empty() ? "" : errors.details[0].c_str());
        status = status == kExitOk ? kExitFailure : status;
    }
    if (const std::string traceError = env.TraceError(); !traceError.empty()) {
        err << "qm517ctl: " << traceError << "\n";
        return status == kExitOk ? kExitFailure : status;
    }
    return status;
}

}  // namespace qm::ctl
