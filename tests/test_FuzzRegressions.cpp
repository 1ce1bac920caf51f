// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "FuzzTargets.h"
#include "TestUtil.h"

namespace qm {
namespace {

// Every fuzz target over its seed corpus and over every input a fuzzer once found broken
// (fuzz/regressions/<target>/): none may crash, hang or break its property again.
TEST(FuzzRegressions, EverySeedAndEveryFoundInputStaysFixed) {
    int inputs = 0;
    for (const fuzz::Target& target : fuzz::Targets()) {
        for (const char* kind : {"corpus", "regressions"}) {
            const std::filesystem::path folder = std::filesystem::path(QM517_FUZZ_DIR) / kind / target.name;
            std::error_code ec;
            for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
                const std::string bytes = test::ReadFile(entry.path().string());
                const std::string broken =
                    target.run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
                EXPECT_EQ(broken, "") << target.name << ": " << entry.path();
                ++inputs;
            }
        }
    }
    EXPECT_GT(inputs, 0) << "no corpus found in " << QM517_FUZZ_DIR;
}

}  // namespace
}  // namespace qm
