// SPDX-License-Identifier: GPL-3.0-or-later
// show [FILE.bin]: a profile decoded, without writing anything.
#include "cli/Command.h"
#include "model/ProfileDescription.h"
#include "platform/AppDataFolder.h"
#include "platform/FileUtil.h"
#include "platform/ProfileIni.h"

namespace qm::ctl {

int Show(CommandContext& c) {
    CommandProfiles profiles(c.err);
    if (!profiles.Ready()) {
        return kExitFailure;
    }
    ProfileSession& s = profiles.Session();
    if (c.options.arguments.size() == 1) {
        const std::string& path = c.options.arguments[0];
        const auto size = RegularFileSize(path);
        if (!size || *size != static_cast<int64_t>(kRecordFileSize)) {
            c.err << "qm517ctl: " << path << " is not a profile file"
                  << (size ? " (" + std::to_string(*size) + " bytes, expected 1885)" : "") << "\n";
            return kExitFailure;
        }
        s.files.LoadCurrentProfile();
        const std::string code = s.files.ReadLanguageCode();
        s.strings.FillUiStrings(code.empty() ? LanguageFromLocale(UserLocale()) : code);
        s.files.ReadRecordFile(path, s.settings.record, "", false);
        s.files.LoadCaptions(CompanionIniPath(path));
        c.out << "Profile file: " << path << "\n" << DescribeProfile(s.settings.record, s.captions);
        return kExitOk;
    }
    const bool loaded = s.files.LoadCurrentProfile();
    s.strings.FillUiStrings(s.files.ReadLanguageCode());
    s.files.LoadCaptions(s.files.CurrentIniPath());
    c.out << "Profile folder: " << profiles.Folder() << "\n";
    if (!loaded) {
        c.err << "qm517ctl: the profile list in " << s.files.StrIniPath() << " is unusable: no profile is loaded\n";
        return kExitFailure;
    }
    const IniDocument list = IniDocument::Load(s.files.StrIniPath());
    c.out << "Current profile: " << list.Get("Profile", "CurProfileName") << " ("
          << BaseName(s.files.CurrentConfigPath()) << ")\n";
    if (s.GiveFactorySettingsIfNew()) {
        c.out << "(not yet initialised: the factory settings it gets at the next start)\n";
    }
    c.out << DescribeProfile(s.settings.record, s.captions);
    return kExitOk;
}

}  // namespace qm::ctl
