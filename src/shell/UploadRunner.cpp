// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/UploadRunner.h"

#include <QCoreApplication>
#include <QEvent>

namespace qm {

namespace {

// Posted to the runner by the worker thread: the upload's progress, a wait for another
// program, and its end.
constexpr int kUploadFinished = QEvent::User + 401;
constexpr int kUploadProgress = QEvent::User + 402;
constexpr int kUploadWaiting = QEvent::User + 403;

class ProgressEvent : public QEvent {
public:
    explicit ProgressEvent(UploadStep s) : QEvent(static_cast<QEvent::Type>(kUploadProgress)), step(s) {}
    UploadStep step;
};

class WaitingEvent : public QEvent {
public:
    explicit WaitingEvent(UploadDevice d) : QEvent(static_cast<QEvent::Type>(kUploadWaiting)), device(d) {}
    UploadDevice device;
};

}  // namespace

UploadRunner::UploadRunner(DeviceEnvironment& environment, DeviceLink& link, ProfileSession& session,
                           int lockWaitMs, QObject* parent)
    : QObject(parent), m_env(environment), m_link(link), m_session(session), m_lockWaitMs(lockWaitMs) {}

UploadRunner::~UploadRunner() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void UploadRunner::Start(UploadKind kind) {
    if (m_busy) {
        return;
    }
    m_busy = true;
    m_stepsDone = 0;
    m_stepsTotal = CountUploadSteps(m_link.state.presentA != 0, m_link.state.presentB != 0,
                                    m_link.state.presentP != 0);
    m_copy = std::make_unique<Copy>();
    m_copy->settings = m_session.settings;
    m_copy->captions = m_session.captions;
    m_copy->files = std::make_unique<ProfileFiles>(m_session.files, m_copy->settings, m_copy->captions);
    m_worker = std::thread([this, kind] {
        // One upload at a time on each device: another program's (qm517ctl) is waited for.
        // The window holds its profiles itself, so only the devices are locked.
        UploadLocks locks;
        UploadLocks::Waiting waiting;
        waiting.device = [this](UploadDevice device) { QCoreApplication::postEvent(this, new WaitingEvent(device)); };
        m_copy->outcome = locks.Take(m_link.state, false, m_lockWaitMs, m_env.GetClock(), waiting);
        if (!m_copy->outcome.Refused()) {
            UploadContext context{m_copy->settings, m_link.device, m_link.state, m_link.transport, *m_copy->files,
                                  m_copy->captions, m_env.Pointer(), m_env.Debug(),
                                  [this](const UploadStep& step) {
                                      QCoreApplication::postEvent(this, new ProgressEvent(step));
                                  },
                                  true};
            m_copy->outcome = RunUpload(kind, context);
        }
        QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kUploadFinished)));
    });
}

bool UploadRunner::Defer(std::function<void()> request) {
    if (!m_busy) {
        return false;
    }
    m_deferred.push_back(std::move(request));
    return true;
}

void UploadRunner::RunDeferred() {
    auto deferred = std::move(m_deferred);
    m_deferred.clear();
    for (auto& request : deferred) {
        request();
    }
}

void UploadRunner::Finish() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    UploadOutcome outcome;
    if (m_copy) {
        outcome = m_copy->outcome;
        // What was sent and saved is what the window holds from now on.
        if (!outcome.Refused()) {
            m_session.settings = m_copy->settings;
            m_session.captions = m_copy->captions;
            m_session.files.TakeStateFrom(*m_copy->files);
        }
        m_copy.reset();
    }
    m_busy = false;
    emit finished(outcome);
}

bool UploadRunner::event(QEvent* e) {
    switch (static_cast<int>(e->type())) {
        case kUploadFinished:
            Finish();
            return true;
        case kUploadWaiting:
            emit waiting(static_cast<WaitingEvent*>(e)->device);
            return true;
        case kUploadProgress:
            ++m_stepsDone;
            emit progress(static_cast<ProgressEvent*>(e)->step);
            return true;
        default:
            return QObject::event(e);
    }
}

}  // namespace qm
