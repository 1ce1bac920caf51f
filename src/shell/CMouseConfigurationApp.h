#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

namespace qm {

// The process's entry: one copy per user (a second one ends silently), the program folder,
// the language code and the main window, and the restore channel through which another
// program asks the main window to show itself (message 11110).
class CMouseConfigurationApp : public QObject {
    Q_OBJECT

public:
    explicit CMouseConfigurationApp(QObject* parent = nullptr);
    ~CMouseConfigurationApp() override;

    // Takes the single-instance lock and opens the restore channel. Returns false when
    // another copy runs: this copy must end without showing anything.
    bool InitInstance();
    // Releases the lock. Returns the exit code.
    int ExitInstance();

    // The lock file: "QM517Pro_Mutex.lock" in the runtime folder.
    static QString LockPath();

    // Process-wide values.
    static QString ProgramFolder();  // the program file's folder, ending with '/'
    static QString LanguageCode();
    static void SetLanguageCode(const QString& code);
    static QWidget* MainWindowHandle();
    static void SetMainWindowHandle(QWidget* window);

signals:
    // A restore message arrived (it is also posted to the main window as UM_RESTORE).
    void restoreRequested();

private:
    void OnConnection();

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

}  // namespace qm
