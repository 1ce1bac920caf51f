#pragma once

#include <string>

namespace qm {

// The program expects its application-data folder to hold the base files. When the folder
// is missing (a first run), it is created with them: "config.bin" (flag 1 and the factory
// record), "str.ini" (one profile "Profile 1", the base captions of every language and
// the language code) and "str0.ini".."str5.ini" (not yet initialised, language code,
// captions). An existing folder is left alone. Returns 0, or the errno of what failed.
int SeedAppDataFolder(const std::string& folder, const std::string& language);

// Creates a folder and its missing parents. Returns 0 or errno.
int MakeFolders(const std::string& path);

}  // namespace qm
