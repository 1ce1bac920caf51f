// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SettingsRecord.h"

#include <algorithm>
#include <cstring>

namespace qm {

Rgb SettingsRecord::Colour(size_t array, int entry) const {
    const size_t at = array + 3 * static_cast<size_t>(entry);
    return Rgb{bytes.at(at), bytes.at(at + 1), bytes.at(at + 2)};
}

void SettingsRecord::SetColour(size_t array, int entry, Rgb colour) {
    const size_t at = array + 3 * static_cast<size_t>(entry);
    bytes.at(at) = colour.r;
    bytes.at(at + 1) = colour.g;
    bytes.at(at + 2) = colour.b;
}

namespace {

template <size_t N>
void Put(SettingsRecord& r, size_t offset, const uint8_t (&values)[N]) {
    std::memcpy(r.bytes.data() + offset, values, N);
}

}  // namespace

void ApplyFactoryDefaults(SettingsRecord& r) {
    using namespace rec;
    Put(r, kReserved1, {1, 1, 1, 1, 2, 2});  // offsets 1..6, reportInterval 2 (500 Hz)
    Put(r, kDpiValueA, {12, 24, 48, 72, 108, 144, 180});
    Put(r, kDpiValueB, {5, 10, 20, 40, 60, 80, 120});
    Put(r, kStageEnabled, {1, 1, 1, 1, 1, 1, 1});
    Put(r, kReserved31, {1, 1, 1, 1, 1, 1, 1});
    Put(r, kStageColour, {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00,
                          0x00, 0xFF, 0xFF, 0xFF, 0x80, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00});
    Put(r, kLightEffect, {3, 3, 4, 4, 4, 4, 4, 4, 4, 4});  // effect, then its nine values
    const uint8_t colours[] = {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00,
                               0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF};
    Put(r, kLightColour, colours);
    // lightColourIndex, padEffect and the pad's nine effect values
    Put(r, kLightColourIndex, {1, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4});
    Put(r, kPadColour, colours);
    // padColourIndex .. sensitivityY
    Put(r, kPadColourIndex, {1, 0xFF, 0, 6, 3, 6, 0, 0, 6, 5, 5});
    Put(r, kButtonKind, {0, 1, 2, 17, 18, 6, 6, 13});
    Put(r, kDpiAction, {13, 13, 13, 13, 13, 1, 2, 0});
    Put(r, kReserved187, {0, 2, 1, 0, 0, 0, 0, 0});
    std::fill(r.bytes.begin() + kMediaKey, r.bytes.begin() + kMacroSlots, uint8_t{0});
}

uint8_t EncodeDpiA(int dpi) {
    dpi = std::clamp(dpi, 50, 10800);
    return static_cast<uint8_t>(dpi <= 7200 ? dpi / 50 : (dpi + 7200) / 100);
}

std::optional<int> DecodeDpiA(uint8_t value) {
    if (value <= 144) {
        return value * 50;
    }
    if (value <= 180) {
        return (value - 72) * 100;
    }
    return std::nullopt;
}

uint8_t EncodeDpiB(int dpi) {
    return static_cast<uint8_t>(std::clamp(dpi, 100, 12000) / 100);
}

int DecodeDpiB(uint8_t value) {
    return value * 100;
}

int DoubleClickTimeMs(int step) {
    return 970 - 70 * step;
}

}  // namespace qm
