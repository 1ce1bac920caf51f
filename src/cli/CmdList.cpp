// SPDX-License-Identifier: GPL-3.0-or-later
// list: the devices found, their firmware versions and presence flags.
#include "cli/Command.h"
#include "device/DeviceLink.h"
#include "platform/Format.h"

namespace qm::ctl {

int List(CommandContext& c) {
    DeviceLink link(c.env->Backend(), c.env->GetClock(), c.env->Debug());
    link.discovery.DiscoverMice();
    link.discovery.DiscoverPad();
    const DiscoveryState& s = link.state;
    ReportRefused(s, c.err);
    if (!s.AnyMouse() && s.presentP == 0) {
        if (!s.refused.empty()) {
            return kExitFailure;  // found, but not ours to open: said above
        }
        c.out << "No QM517 Pro and no mousepad found.\n";
        return kExitOk;
    }
    if (s.presentA != 0) {
        c.out << Format("mouse A11D: present, firmware %04x\n", s.versionA);
    }
    if (s.presentB != 0) {
        c.out << Format("mouse A1DC (3360): present, firmware %04x\n", s.versionB);
    }
    if (s.presentP != 0) {
        c.out << "mousepad: present\n";
    }
    c.out << Format("presence flags: A=%d B=%d P=%d\n", s.presentA.load(), s.presentB.load(), s.presentP.load());
    if (FirmwareTooOld(s)) {
        c.out << "The mouse's firmware is too old: update it with the maker's updater.\n";
    }
    return s.refused.empty() ? kExitOk : kExitFailure;
}

}  // namespace qm::ctl
