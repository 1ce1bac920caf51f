// SPDX-License-Identifier: GPL-3.0-or-later
#include "macros/MacroCompiler.h"

#include <algorithm>

#include "macros/KeyNames.h"
#include "platform/Format.h"

namespace qm {

namespace {

// The loop count as stored: below 1 or above 65535 becomes 1.
int LoopCountOf(const std::string& text) {
    const int loop = ParseDecimal(text);
    return loop < 1 || loop > 65535 ? 1 : loop;
}

// The macros a store lists, at most twelve, as (name, section).
std::vector<std::pair<std::string, MacroSection>> StoredMacros(const IniDocument& doc) {
    std::vector<std::pair<std::string, MacroSection>> macros;
    std::vector<std::string> names = MacroStore::ReadNames(doc);
    names.resize(std::min(names.size(), rec::kMacroSlotCount));
    for (auto& name : names) {
        MacroSection macro = MacroStore::ReadMacro(doc, name);
        macros.emplace_back(std::move(name), std::move(macro));
    }
    return macros;
}

}  // namespace

void CompileMacro(std::span<uint8_t> slot, int loopCount, int itemCount,
                  const std::vector<std::string>& items, uint8_t firstEventByte,
                  bool partialLastEvent) {
    slot[0] = static_cast<uint8_t>(loopCount >> 8);
    slot[1] = static_cast<uint8_t>(loopCount & 0xFF);
    const size_t dataEnd = std::min<size_t>(128, slot.size());
    if (itemCount == 0) {
        std::fill(slot.begin(), slot.begin() + static_cast<std::ptrdiff_t>(dataEnd), uint8_t{0});
        return;
    }
    // Bytes 2..127 are cleared whatever the first item is: events written over an older
    // macro must not be followed by what is left of it.
    std::fill(slot.begin() + 2, slot.begin() + static_cast<std::ptrdiff_t>(dataEnd), uint8_t{0});

    size_t p = 0;  // the next event goes to p + 2
    size_t first = 0;
    if (!items.empty()) {
        const ParsedItem item0 = ParseMacroItem(items[0]);
        if (item0.kind == ItemKind::kPress) {
            slot[2] = firstEventByte;
            slot[3] = GetKeyUsage(item0.keyName);
            p = 2;
            first = 1;
        }
    }
    for (size_t j = first; j < items.size(); ++j) {
        const ParsedItem item = ParseMacroItem(items[j]);
        if (item.kind == ItemKind::kOther) {
            continue;
        }
        const size_t at = p + 2;
        if (at >= slot.size() || (!partialLastEvent && at + 4 > slot.size())) {
            break;
        }
        const int pause = PauseBefore(j > 0 ? &items[j - 1] : nullptr);
        const uint8_t event[4] = {
            item.kind == ItemKind::kPress ? kMarkerPress : kMarkerRelease,
            GetKeyUsage(item.keyName),
            static_cast<uint8_t>((pause >> 8) & 0xFF),
            static_cast<uint8_t>(pause & 0xFF),
        };
        for (size_t b = 0; b < 4 && at + b < slot.size(); ++b) {
            slot[at + b] = event[b];
        }
        p += 4;
    }
}

void CompileMacros(const MacroStore& store, SettingsRecord& record, DebugOutput& debug) {
    if (!store.Exists()) {
        return;
    }
    const IniDocument doc = IniDocument::Load(store.Path());
    size_t m = 0;
    for (const auto& [name, macro] : StoredMacros(doc)) {
        debug.Write(name);
        CompileMacro(std::span<uint8_t>(record.MacroSlot(m), rec::kMacroSlotSize),
                     LoopCountOf(macro.loopTimes), macro.itemCount, macro.items, kFirstEventOnLoad,
                     true);
        ++m;
    }
}

std::optional<CompileSlots> OnBnMacroSave(const MacroStore& store, int nameListCount,
                                          int nameListSelection, DebugOutput& debug) {
    if (!store.Exists() || nameListCount <= 0) {
        return std::nullopt;
    }
    debug.Write(Format("OnBnMacroSave m_lbSelMacro.GetCount()=%d,m_lbSelMacro.GetCurSel()=%d\n",
                       nameListCount, nameListSelection));
    CompileSlots slots{};
    const IniDocument doc = IniDocument::Load(store.Path());
    size_t m = 0;
    for (const auto& [name, macro] : StoredMacros(doc)) {
        CompileMacro(slots[m], LoopCountOf(macro.loopTimes), macro.itemCount, macro.items,
                     kFirstEventOnManager, false);
        ++m;
    }
    return slots;
}

void CopyCompileSlots(const CompileSlots& slots, SettingsRecord& record) {
    for (size_t m = 0; m < rec::kMacroSlotCount; ++m) {
        std::copy_n(slots[m].begin(), rec::kMacroSlotSize, record.MacroSlot(m));
    }
}

}  // namespace qm
