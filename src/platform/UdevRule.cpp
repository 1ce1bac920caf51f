// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UdevRule.h"

#include <unistd.h>

#include "platform/FileUtil.h"

#ifndef QM517_SOURCE_DIR
#define QM517_SOURCE_DIR ""
#endif

namespace qm {

UdevRuleState FindUdevRule(const std::string& programFolder, const std::vector<std::string>& udevFolders) {
    // The folders udev reads rules from (systemd-udevd: the administrator's, the volatile
    // and the system ones).
    const std::vector<std::string> system = {"/etc/udev/rules.d/", "/run/udev/rules.d/", "/usr/lib/udev/rules.d/",
                                             "/lib/udev/rules.d/"};
    UdevRuleState state;
    for (const std::string& folder : udevFolders.empty() ? system : udevFolders) {
        if (IsRegularFile(folder + kUdevRuleName)) {
            state.installed = folder + kUdevRuleName;
            break;
        }
    }
    // An install puts the rule in PREFIX/lib/udev/rules.d beside PREFIX/bin; a build runs
    // from the tree it was built from.
    for (const std::string& candidate :
         {programFolder + "../lib/udev/rules.d/" + kUdevRuleName, std::string(QM517_SOURCE_DIR) + "/data/" + kUdevRuleName}) {
        if (candidate.front() == '/' && IsRegularFile(candidate) && candidate != state.installed) {
            state.source = candidate;
            break;
        }
    }
    return state;
}

std::string UdevInstallCommands(const std::string& source) {
    return "install -m 644 '" + source + "' /etc/udev/rules.d/\n"
           "udevadm control --reload-rules && udevadm trigger --subsystem-match=hidraw";
}

std::string UdevAdvice(const UdevRuleState& rule) {
    if (!rule.installed.empty()) {
        return "The udev rule is installed (" + rule.installed +
               "). Unplug the mouse and plug it in again: it was connected before the rule came. If it "
               "still may not be opened, this session is not a local one: the rule gives the device to the "
               "session at the computer itself, which systemd-logind starts (not to one over ssh or su).";
    }
    if (!rule.source.empty()) {
        return "Install the udev rule once, as root:\n" + UdevInstallCommands(rule.source);
    }
    return std::string("Install the udev rule ") + kUdevRuleName +
           " (in the data folder of the source tree) in /etc/udev/rules.d/, as root, then run: udevadm "
           "control --reload-rules && udevadm trigger --subsystem-match=hidraw";
}

std::string ProgramFolder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return "./";
    }
    return std::string(DirName(std::string_view(buffer, static_cast<size_t>(n))));
}

}  // namespace qm
