// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

#include "device/DeviceEnvironment.h"

namespace qm::ctl {

// Exit statuses of qm517ctl.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // a device or file error
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;  // Ctrl+C, after a running upload has finished

struct Options {
    DeviceEnvironmentOptions devices;  // --emulate, --virtual-clock, --trace, --fault
    bool noWait = false;               // --no-wait: fail instead of waiting for another upload
    std::string command;
    std::vector<std::string> arguments;
};

// Ctrl+C as the commands see it: a flag, and a descriptor that becomes readable once it
// is set, so that a waiting command wakes at once instead of looking now and then.
// Request() is async-signal-safe.
class StopRequest {
public:
    StopRequest();
    ~StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    void Request();
    bool Requested() const { return m_requested.load(); }
    int Fd() const { return m_fd; }

private:
    std::atomic<bool> m_requested{false};
    int m_fd = -1;
};

// Parses the command line; on bad usage writes a message to `err` and returns false.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::ostream& err);
void PrintUsage(std::ostream& out);

// Runs a command. `stop` (Ctrl+C) ends the "events" command; an upload ("apply",
// "reset") runs to its end first, says so, and the command then exits 130.
int Run(const Options& options, std::ostream& out, std::ostream& err, StopRequest* stop = nullptr);
// What the device commands run against, as the options ask for it.
const DeviceEnvironmentOptions& EnvironmentOptions(const Options& options);
// Runs a device command (list, apply, reset, events) on `env`, an environment made from
// EnvironmentOptions(options); Run makes its own.
int RunOnDevices(const Options& options, DeviceEnvironment& env, std::ostream& out, std::ostream& err,
                 StopRequest* stop = nullptr);

// Ctrl+C and SIGTERM: during an upload they ask it to stop after the upload (the stop
// request Run watches), while `events` waits they end it; anywhere else the command ends
// at once with 130. Async-signal-safe.
void OnSignal(int signal);
// The stop request OnSignal makes, for Run.
StopRequest& SignalledStop();

}  // namespace qm::ctl
