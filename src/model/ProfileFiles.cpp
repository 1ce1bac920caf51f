// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProfileFiles.h"

#include <cerrno>
#include <cstdio>
#include <functional>
#include <tuple>

#include "macros/KeyNames.h"
#include "macros/MacroCompiler.h"
#include "macros/MacroStore.h"
#include "platform/FileUtil.h"
#include "platform/Format.h"
#include "platform/ProfileIni.h"
#include "model/ButtonCatalogue.h"
#include "model/FirstRun.h"
#include "model/ProfileChange.h"
#include "platform/AppDataFolder.h"
#include "platform/Clock.h"
#include "platform/UploadLock.h"

namespace qm {

namespace {

constexpr const char* kProfileSection = "Profile";

}  // namespace

std::string CompanionIniPath(const std::string& binPath) {
    const size_t nameStart = binPath.size() - BaseName(binPath).size();
    const size_t at = binPath.rfind(".bin");
    if (at == std::string::npos || at < nameStart) {
        return binPath;
    }
    std::string ini = binPath;
    ini.replace(at, 4, ".ini");
    return ini;
}

ProfileFiles::ProfileFiles(std::string folder, SettingsState& settings, ButtonCaptions& captions,
                           const UiStrings& strings, DebugOutput& debug)
    : m_folder(std::move(folder)),
      m_settings(settings),
      m_captions(captions),
      m_strings(strings),
      m_debug(debug) {
    m_state.currentConfigPath = m_folder + "config0.bin";
    m_state.currentIniPath = m_folder + "str.ini";
}

ProfileFiles::ProfileFiles(const ProfileFiles& other, SettingsState& settings, ButtonCaptions& captions)
    : m_folder(other.m_folder),
      m_settings(settings),
      m_captions(captions),
      m_strings(other.m_strings),
      m_debug(other.m_debug),
      m_state(other.m_state) {}

void ProfileFiles::TakeStateFrom(const ProfileFiles& other) {
    m_state = other.m_state;
}

std::string ProfileFiles::ConfigPath(int number) const {
    return m_folder + Format("config%d.bin", number);
}

std::string ProfileFiles::IniPath(int number) const {
    return m_folder + Format("str%d.ini", number);
}

void ProfileFiles::FollowRecord() {
    if (m_state.recordOf >= 0 && m_state.recordOf != m_state.currentNumber) {
        m_state.currentNumber = m_state.recordOf;
        RecomputeCurrentPaths();
    }
}

void ProfileFiles::RecomputeCurrentPaths() {
    m_state.currentConfigPath = ConfigPath(m_state.currentNumber);
    m_state.currentIniPath = IniPath(m_state.currentNumber);
}

void ProfileFiles::NoteWriteError(const std::string& path, int error) {
    m_state.lastError = "cannot write " + path + ": " + ErrnoText(error);
    m_debug.Write(m_state.lastError + "\n");
}

bool ProfileFiles::ReadRecordFile(const std::string& path, SettingsRecord& record,
                                  const char* missingMessage, bool writeDebugLine) {
    std::string bytes;
    const int error = ReadWholeFile(path, bytes, kRecordFileSize);
    m_state.recordMissing = false;
    m_state.recordUnreadable.clear();
    if (error != 0 || bytes.size() < kRecordFileSize) {
        m_debug.Write(missingMessage);
        m_state.recordMissing = true;
        if (error == 0) {
            // A file too short to hold the settings (an empty one, the flag byte alone)
            // holds no profile: it counts as missing, and the user learns why.
            m_state.lastError = bytes.empty() ? path + " is empty: it is taken as missing"
                                              : Format("%s is too short to hold the settings (%d bytes, %d expected): it "
                                                       "is taken as missing",
                                                       path.c_str(), static_cast<int>(bytes.size()),
                                                       static_cast<int>(kRecordFileSize));
            m_debug.Write(m_state.lastError + "\n");
        } else if (error != ENOENT) {
            // There, but not readable: not the same as missing. Nothing may be written over
            // it on behalf of a record that never came from it.
            m_state.recordUnreadable = path;
            m_state.recordReadError = error;
            m_state.lastError = "cannot read " + path + ": " + ErrnoText(error);
            m_debug.Write(m_state.lastError + "\n");
        }
        return false;
    }
    m_state.firstRunFlag = static_cast<uint8_t>(bytes[0]);
    const int recordBytes = static_cast<int>(bytes.size() - 1);
    std::copy(bytes.begin() + 1, bytes.end(), record.bytes.begin());
    if (writeDebugLine) {
        m_debug.Write(Format("Program First Run Flag:%d\nRead Size is: %d", m_state.firstRunFlag,
                             recordBytes));
    }
    return true;
}

int ProfileFiles::WriteRecordFile(const std::string& path, const SettingsRecord& record) {
    std::string content(1, '\x01');
    content.append(record.bytes.begin(), record.bytes.end());
    const int error = WriteFileAtomic(path, content);
    if (error != 0) {
        m_debug.Write(Format("Error Code is: %d \n", error));
        NoteWriteError(path, error);
        return error;
    }
    m_debug.Write(Format("Data num:%d BYTE -%d BYTE\n Struct size:%d BYTE", 1,
                         static_cast<int>(rec::kSize), static_cast<int>(rec::kSize)));
    return 0;
}

bool ProfileFiles::LoadCurrentProfile() {
    m_state.currentIniPath = StrIniPath();
    if (m_state.resetInProgress) {
        m_state.currentConfigPath = BaseConfigPath();
        m_state.currentIniPath = StrIniPath();
    } else {
        const IniDocument list = IniDocument::Load(StrIniPath());
        const std::string current = list.Get(kProfileSection, "CurProfileName");
        const int n = ParseDecimal(list.Get(kProfileSection, "ItemCount"));
        // The list holds one to six profiles; anything else is no list to load from.
        if (n < 1 || n > kMaxProfiles) {
            m_state.listUnusable = true;
            m_debug.Write(Format("The profile list of %s is unusable (ItemCount %d): no profile "
                                 "was loaded.\n",
                                 StrIniPath().c_str(), n));
            return false;
        }
        m_state.listUnusable = false;
        for (int i = 0; i < n; ++i) {
            if (list.Get(kProfileSection, Format("Item%d", i)) == current) {
                m_state.currentNumber = i;  // the last match wins
            }
        }
        RecomputeCurrentPaths();
        m_state.lastSwitchedTo = m_state.currentNumber;
    }
    m_state.recordOf = m_state.currentNumber;
    ReadRecordFile(m_state.currentConfigPath, m_settings.record);
    CompileMacros(MacroStore(RecordIniPath()), m_settings.record, m_debug);
    return true;
}

int ProfileFiles::SaveCurrentProfile() {
    RecomputeCurrentPaths();
    return WriteRecordFile(m_state.currentConfigPath, m_settings.record);
}

std::string ProfileFiles::MacroNameOf(int number) const {
    const std::vector<std::string> names = MacroStore(RecordIniPath()).ReadNames();
    return number >= 0 && number < static_cast<int>(names.size()) ? names[static_cast<size_t>(number)]
                                                                   : std::string{};
}

std::string ProfileFiles::NamePartOf(int slot) const {
    const SettingsRecord& r = m_settings.record;
    const uint8_t kind = r.Button(rec::kButtonKind, slot);
    const auto name = CaptionNamePart(m_captions[static_cast<size_t>(slot)], kind, m_strings);
    if (kind == kKindKeyboardKey) {
        // The key's own name as the dialog gave it, unless it names another key.
        const uint8_t usage = r.Button(rec::kKeyUsage, slot);
        return name && GetKeyUsage(*name) == usage ? *name : GetUsageKeyStr(usage);
    }
    if (name) {
        return *name;
    }
    if (kind == kKindMacro) {
        return MacroNameOf(r.Button(rec::kMacroNumber, slot));
    }
    return {};
}

void ProfileFiles::LoadCaptions(const std::string& iniPath) {
    const IniDocument doc = IniDocument::Load(iniPath);
    const std::string& section = m_strings[UiStrings::kSectionName];
    for (size_t i = 0; i < m_captions.size(); ++i) {
        m_captions[i] = doc.Get(section, Format("Item%d", static_cast<int>(i + 1)));
    }
    if (section.empty()) {
        return;  // no known language: nothing to make captions in
    }
    // A caption that does not name its button's function (saved in another language
    // before, or by an older program) would mislead: it is made anew from the record.
    for (int slot = 0; slot < 7; ++slot) {
        std::string& caption = m_captions[static_cast<size_t>(slot)];
        if (!CaptionNamesFunction(m_settings.record, slot, caption, m_strings)) {
            const std::string name = NamePartOf(slot);
            caption = MakeCaption(m_settings.record, slot, m_strings, name).value_or(caption);
        }
    }
}

int ProfileFiles::SaveCaptions(const std::string& iniPath) {
    int error = 0;
    IniDocument doc = IniDocument::Load(iniPath, &error);
    if (error != 0 && error != ENOENT) {
        NoteWriteError(iniPath, error);
        return error;
    }
    PutCaptions(doc);
    error = doc.Save(iniPath);
    if (error != 0) {
        NoteWriteError(iniPath, error);
    }
    return error;
}

void ProfileFiles::PutCaptions(IniDocument& doc) const {
    // Every language's section, each caption made from the record in that language, so
    // a profile reads right whichever language the next start uses.
    std::array<std::string, 7> names;
    for (int i = 0; i < 7; ++i) {
        names[static_cast<size_t>(i)] = NamePartOf(i);
    }
    for (const char* code : kCaptionLanguages) {
        UiStrings strings;
        strings.FillUiStrings(code);
        const bool current = strings.Code() == m_strings.Code();
        const std::string& section = strings[UiStrings::kSectionName];
        for (int i = 0; i < 7; ++i) {
            const std::string key = Format("Item%d", i + 1);
            std::optional<std::string> caption =
                current ? m_captions[static_cast<size_t>(i)]
                        : MakeCaption(m_settings.record, i, strings, names[static_cast<size_t>(i)]);
            if (!caption && !doc.Find(section, key)) {
                caption = m_captions[static_cast<size_t>(i)];
            }
            if (caption) {
                doc.Set(section, key, *caption);
            }
        }
    }
}

std::string ProfileFiles::ReadLanguageCode() const {
    return ProfileIni::GetString(m_state.currentIniPath, "Skins", "Lan");
}

std::string ProfileFiles::LanguageCode() {
    const std::string code = ReadLanguageCode();
    if (IsLanguageCode(code)) {
        return code;
    }
    // Without a code the program would show no text at all: the seeding's choice, written
    // into the file as for a missing base file.
    const std::string chosen = LanguageFromLocale(UserLocale());
    // A profile list that cannot be used is never written, not even its language.
    if (!m_state.listUnusable && PathExists(m_state.currentIniPath)) {
        if (const int error = ProfileIni::WriteString(m_state.currentIniPath, "Skins", "Lan", chosen)) {
            NoteWriteError(m_state.currentIniPath, error);
        } else {
            m_debug.Write("The language code of " + m_state.currentIniPath + " was " +
                          (code.empty() ? std::string("missing") : "\"" + code + "\"") + ": " + chosen +
                          " written\n");
        }
    }
    return chosen;
}

bool IsLanguageCode(const std::string& code) {
    return code == "EN" || code == "DE" || code == "CHS" || code == "CHT";
}

bool ProfileFiles::CheckInitialisationMark(bool afterExport) {
    int readError = 0;
    const IniDocument ini = IniDocument::Load(m_state.currentIniPath, &readError);
    if (readError != 0 && readError != ENOENT) {
        // A mark that cannot be read says nothing about the profile: it is left alone.
        m_state.lastError = "cannot read " + m_state.currentIniPath + ": " + ErrnoText(readError) + "; the profile is left as it is";
        m_debug.Write(m_state.lastError + "\n");
        return false;
    }
    if (!m_state.recordUnreadable.empty()) {
        return false;  // the settings file is there but unreadable: nothing is written over it
    }
    const std::string mark = ini.Get(kProfileSection, "IsDefault");
    // A profile whose settings file is missing or empty has no settings to keep.
    const bool uninitialised = afterExport ? mark == "N" : (mark == "N" || mark.empty() || m_state.recordMissing);
    if (!uninitialised) {
        if (const int error = ProfileIni::WriteString(m_state.currentIniPath, kProfileSection, "IsDefault", "Y")) {
            NoteWriteError(m_state.currentIniPath, error);
        }
        return false;
    }
    ApplyFactoryDefaults(m_settings.record);
    // The captions were read against the record as it was before; read against the
    // defaults, the profile's own captions stay instead of being made anew.
    LoadCaptions(m_state.currentIniPath);
    // With no usable profile list, the current profile was never read: its file may hold
    // the user's settings, and the defaults must not be saved over it.
    if (m_state.listUnusable && PathExists(ConfigPath(m_state.currentNumber))) {
        m_debug.Write("The factory defaults were not saved over " + ConfigPath(m_state.currentNumber) +
                      ": repair the profile list in " + StrIniPath() + ".\n");
        return true;
    }
    if (const int error = ProfileIni::WriteString(m_state.currentIniPath, kProfileSection, "IsDefault", "Y")) {
        NoteWriteError(m_state.currentIniPath, error);
    }
    SaveCurrentProfile();
    return true;
}

std::string ProfileFiles::UnreadableProfileFiles(bool macros) const {
    if (!m_state.recordUnreadable.empty()) {
        return "cannot read " + m_state.recordUnreadable + ": " + ErrnoText(m_state.recordReadError);
    }
    std::vector<std::string> paths = {m_state.currentIniPath};
    if (macros) {
        paths.push_back(RecordIniPath());
    }
    for (const std::string& path : paths) {
        int error = 0;
        IniDocument::Load(path, &error);
        if (error != 0 && error != ENOENT) {
            return "cannot read " + path + ": " + ErrnoText(error);
        }
    }
    return {};
}

std::optional<std::vector<std::string>> ProfileFiles::ReadProfileList(int* current) const {
    if (current != nullptr) {
        *current = -1;
    }
    int error = 0;
    const IniDocument list = IniDocument::Load(StrIniPath(), &error);
    const int n = ParseDecimal(list.Get("PROFILE", "ItemCount"));
    if (error != 0 || n < 1 || n > kMaxProfiles) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) {
        names.push_back(list.Get(kProfileSection, Format("Item%d", i)));
    }
    if (current != nullptr) {
        *current = FindCurrentEntry(names, list.Get(kProfileSection, "CurProfileName"));
    }
    return names;
}

