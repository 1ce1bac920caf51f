// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of qm517ctl, chosen from one table.
#include "cli/CtlCommands.h"

#include <ostream>

#include "cli/Command.h"
#include "emulator/VirtualDevices.h"
#include "platform/Format.h"

namespace qm::ctl {

namespace {

struct CommandEntry {
    const char* name;
    size_t maxArguments;
    const char* tooManyArguments;  // what is said when there are more
    bool devices;                  // runs on the devices (the virtual ones with --emulate)
    int (*run)(CommandContext&);
};

const CommandEntry kCommands[] = {
    {"list", 0, "list takes no arguments", true, List},
    {"apply", 1, "too many arguments for apply", true, Upload},
    {"reset", 0, "too many arguments for reset", true, Upload},
    {"show", 1, "show takes at most one file", false, Show},
    {"events", 0, "events takes no arguments", true, Events},
    {"restore", 0, "restore takes no arguments", false, Restore},
    {"autostart", 1, "autostart takes on, off or status", false, Autostart},
};

const CommandEntry* Find(const std::string& name) {
    for (const CommandEntry& entry : kCommands) {
        if (name == entry.name) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

const DeviceEnvironmentOptions& EnvironmentOptions(const Options& options) {
    return options.devices;
}

int Run(const Options& options, std::ostream& out, std::ostream& err, StopRequest* stop) {
    if (options.command == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    if (options.command == "version") {
        out << "qm517ctl " << QM517_VERSION << "\n";
        return kExitOk;
    }
    const CommandEntry* command = Find(options.command);
    if (command == nullptr) {
        err << "qm517ctl: unknown command " << options.command << "\n";
        PrintUsage(err);
        return kExitUsage;
    }
    if (options.arguments.size() > command->maxArguments) {
        err << "qm517ctl: " << command->tooManyArguments << "\n";
        return kExitUsage;
    }
    if (!command->devices) {
        CommandContext context{options, out, err, stop, nullptr};
        return command->run(context);
    }
    DeviceEnvironment env(EnvironmentOptions(options));
    if (!env.Error().empty()) {
        err << "qm517ctl: " << env.Error() << "\n";
        return kExitFailure;
    }
    return RunOnDevices(options, env, out, err, stop);
}

int RunOnDevices(const Options& options, DeviceEnvironment& env, std::ostream& out, std::ostream& err,
                 StopRequest* stop) {
    const CommandEntry* command = Find(options.command);
    if (command == nullptr || !command->devices) {
        err << "qm517ctl: " << options.command << " is no device command\n";
        return kExitUsage;
    }
    CommandContext context{options, out, err, stop, &env};
    int status = command->run(context);
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
