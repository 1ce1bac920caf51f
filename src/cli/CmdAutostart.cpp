// SPDX-License-Identifier: GPL-3.0-or-later
// autostart on|off|status: the start at login of the utility beside this program, and
// restore: the running utility's window brought forward.
#include "cli/Command.h"
#include "platform/Autostart.h"
#include "platform/FileUtil.h"
#include "platform/RestoreChannel.h"

namespace qm::ctl {

int Autostart(CommandContext& c) {
    const std::string what = c.options.arguments.size() == 1 ? c.options.arguments[0] : std::string{};
    if (what != "on" && what != "off" && what != "status") {
        c.err << "qm517ctl: autostart takes on, off or status\n";
        return kExitUsage;
    }
    const std::string path = AutostartPath();
    if (path.empty()) {
        c.err << "qm517ctl: no home folder: set HOME or XDG_CONFIG_HOME\n";
        return kExitFailure;
    }
    int result = 0;
    if (what == "on") {
        result = EnableAutostart(UtilityProgramPath());
    } else if (what == "off") {
        result = DisableAutostart();
    }
    if (result == kAutostartLeftEdited) {
        c.err << "qm517ctl: " << path << " was changed by hand: it is left as it is\n";
        return kExitFailure;
    }
    if (result != 0) {
        c.err << "qm517ctl: cannot " << (what == "on" ? "write " : "remove ") << path << ": " << ErrnoText(result)
              << "\n";
        return kExitFailure;
    }
    switch (GetAutostart()) {
        case AutostartState::kOn:
            c.out << "on: the utility starts in the tray with the desktop (" << path << ")\n";
            break;
        case AutostartState::kOff:
            c.out << "off: the utility does not start with the desktop\n";
            break;
        case AutostartState::kEdited:
            c.out << "edited: " << path << " was changed by hand; the utility leaves it as it is\n";
            break;
    }
    return kExitOk;
}

int Restore(CommandContext& c) {
    if (!SendRestoreMessage()) {
        c.err << "qm517ctl: the utility is not running\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace qm::ctl