int FindCurrentEntry(const std::vector<std::string>& names, const std::string& wanted) {
    // No name names no entry: the current profile stays as it is.
    if (wanted.empty()) {
        return -1;
    }
    const int n = static_cast<int>(names.size());
    const std::string lower = ToLowerAscii(wanted);
    // The name itself first, then the name in another case, and only then the list box's
    // prefix search (LB_FINDSTRING from entry 0: entry 1 on, then entry 0), which alone
    // would take "Game 1" for "Game".
    // The name itself: the last entry of it, as the load of the current profile takes it,
    // so that the panel selects the profile the record holds.
    for (int row = n - 1; row >= 0; --row) {
        if (names[static_cast<size_t>(row)] == wanted) {
            return row;
        }
    }
    const std::vector<std::function<bool(const std::string&)>> tries = {
        [&](const std::string& name) { return ToLowerAscii(name) == lower; },
        [&](const std::string& name) { return ToLowerAscii(name).compare(0, lower.size(), lower) == 0; },
    };
    for (size_t t = 0; t < tries.size(); ++t) {
        for (int k = 0; k < n; ++k) {
            const int row = t == 1 ? (k + 1) % n : k;
            if (tries[t](names[static_cast<size_t>(row)])) {
                return row;
            }
        }
    }
    return -1;
}

