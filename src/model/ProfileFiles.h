// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "i18n/UiStrings.h"
#include "model/SettingsRecord.h"
#include "platform/DebugOutput.h"
#include "platform/ProfileIni.h"

namespace qm {

// The caption shown for each button slot (slot 7 is carried, never shown); kept per
// profile and language in the profile's INI file as "Item1".."Item7".
using ButtonCaptions = std::array<std::string, 8>;

constexpr size_t kRecordFileSize = 1 + rec::kSize;  // flag byte + record
constexpr int kMaxProfiles = 6;

// What the profile operations need from the window: the open and save dialogs of import
// and export (filter "Gaming Mouse Profile(*.bin)|*.bin||") and the refreshes. Tests
// implement it with a fake.
class ProfileUi {
public:
    virtual ~ProfileUi() = default;
    // nullopt when the user cancels.
    virtual std::optional<std::string> ChooseImportFile(const std::string& initialPath) = 0;
    virtual std::optional<std::string> ChooseExportFile(const std::string& initialPath) = 0;
    // After an import: views, sliders, pages and captions.
    virtual void RefreshAfterImport() {}
    // After an export: the button captions.
    virtual void RefreshCaptions() {}
    // After a switch or a new profile: views, sliders, pages and captions.
    virtual void RefreshViews() {}
    // Closes the profiles panel and shows the main window's left-column controls again.
    virtual void CloseProfilesPanel() {}
};

// Operations of UM_PROFILE_COMMAND.
enum ProfileOperation : int {
    kProfileImport = 0,
    kProfileExport = 1,
    kProfileSwitch = 2,
    kProfileNew = 3,
};

// The profile files in the application-data folder: "config.bin" and "str.ini" (base
// profile and profile list), "config%d.bin" and "str%d.ini" for profiles 0..5, and the
// macro store "record.ini". Holds the process-wide profile state: the current profile
// number, the profile last switched to, the import-done and reset-in-progress flags.
class ProfileFiles {
public:
    // `folder` ends with '/'. `strings` supplies the caption section (entry 0).
    ProfileFiles(std::string folder, SettingsState& settings, ButtonCaptions& captions,
                 const UiStrings& strings, DebugOutput& debug);

    // A copy bound to another record and captions, with the same paths, numbers and flags:
    // an upload works on a copy of its own while the window keeps the original.
    ProfileFiles(const ProfileFiles& other, SettingsState& settings, ButtonCaptions& captions);
    ProfileFiles(const ProfileFiles&) = delete;
    ProfileFiles& operator=(const ProfileFiles&) = delete;
    // Takes over the paths, numbers and flags of a copy (when its upload has returned).
    void TakeStateFrom(const ProfileFiles& other);

    const std::string& Folder() const { return m_folder; }
    std::string RecordIniPath() const { return m_folder + "record.ini"; }
    std::string StrIniPath() const { return m_folder + "str.ini"; }
    std::string BaseConfigPath() const { return m_folder + "config.bin"; }
    std::string ConfigPath(int number) const;
    std::string IniPath(int number) const;
    const std::string& CurrentConfigPath() const { return m_state.currentConfigPath; }
    const std::string& CurrentIniPath() const { return m_state.currentIniPath; }

    int CurrentProfileNumber() const { return m_state.currentNumber; }
    // Set by the profiles panel for the profile it selects.
    void SetCurrentProfileNumber(int number) { m_state.currentNumber = number; }
    int LastSwitchedTo() const { return m_state.lastSwitchedTo; }
    bool ImportDone() const { return m_state.importDone; }
    bool ResetInProgress() const { return m_state.resetInProgress; }
    void SetResetInProgress(bool on) { m_state.resetInProgress = on; }
    uint8_t FirstRunFlag() const { return m_state.firstRunFlag; }
    // The last failure worth telling the user (a file that could not be written, or read),
    // or empty.
    const std::string& LastError() const { return m_state.lastError; }
    void ClearLastError() { m_state.lastError.clear(); }
    // The profile's settings file that is there but could not be read at the last load
    // (empty when it was read): the record then holds no profile, and Apply must not send
    // or save it.
    const std::string& RecordUnreadable() const { return m_state.recordUnreadable; }
    // Why Apply (with `macros`) or Reset must not go on: the settings file could not be
    // read at the last load, or the current captions file (or the macro store) is there
    // and cannot be read now; sending and saving would put defaults over what it holds.
    // Empty when they may go on.
    std::string UnreadableProfileFiles(bool macros) const;

    // Reads a profile record file: the flag byte, then up to 1884 record bytes (a shorter
    // file fills only the start of the record). A missing or empty file writes
    // `missingMessage` and leaves the record unchanged; a file that cannot be read (no
    // permission, a folder, a FIFO) does too, and is remembered as unreadable. Returns
    // whether the file was read.
    bool ReadRecordFile(const std::string& path, SettingsRecord& record,
                        const char* missingMessage = "Config file is not exist.\n",
                        bool writeDebugLine = true);
    // Writes flag 1 and the record, replacing the file atomically. Returns 0 or errno.
    int WriteRecordFile(const std::string& path, const SettingsRecord& record);

