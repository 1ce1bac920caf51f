// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FirstRun.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "i18n/UiStrings.h"
#include "model/ButtonCatalogue.h"
#include "model/ProfileChange.h"
#include "model/ProfileFiles.h"
#include "model/SettingsRecord.h"
#include "platform/FileUtil.h"
#include "platform/Format.h"
#include "platform/Clock.h"
#include "platform/ProfileIni.h"
#include "platform/UploadLock.h"

namespace qm {

static void PutCaptions(IniDocument& doc) {
    for (const char* code : {"EN", "DE", "CHS", "CHT"}) {
        UiStrings strings;
        strings.FillUiStrings(code);
        const auto captions = FactoryCaptions(strings);
        for (int i = 0; i < 7; ++i) {
            doc.Set(strings[UiStrings::kSectionName], Format("Item%d", i + 1),
                    captions[static_cast<size_t>(i)]);
        }
    }
}

static std::string BaseConfig() {
    SettingsRecord factory;
    ApplyFactoryDefaults(factory);
    std::string config(1, '\x01');
    config.append(factory.bytes.begin(), factory.bytes.end());
    return config;
}

static IniDocument BaseList(const std::string& language) {
    IniDocument base;
    base.Set("Profile", "CurProfileName", "Profile 1");
    base.Set("Profile", "ItemCount", "1");
    base.Set("Profile", "Item0", "Profile 1");
    PutCaptions(base);
    base.Set("Skins", "Lan", language);
    return base;
}

static IniDocument ProfileIniFile(const std::string& language, bool initialised) {
    IniDocument profile;
    profile.Set("Profile", "IsDefault", initialised ? "Y" : "N");
    PutCaptions(profile);
    profile.Set("Skins", "Lan", language);
    return profile;
}

static int WriteBaseFiles(const std::string& folder, const std::string& language) {
    if (const int error = WriteFileAtomic(folder + "config.bin", BaseConfig())) {
        return error;
    }
    if (const int error = BaseList(language).Save(folder + "str.ini")) {
        return error;
    }
    const IniDocument profile = ProfileIniFile(language, false);
    for (int n = 0; n < 6; ++n) {
        if (const int error = profile.Save(folder + Format("str%d.ini", n))) {
            return error;
        }
    }
    return 0;
}

// An existing folder that lost some of its base files (or was created empty by hand)
// gets the missing ones; nothing present is replaced.
static int SeedMissingFiles(const std::string& folder, const std::string& language,
                            std::vector<std::string>* seeded) {
    const auto missing = [&](const std::string& name) { return !PathExists(folder + name); };
    const auto note = [&](const std::string& name) {
        if (seeded != nullptr) {
            seeded->push_back(name);
        }
    };
    if (missing("config.bin")) {
        if (const int error = WriteFileAtomic(folder + "config.bin", BaseConfig())) {
            return error;
        }
        note("config.bin");
    }
    if (missing("str.ini")) {
        if (const int error = BaseList(language).Save(folder + "str.ini")) {
            return error;
        }
        note("str.ini");
    }
    for (int n = 0; n < 6; ++n) {
        const std::string name = Format("str%d.ini", n);
        if (!missing(name)) {
            continue;
        }
        // A profile whose settings file is there keeps its settings.
        const bool initialised = !missing(Format("config%d.bin", n));
        if (const int error = ProfileIniFile(language, initialised).Save(folder + name)) {
            return error;
        }
        note(name);
    }
    return 0;
}

std::string SeededProfileIni(const std::string& language) {
    return ProfileIniFile(language, false).Bytes();
}

std::vector<std::string> RemoveStaleProfileTemporaries(const std::string& folder) {
    std::vector<std::string> names = {"config.bin", "str.ini", "record.ini", kProfileJournal};
    for (int i = 0; i < kMaxProfiles; ++i) {
        names.push_back(Format("config%d.bin", i));
        names.push_back(Format("str%d.ini", i));
    }
    return RemoveStaleTemporaries(folder, names, 60);
}

std::string RemovedMessage(const std::string& folder, const std::vector<std::string>& removed) {
    std::string names;
    for (const std::string& name : removed) {
        names += (names.empty() ? "" : ", ") + name;
    }
    return "removed what interrupted writes left in " + folder + ": " + names;
}

std::string SeededMessage(const std::string& folder, const std::vector<std::string>& seeded) {
    std::string names;
    for (const std::string& name : seeded) {
        names += (names.empty() ? "" : ", ") + name;
    }
    return "the profile folder " + folder + " lacked base files; written anew: " + names;
}

int SeedAppDataFolder(const std::string& folder, const std::string& language,
                      std::vector<std::string>* seeded) {
    if (folder.empty()) {
        return 0;
    }
    if (PathExists(folder)) {
        if (!IsDirectory(folder)) {
            return ENOTDIR;
        }
        return SeedMissingFiles(folder, language, seeded);
    }
    std::string target = folder;
    while (target.size() > 1 && target.back() == '/') {
        target.pop_back();
    }
    if (const int error = MakeFolders(std::string(DirName(target)))) {
        return error;
    }
    // The files are written into a temporary folder that is renamed into place, so an
    // interrupted first run never leaves a folder with half its base files.
    std::string temp = std::string(DirName(target)) + "." + std::string(BaseName(target)) + ".XXXXXX";
    if (::mkdtemp(temp.data()) == nullptr) {
        return errno;
    }
    ::chmod(temp.c_str(), 0777 & ~CurrentUmask());  // mkdtemp makes it 0700: the umask decides
    int error = WriteBaseFiles(temp + "/", language);
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        for (const std::string name : {"config.bin", "str.ini", "str0.ini", "str1.ini", "str2.ini",
                                       "str3.ini", "str4.ini", "str5.ini"}) {
            ::unlink((temp + "/" + name).c_str());
        }
        ::rmdir(temp.c_str());
    }
    return error;
}

std::vector<std::string> PrepareProfileFolder(const std::string& folder, const std::string& language, int* error) {
    std::vector<std::string> lines;
    int ignored = 0;
    int& status = error != nullptr ? *error : ignored;
    status = 0;
    // The change first: seeding a file it expects absent would make it look changed since.
    // Not while another program holds the profiles: its change may be the one running.
    UploadLock profiles;
    RealClock clock;
    if (IsDirectory(folder) && profiles.Acquire({kProfilesLockName}, 0, {}, clock).empty()) {
        int changeError = 0;
        if (std::string line = FinishProfileChange(folder, &changeError); !line.empty()) {
            lines.push_back(std::move(line));
        }
    }
    profiles.Release();
    std::vector<std::string> seeded;
    if (const int seedError = SeedAppDataFolder(folder, language, &seeded)) {
        status = seedError;
        lines.push_back("cannot create " + folder + ": " + ErrnoText(seedError));
        return lines;
    }
    if (!seeded.empty()) {
        lines.push_back(SeededMessage(folder, seeded));
    }
    if (const auto removed = RemoveStaleProfileTemporaries(folder); !removed.empty()) {
        lines.push_back(RemovedMessage(folder, removed));
    }
    return lines;
}

}  // namespace qm
