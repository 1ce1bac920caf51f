// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/ProfileIni.h"

namespace qm {

// The macro store "record.ini": up to twelve named macros of key presses, key releases
// and delays, shared by all profiles. Section "MacroName" lists the names ("MacroCount",
// then the keys "0".."n-1"); each macro has a section of its own name with
// "DelayTimeSelStatus", "MacroLoopTimes", "ItemCount" and "Item0".."Item<k-1>".
//
// Every write replaces the file atomically, so a crash never leaves half a store.

constexpr const char* kMacroNameSection = "MacroName";
constexpr const char* kPressMarker = "   Dn";
constexpr const char* kReleaseMarker = "   Up";
// The macros a store holds: the manager refuses a thirteenth, the mouse has twelve slots.
constexpr int kMaxMacros = 12;
// A damaged store may claim any count; lists read from it never grow beyond this.
constexpr int kMaxStoreListEntries = 10000;

// Whether a name can be a macro's section of its own: not empty, not the list's section
// ("MacroName" in any case: section names compare without case), and without the
// characters that break a section header or a key line.
bool IsUsableMacroName(const std::string& name);

struct MacroSection {
    std::string delayTimeSelStatus;
    std::string loopTimes;  // "MacroLoopTimes" as text
    int itemCount = 0;      // "ItemCount" as stored (the items read are bounded by the file)
    std::vector<std::string> items;
};

// The macro manager's controls, held in memory: the name list, the selection, the
// keystroke list of the selected macro, the two tick boxes and the loop-count box.
struct MacroEditorState {
    std::vector<std::string> names;
    int selected = -1;
    std::vector<std::string> keystrokes;
    bool recordDelays = false;  // RecordDelays
    bool loopEnabled = false;   // LoopEnabled
    std::string loopText;
    // MacroSnapshot: the selected name, "MacroLoopTimes" as read, then the items as read.
    std::vector<std::string> snapshot;

    const std::string* SelectedName() const;
};

class MacroStore {
public:
    explicit MacroStore(std::string path) : m_path(std::move(path)) {}
    const std::string& Path() const { return m_path; }

    // PathFileExistsW.
    bool Exists() const;

    // Reads: nothing when the file is missing. Counts are bounded by the keys the file
    // holds; missing keys below the highest present one read as empty texts.
    std::vector<std::string> ReadNames() const;
    MacroSection ReadMacro(const std::string& name) const;
    static std::vector<std::string> ReadNames(const IniDocument& doc);
    static MacroSection ReadMacro(const IniDocument& doc, const std::string& name);

    // Writes. Each returns 0 when written, kNotWritten when its precondition did not hold
    // (nothing was touched), or an errno value when the file could not be replaced.
    static constexpr int kNotWritten = -1;

    int WriteNameList(const std::vector<std::string>& names);
    // OnWriteMacroToIni: needs the file and a non-empty name list.
    int WriteMacroToIni(const MacroEditorState& state);
    // A macro renamed in place, in one write: the name list `names`, and the macro's
    // section under its new name, made from `shown` (the macro as the manager shows it)
    // where given, else the stored section with every key; the old section goes only with
    // the same write. Needs the file and a non-empty name list.
    int RenameMacro(const std::string& from, const std::string& to, const std::vector<std::string>& names,
                    const MacroEditorState* shown);
    // A finished recording: needs the file and a snapshot (name, delay flag, loop text,
    // items...).
    int WriteRecording(const std::vector<std::string>& names,
                       const std::vector<std::string>& recordSnapshot);
    // No existence test: this is the write that creates a missing store.
    int WriteLoopCount(const std::string& name, long value);
    // `names` is the list after the name was removed.
    int DeleteMacro(const std::vector<std::string>& names, const std::string& name);

private:
    static void PutNameList(IniDocument& doc, const std::vector<std::string>& names);
    static void PutItems(IniDocument& doc, const std::string& section,
                         const std::vector<std::string>& items);
    int LoadExisting(IniDocument& doc) const;

    std::string m_path;
};

// Selects entry `index` and loads it into the controls (on selection): loop-count box,
// keystroke list, RecordDelays from "DelayTimeSelStatus" (1 sets, 0 clears, anything else
// leaves it), LoopEnabled when the loop count is above 1; fills MacroSnapshot. Setting the
// loop-count box normalises it and writes it back, as the box's change handler does.
void SelectMacro(MacroStore& store, MacroEditorState& state, int index);
// Loading all (when the manager opens): every name listed, the first selected and loaded.
void LoadAllMacros(MacroStore& store, MacroEditorState& state);
// The loop-count box's change handler: a value below 1 or above 65535 becomes "1"; the
// value is written to the selected macro. Returns the value.
int SetLoopText(MacroStore& store, MacroEditorState& state, const std::string& text);

// Parsing an item of a keystroke list.
enum class ItemKind { kPress, kRelease, kOther };
struct ParsedItem {
    ItemKind kind;
    std::string keyName;  // the item with every marker removed
};
ParsedItem ParseMacroItem(const std::string& item);
// The pause before a key event, from the item just before it (nullptr when none):
// "<n> ms" gives n, anything else 50; 10 or less becomes 10.
int PauseBefore(const std::string* previousItem);

}  // namespace qm
