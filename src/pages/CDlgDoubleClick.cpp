// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgDoubleClick.h"

#include "platform/Format.h"

namespace qm {

void CDlgDoubleClick::OnRingClicked(const Pick& pick) {
    m_debug.Write(Format("angle/18:angle=%f,angle/18=%d\n", pick.angle, static_cast<int>(pick.angle / 18)));
}

}  // namespace qm
