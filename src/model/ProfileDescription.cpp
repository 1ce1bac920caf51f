// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProfileDescription.h"

#include <algorithm>

#include "macros/KeyNames.h"
#include "model/ButtonCatalogue.h"
#include "platform/Format.h"

namespace qm {

namespace {

std::string ColourText(Rgb c) {
    return Format("#%02X%02X%02X", c.r, c.g, c.b);
}

const char* TableName(std::span<const CommandRow> table, uint8_t code) {
    for (const auto& row : table) {
        if (row.code == code) {
            return row.Name(Language::kEnglish);
        }
    }
    return nullptr;
}

std::string WithCode(const char* kind, const char* name, uint8_t code) {
    return name != nullptr ? Format("%s: %s", kind, name) : Format("%s: code 0x%02X", kind, code);
}

const char* RunModeText(uint8_t mode) {
    switch (mode) {
        case kRunOnce:
            return "runs once per press";
        case kRunUntilAnyButton:
            return "repeats until any button is pressed";
        case kRunWhileHeld:
            return "repeats while the button is held";
        default:
            return "unknown run mode";
    }
}

const char* MouseEffectName(uint8_t effect) {
    switch (effect) {
        case 0:
            return "off";
        case 1:
            return "steady";
        case 2:
            return "breathing";
        case 3:
            return "neon";
        case 4:
            return "finger tapping";
        case 9:
            return "stream";
        default:
            return "off (unknown effect)";
    }
}

const char* PadEffectName(uint8_t effect) {
    switch (effect) {
        case 0:
            return "off";
        case 1:
            return "steady";
        case 2:
            return "breathing";
        case 3:
            return "neon";
        case 9:
            return "stream";
        default:
            return "off (unknown effect)";
    }
}

int ReportRateHz(uint8_t interval) {
    switch (interval) {
        case 1:
            return 1000;
        case 0:  // read as 2 ms
        case 2:
            return 500;
        case 4:
            return 250;
        case 8:
            return 125;
        default:
            return 0;
    }
}

// The value, marked when it lies outside what the pages set (and saying what is used
// instead where the value is clamped before use).
std::string Ranged(int value, int low, int high, const char* used = nullptr) {
    if (value >= low && value <= high) {
        return std::to_string(value);
    }
    return Format("%d (outside %d..%d%s%s)", value, low, high, used != nullptr ? ": " : "",
                  used != nullptr ? used : "");
}

}  // namespace

std::string DescribeButton(const SettingsRecord& record, int slot) {
    const uint8_t kind = record.Button(rec::kButtonKind, slot);
    switch (kind) {
        case kKindLeftClick:
            return "left click";
        case kKindRightClick:
            return "right click";
        case kKindMiddleClick:
            return "middle click";
        case kKindForward:
            return "forward";
        case kKindBack:
            return "back";
        case kKindDoubleClick:
            return "double click";
        case kKindDpi: {
            const uint8_t a = record.Button(rec::kDpiAction, slot);
            return a == 1 ? "DPI up" : a == 2 ? "DPI down" : a == 3 ? "DPI loop"
                                                                    : Format("DPI action %d", a);
        }
        case kKindMultimedia: {
            const uint8_t m = record.Button(rec::kMediaKey, slot);
            return WithCode("multimedia", TableName(MultimediaTable(), m), m);
        }
        case kKindBasicCommand: {
            const uint8_t k = record.Button(rec::kShortcutKey, slot);
            return WithCode("Ctrl shortcut", TableName(BasicCommandTable(), k), k);
        }
        case kKindAdditionalCommand: {
            const uint8_t c = record.Button(rec::kSystemCommand, slot);
            return WithCode("system command", TableName(AdditionalCommandTable(), c), c);
        }
        case kKindKeyboardKey:
            return "key " + GetUsageKeyStr(record.Button(rec::kKeyUsage, slot));
        case kKindMacro:
            return Format("macro %d, %s", record.Button(rec::kMacroNumber, slot),
                          RunModeText(record.Button(rec::kMacroRunMode, slot)));
        case kKindDeactivated:
            return "deactivated";
        case kKindTiltLeft:
            return "tilt wheel left";
        case kKindTiltRight:
            return "tilt wheel right";
        case kKindFn:
            return "Fn";
        case kKindSnipe:
            return "snipe";
        default:
            return Format("disabled (kind %d)", kind);
    }
}

std::string DescribeProfile(const SettingsRecord& r, const ButtonCaptions& captions) {
    std::string out = "Buttons:\n";
    for (int row = 0; row < kAssignableButtons; ++row) {
        const int slot = SlotOfRow(row);
        const std::string& caption = captions[static_cast<size_t>(slot)];
        out += Format("  Button %d: %-28s %s\n", row + 1, DescribeButton(r, slot).c_str(),
                      caption.empty() ? "" : ("\"" + caption + "\"").c_str());
    }
    out += "DPI stages (mouse A11D / mouse A1DC):\n";
    for (int i = 0; i < 7; ++i) {
        const auto a = DecodeDpiA(r[rec::kDpiValueA + static_cast<size_t>(i)]);
        const uint8_t b = r[rec::kDpiValueB + static_cast<size_t>(i)];
        out += Format("  Stage %d: %-3s %6s / %5d DPI  colour %s%s\n", i + 1,
                      r.Button(rec::kStageEnabled, i) != 0 ? "on" : "off",
                      a ? std::to_string(*a).c_str() : "?", DecodeDpiB(b),
                      ColourText(r.Colour(rec::kStageColour, i)).c_str(),
                      b >= 1 && b <= 120 ? "" : Format("  (A1DC value %d outside 1..120)", b).c_str());
    }
    const int hz = ReportRateHz(r[rec::kReportInterval]);
    out += hz != 0 ? Format("Report rate: %d Hz\n", hz)
                   : Format("Report rate: interval %d ms (not a rate the mouse offers)\n",
                            r[rec::kReportInterval]);
    out += Format("Axis sensitivity: x %s, y %s\n", Ranged(r[rec::kSensitivityX], 1, 11).c_str(),
                  Ranged(r[rec::kSensitivityY], 1, 11).c_str());
    const uint8_t effect = r[rec::kLightEffect];
    const uint8_t colourIndex = r[rec::kLightColourIndex];
    out += Format("Mouse lighting: %s", MouseEffectName(effect));
    if (effect >= 1 && effect <= 9) {
        out += Format(", value %d", r[rec::kLightEffectValue + effect - 1u]);
    }
    out += colourIndex < 8 ? Format(", colour %d (%s)\n", colourIndex,
                                    ColourText(r.Colour(rec::kLightColour, colourIndex)).c_str())
                           : Format(", colour %d\n", colourIndex);
    const uint8_t padEffect = r[rec::kPadEffect];
    const uint8_t padIndex = r[rec::kPadColourIndex];
    out += Format("Pad lighting: %s", PadEffectName(padEffect));
    if (padEffect >= 1 && padEffect <= 9) {
        out += Format(", value %d", r[rec::kPadEffectValue + padEffect - 1u]);
    }
    out += padIndex < 8 ? Format(", colour %d (%s)\n", padIndex,
                                 ColourText(r.Colour(rec::kPadColour, padIndex)).c_str())
                        : Format(", colour %d\n", padIndex);
    // The pointer options go to the desktop clamped to their ranges.
    const bool oneScreen = r[rec::kScrollOneScreen] != 0;
    const int speed = r[rec::kPointerSpeed];
    const int lines = r[rec::kWheelLines];
    const int step = r[rec::kDoubleClickSpeed];
    const int usedStep = std::clamp(step, 1, 11);
    out += Format("Pointer: enhanced precision %s, speed %s, wheel %s, double-click %d ms%s\n",
                  r[rec::kEnhancePrecision] == 1 ? "on" : "off",
                  Ranged(speed, 1, 11, Format("%d is used", std::clamp(speed, 1, 11)).c_str()).c_str(),
                  oneScreen ? "one screen per notch"
                            : (Ranged(lines, 1, 100, Format("%d is used", std::clamp(lines, 1, 100)).c_str()) +
                               " lines per notch")
                                  .c_str(),
                  DoubleClickTimeMs(usedStep),
                  step == usedStep ? "" : Format(" (step %d outside 1..11: %d is used)", step, usedStep).c_str());
    out += Format("Angle snapping: %s (level %d)\n", r[rec::kAngleSnapEnabled] == 1 ? "on" : "off",
                  r[rec::kAngleSnapLevel]);
    return out;
}

}  // namespace qm
