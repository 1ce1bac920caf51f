// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Autostart.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <unistd.h>

#include "platform/AppDataFolder.h"
#include "platform/FileUtil.h"
#include "platform/Format.h"
#include "platform/UdevRule.h"

namespace qm {

namespace {

constexpr const char* kChecksumKey = "X-QM517Pro-Checksum=";

// FNV-1a over the lines above the checksum line.
uint32_t Checksum(const std::string& text) {
    uint32_t hash = 2166136261u;
    for (const unsigned char c : text) {
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

// The desktop entry spec's quoting of an Exec argument: inside double quotes, with ", `,
// $ and \ escaped (and the backslash itself escaped once more for the key file).
std::string QuoteExec(const std::string& path) {
    if (path.find_first_of(" \t\"'\\$`<>|&;*?#()~") == std::string::npos) {
        return path;
    }
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$') {
            quoted += "\\\\";
        } else if (c == '\\') {
            quoted += "\\\\\\";
        }
        quoted += c;
    }
    return quoted + "\"";
}

// A string value of a desktop entry (TryExec takes a path, not a command line): only
// the backslash is escaped.
std::string EscapeString(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

}  // namespace

std::string AutostartPath() {
    const std::string config = ConfigHome();
    return config.empty() ? std::string{} : config + "autostart/qm517pro.desktop";
}

std::string AutostartEntry(const std::string& program) {
    const std::string lines =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=QM517 Pro\n"
        "GenericName=Mouse configuration\n"
        "Comment=Starts the QM517 Pro utility in the tray\n"
        "Exec=" + QuoteExec(program) + " --tray\n"
        "TryExec=" + EscapeString(program) + "\n"
        "Icon=qm517pro\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n";
    return lines + kChecksumKey + Format("%08x", Checksum(lines)) + "\n";
}

AutostartState GetAutostart() {
    const std::string path = AutostartPath();
    std::string text;
    if (path.empty() || ReadWholeFile(path, text) == ENOENT) {
        return AutostartState::kOff;
    }
    const size_t at = text.rfind(kChecksumKey);
    if (at == std::string::npos || (at != 0 && text[at - 1] != '\n')) {
        return AutostartState::kEdited;
    }
    const std::string lines = text.substr(0, at);
    const std::string stated = text.substr(at + std::string(kChecksumKey).size());
    return stated == Format("%08x", Checksum(lines)) + "\n" ? AutostartState::kOn : AutostartState::kEdited;
}

int EnableAutostart(const std::string& program) {
    const std::string path = AutostartPath();
    if (path.empty()) {
        return ENOENT;
    }
    if (GetAutostart() == AutostartState::kEdited) {
        return kAutostartLeftEdited;
    }
    if (const int error = MakeFolders(std::string(DirName(path)))) {
        return error;
    }
    return WriteFileAtomic(path, AutostartEntry(program));
}

int DisableAutostart() {
    switch (GetAutostart()) {
        case AutostartState::kOff:
            return 0;
        case AutostartState::kEdited:
            return kAutostartLeftEdited;
        case AutostartState::kOn:
            break;
    }
    return ::unlink(AutostartPath().c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

std::string UtilityProgramPath() {
    return ProgramFolder() + "qm517pro";
}

}  // namespace qm
