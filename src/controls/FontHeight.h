// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>

namespace qm {

// The windows ask for fonts by cell height (CreateFont with a positive height: ascent plus
// descent). Qt sizes fonts by their em; for the faces used here the em is about 0.87 of
// the cell height.
inline int FontPixelSize(int cellHeight) {
    return std::max(1, static_cast<int>(std::lround(cellHeight * 0.87)));
}

}  // namespace qm
