// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ButtonCatalogue.h"

#include "macros/KeyNames.h"
#include "platform/Format.h"

namespace qm {

namespace {

constexpr CommandRow kMultimedia[] = {
    {2050, 0x83, {"Open Media Player", "多媒体播放器", "開啟媒體播放器", "Mediaplayer öffnen"}},
    {2051, 0xB5, {"Next Track", "下一首", "下一首", "Nächster Titel"}},
    {2052, 0xB6, {"Previous Track", "上一首", "上一首", "Vorheriger Titel"}},
    {2053, 0xB7, {"Stop", "停止", "停止", "Stopp"}},
    {2054, 0xCD, {"Play/Pause", "播放/暂停", "播放/暫停", "Play/Pause"}},
    {2055, 0xE2, {"Mute", "静音", "靜音", "Stumm"}},
    {2056, 0xE9, {"Volume Up", "音量+", "提高音量", "Lautstärke +"}},
    {2057, 0xEA, {"Volume Down", "音量-", "降低音量", "Lautstärke -"}},
};

constexpr CommandRow kBasic[] = {
    {2060, 0x11, {"New", "新建", "新建", "Neu"}},
    {2061, 0x1B, {"Cut", "剪切", "剪下", "Ausschneiden"}},
    {2062, 0x06, {"Copy", "复制", "複製", "Kopieren"}},
    {2063, 0x19, {"Paste", "粘贴", "貼上", "Einfügen"}},
    {2064, 0x16, {"Save", "保存", "儲存", "Speichern"}},
    {2065, 0x13, {"Print", "打印", "列印", "Drucken"}},
    {2066, 0x09, {"Find", "查找", "尋找", "Suchen"}},
    {2067, 0x1C, {"Redo", "重复", "重做", "Wiederherstellen"}},
    {2068, 0x1D, {"Undo", "撤销", "復原", "Rückgängig machen"}},
    {2069, 0x04, {"Select All", "全选", "選擇全部", "Alles auswählen"}},
};

constexpr CommandRow kAdditional[] = {
    {2030, 0, {"My computer", "我的电脑", "我的電腦", "Arbeitsplatz"}},
    {2031, 1, {"Web Home", "浏览器-主页", "首頁", "Web: Startseite"}},
    {2032, 2, {"Search Computer", "搜索", "搜尋程式及檔案", "Computer durchsuchen"}},
    {2033, 3, {"Maximize", "最大化", "最大化", "Maximieren"}},
    {2034, 4, {"Minimize", "最小化", "最小化", "Minimieren"}},
    {2035, 5, {"Show desktop", "显示桌面", "顯示桌面", "Desktop anzeigen"}},
    {2036, 6, {"Run", "运行", "運行", "Ausführen"}},
};

// Kinds without a parameter: command, kind, caption (a UiStrings entry, or a fixed text).
struct PlainItem {
    int command;
    ButtonKind kind;
    int entry;
    const char* fixedCaption;
};

constexpr PlainItem kPlain[] = {
    {kCmdClick, kKindLeftClick, UiStrings::kClick, nullptr},
    {kCmdMenu, kKindRightClick, UiStrings::kMenu, nullptr},
    {kCmdScroll, kKindMiddleClick, UiStrings::kScroll, nullptr},
    {kCmdForward, kKindForward, UiStrings::kForward, nullptr},
    {kCmdBack, kKindBack, UiStrings::kBack, nullptr},
    {kCmdDoubleClick, kKindDoubleClick, UiStrings::kDoubleClick, nullptr},
    {kCmdTiltLeft, kKindTiltLeft, -1, "Left Tilt Scroll"},
    {kCmdTiltRight, kKindTiltRight, -1, "Right Tilt Scroll"},
    {kCmdFn, kKindFn, -1, "Fn"},
    {kCmdSnipe, kKindSnipe, UiStrings::kSnipe, nullptr},
    {kCmdDeactivated, kKindDeactivated, UiStrings::kDeactivated, nullptr},
};

std::string PlainCaption(const PlainItem& item, const UiStrings& strings) {
    return item.fixedCaption != nullptr ? std::string(item.fixedCaption) : strings[item.entry];
}

const CommandRow* RowByCode(std::span<const CommandRow> table, uint8_t code) {
    for (const auto& row : table) {
        if (row.code == code) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const CommandRow> MultimediaTable() {
    return kMultimedia;
}
std::span<const CommandRow> BasicCommandTable() {
    return kBasic;
}
std::span<const CommandRow> AdditionalCommandTable() {
    return kAdditional;
}

bool IsLastClickButton(const SettingsRecord& record, int slot) {
    if (record.Button(rec::kButtonKind, slot) != kKindLeftClick) {
        return false;
    }
    int clicks = 0;
    for (int s = 0; s < kAssignableButtons; ++s) {
        clicks += record.Button(rec::kButtonKind, s) == kKindLeftClick ? 1 : 0;
    }
    return clicks == 1;
}

std::optional<std::string> AssignCommand(SettingsRecord& record, int slot, int command,
                                         const UiStrings& strings, Language language,
                                         const std::array<std::string, 3>& dpiList) {
    uint8_t& kind = record.Button(rec::kButtonKind, slot);
    for (const auto& item : kPlain) {
        if (item.command == command) {
            kind = item.kind;
            return PlainCaption(item, strings);
        }
    }
    if (command >= kCmdDpiFirst && command < kCmdDpiFirst + 3) {
        const int i = command - kCmdDpiFirst;
        kind = kKindDpi;
        record.Button(rec::kDpiAction, slot) = static_cast<uint8_t>(i + 1);
        return dpiList[static_cast<size_t>(i)];
    }
    struct Table {
        std::span<const CommandRow> rows;
        ButtonKind kind;
        size_t array;
    };
    for (const Table& table : {Table{kMultimedia, kKindMultimedia, rec::kMediaKey},
                               Table{kBasic, kKindBasicCommand, rec::kShortcutKey},
                               Table{kAdditional, kKindAdditionalCommand, rec::kSystemCommand}}) {
        for (const auto& row : table.rows) {
            if (row.command == command) {
                kind = table.kind;
                record.Button(table.array, slot) = row.code;
                return std::string(row.Name(language));
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> AssignKeyboardKey(SettingsRecord& record, int slot,
                                             const std::string& keyName,
                                             const UiStrings& strings) {
    if (keyName.empty()) {
        return std::nullopt;
    }
    record.Button(rec::kKeyUsage, slot) = GetKeyUsage(keyName);
    record.Button(rec::kButtonKind, slot) = kKindKeyboardKey;
    return strings[UiStrings::kAssignKey] + "-" + keyName;
}

std::optional<std::string> AssignMacro(SettingsRecord& record, int slot, int macroNumber,
                                       int runMode, const std::string& macroName,
                                       const UiStrings& strings) {
    if (macroNumber < 0) {
        return std::nullopt;
    }
    record.Button(rec::kMacroNumber, slot) = static_cast<uint8_t>(macroNumber);
    record.Button(rec::kMacroRunMode, slot) = static_cast<uint8_t>(runMode);
    record.Button(rec::kButtonKind, slot) = kKindMacro;
    return strings[UiStrings::kMacro] + ":" + macroName;
}

std::optional<std::string> MacroNameFromCaption(const std::string& caption,
                                                const UiStrings& strings) {
    if (!Contains(caption, strings[UiStrings::kMacro])) {
        return std::nullopt;
    }
    const size_t colon = caption.find_last_of(':');
    return colon == std::string::npos ? caption : caption.substr(colon + 1);
}

std::string CaptionForSlot(const SettingsRecord& record, int slot, const UiStrings& strings,
                           Language language, const std::string& macroName) {
    const uint8_t kind = record.Button(rec::kButtonKind, slot);
    for (const auto& item : kPlain) {
        if (item.kind == kind) {
            return PlainCaption(item, strings);
        }
    }
    const CommandRow* row = nullptr;
    switch (kind) {
        case kKindDpi: {
            const int action = record.Button(rec::kDpiAction, slot);
            return action >= 1 && action <= 3 ? strings[UiStrings::kDpiUp + action - 1]
                                               : std::string{};
        }
        case kKindMultimedia:
            row = RowByCode(kMultimedia, record.Button(rec::kMediaKey, slot));
            break;
        case kKindBasicCommand:
            row = RowByCode(kBasic, record.Button(rec::kShortcutKey, slot));
            break;
        case kKindAdditionalCommand:
            row = RowByCode(kAdditional, record.Button(rec::kSystemCommand, slot));
            break;
        case kKindKeyboardKey:
            return strings[UiStrings::kAssignKey] + "-" +
                   GetUsageKeyStr(record.Button(rec::kKeyUsage, slot));
        case kKindMacro:
            return strings[UiStrings::kMacro] + ":" + macroName;
        default:
            return {};
    }
    return row != nullptr ? std::string(row->Name(language)) : std::string{};
}

std::optional<std::string> CaptionNamePart(const std::string& caption, uint8_t kind,
                                           const UiStrings& strings) {
    std::string prefix;
    if (kind == kKindKeyboardKey) {
        prefix = strings[UiStrings::kAssignKey] + "-";
    } else if (kind == kKindMacro) {
        prefix = strings[UiStrings::kMacro] + ":";
    } else {
        return std::nullopt;
    }
    if (prefix.size() < 2 || caption.compare(0, prefix.size(), prefix) != 0) {
        return std::nullopt;
    }
    return caption.substr(prefix.size());
}

std::optional<std::string> MakeCaption(const SettingsRecord& record, int slot,
                                       const UiStrings& strings, const std::string& namePart) {
    const uint8_t kind = record.Button(rec::kButtonKind, slot);
    if (kind == kKindKeyboardKey) {
        return strings[UiStrings::kAssignKey] + "-" + namePart;
    }
    if (kind == kKindMacro) {
        return strings[UiStrings::kMacro] + ":" + namePart;
    }
    std::string caption = CaptionForSlot(record, slot, strings, LanguageForNames(strings.Code()));
    if (caption.empty()) {
        return std::nullopt;
    }
    return caption;
}

bool CaptionNamesFunction(const SettingsRecord& record, int slot, const std::string& caption,
                          const UiStrings& strings) {
    const uint8_t kind = record.Button(rec::kButtonKind, slot);
    if (kind == kKindKeyboardKey) {
        const auto name = CaptionNamePart(caption, kind, strings);
        return name && GetKeyUsage(*name) == record.Button(rec::kKeyUsage, slot);
    }
    if (kind == kKindMacro) {
        return CaptionNamePart(caption, kind, strings).has_value();
    }
    const auto made = MakeCaption(record, slot, strings, {});
    // INI values lose their surrounding blanks ("Scroll " reads back as "Scroll").
    return !made || Trim(*made) == Trim(caption);
}

std::array<std::string, 8> FactoryCaptions(const UiStrings& strings) {
    return {strings[UiStrings::kClick], strings[UiStrings::kMenu],  strings[UiStrings::kScroll],
            "Fn",                       strings[UiStrings::kSnipe], strings[UiStrings::kDpiUp],
            strings[UiStrings::kDpiDown], ""};
}

}  // namespace qm