std::string ProfileFiles::LanguageForNewFiles() const {
    return IsLanguageCode(m_strings.Code()) ? m_strings.Code() : LanguageFromLocale(UserLocale());
}

int ProfileFiles::ChangeProfileList(const std::vector<std::string>& names, const std::vector<int>& origin,
                                    int selected) {
    const int n = static_cast<int>(names.size());
    if (n < 1 || n > kMaxProfiles || origin.size() != names.size()) {
        m_state.lastError = "a profile list holds one to six profiles: nothing was changed";
        return EINVAL;
    }
    selected = selected >= 0 && selected < n ? selected : 0;
    // qm517ctl holds the profiles from the load of the current profile to its save: were
    // the files moved meanwhile, it would save into another profile.
    UploadLock lock;
    RealClock clock;
    if (!lock.Acquire({kProfilesLockName}, 0, {}, clock).empty()) {
        m_state.lastError = "another program (qm517ctl) is applying a profile: nothing was changed";
        m_debug.Write(m_state.lastError + "\n");
        return EBUSY;
    }
    int error = 0;
    IniDocument list = IniDocument::Load(StrIniPath(), &error);
    if (error != 0 && error != ENOENT) {
        m_state.lastError = "cannot read " + StrIniPath() + ": " + ErrnoText(error) + "; nothing was changed";
        m_debug.Write(m_state.lastError + "\n");
        return error;
    }
    list.DeleteSection(kProfileSection);
    list.Set(kProfileSection, "CurProfileName", names[static_cast<size_t>(selected)]);
    list.Set(kProfileSection, "ItemCount", Format("%d", n));
    for (int i = 0; i < n; ++i) {
        list.Set(kProfileSection, Format("Item%d", i), names[static_cast<size_t>(i)]);
    }

    // Position i gets the files position origin[i] had. A position without a profile
    // (a new one, one past the list) has no settings file and the seeded captions file:
    // the language code and captions stay, and its first use gives the factory settings.
    ProfileChange change(m_folder);
    const std::string seeded = SeededProfileIni(LanguageForNewFiles());
    for (int i = 0; i < kMaxProfiles; ++i) {
        const int from = i < n ? origin[static_cast<size_t>(i)] : -1;
        if (from == i) {
            continue;
        }
        const std::string config = Format("config%d.bin", i);
        const std::string ini = Format("str%d.ini", i);
        if (from < 0 || from >= kMaxProfiles) {
            change.Remove(config);
            change.Put(ini, seeded);
            continue;
        }
        for (const auto& [target, source, absent] :
             {std::tuple{config, ConfigPath(from), std::optional<std::string>()},
              std::tuple{ini, IniPath(from), std::optional<std::string>(seeded)}}) {
            std::string bytes;
            error = ReadWholeFile(source, bytes);
            if (error == 0) {
                change.Put(target, std::move(bytes));
            } else if (error == ENOENT) {
                absent ? change.Put(target, *absent) : change.Remove(target);
            } else {
                m_state.lastError = "cannot read " + source + ": " + ErrnoText(error) + "; nothing was changed";
                m_debug.Write(m_state.lastError + "\n");
                return error;
            }
        }
    }
    change.Put("str.ini", list.Bytes());
    std::string what;
    if ((error = change.Commit(what)) != 0) {
        m_state.lastError = what;
        m_debug.Write(what + "\n");
        return error;
    }
    // The numbers follow their profiles.
    const auto follow = [&](int old) {
        for (int i = 0; i < n; ++i) {
            if (origin[static_cast<size_t>(i)] == old) {
                return i;
            }
        }
        return -1;
    };
    m_state.lastSwitchedTo = m_state.lastSwitchedTo >= 0 ? follow(m_state.lastSwitchedTo) : -1;
    m_state.recordOf = m_state.recordOf >= 0 ? follow(m_state.recordOf) : -1;
    m_state.currentNumber = selected;
    m_state.listUnusable = false;
    RecomputeCurrentPaths();
    return 0;
}

