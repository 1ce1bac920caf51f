// SPDX-License-Identifier: GPL-3.0-or-later
// apply, apply FILE.bin and reset: what Apply and Reset in the window do, from the command
// line.
#include <atomic>
#include <ostream>
#include <unistd.h>

#include "cli/Command.h"
#include "device/DeviceLink.h"
#include "device/PointerSettings.h"
#include "platform/FileUtil.h"
#include "platform/Format.h"
#include "platform/RestoreChannel.h"
#include "session/UploadJob.h"

namespace qm::ctl {

namespace {

// Says once, on `err`, that Ctrl+C came during an upload and the upload goes on: looked
// at as the upload starts, at the start of each of its steps, and as it ends.
class InterruptNotice {
public:
    InterruptNotice(StopRequest* stop, std::ostream& err) : m_stop(stop), m_err(err) { Look(); }
    void Look() {
        if (m_stop != nullptr && m_stop->Requested() && !m_told) {
            m_told = true;
            m_err << "qm517ctl: interrupted: the upload finishes first (an interrupted upload "
                     "would leave the mouse half written)\n"
                  << std::flush;
        }
    }

private:
    StopRequest* m_stop;
    std::ostream& m_err;
    bool m_told = false;
};

// The profile to send: the current one as a start loads it, or an exported file. False
// (said on `err`) when it must not be sent.
bool LoadProfile(const Options& options, ProfileSession& s, bool reset, std::ostream& err) {
    if (!options.arguments.empty()) {
        const std::string& path = options.arguments[0];
        if (RegularFileSize(path) != static_cast<int64_t>(kRecordFileSize)) {
            err << "qm517ctl: " << path << " is not a profile file (1885 bytes)\n";
            return false;
        }
        s.files.ReadRecordFile(path, s.settings.record, "", false);
        return true;
    }
    if (!s.LoadAsAtStartUp()) {
        if (const std::string why = s.files.UnreadableProfileFiles(false); !why.empty()) {
            err << "qm517ctl: " << why << ": nothing was applied or written\n";
        } else {
            err << "qm517ctl: the profile list in " << s.files.StrIniPath() << " is unusable: nothing was applied\n";
        }
        return false;
    }
    // Captions and marks that cannot be read would be saved over with defaults, and
    // buttons that name macros would get empty ones.
    if (const std::string why = s.WhyNothingMaySave(!reset); !why.empty()) {
        err << "qm517ctl: " << why << ": nothing was applied or written\n";
        return false;
    }
    if (!s.files.LastError().empty()) {
        // Worth telling, though the upload goes on: an empty settings file, a mark that
        // could not be read.
        err << "qm517ctl: " << s.files.LastError() << "\n";
        s.files.ClearLastError();
    }
    return true;
}

}  // namespace

int Upload(CommandContext& c) {
    const Options& options = c.options;
    DeviceEnvironment& env = *c.env;
    const bool reset = options.command == "reset";
    const bool fromFile = !options.arguments.empty();
    CommandProfiles profiles(c.err, &env.Debug());
    if (!profiles.Ready()) {
        return kExitFailure;
    }
    ProfileSession& s = profiles.Session();
    DeviceLink link(env.Backend(), env.GetClock(), env.Debug());
    link.discovery.DiscoverMice();
    link.discovery.DiscoverPad();
    ReportRefused(link.state, c.err);

    // Without a private runtime folder no lock keeps two uploads (or an upload and a change
    // of the profile list) apart.
    if (RuntimeFolder().empty()) {
        c.err << "qm517ctl: no private runtime folder for the upload locks (XDG_RUNTIME_DIR, /run/user/"
              << ::getuid() << ", or a qm517pro-" << ::getuid()
              << " folder of this user's under the temporary folder): nothing was sent or written\n";
        return kExitFailure;
    }
    // One upload at a time on each device (another one, the window's or another qm517ctl's,
    // is waited for, or with --no-wait refused), then the profiles from the load to the
    // save: taken before the profile is read, so that what is sent is what the other left.
    UploadLocks locks;
    const UploadOutcome taken = locks.Take(
        link.state, true, options.noWait ? 0 : -1, env.GetClock(),
        {[&](UploadDevice device) {
             c.err << "qm517ctl: another upload to the " << DeviceName(device)
                   << " is running; waiting for it to finish\n"
                   << std::flush;
         },
         [&] {
             c.err << "qm517ctl: the profiles are being changed by another program; waiting for it to finish\n"
                   << std::flush;
         }});
    if (taken.busyDevice) {
        c.err << "qm517ctl: another upload to the " << DeviceName(*taken.busyDevice)
              << " is running: nothing was sent or written\n";
        return kExitFailure;
    }
    if (taken.profilesBusy) {
        c.err << "qm517ctl: the profiles are being changed by another program: nothing was sent or written\n";
        return kExitFailure;
    }
    if (!LoadProfile(options, s, reset, c.err)) {
        return kExitFailure;
    }

    // Ctrl+C does not cut an upload short: a mouse left half written would keep a button
    // table without its macros, or DPI stages without their colours.
    const PhaseScope phase(Phase::kUpload);
    InterruptNotice interrupted(c.stop, c.err);
    UploadContext context{s.settings, link.device, link.state, link.transport, s.files, s.captions, env.Pointer(),
                          env.Debug(),
                          [&](const UploadStep& step) {
                              interrupted.Look();
                              c.out << DescribeStep(step) << "\n" << std::flush;
                          }};
    if (!link.state.AnyMouse() && link.state.presentP == 0 && link.state.refused.empty()) {
        c.out << "No QM517 Pro and no mousepad found: nothing is uploaded.\n";
    }
    const UploadOutcome outcome =
        RunUpload(reset ? UploadKind::kReset : fromFile ? UploadKind::kApplyFile : UploadKind::kApply, context);
    interrupted.Look();
    if (!fromFile) {
        c.out << "Saved " << s.files.CurrentConfigPath() << "\n";
    }
    const PointerValues p = ComputePointerValues(s.settings.record);
    c.out << Format("Pointer options: acceleration %s, speed %d, wheel %s, double-click %d ms\n",
                    p.acceleration[2] != 0 ? "on" : "off", p.speed,
                    p.wheelLines == 0xFFFFFFFFu ? "one screen" : Format("%u lines", p.wheelLines).c_str(),
                    p.doubleClickMs);
    int status = kExitOk;
    if (!outcome.failures.empty()) {
        // Nothing is retried: the rest of the upload went on, the other devices got
        // theirs, and the profile is saved as the user made it.
        for (const DeviceFailure& f : outcome.failures) {
            c.err << "qm517ctl: " << DescribeFailure(f) << "\n";
        }
        c.err << "qm517ctl: the upload went on to the end" << (fromFile ? "" : " and the profile was saved")
              << "; apply again once the device answers\n";
        status = kExitFailure;
    }
    if (!link.state.refused.empty()) {
        status = kExitFailure;  // found, but not ours to open: said above
    }
    if (!s.files.LastError().empty()) {
        c.err << "qm517ctl: " << s.files.LastError() << "\n";
        status = kExitFailure;
    }
    if (c.stop != nullptr && c.stop->Requested()) {
        return kExitInterrupted;
    }
    return status;
}

}  // namespace qm::ctl
