#include "model/FirstRun.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "i18n/UiStrings.h"
#include "model/ButtonCatalogue.h"
#include "model/SettingsRecord.h"
#include "platform/FileUtil.h"
#include "platform/Format.h"
#include "platform/ProfileIni.h"

namespace qm {

int MakeFolders(const std::string& path) {
    std::string partial;
    size_t pos = 0;
    while (pos <= path.size()) {
        const size_t slash = path.find('/', pos);
        const size_t end = slash == std::string::npos ? path.size() : slash;
        partial = path.substr(0, end);
        if (!partial.empty() && ::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) {
            return errno;
        }
        if (slash == std::string::npos) {
            break;
        }
        pos = slash + 1;
    }
    return IsDirectory(path) ? 0 : ENOTDIR;
}

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

static int WriteBaseFiles(const std::string& folder, const std::string& language) {
    SettingsRecord factory;
    ApplyFactoryDefaults(factory);
    std::string config(1, '\x01');
    config.append(factory.bytes.begin(), factory.bytes.end());
    if (const int error = WriteFileAtomic(folder + "config.bin", config)) {
        return error;
    }

    IniDocument base;
    base.Set("Profile", "CurProfileName", "Profile 1");
    base.Set("Profile", "ItemCount", "1");
    base.Set("Profile", "Item0", "Profile 1");
    PutCaptions(base);
    base.Set("Skins", "Lan", language);
    if (const int error = base.Save(folder + "str.ini")) {
        return error;
    }

    IniDocument profile;
    profile.Set("Profile", "IsDefault", "N");
    PutCaptions(profile);
    profile.Set("Skins", "Lan", language);
    for (int n = 0; n < 6; ++n) {
        if (const int error = profile.Save(folder + Format("str%d.ini", n))) {
            return error;
        }
    }
    return 0;
}

int SeedAppDataFolder(const std::string& folder, const std::string& language) {
    if (folder.empty() || PathExists(folder)) {
        return 0;
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
    ::chmod(temp.c_str(), 0755);
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

}  // namespace qm
