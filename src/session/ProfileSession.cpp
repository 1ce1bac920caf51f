// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ProfileSession.h"

#include "model/FirstRun.h"
#include "platform/AppDataFolder.h"
#include "platform/ProfileIni.h"

namespace qm {

ProfileSession::ProfileSession(std::string folder, DebugOutput& debug)
    : files(folder, settings, captions, strings, debug), m_folder(std::move(folder)) {}

std::vector<std::string> ProfileSession::OpenFolder(int* error) {
    return PrepareProfileFolder(m_folder, LanguageFromLocale(UserLocale()), error);
}

bool ProfileSession::LoadAsAtStartUp() {
    const bool loaded = files.LoadCurrentProfile() && files.RecordUnreadable().empty();
    settings.Commit();
    strings.FillUiStrings(files.LanguageCode());
    files.LoadCaptions(files.CurrentIniPath());
    if (files.CheckInitialisationMark()) {
        // A profile that gets its first settings now has nothing applied yet: what Cancel
        // and the stage notices fall back on is these settings, not an empty record.
        settings.Commit();
    }
    return loaded;
}

std::string ProfileSession::WhyNothingMaySave(bool macros) const {
    if (files.ListUnusable()) {
        // The record holds no profile: saving it would put the factory settings over the
        // user's first profile.
        return "the profile list in " + files.StrIniPath() + " cannot be used (ItemCount must be 1 to 6)";
    }
    return files.UnreadableProfileFiles(macros);
}

bool ProfileSession::GiveFactorySettingsIfNew() {
    const std::string mark = ProfileIni::GetString(files.CurrentIniPath(), "Profile", "IsDefault");
    if (mark == "N" || mark.empty()) {
        ApplyFactoryDefaults(settings.record);
        return true;
    }
    return false;
}

}  // namespace qm
