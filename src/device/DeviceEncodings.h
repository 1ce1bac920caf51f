// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "model/SettingsRecord.h"

namespace qm {

// An 8-byte command frame: command code, six parameters, and a byte the transport fills
// with the checksum (mouse) or that carries a seventh parameter (pad).
using Frame = std::array<uint8_t, 8>;
// One 64-byte data block.
using Block = std::array<uint8_t, 64>;
using ButtonCode = std::array<uint8_t, 4>;

// Mouse command codes.
enum MouseCommand : uint8_t {
    kMouseSetInterval = 0x01,
    kMouseButtonTable = 0x03,
    kMouseMacro = 0x05,
    kMouseLightEffect = 0x06,
    kMouseDpiStages1to4 = 0x07,
    kMouseDpiStages5to7 = 0x08,
    kMouseStageColours = 0x0A,
    kMouseSensitivity = 0x0B,
    kMouseLightColours = 0x0C,
    kMouseReadInterval = 0x81,
    kMouseReadStage = 0x87,
    kMouseReadLightColours = 0x8C,
};

// Pad command codes (pad frames carry no checksum).
enum PadCommand : uint8_t {
    kPadEffect = 0x08,
    kPadColours01 = 0x09,
    kPadColours23 = 0x0A,
    kPadColours45 = 0x0B,
    kPadReadBack = 0x88,
};

// What the device told us and what we sent during one upload; everything but the
// lighting colour block is cleared when discovery finds a mouse.
struct DeviceState {
    std::array<uint8_t, 4> intervalReply{};  // 0x81 reply bytes 1..4: interval, k1, k2, k3
    uint8_t currentStage = 0;                // 0x87 reply byte 1
    std::array<ButtonCode, 32> buttonTable{};  // the first 16 entries are sent
    std::array<uint8_t, rec::kMacroSlotSize * rec::kMacroSlotCount> macroArea{};
    std::array<uint8_t, 24> lightColourBlock{};

    void ClearOnDiscovery();
};

// The 4 wire bytes of the function in `slot`.
ButtonCode EncodeButton(const SettingsRecord& record, int slot);
// Fills the 16 sent entries of the button table; slots 3 and 4 trade places, and
// positions 7, 8, 14 and 15 hold fixed codes.
void BuildButtonTable(const SettingsRecord& record, DeviceState& state);
Block ButtonTableBlock(const DeviceState& state);
Frame BlockFrame(uint8_t command, uint8_t blocks, uint8_t index = 0);

// 0x01: the interval from the record, k1..k3 as the 0x81 reply gave them.
Frame IntervalFrame(const SettingsRecord& record, const DeviceState& state);
// 0x0B: 20 x sensitivity, each truncated to 8 bits.
Frame SensitivityFrame(const SettingsRecord& record);
// 0x0A data: the RGB of stages 1..7.
Block StageColourBlock(const SettingsRecord& record);
// 0x07 and 0x08: dpiValueA when mouse A11D is present, else dpiValueB; codes minus 1.
Frame DpiStagesFrame07(const SettingsRecord& record, bool mouseA11dPresent, uint8_t stage);
Frame DpiStagesFrame08(const SettingsRecord& record, bool mouseA11dPresent);
// 0x06 by lightEffect.
Frame LightEffectFrame(const SettingsRecord& record);
// 0x0C data: the device's block (read with 0x8C) with the selected colour in bytes 0..2;
// only bytes 0..23 are kept, the rest is zero. Remembers the 24 bytes in `state`.
Block LightColourBlock(const SettingsRecord& record, const Block& readBack, DeviceState& state);
// 0x05 data of macro m: its 130 bytes and the next 62 of the macro area, zero past the end.
std::array<uint8_t, 192> MacroTransfer(const DeviceState& state, int m);

// Pad frames.
Frame PadEffectFrame(const SettingsRecord& record);
std::array<Frame, 3> PadColourFrames(const SettingsRecord& record);
Frame PadReadBackFrame();

}  // namespace qm
