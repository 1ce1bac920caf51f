// SPDX-License-Identifier: GPL-3.0-or-later
#include <csignal>
#include <iostream>

#include "cli/CtlCommands.h"


int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    qm::ctl::Options options;
    if (!qm::ctl::ParseOptions(args, options, std::cerr)) {
        return qm::ctl::kExitUsage;
    }
    std::signal(SIGINT, qm::ctl::OnSignal);
    std::signal(SIGTERM, qm::ctl::OnSignal);
    return qm::ctl::Run(options, std::cout, std::cerr, &qm::ctl::SignalledStop());
}
