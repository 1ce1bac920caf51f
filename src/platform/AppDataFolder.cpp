// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppDataFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace qm {

static std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string{};
}

std::string AppDataFolder() {
    const std::string base = ConfigHome();
    return base.empty() ? std::string{} : base + "QM517 Pro/";
}

std::string ConfigHome() {
    std::string base = EnvOrEmpty("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/') {
        std::string home = EnvOrEmpty("HOME");
        if (home.empty()) {
            if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir) {
                home = pw->pw_dir;
            }
        }
        if (home.empty()) {
            return {};
        }
        base = home + "/.config";
    }
    if (base.back() != '/') {
        base += '/';
    }
    return base;
}

std::string LanguageFromLocale(const std::string& locale) {
    const auto startsWith = [&](const char* prefix) { return locale.rfind(prefix, 0) == 0; };
    if (startsWith("de")) {
        return "DE";
    }
    if (startsWith("zh_CN") || startsWith("zh_SG")) {
        return "CHS";
    }
    if (startsWith("zh_TW") || startsWith("zh_HK")) {
        return "CHT";
    }
    return "EN";
}

std::string UserLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = EnvOrEmpty(name);
        if (!value.empty()) {
            return value;
        }
    }
    return {};
}

}  // namespace qm
