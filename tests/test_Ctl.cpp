#include <gtest/gtest.h>

#include <sstream>

#include "TestUtil.h"
#include "cli/CtlCommands.h"
#include "platform/ProfileIni.h"

namespace qm {
namespace {

int RunCtl(const std::vector<std::string>& args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    ctl::Options options;
    int status = ctl::kExitUsage;
    if (ctl::ParseOptions(args, options, e)) {
        status = ctl::Run(options, o, e);
    }
    out = o.str();
    err = e.str();
    return status;
}

TEST(Ctl, ShowPrintsTheCurrentProfileOfAFreshFolder) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    test::ScopedEnv lang("LC_ALL", "en_GB.UTF-8");
    std::string out, err;
    ASSERT_EQ(RunCtl({"show"}, out, err), 0) << err;
    EXPECT_NE(out.find("Current profile: Profile 1 (config0.bin)"), std::string::npos) << out;
    EXPECT_NE(out.find("Button 4: snipe"), std::string::npos) << out;
    EXPECT_NE(out.find("Button 5: Fn"), std::string::npos) << out;
    EXPECT_NE(out.find("Button 6: DPI up"), std::string::npos) << out;
    EXPECT_NE(out.find("Stage 7: on   10800 / 12000 DPI  colour #FF00FF"), std::string::npos) << out;
    EXPECT_NE(out.find("double-click 550 ms"), std::string::npos) << out;
    // Showing writes nothing: the profile is still waiting for its first start.
    EXPECT_FALSE(test::FileExists(dir / "QM517 Pro/config0.bin"));
}

TEST(Ctl, ShowOfAFileChecksItsSize) {
    test::TempDir dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    test::WriteFile(dir / "short.bin", std::string(1000, '\x01'));
    std::string out, err;
    EXPECT_EQ(RunCtl({"show", dir / "short.bin"}, out, err), 1);
    EXPECT_NE(err.find("1000 bytes, expected 1885"), std::string::npos) << err;
}

TEST(Ctl, BadUsage) {
    std::string out, err;
    EXPECT_EQ(RunCtl({}, out, err), 2);
    EXPECT_EQ(RunCtl({"--frobnicate", "show"}, out, err), 2);
    EXPECT_EQ(RunCtl({"dance"}, out, err), 2);
    EXPECT_NE(err.find("unknown command dance"), std::string::npos);
}

}  // namespace
}  // namespace qm
