// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "i18n/UiStrings.h"
#include "model/ProfileFiles.h"
#include "model/SettingsRecord.h"
#include "platform/DebugOutput.h"

namespace qm {

// The profile side of one front end: the folder, the working record and what was last
// applied, its button captions, the interface strings and the profile files. The window
// and qm517ctl each hold one and go through it for what both do with profiles, so that a
// use case is written once.
class ProfileSession {
public:
    // `folder` ends with '/'.
    ProfileSession(std::string folder, DebugOutput& debug);
    ProfileSession(const ProfileSession&) = delete;
    ProfileSession& operator=(const ProfileSession&) = delete;

    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    ProfileFiles files;

    // What every start does before it reads a profile: an interrupted profile change
    // finished, missing base files seeded (in the locale's language), temporaries of
    // interrupted writes removed. Returns the lines that tell the user what was done;
    // `error` receives the errno of a folder that could not be made (0 otherwise).
    std::vector<std::string> OpenFolder(int* error = nullptr);

    // The start-up load: the current profile read and committed, its interface language,
    // its captions, and the factory settings for a profile never set up. False when the
    // profile list allowed no load or the settings file could not be read: the record then
    // holds no profile (the language and captions are still set up) and nothing may be
    // sent or saved on its behalf (WhyNothingMaySave says why).
    bool LoadAsAtStartUp();

    // Why Apply (with `macros`: the macro store is compiled into what is sent) or Reset
    // must not send or save: a profile list that cannot be used, a profile file that is
    // there but cannot be read. Empty when they may.
    std::string WhyNothingMaySave(bool macros) const;

    // A profile the utility has not yet started with gets the factory settings at its
    // next start: given here in memory only, nothing written (a look that must not
    // write). True when it did.
    bool GiveFactorySettingsIfNew();

private:
    std::string m_folder;
};

}  // namespace qm
