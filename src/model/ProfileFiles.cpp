#include "model/ProfileFiles.h"

#include <cerrno>
#include <cstdio>

#include "macros/KeyNames.h"
#include "macros/MacroCompiler.h"
#include "macros/MacroStore.h"
#include "platform/FileUtil.h"
#include "platform/Format.h"
#include "platform/ProfileIni.h"
#include "model/ButtonCatalogue.h"

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
    if (error != 0 || bytes.empty()) {
        m_debug.Write(missingMessage);
        m_state.recordMissing = true;
        if (error == 0) {
            // An empty file holds no settings: it counts as missing, and the user learns why.
            m_state.lastError = path + " is empty: it is taken as missing";
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
    error = doc.Save(iniPath);
    if (error != 0) {
        NoteWriteError(iniPath, error);
    }
    return error;
}

std::string ProfileFiles::ReadLanguageCode() const {
    return ProfileIni::GetString(m_state.currentIniPath, "Skins", "Lan");
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

std::vector<std::string> ProfileFiles::ReadProfileList(int* current) const {
    std::vector<std::string> names;
    if (current != nullptr) {
        *current = -1;
    }
    if (!PathExists(StrIniPath())) {
        return names;
    }
    const IniDocument list = IniDocument::Load(StrIniPath());
    const int n = ParseDecimal(list.Get("PROFILE", "ItemCount"));
    if (n < 1 || n > kMaxProfiles) {
        return names;
    }
    for (int i = 0; i < n; ++i) {
        names.push_back(list.Get(kProfileSection, Format("Item%d", i)));
    }
    // LB_FINDSTRING from entry 0: a case-insensitive prefix, searched from entry 1 on and
    // then entry 0.
    const std::string wanted = ToLowerAscii(list.Get(kProfileSection, "CurProfileName"));
    for (int k = 1; k <= n && current != nullptr; ++k) {
        const int row = k % n;
        if (ToLowerAscii(names[static_cast<size_t>(row)]).compare(0, wanted.size(), wanted) == 0) {
            *current = row;
            break;
        }
    }
    return names;
}

int ProfileFiles::SaveProfileList(const std::vector<std::string>& names, int selected) {
    int error = 0;
    IniDocument doc = IniDocument::Load(StrIniPath(), &error);
    if (error != 0 && error != ENOENT) {
        NoteWriteError(StrIniPath(), error);
        return error;
    }
    if (selected < 0 || selected >= static_cast<int>(names.size())) {
        selected = 0;
    }
    doc.DeleteSection(kProfileSection);
    doc.Set(kProfileSection, "CurProfileName", names.empty() ? std::string() : names[static_cast<size_t>(selected)]);
    m_state.currentNumber = selected;
    if (!names.empty()) {
        doc.Set(kProfileSection, "ItemCount", Format("%d", static_cast<int>(names.size())));
        for (size_t i = 0; i < names.size(); ++i) {
            doc.Set(kProfileSection, Format("Item%d", static_cast<int>(i)), names[i]);
        }
    }
    error = doc.Save(StrIniPath());
    if (error != 0) {
        NoteWriteError(StrIniPath(), error);
    }
    return error;
}

int ProfileFiles::ReorderProfileFiles(const std::vector<int>& origin, int oldCount) {
    const int newCount = static_cast<int>(origin.size());
    bool identity = newCount == oldCount;
    for (int i = 0; i < newCount && identity; ++i) {
        identity = origin[static_cast<size_t>(i)] == i;
    }
    if (identity) {
        return 0;
    }
    // 1. Every moved or copied file is written beside its new place first; the old files
    //    are untouched until all of them are there.
    struct Move {
        std::string temp;
        std::string target;
    };
    std::vector<Move> moves;
    std::vector<std::string> removals;
    const auto cleanUp = [&] {
        for (const Move& m : moves) {
            std::remove(m.temp.c_str());
        }
    };
    for (int i = 0; i < newCount; ++i) {
        const int from = origin[static_cast<size_t>(i)];
        if (from == i) {
            continue;
        }
        for (const auto& path : {&ProfileFiles::ConfigPath, &ProfileFiles::IniPath}) {
            const std::string target = (this->*path)(i);
            if (from < 0 || !PathExists((this->*path)(from))) {
                removals.push_back(target);
                continue;
            }
            std::string bytes;
            int error = ReadWholeFile((this->*path)(from), bytes);
            const std::string temp = target + ".reorder";
            if (error == 0) {
                error = WriteFileAtomic(temp, bytes);
            }
            if (error != 0) {
                cleanUp();
                NoteWriteError(target, error);
                return error;
            }
            moves.push_back({temp, target});
        }
    }
    for (int i = newCount; i < kMaxProfiles; ++i) {
        removals.push_back(ConfigPath(i));
        removals.push_back(IniPath(i));
    }
    // 2. Into place (each rename is atomic), then the files no name refers to any more go.
    for (const Move& m : moves) {
        if (std::rename(m.temp.c_str(), m.target.c_str()) != 0) {
            const int error = errno;
            cleanUp();
            NoteWriteError(m.target, error);
            return error;
        }
    }
    for (const std::string& path : removals) {
        std::remove(path.c_str());
    }
    const auto follow = [&](int old) {
        for (int i = 0; i < newCount; ++i) {
            if (origin[static_cast<size_t>(i)] == old) {
                return i;
            }
        }
        return -1;
    };
    m_state.lastSwitchedTo = m_state.lastSwitchedTo >= 0 ? follow(m_state.lastSwitchedTo) : -1;
    if (const int current = follow(m_state.currentNumber); current >= 0) {
        m_state.currentNumber = current;
    }
    RecomputeCurrentPaths();
    return 0;
}

int ProfileFiles::OnProfileMessage(int operation, int number, ProfileUi& ui) {
    switch (operation) {
        case kProfileImport:
            m_state.importDone = true;
            Import(ui);
            ui.RefreshAfterImport();
            break;
        case kProfileExport:
            Export(ui);
            LoadCurrentProfile();
            CheckInitialisationMark(true);
            ui.RefreshCaptions();
            break;
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

void ProfileFiles::Import(ProfileUi& ui) {
    const std::optional<std::string> chosen = ui.ChooseImportFile(m_state.currentConfigPath);
    if (!chosen || !Contains(BaseName(*chosen), ".bin")) {
        return;
    }
    if (!PathExists(*chosen)) {
        m_debug.Write("Config file is not exist.\n");
        return;
    }
    // A profile file is exactly 1885 bytes. Anything else is refused whole: taking its
    // companion's captions without its settings would describe buttons wrongly.
    const std::optional<int64_t> size = RegularFileSize(*chosen);
    if (size != static_cast<int64_t>(kRecordFileSize)) {
        m_state.lastError = *chosen + " is not a profile file (" +
                      (size ? std::to_string(*size) + " bytes, expected 1885" : "not a file") + ")";
        m_debug.Write(m_state.lastError + "\n");
        return;
    }
    ReadRecordFile(*chosen, m_settings.record, "Config file is not exist.\n", false);
    LoadCaptions(CompanionIniPath(*chosen));
}

void ProfileFiles::Export(ProfileUi& ui) {
    std::optional<std::string> chosen = ui.ChooseExportFile(m_state.currentConfigPath);
    if (!chosen) {
        return;
    }
    if (!Contains(BaseName(*chosen), ".bin")) {
        *chosen += ".bin";
    }
    SaveCaptions(CompanionIniPath(*chosen));
    WriteRecordFile(*chosen, m_settings.record);
}

void ProfileFiles::Switch(int number, ProfileUi& ui) {
    if (m_state.importDone) {
        // The imported record stays in memory until the next Apply.
        m_state.importDone = false;
        ui.CloseProfilesPanel();
        return;
    }
    if (number == m_state.lastSwitchedTo) {
        ui.CloseProfilesPanel();
        return;
    }
    m_state.lastSwitchedTo = number;
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
