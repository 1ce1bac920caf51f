// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace qm {

// The folder that holds the profile files and the macro store:
// $XDG_CONFIG_HOME/QM517 Pro/ (default ~/.config/QM517 Pro/), always ending with '/'.
// Empty when no home folder can be found.
std::string AppDataFolder();
// $XDG_CONFIG_HOME (default ~/.config), ending with '/'; empty without a home folder.
std::string ConfigHome();
// $XDG_DATA_HOME (default ~/.local/share), ending with '/'; empty without a home folder.
std::string DataHome();

// The interface language for a locale name such as "de_DE.UTF-8": "DE" for German,
// "CHS" for mainland and Singapore Chinese, "CHT" for Taiwan and Hong Kong, else "EN".
std::string LanguageFromLocale(const std::string& locale);
// The locale of the messages: LC_ALL, then LC_MESSAGES, then LANG.
std::string UserLocale();

}  // namespace qm
