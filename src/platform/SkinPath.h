// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <mutex>
#include <string>

namespace qm {

// Skin paths are written as the windows quote them: "/skins/main.png", "Skins\Logo.png",
// "\skins\ButtonAssignment\DropdownBox-normal.png". They mix separators and spell the
// folder "Skins" and "skins"; each must resolve as on a file system that ignores case and
// takes both separators. The resolver normalises the separators, matches each component
// against the folder's entries without regard to case, and caches what it found.
class SkinPathResolver {
public:
    // `programFolder` ends with '/'.
    explicit SkinPathResolver(std::string programFolder) : m_folder(std::move(programFolder)) {}
    const std::string& ProgramFolder() const { return m_folder; }

    // The file for a relative path; empty when nothing matches.
    std::string Resolve(const std::string& relative);

private:
    std::string m_folder;
    std::mutex m_mutex;
    std::map<std::string, std::string> m_cache;
};

// "\skins/MacroManagement\Record-normal.png" -> "skins/MacroManagement/Record-normal.png":
// forward slashes, no leading or doubled separators.
std::string NormaliseSkinPath(const std::string& relative);

}  // namespace qm
