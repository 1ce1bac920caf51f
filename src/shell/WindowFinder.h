// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace qm {

// FindWindowW by title: whether a top-level window of that exact title exists on the X11
// display (its _NET_CLIENT_LIST). False where there is no X11 display.
bool WindowExists(const QString& title);

}  // namespace qm
