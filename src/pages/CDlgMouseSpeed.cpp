// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgMouseSpeed.h"

// The Mouse Speed page is the dial with its field; everything else is CSpeedDialPage's.
