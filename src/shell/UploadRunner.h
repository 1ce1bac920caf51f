// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "device/DeviceEnvironment.h"
#include "device/DeviceLink.h"
#include "session/ProfileSession.h"
#include "session/UploadJob.h"

namespace qm {

// Runs the window's uploads on a worker thread, so that the window keeps painting. The
// worker sends and saves its own copy of the record, captions and profile state, taken
// when the upload starts: nothing the window does meanwhile can reach half an upload. The
// copy goes back into the session when the upload returns (unless it was refused).
//
// While an upload runs, a request that could replace or change the record waits in a
// queue (Defer) that the owner runs once it has dealt with the outcome (RunDeferred).
class UploadRunner : public QObject {
    Q_OBJECT

public:
    // `lockWaitMs`: how long to wait for another program's upload to the same device.
    UploadRunner(DeviceEnvironment& environment, DeviceLink& link, ProfileSession& session, int lockWaitMs,
                 QObject* parent = nullptr);
    ~UploadRunner() override;

    bool Busy() const { return m_busy; }
    // Starts an upload of `kind`; does nothing while one runs.
    void Start(UploadKind kind);
    // Puts a request off until the running upload has returned; false (and nothing kept)
    // when none runs.
    bool Defer(std::function<void()> request);
    // The requests put off during the upload, in their order.
    void RunDeferred();
    // Progress: the steps sent so far, of all the upload will send.
    int StepsDone() const { return m_stepsDone; }
    int StepsTotal() const { return m_stepsTotal; }

signals:
    void progress(const qm::UploadStep& step);
    // The worker waits for another program's upload to this device.
    void waiting(qm::UploadDevice device);
    // The upload returned; the session holds what it sent and saved.
    void finished(const qm::UploadOutcome& outcome);

protected:
    bool event(QEvent* event) override;

private:
    void Finish();

    DeviceEnvironment& m_env;
    DeviceLink& m_link;
    ProfileSession& m_session;
    int m_lockWaitMs;

    struct Copy {
        SettingsState settings;
        ButtonCaptions captions;
        std::unique_ptr<ProfileFiles> files;
        UploadOutcome outcome;
    };
    std::unique_ptr<Copy> m_copy;
    bool m_busy = false;
    std::thread m_worker;
    int m_stepsDone = 0;
    int m_stepsTotal = 0;
    std::vector<std::function<void()>> m_deferred;
};

}  // namespace qm