int ProfileFiles::OnProfileMessage(int operation, int number, ProfileUi& ui) {
    switch (operation) {
        case kProfileImport:
            if (Import(ui)) {
                m_state.importDone = true;
                m_state.recordOf = m_state.currentNumber;
                ui.RefreshAfterImport();
            } else {
                // Nothing came in: the record still belongs to its own profile, and an
                // Apply must save it there, not into the entry the panel selected.
                m_state.currentNumber = m_state.recordOf >= 0 ? m_state.recordOf : m_state.currentNumber;
                RecomputeCurrentPaths();
            }
            break;
        case kProfileExport: {
            Export(ui);
            // The current profile is read back, and with it its captions, so that the
            // screen, the captions and the record stay in step (and the number is the
            // profile's the record now holds).
            if (LoadCurrentProfile()) {
                LoadCaptions(m_state.currentIniPath);
                CheckInitialisationMark(true);
                SaveCaptions(m_state.currentIniPath);
            } else {
                FollowRecord();
            }
            ui.RefreshViews();
            break;
        }
        case kProfileSwitch:
            Switch(number, ui);
            break;
        case kProfileNew:
            NewProfile(number, ui);
            break;
        default:
            break;
    }
    return 0;
}

bool ProfileFiles::Import(ProfileUi& ui) {
    const std::optional<std::string> chosen = ui.ChooseImportFile(m_state.currentConfigPath);
    if (!chosen) {
        return false;
    }
    if (!Contains(BaseName(*chosen), ".bin")) {
        m_state.lastError = *chosen + " is not a profile file (a .bin file): nothing was loaded";
        m_debug.Write(m_state.lastError + "\n");
        return false;
    }
    if (!PathExists(*chosen)) {
        m_debug.Write("Config file is not exist.\n");
        m_state.lastError = *chosen + " does not exist: nothing was loaded";
        return false;
    }
    // A profile file is exactly 1885 bytes. Anything else is refused whole: taking its
    // companion's captions without its settings would describe buttons wrongly.
    const std::optional<int64_t> size = RegularFileSize(*chosen);
    if (size != static_cast<int64_t>(kRecordFileSize)) {
        m_state.lastError = *chosen + " is not a profile file (" +
                            (size ? std::to_string(*size) + " bytes, expected 1885" : "not a file") +
                            "): nothing was loaded";
        m_debug.Write(m_state.lastError + "\n");
        return false;
    }
    // What the last load found about the profile's own files stays: a file refused here
    // is not the profile's.
    const State profileState = m_state;
    SettingsRecord record = m_settings.record;
    if (!ReadRecordFile(*chosen, record, "Config file is not exist.\n", false)) {
        const std::string why = m_state.lastError + ": nothing was loaded";
        m_state = profileState;
        m_state.lastError = why;
        return false;
    }
    m_settings.record = record;
    LoadCaptions(CompanionIniPath(*chosen));
    return true;
}

