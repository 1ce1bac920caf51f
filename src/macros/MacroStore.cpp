// SPDX-License-Identifier: GPL-3.0-or-later
#include "macros/MacroStore.h"

#include <algorithm>
#include <cerrno>

#include "platform/FileUtil.h"
#include "platform/Format.h"

namespace qm {

namespace {

// The list's own section, which no macro's name may stand for.
bool IsListSection(const std::string& name) {
    return EqualsIgnoreCase(Trim(name), kMacroNameSection);
}

// How many entries of an indexed list to read: the stated count, but never past the
// highest key the file holds, and never more than a list can sensibly hold.
int BoundedCount(const IniDocument& doc, const std::string& section, const std::string& prefix,
                 int stated) {
    const int present = doc.HighestIndex(section, prefix) + 1;
    return std::max(0, std::min({stated, present, kMaxStoreListEntries}));
}

}  // namespace

bool IsUsableMacroName(const std::string& name) {
    return !name.empty() && !EqualsIgnoreCase(Trim(name), kMacroNameSection) &&
           name.find_first_of("]=\r\n") == std::string::npos && Trim(name) == name;
}

const std::string* MacroEditorState::SelectedName() const {
    if (selected < 0 || selected >= static_cast<int>(names.size())) {
        return nullptr;
    }
    return &names[static_cast<size_t>(selected)];
}

bool MacroStore::Exists() const {
    return PathExists(m_path);
}

std::vector<std::string> MacroStore::ReadNames() const {
    if (!Exists()) {
        return {};
    }
    return ReadNames(IniDocument::Load(m_path));
}

MacroSection MacroStore::ReadMacro(const std::string& name) const {
    if (!Exists()) {
        return {};
    }
    return ReadMacro(IniDocument::Load(m_path), name);
}

std::vector<std::string> MacroStore::ReadNames(const IniDocument& doc) {
    const auto values = doc.Values(kMacroNameSection);
    const auto count = values.find("macrocount");
    const int stated = count == values.end() ? 0 : ParseDecimal(count->second);
    // A name key that is missing reads as an empty name, so the compile clears its slot
    // instead of leaving an older macro there. Only a count beyond the twelve macros a
    // store holds is bounded by the keys the file has.
    const int present = std::max(doc.HighestIndex(kMacroNameSection, "") + 1, kMaxMacros);
    const int n = std::max(0, std::min({stated, present, kMaxStoreListEntries}));
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto it = values.find(std::to_string(i));
        names.push_back(it == values.end() ? std::string{} : it->second);
    }
    return names;
}

MacroSection MacroStore::ReadMacro(const IniDocument& doc, const std::string& name) {
    if (EqualsIgnoreCase(Trim(name), kMacroNameSection)) {
        return {};  // the name list is no macro's section
    }
    const auto values = doc.Values(name);
    const auto get = [&](const std::string& key) {
        const auto it = values.find(key);
        return it == values.end() ? std::string{} : it->second;
    };
    MacroSection macro;
    macro.delayTimeSelStatus = get("delaytimeselstatus");
    macro.loopTimes = get("macrolooptimes");
    macro.itemCount = ParseDecimal(get("itemcount"));
    const int k = BoundedCount(doc, name, "Item", macro.itemCount);
    macro.items.reserve(static_cast<size_t>(k));
    for (int i = 0; i < k; ++i) {
        macro.items.push_back(get("item" + std::to_string(i)));
    }
    return macro;
}

// The section was just deleted: its keys are appended, in one pass over the list.
void MacroStore::PutNameList(IniDocument& doc, const std::vector<std::string>& names) {
    doc.DeleteSection(kMacroNameSection);
    doc.Append(kMacroNameSection, "MacroCount", std::to_string(names.size()));
    if (names.empty()) {
        doc.Append(kMacroNameSection, "0", "");
        return;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        doc.Append(kMacroNameSection, std::to_string(i), names[i]);
    }
}