    // Finds the current profile in str.ini's list, reads its record file and compiles the
    // macro store into it. In reset mode it reads the base files instead. Returns false
    // when the profile list does not allow a load (nothing is then loaded or compiled).
    bool LoadCurrentProfile();
    int SaveCurrentProfile();
    // Reads "Item1".."Item8" of the current language's section. A caption that does not
    // name its button's function is made anew from the record.
    void LoadCaptions(const std::string& iniPath);
    // Writes "Item1".."Item7" of every language's section: the current language's from
    // the captions shown, the others made from the record (key and macro captions keep
    // their name part).
    int SaveCaptions(const std::string& iniPath);
    // "Lan" of section "Skins" of the current INI file.
    std::string ReadLanguageCode() const;
    // The interface language of the current profile: its "Lan", or where that is empty or
    // no language this program speaks, the one the seeding chooses from the locale, which
    // is then written into the file.
    std::string LanguageCode();

    // "IsDefault" of the current INI file: "N" or empty writes the factory defaults and
    // saves (after an export only "N" does); "Y" is written either way. Returns whether
    // the defaults were written into the record.
    bool CheckInitialisationMark(bool afterExport = false);

    // Whether the profile list did not allow the last load (ItemCount not 1..6): the record
    // then holds no profile, and nothing may be sent or saved on its behalf.
    bool ListUnusable() const { return m_state.listUnusable; }

    // The profile list of str.ini as the profiles panel shows it, nullopt when the list
    // cannot be used (ItemCount not 1..6, or str.ini unreadable), and in `current` the
    // entry "CurProfileName" names (FindCurrentEntry; -1 when none).
    std::optional<std::vector<std::string>> ReadProfileList(int* current) const;
    // The panel's changes made at once: the list becomes `names` with entry `selected`
    // current, and the files follow the names: position i gets the files position
    // origin[i] had (-1: a new profile). A position left without a profile keeps no
    // settings file and gets the seeded captions file. Whole or not at all (a
    // ProfileChange); the current and last switched-to numbers follow their profiles.
    // Returns 0 or errno (LastError says what happened).
    int ChangeProfileList(const std::vector<std::string>& names, const std::vector<int>& origin, int selected);

    // The handler of UM_PROFILE_COMMAND; always returns 0.
    int OnProfileMessage(int operation, int number, ProfileUi& ui);

private:
    // False when nothing was loaded (cancelled, or a file refused: LastError says why).
    bool Import(ProfileUi& ui);
    void Export(ProfileUi& ui);
    void Switch(int number, ProfileUi& ui);
    void NewProfile(int number, ProfileUi& ui);
    void RecomputeCurrentPaths();
    // Makes the current number the profile whose settings the record holds.
    void FollowRecord();
    void PutCaptions(IniDocument& doc) const;
    std::string LanguageForNewFiles() const;
    // The key or macro name a slot's caption carries, else what the record names.
    std::string NamePartOf(int slot) const;
    std::string MacroNameOf(int number) const;
    void NoteWriteError(const std::string& path, int error);

    std::string m_folder;
    SettingsState& m_settings;
    ButtonCaptions& m_captions;
    const UiStrings& m_strings;
    DebugOutput& m_debug;

    // The paths, numbers and flags a copy takes over whole (TakeStateFrom).
    struct State {
        std::string currentConfigPath;
        std::string currentIniPath;
        int currentNumber = 0;
        int lastSwitchedTo = -1;
        int recordOf = -1;  // the profile whose settings the record holds (-1: none)
        bool importDone = false;
        bool resetInProgress = false;
        // Set when the profile list did not allow the last load: the record then holds no
        // profile, and nothing may be saved over the current profile's file on its behalf.
        bool listUnusable = false;
        uint8_t firstRunFlag = 0;
        std::string lastError;
        bool recordMissing = false;  // the last profile read found no settings (or an empty file)
        std::string recordUnreadable;
        int recordReadError = 0;
    };
    State m_state;
};

// The companion INI of an exported or imported ".bin" file: the last ".bin" of the file
// name replaced by ".ini".
std::string CompanionIniPath(const std::string& binPath);

// The entry of `names` that "CurProfileName" `wanted` names: the name itself (its last
// entry, as the load of the current profile takes it), then in another case, then the
// first that starts with it as the list box's prefix search finds it; -1 when none does
// (or `wanted` is empty).
int FindCurrentEntry(const std::vector<std::string>& names, const std::string& wanted);

// "EN", "DE", "CHS" or "CHT".
bool IsLanguageCode(const std::string& code);

}  // namespace qm
