#include "cli/CtlCommands.h"

#include <ostream>

#include "i18n/UiStrings.h"
#include "model/FirstRun.h"
#include "model/ProfileDescription.h"
#include "model/ProfileFiles.h"
#include "platform/AppDataFolder.h"
#include "platform/FileUtil.h"
#include "platform/ProfileIni.h"

namespace qm::ctl {

void PrintUsage(std::ostream& out) {
    out << "Usage: qm517ctl COMMAND [ARGUMENTS]\n"
           "\n"
           "Commands:\n"
           "  show [FILE.bin]   print the current profile, or an exported profile file\n"
           "  help              print this text\n";
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::ostream& err) {
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            options.command = "help";
        } else if (arg.rfind("--", 0) == 0) {
            err << "qm517ctl: unknown option " << arg << "\n";
            PrintUsage(err);
            return false;
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.arguments.push_back(arg);
        }
    }
    if (options.command.empty()) {
        PrintUsage(err);
        return false;
    }
    return true;
}

namespace {

// Everything a command works on: the profile folder, the record, the captions.
struct Session {
    DebugOutput debug;
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    ProfileFiles files;

    explicit Session(const std::string& folder)
        : files(folder, settings, captions, strings, debug) {}
};

int Show(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.arguments.size() > 1) {
        err << "qm517ctl: show takes at most one file\n";
        return kExitUsage;
    }
    const std::string folder = AppDataFolder();
    if (folder.empty()) {
        err << "qm517ctl: no home folder: set HOME or XDG_CONFIG_HOME\n";
        return kExitFailure;
    }
    if (const int error = SeedAppDataFolder(folder, LanguageFromLocale(UserLocale()))) {
        err << "qm517ctl: cannot create " << folder << ": " << ErrnoText(error) << "\n";
        return kExitFailure;
    }
    Session s(folder);

    if (options.arguments.size() == 1) {
        const std::string& path = options.arguments[0];
        const auto size = RegularFileSize(path);
        if (!size || *size != static_cast<int64_t>(kRecordFileSize)) {
            err << "qm517ctl: " << path << " is not a profile file"
                << (size ? " (" + std::to_string(*size) + " bytes, expected 1885)" : "") << "\n";
            return kExitFailure;
        }
        s.files.LoadCurrentProfile();
        std::string code = s.files.ReadLanguageCode();
        s.strings.FillUiStrings(code.empty() ? LanguageFromLocale(UserLocale()) : code);
        s.files.ReadRecordFile(path, s.settings.record, "", false);
        s.files.LoadCaptions(CompanionIniPath(path));
        out << "Profile file: " << path << "\n" << DescribeProfile(s.settings.record, s.captions);
        return kExitOk;
    }

    const bool loaded = s.files.LoadCurrentProfile();
    s.strings.FillUiStrings(s.files.ReadLanguageCode());
    s.files.LoadCaptions(s.files.CurrentIniPath());
    const IniDocument list = IniDocument::Load(s.files.StrIniPath());
    out << "Profile folder: " << folder << "\n";
    if (!loaded) {
        out << "The profile list in " << s.files.StrIniPath()
            << " is unusable: no profile is loaded.\n";
        return kExitFailure;
    }
    out << "Current profile: " << list.Get("Profile", "CurProfileName") << " ("
        << BaseName(s.files.CurrentConfigPath()) << ")\n";
    const std::string mark = ProfileIni::GetString(s.files.CurrentIniPath(), "Profile", "IsDefault");
    if (mark == "N" || mark.empty()) {
        // What the utility writes at its next start; shown without writing it.
        ApplyFactoryDefaults(s.settings.record);
        out << "(not yet initialised: the factory settings it gets at the next start)\n";
    }
    out << DescribeProfile(s.settings.record, s.captions);
    return kExitOk;
}

}  // namespace

int Run(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.command == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    if (options.command == "show") {
        return Show(options, out, err);
    }
    err << "qm517ctl: unknown command " << options.command << "\n";
    PrintUsage(err);
    return kExitUsage;
}

}  // namespace qm::ctl
