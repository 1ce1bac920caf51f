// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace qm {

// One profile's settings: 1884 bytes laid end to end. The record is also the body of every
// profile file ("config%d.bin" = one flag byte + these bytes), so every offset is a file
// format and must never move. Reserved bytes are carried through load, save, import and
// export byte for byte.
namespace rec {
constexpr size_t kSize = 1884;
constexpr size_t kSlots = 8;  // button parameter arrays: slots 0..7, slot 7 never used

constexpr size_t kProfileIndex = 0;
constexpr size_t kReserved1 = 1;  // 4 bytes
constexpr size_t kReportInterval = 5;
constexpr size_t kReserved6 = 6;
constexpr size_t kDpiValueA = 7;      // 8 entries, coded 1..180 (A11D)
constexpr size_t kDpiValueB = 15;     // 8 entries, units of 100 DPI (A1DC)
constexpr size_t kStageEnabled = 23;  // 8 entries
constexpr size_t kReserved31 = 31;    // 8 entries
constexpr size_t kStageColour = 39;   // 8 RGB
constexpr size_t kLightEffect = 63;
constexpr size_t kLightEffectValue = 64;  // 9 entries, effect e uses e-1
constexpr size_t kLightReserved = 73;
constexpr size_t kLightColour = 88;  // 8 RGB
constexpr size_t kLightColourIndex = 112;
constexpr size_t kPadEffect = 113;
constexpr size_t kPadEffectValue = 114;  // 9 entries
constexpr size_t kPadReserved = 123;
constexpr size_t kPadColour = 136;  // 8 RGB
constexpr size_t kPadColourIndex = 160;
constexpr size_t kEnhancePrecision = 161;
constexpr size_t kScrollOneScreen = 162;
constexpr size_t kPointerSpeed = 163;
constexpr size_t kWheelLines = 164;
constexpr size_t kDoubleClickSpeed = 165;
constexpr size_t kAngleSnapLevel = 166;
constexpr size_t kAngleSnapEnabled = 167;
constexpr size_t kReserved168 = 168;
constexpr size_t kSensitivityX = 169;
constexpr size_t kSensitivityY = 170;
constexpr size_t kButtonKind = 171;
constexpr size_t kDpiAction = 179;
constexpr size_t kReserved187 = 187;
constexpr size_t kMediaKey = 195;
constexpr size_t kSystemCommand = 203;
constexpr size_t kReserved211 = 211;  // three 8-entry arrays
constexpr size_t kShortcutKey = 235;
constexpr size_t kKeyUsage = 243;
constexpr size_t kReserved251 = 251;  // seven 8-entry arrays
constexpr size_t kMacroNumber = 307;
constexpr size_t kMacroRunMode = 315;
constexpr size_t kMacroSlots = 323;
constexpr size_t kMacroSlotSize = 130;
constexpr size_t kMacroSlotCount = 12;
constexpr size_t kReserved1883 = 1883;

static_assert(kMacroSlots + kMacroSlotSize * kMacroSlotCount == kReserved1883);
static_assert(kReserved1883 + 1 == kSize);
}  // namespace rec

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

class SettingsRecord {
public:
    std::array<uint8_t, rec::kSize> bytes{};

    uint8_t& operator[](size_t offset) { return bytes.at(offset); }
    uint8_t operator[](size_t offset) const { return bytes.at(offset); }

    // Entry `slot` of one of the eight-entry button parameter arrays (kButtonKind, ...).
    uint8_t& Button(size_t array, int slot) { return bytes.at(array + static_cast<size_t>(slot)); }
    uint8_t Button(size_t array, int slot) const {
        return bytes.at(array + static_cast<size_t>(slot));
    }
    Rgb Colour(size_t array, int entry) const;
    void SetColour(size_t array, int entry, Rgb colour);
    uint8_t* MacroSlot(size_t slot) { return bytes.data() + rec::kMacroSlots + slot * rec::kMacroSlotSize; }
    const uint8_t* MacroSlot(size_t slot) const {
        return bytes.data() + rec::kMacroSlots + slot * rec::kMacroSlotSize;
    }

    bool operator==(const SettingsRecord&) const = default;
};

// Writes the factory settings. Exactly the factory bytes are written; profileIndex, the
// macro slots and the reserved bytes the factory leaves alone keep whatever they held.
void ApplyFactoryDefaults(SettingsRecord& record);

// The working record that pages and menus edit in place, and the copy of what was last
// written to the device (or loaded at start-up).
struct SettingsState {
    SettingsRecord record;
    SettingsRecord appliedCopy;  // AppliedCopy

    void Commit() { appliedCopy = record; }
    void Revert() { record = appliedCopy; }
};

// DPI coding of dpiValueA (mouse A11D): 1..144 are v x 50 DPI, 145..180 are (v - 72) x 100.
uint8_t EncodeDpiA(int dpi);
// nullopt above 180: such a value has no DPI (the tray notice then shows an empty text).
std::optional<int> DecodeDpiA(uint8_t value);
// dpiValueB (mouse A1DC) is in units of 100 DPI, 1..120.
uint8_t EncodeDpiB(int dpi);
int DecodeDpiB(uint8_t value);

// Windows double-click time of a doubleClickSpeed step: 970 - 70 x step ms.
int DoubleClickTimeMs(int step);

}  // namespace qm
