// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceEncodings.h"

#include <algorithm>

#include "model/ButtonCatalogue.h"

namespace qm {

void DeviceState::ClearOnDiscovery() {
    intervalReply = {};
    currentStage = 0;
    buttonTable = {};
    macroArea = {};
}

ButtonCode EncodeButton(const SettingsRecord& record, int slot) {
    const auto param = [&](size_t array) { return record.Button(array, slot); };
    switch (record.Button(rec::kButtonKind, slot)) {
        case kKindLeftClick:
            return {0x00, 0xF0, 0x00, 0x02};
        case kKindRightClick:
            return {0x00, 0xF1, 0x00, 0x02};
        case kKindMiddleClick:
            return {0x00, 0xF2, 0x00, 0x02};
        case kKindForward:
            return {0x00, 0xF4, 0x00, 0x02};
        case kKindBack:
            return {0x00, 0xF3, 0x00, 0x02};
        case kKindDoubleClick:
            return {0x02, 0xF0, 0x01, 0x0C};
        case kKindDpi:
            return {0x00, 0x00, param(rec::kDpiAction), 0x08};
        case kKindMultimedia: {
            const uint8_t m = param(rec::kMediaKey);
            return {static_cast<uint8_t>(m == 0x83 ? 0x01 : 0x00), m, 0x00, 0x04};
        }
        case kKindBasicCommand:
            return {0x00, param(rec::kShortcutKey), 0xE0, 0x01};
        case kKindAdditionalCommand: {
            static constexpr ButtonCode kCodes[] = {
                {0x01, 0x94, 0x00, 0x04}, {0x02, 0x23, 0x00, 0x04}, {0x02, 0x21, 0x00, 0x04},
                {0x1B, 0x2C, 0xE2, 0x01}, {0x11, 0x2C, 0xE2, 0x01}, {0x00, 0x07, 0xE3, 0x01},
                {0x00, 0x15, 0xE3, 0x01},
            };
            const uint8_t c = param(rec::kSystemCommand);
            return c < std::size(kCodes) ? kCodes[c] : ButtonCode{};
        }
        case kKindKeyboardKey:
            return {0x00, param(rec::kKeyUsage), 0x00, 0x01};
        case kKindMacro: {
            const uint8_t mode = param(rec::kMacroRunMode);
            const uint8_t code = mode == kRunOnce            ? 0x01
                                 : mode == kRunUntilAnyButton ? 0x03
                                 : mode == kRunWhileHeld      ? 0x02
                                                              : mode;
            return {param(rec::kMacroNumber), code, 0x00, 0x0A};
        }
        case kKindTiltLeft:
            return {0x00, 0xF5, 0x00, 0x02};
        case kKindTiltRight:
            return {0x00, 0xF6, 0x00, 0x02};
        case kKindFn:
            return {0x00, 0x00, 0x04, 0x0C};
        case kKindSnipe:
            return {0x00, 0x07, 0x02, 0x0C};
        default:  // 12, 13, 14 and anything above 18: the button does nothing
            return {};
    }
}

void BuildButtonTable(const SettingsRecord& record, DeviceState& state) {
    state.buttonTable = {};
    for (int slot = 0; slot < kAssignableButtons; ++slot) {
        // The device expects slots 3 and 4 in each other's places.
        const int position = slot == 3 ? 4 : slot == 4 ? 3 : slot;
        state.buttonTable[static_cast<size_t>(position)] = EncodeButton(record, slot);
    }
    state.buttonTable[7] = {0x00, 0x00, 0x03, 0x0C};
    state.buttonTable[8] = {0x00, 0x00, 0x01, 0x0B};
    state.buttonTable[14] = {0x00, 0x01, 0x01, 0x05};
    state.buttonTable[15] = {0x00, 0x01, 0x02, 0x05};
}

Block ButtonTableBlock(const DeviceState& state) {
    Block block{};
    for (size_t i = 0; i < 16; ++i) {
        std::copy(state.buttonTable[i].begin(), state.buttonTable[i].end(), block.begin() + 4 * i);
    }
    return block;
}

Frame BlockFrame(uint8_t command, uint8_t blocks, uint8_t index) {
    return {command, 0x00, index, blocks, 0x00, 0x00, 0x00, 0x00};
}

Frame IntervalFrame(const SettingsRecord& record, const DeviceState& state) {
    return {kMouseSetInterval,        record[rec::kReportInterval], state.intervalReply[1],
            state.intervalReply[2], state.intervalReply[3],      0x00,
            0x00,                   0x00};
}

Frame SensitivityFrame(const SettingsRecord& record) {
    return {kMouseSensitivity,
            static_cast<uint8_t>(20 * record[rec::kSensitivityX]),
            static_cast<uint8_t>(20 * record[rec::kSensitivityY]),
            0x00,
            0x00,
            0x00,
            0x00,
            0x00};
}

Block StageColourBlock(const SettingsRecord& record) {
    Block block{};
    std::copy_n(record.bytes.begin() + rec::kStageColour, 21, block.begin());
    return block;
}

static size_t DpiSet(bool mouseA11dPresent) {
    return mouseA11dPresent ? rec::kDpiValueA : rec::kDpiValueB;
}

Frame DpiStagesFrame07(const SettingsRecord& record, bool mouseA11dPresent, uint8_t stage) {
    const size_t set = DpiSet(mouseA11dPresent);
    uint8_t mask = 0x80;
    for (int i = 0; i < 7; ++i) {
        if (record.Button(rec::kStageEnabled, i) != 0) {
            mask = static_cast<uint8_t>(mask | (1u << i));
        }
    }
    Frame f{kMouseDpiStages1to4, stage, mask};
    for (size_t i = 0; i < 4; ++i) {
        f[3 + i] = static_cast<uint8_t>(record[set + i] - 1);
    }
    return f;
}

Frame DpiStagesFrame08(const SettingsRecord& record, bool mouseA11dPresent) {
    const size_t set = DpiSet(mouseA11dPresent);
    Frame f{kMouseDpiStages5to7};
    for (size_t i = 0; i < 3; ++i) {
        f[1 + i] = static_cast<uint8_t>(record[set + 4 + i] - 1);
    }
    return f;
}

Frame LightEffectFrame(const SettingsRecord& record) {
    const auto value = [&](int effect) {
        return record[rec::kLightEffectValue + static_cast<size_t>(effect - 1)];
    };
    const auto speed = [&](int effect) { return static_cast<uint8_t>(12 - value(effect)); };
    switch (record[rec::kLightEffect]) {
        case 1:
            if (value(1) == 1) {
                break;
            }
            return {kMouseLightEffect, 0x00, 0x00, static_cast<uint8_t>(value(1) * 8)};
        case 2: {
            const uint8_t multicolour = record[rec::kLightColourIndex] == 5 ? 0x07 : 0x00;
            return {kMouseLightEffect, 0x01, multicolour, 0x32, speed(2)};
        }
        case 3:
            return {kMouseLightEffect, 0x02, 0x07, 0x32, speed(3)};
        case 4:
            return {kMouseLightEffect, 0x03, 0x07, 0x32, speed(4)};
        case 9:
            return {kMouseLightEffect, 0x04, 0x07, 0x32, speed(9)};
        default:
            break;
    }
    return {kMouseLightEffect};
}

Block LightColourBlock(const SettingsRecord& record, const Block& readBack, DeviceState& state) {
    std::copy_n(readBack.begin(), state.lightColourBlock.size(), state.lightColourBlock.begin());
    const int index = record[rec::kLightColourIndex];
    // An index past the eight entries names no colour; the device's own stays.
    if (index < 8) {
        const Rgb c = record.Colour(rec::kLightColour, index);
        state.lightColourBlock[0] = c.r;
        state.lightColourBlock[1] = c.g;
        state.lightColourBlock[2] = c.b;
    }
    Block block{};
    std::copy(state.lightColourBlock.begin(), state.lightColourBlock.end(), block.begin());
    return block;
}

std::array<uint8_t, 192> MacroTransfer(const DeviceState& state, int m) {
    std::array<uint8_t, 192> data{};
    const size_t start = static_cast<size_t>(m) * rec::kMacroSlotSize;
    const size_t n = std::min(data.size(), state.macroArea.size() - std::min(start, state.macroArea.size()));
    std::copy_n(state.macroArea.begin() + static_cast<std::ptrdiff_t>(start), n, data.begin());
    return data;
}

Frame PadEffectFrame(const SettingsRecord& record) {
    const auto value = [&](int effect) {
        return record[rec::kPadEffectValue + static_cast<size_t>(effect - 1)];
    };
    const int i = record[rec::kPadColourIndex];
    const Rgb c = i < 8 ? record.Colour(rec::kPadColour, i) : Rgb{};
    const auto colourByte = static_cast<uint8_t>((i + 1) * 16);
    switch (record[rec::kPadEffect]) {
        case 1:
            if (value(1) == 1) {
                break;
            }
            return {kPadEffect, 0x00, static_cast<uint8_t>(value(1) * 8), 0x00, colourByte,
                    c.r,        c.g,  c.b};
        case 2:
            return {kPadEffect, 0x01, 0x32, value(2), static_cast<uint8_t>(i == 5 ? 0x70 : colourByte),
                    c.r,        c.g,  c.b};
        case 3:
            return {kPadEffect, 0x02, 0x32, value(3)};
        case 9:
            return {kPadEffect, 0x03, 0x32, value(9)};
        default:
            break;
    }
    return {kPadEffect};
}

std::array<Frame, 3> PadColourFrames(const SettingsRecord& record) {
    std::array<Frame, 3> frames{};
    const uint8_t codes[] = {kPadColours01, kPadColours23, kPadColours45};
    for (int f = 0; f < 3; ++f) {
        const Rgb a = record.Colour(rec::kPadColour, 2 * f);
        const Rgb b = record.Colour(rec::kPadColour, 2 * f + 1);
        frames[static_cast<size_t>(f)] = {codes[f], a.r, a.g, a.b, b.r, b.g, b.b, 0x00};
    }
    return frames;
}

Frame PadReadBackFrame() {
    return {kPadReadBack};
}

}  // namespace qm