void MacroStore::PutItems(IniDocument& doc, const std::string& section,
                          const std::vector<std::string>& items) {
    doc.Set(section, "ItemCount", std::to_string(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        doc.Append(section, "Item" + std::to_string(i), items[i]);
    }
}

// Loads the store for a write that needs it to exist; a store we cannot read is never
// replaced, or the macros in it would be lost.
int MacroStore::LoadExisting(IniDocument& doc) const {
    int error = 0;
    doc = IniDocument::Load(m_path, &error);
    return error;
}

int MacroStore::WriteNameList(const std::vector<std::string>& names) {
    IniDocument doc;
    if (const int error = LoadExisting(doc); error != 0 && error != ENOENT) {
        return error;
    }
    PutNameList(doc, names);
    return doc.Save(m_path);
}

int MacroStore::WriteMacroToIni(const MacroEditorState& state) {
    if (!Exists() || state.names.empty()) {
        return kNotWritten;
    }
    IniDocument doc;
    if (const int error = LoadExisting(doc)) {
        return error;
    }
    PutNameList(doc, state.names);
    // A name that is not a section of its own (the list's, say) writes no section: the
    // list itself must never be deleted.
    if (const std::string* name = state.SelectedName(); name != nullptr && !IsListSection(*name)) {
        doc.DeleteSection(*name);
        if (!state.keystrokes.empty()) {
            doc.Set(*name, "DelayTimeSelStatus", state.recordDelays ? "1" : "0");
            doc.Set(*name, "MacroLoopTimes", state.loopText);
            PutItems(doc, *name, state.keystrokes);
        }
    }
    return doc.Save(m_path);
}

int MacroStore::RenameMacro(const std::string& from, const std::string& to, const std::vector<std::string>& names,
                            const MacroEditorState* shown) {
    if (!Exists() || names.empty()) {
        return kNotWritten;
    }
    IniDocument doc;
    if (const int error = LoadExisting(doc)) {
        return error;
    }
    PutNameList(doc, names);
    // The list's own section is never renamed, nor made a macro's.
    if (!IsListSection(from) && !IsListSection(to)) {
        if (shown != nullptr && !shown->keystrokes.empty()) {
            doc.DeleteSection(from);
            doc.DeleteSection(to);
            doc.Set(to, "DelayTimeSelStatus", shown->recordDelays ? "1" : "0");
            doc.Set(to, "MacroLoopTimes", shown->loopText);
            PutItems(doc, to, shown->keystrokes);
        } else {
            doc.RenameSection(from, to);
        }
    }
    return doc.Save(m_path);
}

int MacroStore::WriteRecording(const std::vector<std::string>& names,
                               const std::vector<std::string>& recordSnapshot) {
    if (!Exists() || recordSnapshot.size() < 3) {
        return kNotWritten;
    }
    IniDocument doc;
    if (const int error = LoadExisting(doc)) {
        return error;
    }
    PutNameList(doc, names);
    const std::string& name = recordSnapshot[0];
    if (IsListSection(name)) {
        return doc.Save(m_path);
    }
    doc.DeleteSection(name);
    doc.Set(name, "DelayTimeSelStatus", recordSnapshot[1]);
    doc.Set(name, "MacroLoopTimes", recordSnapshot[2]);
    PutItems(doc, name, std::vector<std::string>(recordSnapshot.begin() + 3, recordSnapshot.end()));
    return doc.Save(m_path);
}

int MacroStore::WriteLoopCount(const std::string& name, long value) {
    IniDocument doc;
    if (const int error = LoadExisting(doc); error != 0 && error != ENOENT) {
        return error;
    }
    if (IsListSection(name)) {
        return kNotWritten;
    }
    doc.Set(name, "MacroLoopTimes", Format("%ld", value));
    return doc.Save(m_path);
}

int MacroStore::DeleteMacro(const std::vector<std::string>& names, const std::string& name) {
    IniDocument doc;
    if (const int error = LoadExisting(doc); error != 0 && error != ENOENT) {
        return error;
    }
    PutNameList(doc, names);
    if (!IsListSection(name)) {
        doc.DeleteSection(name);
    }
    return doc.Save(m_path);
}

int SetLoopText(MacroStore& store, MacroEditorState& state, const std::string& text) {
    int value = ParseDecimal(text);
    state.loopText = text;
    if (value < 1 || value > 65535) {
        state.loopText.assign(1, '1');  // (a literal here makes GCC 12 warn of an overlap there is not)
        value = 1;
    }
    if (const std::string* name = state.SelectedName()) {
        store.WriteLoopCount(*name, value);
    }
    return value;
}

static void LoadSectionIntoState(MacroStore& store, MacroEditorState& state,
                                 const MacroSection& macro) {
    const int loop = SetLoopText(store, state, macro.loopTimes);
    state.keystrokes = macro.items;
    if (macro.delayTimeSelStatus == "1") {
        state.recordDelays = true;
    } else if (macro.delayTimeSelStatus == "0") {
        state.recordDelays = false;
    }
    state.loopEnabled = loop > 1;
}

void SelectMacro(MacroStore& store, MacroEditorState& state, int index) {
    state.selected = index;
    const std::string* name = state.SelectedName();
    if (name == nullptr) {
        return;
    }
    const MacroSection macro = store.ReadMacro(*name);
    state.snapshot = {*name, macro.loopTimes};
    state.snapshot.insert(state.snapshot.end(), macro.items.begin(), macro.items.end());
    LoadSectionIntoState(store, state, macro);
}

void LoadAllMacros(MacroStore& store, MacroEditorState& state) {
    state.names.clear();
    state.keystrokes.clear();
    state.selected = -1;
    if (!store.Exists()) {
        return;
    }
    const IniDocument doc = IniDocument::Load(store.Path());
    for (const std::string& name : MacroStore::ReadNames(doc)) {
        state.names.push_back(name);
        const MacroSection macro = MacroStore::ReadMacro(doc, name);
        state.loopText = macro.loopTimes;
        state.recordDelays = macro.delayTimeSelStatus == "1";
    }
    if (!state.names.empty()) {
        SelectMacro(store, state, 0);
    }
}

ParsedItem ParseMacroItem(const std::string& item) {
    if (Contains(item, kPressMarker)) {
        return {ItemKind::kPress, ReplaceAll(item, kPressMarker, "")};
    }
    if (Contains(item, kReleaseMarker)) {
        return {ItemKind::kRelease, ReplaceAll(item, kReleaseMarker, "")};
    }
    return {ItemKind::kOther, {}};
}

int PauseBefore(const std::string* previousItem) {
    int pause = 50;
    if (previousItem != nullptr && Contains(*previousItem, "ms")) {
        pause = ParseDecimal(ReplaceAll(*previousItem, " ms", ""));
    }
    return pause <= 10 ? 10 : pause;
}

}  // namespace qm
