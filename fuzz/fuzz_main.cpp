// SPDX-License-Identifier: GPL-3.0-or-later
// One libFuzzer program per target: QM517_FUZZ_TARGET names the body.
#include <cstdio>
#include <cstdlib>

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string broken = qm::fuzz::QM517_FUZZ_TARGET(data, size);
    if (!broken.empty()) {
        std::fprintf(stderr, "property broken: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