void ProfileFiles::Export(ProfileUi& ui) {
    std::optional<std::string> chosen = ui.ChooseExportFile(m_state.currentConfigPath);
    if (!chosen) {
        return;
    }
    if (!Contains(BaseName(*chosen), ".bin")) {
        *chosen += ".bin";
    }
    const std::string ini = CompanionIniPath(*chosen);
    int error = 0;
    IniDocument captions = IniDocument::Load(ini, &error);
    if (error == 0 || error == ENOENT) {
        PutCaptions(captions);
        std::string record(1, '\x01');
        record.append(m_settings.record.bytes.begin(), m_settings.record.bytes.end());
        std::string what;
        // Both files or neither: a full disk or a read-only folder never leaves captions
        // without their settings. The settings go in first, so that a crash between the
        // two leaves new settings with old captions, which a load rebuilds from them.
        error = WriteFilesAtomic({{*chosen, record}, {ini, captions.Bytes()}}, what);
        if (error != 0) {
            m_state.lastError = what;
            m_debug.Write(what + "\n");
        }
        return;
    }
    m_state.lastError = "cannot read " + ini + ": " + ErrnoText(error) + "; nothing was saved";
    m_debug.Write(m_state.lastError + "\n");
}

void ProfileFiles::Switch(int number, ProfileUi& ui) {
    if (m_state.importDone) {
        // The imported record stays in memory until the next Apply.
        m_state.importDone = false;
        ui.CloseProfilesPanel();
        return;
    }
    if (number == m_state.lastSwitchedTo) {
        // The record stays, and with it the profile it belongs to: whatever entry the
        // panel selected on the way, an Apply saves into that profile.
        FollowRecord();
        ui.CloseProfilesPanel();
        return;
    }
    m_state.lastSwitchedTo = number;
    m_state.recordOf = number;
    m_settings.record[rec::kProfileIndex] = static_cast<uint8_t>(number);
    m_state.listUnusable = false;
    ReadRecordFile(ConfigPath(number), m_settings.record, "Config file is not exist.");
    m_state.currentIniPath = IniPath(number);
    CheckInitialisationMark();
    LoadCaptions(m_state.currentIniPath);
    m_state.resetInProgress = false;
    ui.RefreshViews();
    ui.CloseProfilesPanel();
    SaveCurrentProfile();
    SaveCaptions(m_state.currentIniPath);
}

void ProfileFiles::NewProfile(int number, ProfileUi& ui) {
    m_state.lastSwitchedTo = number;
    m_state.recordOf = number;
    m_settings.record[rec::kProfileIndex] = static_cast<uint8_t>(number);
    m_state.listUnusable = false;
    m_state.resetInProgress = true;
    ReadRecordFile(BaseConfigPath(), m_settings.record);
    m_state.currentIniPath = StrIniPath();
    ApplyFactoryDefaults(m_settings.record);
    LoadCaptions(StrIniPath());
    m_state.resetInProgress = false;
    ui.RefreshViews();
    ui.CloseProfilesPanel();
    SaveCurrentProfile();
    SaveCaptions(m_state.currentIniPath);
    // The new profile holds the factory settings now; without the mark, the next load
    // would write the defaults over whatever the user applies to it.
    if (const int error = ProfileIni::WriteString(m_state.currentIniPath, kProfileSection, "IsDefault", "Y")) {
        NoteWriteError(m_state.currentIniPath, error);
    }
}

}  // namespace qm
