#include <iostream>

#include "cli/CtlCommands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    qm::ctl::Options options;
    if (!qm::ctl::ParseOptions(args, options, std::cerr)) {
        return qm::ctl::kExitUsage;
    }
    return qm::ctl::Run(options, std::cout, std::cerr);
}
