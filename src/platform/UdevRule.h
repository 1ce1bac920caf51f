// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace qm {

// The udev rule "70-qm517pro.rules" gives the hidraw nodes of the mice and the pad to the
// user at the seat. Where a device is found but may not be opened, what the user can do
// depends on where the rule is: installed where udev reads it (a package install), the
// device was plugged in before the rule came, or the session is no local one; not
// installed (a build folder, an install under /usr/local), it is to be copied there.
constexpr const char* kUdevRuleName = "70-qm517pro.rules";

struct UdevRuleState {
    std::string installed;  // the rule where udev reads it (empty: none there)
    std::string source;     // a copy to install it from (empty: none found)
};

// Looks in udev's rule folders (`udevFolders`; empty: the system's) and beside the
// program in `programFolder` (its install layout, and the source tree of a build).
UdevRuleState FindUdevRule(const std::string& programFolder, const std::vector<std::string>& udevFolders = {});

// What to tell a user whose device was refused, in English, several lines: replug or log
// in locally where the rule is installed, else the commands that install it.
std::string UdevAdvice(const UdevRuleState& rule);
// The commands that install the rule from `source` (run as root).
std::string UdevInstallCommands(const std::string& source);

// The folder of the running program, ending with '/'.
std::string ProgramFolder();

}  // namespace qm
