#include <csignal>
#include <iostream>

#include "cli/CtlCommands.h"

namespace {
std::atomic<bool> g_stop{false};
void OnSignal(int) {
    g_stop = true;
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    qm::ctl::Options options;
    if (!qm::ctl::ParseOptions(args, options, std::cerr)) {
        return qm::ctl::kExitUsage;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    return qm::ctl::Run(options, std::cout, std::cerr, &g_stop);
}
