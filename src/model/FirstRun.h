// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/FileUtil.h"

namespace qm {

// The program expects its application-data folder to hold the base files. When the folder
// is missing (a first run), it is created with them: "config.bin" (flag 1 and the factory
// record), "str.ini" (one profile "Profile 1", the base captions of every language and
// the language code) and "str0.ini".."str5.ini" (not yet initialised, language code,
// captions). In an existing folder only the base files that are missing are written; a
// file that is there is never replaced, and a "str%d.ini" written beside an existing
// "config%d.bin" marks that profile initialised, so its settings are not replaced by the
// factory defaults. `seeded` receives the names of the files written into an existing
// folder. Returns 0, or the errno of what failed.
int SeedAppDataFolder(const std::string& folder, const std::string& language,
                      std::vector<std::string>* seeded = nullptr);

// What a seeded "str%d.ini" holds: not yet initialised, the captions of every language
// and the language code. A profile position without a profile has it.
std::string SeededProfileIni(const std::string& language);

// The line that tells the user which base files were written into an existing folder.
std::string SeededMessage(const std::string& folder, const std::vector<std::string>& seeded);

// Removes the temporaries that writes cut short by a crash left in the profile folder
// (older than a minute, so a write still running elsewhere keeps its own). Returns the
// names removed.
std::vector<std::string> RemoveStaleProfileTemporaries(const std::string& folder);
// The line that tells the user what was removed.
std::string RemovedMessage(const std::string& folder, const std::vector<std::string>& removed);

// What every start does to the profile folder before it reads a profile: a profile change
// an interruption left half done is finished, missing base files are seeded (in
// `language`), and the temporaries of interrupted writes go. Returns the lines that tell
// the user what was done or what failed; `error` receives the errno of a folder that
// could not be made (0 otherwise).
std::vector<std::string> PrepareProfileFolder(const std::string& folder, const std::string& language, int* error);


}  // namespace qm
