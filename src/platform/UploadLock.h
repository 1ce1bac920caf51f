// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace qm {

// One upload at a time per device, across every process of this user: an upload holds
// an flock on "QM517Pro-upload-<device>.lock" in the private runtime folder, so the
// window and qm517ctl (or two qm517ctl) never interleave reports on one device. The
// profiles have such a lock too (kProfilesLockName): qm517ctl holds it from the load of
// the current profile to its save, and a change of the profile list takes it, so that a
// save always lands on the profile that was loaded. Without a private runtime folder
// nothing is locked.
inline constexpr const char* kProfilesLockName = "profiles";

class UploadLock {
public:
    UploadLock() = default;
    ~UploadLock() { Release(); }
    UploadLock(const UploadLock&) = delete;
    UploadLock& operator=(const UploadLock&) = delete;

    // Takes the locks of `devices` ("a11d", "a1dc", "pad") in that order. When one is held
    // by another upload, `waiting(device)` is called once and the lock is taken as soon as
    // its holder lets go, unless `timeoutMs` pass first on `clock` (-1: no end; 0: no wait
    // at all). Returns the device whose lock could not be had (every lock taken is given
    // back then), or empty when all are held.
    std::string Acquire(const std::vector<std::string>& devices, int timeoutMs,
                        const std::function<void(const std::string&)>& waiting, Clock& clock);
    void Release();

private:
    std::vector<int> m_fds;
};

}  // namespace qm
