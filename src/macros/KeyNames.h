// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// Keys appear as Windows virtual-key codes (what the keyboard capture reports), display
// names (keystroke lists, macro store, captions; English in every language) and HID
// keyboard usages (what the mouse stores). Usages 240..242 are the program's own codes for
// the left, right and middle mouse buttons.

// Display name of a virtual-key code; empty for codes without a name.
std::string GetKeyStr(uint32_t virtualKey);
// Usage of a display name (exact, case-sensitive), with the aliases "App" (101) and
// "Left GUI" (227); 0 when nothing matches.
uint8_t GetKeyUsage(const std::string& name);
// Display name of a usage (only its low 8 bits count); "N/A" when it has none.
std::string GetUsageKeyStr(uint32_t usage);

// Flags of a low-level keyboard event: extended key, key released.
constexpr uint32_t kKeyFlagExtended = 0x01;
constexpr uint32_t kKeyFlagReleased = 0x80;
// Names a keyboard event: the keypad Enter arrives as Enter (0x0D) with the extended flag
// and is named "Num Enter".
std::string KeyEventName(uint32_t virtualKey, uint32_t flags);

}  // namespace qm
