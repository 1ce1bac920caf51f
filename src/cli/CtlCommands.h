#pragma once

#include <atomic>
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "emulator/VirtualDevices.h"

namespace qm::ctl {

// Exit statuses of qm517ctl.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // a device or file error
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;  // Ctrl+C, after a running upload has finished

struct Options {
    bool emulate = false;
    std::set<uint16_t> emulated;  // product IDs of the virtual devices
    bool virtualClock = false;
    std::string traceFile;
    std::map<uint16_t, VirtualFaults> faults;  // --fault DEVICE:FAULT[=N], by product ID
    bool noWait = false;              // --no-wait: fail instead of waiting for another upload
    std::string command;
    std::vector<std::string> arguments;
};

// Parses the command line; on bad usage writes a message to `err` and returns false.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::ostream& err);
// Runs a command. `stop` (set by Ctrl+C) ends the "events" command; an upload ("apply",
// "reset") runs to its end first, says so, and the command then exits 130.
int Run(const Options& options, std::ostream& out, std::ostream& err,
        const std::atomic<bool>* stop = nullptr);
void PrintUsage(std::ostream& out);

// Ctrl+C and SIGTERM: during an upload they ask it to stop after the upload (the `stop`
// flag Run watches), while `events` waits they end it; anywhere else the command ends at
// once with 130. Async-signal-safe.
void OnSignal(int signal);
// The flag OnSignal sets for Run.
std::atomic<bool>& StopFlag();

}  // namespace qm::ctl
