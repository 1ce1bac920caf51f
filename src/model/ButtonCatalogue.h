// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "i18n/UiStrings.h"
#include "model/SettingsRecord.h"

namespace qm {

// Function kinds stored in buttonKind.
enum ButtonKind : uint8_t {
    kKindLeftClick = 0,
    kKindRightClick = 1,
    kKindMiddleClick = 2,
    kKindForward = 3,
    kKindBack = 4,
    kKindDoubleClick = 5,
    kKindDpi = 6,
    kKindMultimedia = 7,
    kKindBasicCommand = 8,
    kKindAdditionalCommand = 9,
    kKindKeyboardKey = 10,
    kKindMacro = 11,
    kKindNone12 = 12,
    kKindDeactivated = 13,
    kKindNone14 = 14,
    kKindTiltLeft = 15,
    kKindTiltRight = 16,
    kKindFn = 17,
    kKindSnipe = 18,
};

constexpr int kAssignableButtons = 7;  // slots 0..6

// The row (0-based) in which a slot's button is shown and numbered ("Button 1".."Button 7"):
// slot s in row s, except that slots 3 and 4 trade rows. The exchange is its own inverse.
constexpr int RowOfSlot(int slot) {
    return slot == 3 ? 4 : slot == 4 ? 3 : slot;
}
constexpr int SlotOfRow(int row) {
    return RowOfSlot(row);
}

// Menu command identifiers that assign a kind.
enum ButtonCommand : int {
    kCmdClick = 2001,
    kCmdMenu = 2002,
    kCmdScroll = 2003,
    kCmdForward = 2004,
    kCmdBack = 2005,
    kCmdDoubleClick = 2006,
    kCmdTiltLeft = 2007,
    kCmdTiltRight = 2008,
    kCmdFn = 2009,
    kCmdSnipe = 2010,
    kCmdKeyboardKey = 2011,
    kCmdMacro = 2012,
    kCmdDeactivated = 2013,
    kCmdDpiFirst = 2020,      // 2020..2022
    kCmdAdditionalFirst = 2030,  // 2030..2036
    kCmdMultimediaFirst = 2050,  // 2050..2057
    kCmdBasicFirst = 2060,       // 2060..2069
};

// One row of the multimedia, basic or additional command tables: the code stored for the
// kind, and the name in English, Simplified Chinese, Traditional Chinese and German.
struct CommandRow {
    int command;
    uint8_t code;
    std::array<const char*, 4> names;

    const char* Name(Language language) const { return names[static_cast<size_t>(language)]; }
};

std::span<const CommandRow> MultimediaTable();  // kind 7, mediaKey
std::span<const CommandRow> BasicCommandTable();  // kind 8, shortcutKey
std::span<const CommandRow> AdditionalCommandTable();  // kind 9, systemCommand = row

// Macro run modes (macroRunMode).
enum MacroRunMode : uint8_t {
    kRunOnce = 0,
    kRunUntilAnyButton = 1,
    kRunWhileHeld = 2,
};

// Last-click rule: the only button left doing the left click may not be reassigned, or
// the mouse could no longer click.
bool IsLastClickButton(const SettingsRecord& record, int slot);

// Applies a menu command that needs no dialog (2001..2010, 2013, 2020..2022, 2030..2036,
// 2050..2057, 2060..2069) to `slot`: stores the kind and, for kinds 6 to 9, that kind's
// parameter only. Returns the caption the button gets, or nullopt for any other id (the
// record is then unchanged). `dpiList` holds the three DPI submenu texts.
std::optional<std::string> AssignCommand(SettingsRecord& record, int slot, int command,
                                         const UiStrings& strings, Language language,
                                         const std::array<std::string, 3>& dpiList);

// A keyboard key chosen in the single key dialog. An empty name changes nothing (nullopt).
std::optional<std::string> AssignKeyboardKey(SettingsRecord& record, int slot,
                                             const std::string& keyName,
                                             const UiStrings& strings);

// A macro chosen in the macro dialog. A negative number changes nothing (nullopt).
std::optional<std::string> AssignMacro(SettingsRecord& record, int slot, int macroNumber,
                                       int runMode, const std::string& macroName,
                                       const UiStrings& strings);

// The macro name a macro caption carries: the text after its last ':' (the whole caption
// when it has none). nullopt when the caption does not contain the word for macro.
std::optional<std::string> MacroNameFromCaption(const std::string& caption,
                                                const UiStrings& strings);

// The caption a slot shows for its stored function, as the assignment menus would have
// set it; used where a profile file carries no caption.
std::string CaptionForSlot(const SettingsRecord& record, int slot, const UiStrings& strings,
                           Language language, const std::string& macroName = {});

// The languages whose caption sections a profile's INI file keeps.
inline constexpr std::array<const char*, 4> kCaptionLanguages{"EN", "DE", "CHS", "CHT"};

// The name part of a key caption ("F5" of "Assign Keyboard Key-F5") or a macro caption
// ("Jump" of "Macro:Jump") in the language of `strings`; nullopt when the caption does
// not begin with that kind's word.
std::optional<std::string> CaptionNamePart(const std::string& caption, uint8_t kind,
                                           const UiStrings& strings);

// The caption of the slot's stored function in the language of `strings`, as the
// assignment menus give it; key and macro captions carry `namePart`. nullopt when the
// record holds nothing a caption can be made from (kinds 12 and 14, a code no table has).
std::optional<std::string> MakeCaption(const SettingsRecord& record, int slot,
                                       const UiStrings& strings, const std::string& namePart);

// Whether a stored caption names the slot's function. A key caption must name the stored
// key, a macro caption carry the word for macro; captions that cannot be made from the
// record count as naming it.
bool CaptionNamesFunction(const SettingsRecord& record, int slot, const std::string& caption,
                          const UiStrings& strings);

// The factory captions of slots 0..6 (Click, Menu, Scroll, Fn, Snipe, DPI +, DPI -).
std::array<std::string, 8> FactoryCaptions(const UiStrings& strings);

}  // namespace qm
