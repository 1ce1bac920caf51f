// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SkinPath.h"

#include <dirent.h>
#include <sys/stat.h>

#include "platform/Format.h"

namespace qm {

std::string NormaliseSkinPath(const std::string& relative) {
    std::string out;
    for (char c : relative) {
        const char ch = c == '\\' ? '/' : c;
        if (ch == '/' && (out.empty() || out.back() == '/')) {
            continue;
        }
        out += ch;
    }
    return out;
}

namespace {

// The entry of `folder` whose name equals `name` without regard to ASCII case; an exact
// match is preferred.
std::string MatchEntry(const std::string& folder, const std::string& name) {
    struct stat st {};
    if (::stat((folder + name).c_str(), &st) == 0) {
        return name;
    }
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return {};
    }
    std::string found;
    while (dirent* entry = ::readdir(dir)) {
        if (EqualsIgnoreCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

std::string SkinPathResolver::Resolve(const std::string& relative) {
    const std::string key = NormaliseSkinPath(relative);
    {
        std::lock_guard lock(m_mutex);
        if (const auto it = m_cache.find(ToLowerAscii(key)); it != m_cache.end()) {
            return it->second;
        }
    }
    std::string path = m_folder;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('/', start);
        if (end == std::string::npos) {
            end = key.size();
        }
        const std::string component = key.substr(start, end - start);
        if (!component.empty() && component != ".") {
            const std::string match = MatchEntry(path, component);
            if (match.empty()) {
                path.clear();
                break;
            }
            path += match;
            if (end < key.size()) {
                path += '/';
            }
        }
        start = end + 1;
    }
    struct stat st {};
    if (!path.empty() && (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))) {
        path.clear();
    }
    std::lock_guard lock(m_mutex);
    m_cache[ToLowerAscii(key)] = path;
    return path;
}

}  // namespace qm
