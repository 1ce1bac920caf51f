// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "platform/DebugOutput.h"

namespace qm {

// The process's entry: one copy per user (a second one ends silently), the program folder,
// the language code and the main window, and the restore channel through which another
// program asks the main window to show itself (message 11110).
class CMouseConfigurationApp : public QObject {
    Q_OBJECT

public:
    // `debug` (may be null: the default trace) receives the channel's failures.
    explicit CMouseConfigurationApp(DebugOutput* debug = nullptr, QObject* parent = nullptr);
    ~CMouseConfigurationApp() override;

    // Takes the single-instance lock and opens the restore channel. Returns false when
    // another copy runs (this copy must end) or when there is no runtime folder for the
    // lock (Error() says so).
    bool InitInstance();
    // Releases the lock. Returns the exit code.
    int ExitInstance();
    // Why InitInstance failed when no other copy runs; empty otherwise.
    const QString& Error() const { return m_error; }
    // Whether the restore channel listens (a failure is written to the debug output).
    bool RestoreChannelOpen() const { return m_server.isListening(); }
    // Connections to the restore channel not yet let go of.
    int OpenConnections() const { return m_connections; }
    // A second copy asks the running copy to show its window; false when none answers.
    static bool RestoreRunningCopy();

    // The lock file: "QM517Pro_Mutex.lock" in the runtime folder (empty: no such folder).
    static QString LockPath();

    // Process-wide values.
    static QString ProgramFolder();  // the program file's folder, ending with '/'
    // Where the skins and the firmware updaters are, ending with '/': the program's folder
    // when it runs from its build folder (Skins beside it), else ../share/qm517pro/ from
    // it (the installed layout).
    static QString DataFolder();
    static QString DataFolderFor(const QString& programFolder);
    static QString LanguageCode();
    // Also gives Qt's own dialogs (colour, file, message box buttons) the language, where
    // the desktop has Qt's translations installed.
    static void SetLanguageCode(const QString& code);
    static QWidget* MainWindowHandle();
    static void SetMainWindowHandle(QWidget* window);

signals:
    // A restore message arrived (it is also posted to the main window as UM_RESTORE).
    void restoreRequested();

private:
    void OnConnection();

    // The restore channel takes a few short messages from this user only.
    static constexpr int kMaxConnections = 4;
    static constexpr int kMaxMessageBytes = 16;
    static constexpr int kConnectionTimeoutMs = 2000;

    int m_connections = 0;
    QHash<QObject*, QByteArray> m_pending;
    DebugOutput m_defaultDebug;
    DebugOutput& m_debug;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
    QString m_error;
};

}  // namespace qm
