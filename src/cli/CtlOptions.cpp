// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of qm517ctl: its options, its usage, and what Ctrl+C does.
#include <atomic>
#include <ostream>
#include <sys/eventfd.h>
#include <unistd.h>

#include "cli/Command.h"
#include "cli/CtlCommands.h"

namespace qm::ctl {

namespace {

std::atomic<int> g_phase{static_cast<int>(Phase::kOther)};
StopRequest g_stop;  // made before main(), so that the handler never makes it

}  // namespace

PhaseScope::PhaseScope(Phase phase) {
    g_phase = static_cast<int>(phase);
}

PhaseScope::~PhaseScope() {
    g_phase = static_cast<int>(Phase::kOther);
}

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
    if (g_phase.load() == static_cast<int>(Phase::kOther)) {
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
    options.devices.emulated.clear();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string error;
        switch (ParseDeviceOption(args, i, true, options.devices, faultTexts, error)) {
            case DeviceOption::kTaken: continue;
            case DeviceOption::kError: return usage(error);
            case DeviceOption::kNotOne: break;
        }
        if (arg == "-h" || arg == "--help") {
            options.command = "help";
        } else if (arg == "--version") {
            options.command = "version";
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
    if (std::string error; !ParseFaults(faultTexts, options.devices.emulate, options.devices.emulated,
                                        options.devices.faults, error)) {
        return usage(error);
    }
    return true;
}

}  // namespace qm::ctl
