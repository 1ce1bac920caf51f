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

namespace {

// $VARIABLE, or the home folder's `fallback` where it is unset or not absolute.
std::string XdgHome(const char* variable, const char* fallback) {
    std::string base = EnvOrEmpty(variable);
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
        base = home + fallback;
    }
    if (base.back() != '/') {
        base += '/';
    }
    return base;
}

}  // namespace

std::string ConfigHome() {
    return XdgHome("XDG_CONFIG_HOME", "/.config");
}

std::string DataHome() {
    return XdgHome("XDG_DATA_HOME", "/.local/share");
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
