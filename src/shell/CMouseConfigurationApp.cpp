// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CMouseConfigurationApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocalSocket>
#include <QTranslator>
#include <QStandardPaths>
#include <QTimer>
#include <sys/socket.h>
#include <unistd.h>

#include "controls/MessageEvent.h"
#include "platform/RestoreChannel.h"

namespace qm {

namespace {
QString g_languageCode;
QPointer<QWidget> g_mainWindow;
}  // namespace

CMouseConfigurationApp::CMouseConfigurationApp(DebugOutput* debug, QObject* parent)
    : QObject(parent), m_debug(debug != nullptr ? *debug : m_defaultDebug) {}

CMouseConfigurationApp::~CMouseConfigurationApp() {
    ExitInstance();
}

QString CMouseConfigurationApp::LockPath() {
    const std::string folder = RuntimeFolder();
    return folder.empty() ? QString() : QString::fromStdString(folder) + QStringLiteral("/QM517Pro_Mutex.lock");
}

bool CMouseConfigurationApp::InitInstance() {
    m_error.clear();
    const QString path = LockPath();
    if (path.isEmpty()) {
        m_error = QStringLiteral("no private runtime folder for the single-instance lock: set XDG_RUNTIME_DIR");
        return false;
    }
    m_lock = std::make_unique<QLockFile>(path);
    // A lock left by a copy that was killed names a process that no longer runs: QLockFile
    // takes such a lock over at once.
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() != QLockFile::LockFailedError) {
            m_error = QStringLiteral("cannot create the lock file %1").arg(path);
        }
        m_lock.reset();
        return false;
    }
    // The socket lies in the private runtime folder beside the lock: we hold the lock, so a
    // socket file left there is a dead copy's.
    const QString socket = QString::fromStdString(RestoreSocketPath());
    QLocalServer::removeServer(socket);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.setMaxPendingConnections(kMaxConnections);
    connect(&m_server, &QLocalServer::newConnection, this, &CMouseConfigurationApp::OnConnection,
            Qt::UniqueConnection);
    if (!m_server.listen(socket)) {
        // The program still runs; only a second start cannot bring its window forward.
        m_debug.Write("The restore channel " + socket.toStdString() +
                      " could not be opened: " + m_server.errorString().toStdString() + "\n");
        return true;
    }
    m_debug.Write("This copy of the utility runs (" + path.toStdString() + "); a second start brings its window forward over " +
                  socket.toStdString() + "\n");
    return true;
}

bool CMouseConfigurationApp::RestoreRunningCopy() {
    return SendRestoreMessage();
}

int CMouseConfigurationApp::ExitInstance() {
    m_server.close();
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
    return 0;
}

void CMouseConfigurationApp::OnConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Only this user may ask, only a few at a time, each for a moment and a few bytes.
        ucred peer{};
        socklen_t size = sizeof peer;
        const bool ours = ::getsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                                       &size) == 0 &&
                          peer.uid == ::getuid();
        if (!ours || m_connections >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_connections;
        connect(socket, &QObject::destroyed, this, [this] { --m_connections; });
        QTimer::singleShot(kConnectionTimeoutMs, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            m_pending[socket].append(socket->read(kMaxMessageBytes));
            QByteArray& received = m_pending[socket];
            const qsizetype newline = received.indexOf('\n');
            if (newline >= 0 && received.left(newline).trimmed() == "11110") {
                PostMessage(g_mainWindow, UM_RESTORE, 0, 0);
                emit restoreRequested();
            }
            if (newline >= 0 || received.size() >= kMaxMessageBytes) {
                m_pending.remove(socket);
                socket->abort();
            }
        });
        connect(socket, &QObject::destroyed, this, [this, socket] { m_pending.remove(socket); });
    }
}

QString CMouseConfigurationApp::ProgramFolder() {
    return QCoreApplication::applicationDirPath() + '/';
}

QString CMouseConfigurationApp::DataFolder() {
    return DataFolderFor(ProgramFolder());
}

QString CMouseConfigurationApp::DataFolderFor(const QString& program) {
    if (QFileInfo(program + QStringLiteral("Skins")).isDir()) {
        return program;
    }
    const QString installed = QDir::cleanPath(program + QStringLiteral("../share/qm517pro")) + '/';
    if (QFileInfo(installed + QStringLiteral("Skins")).isDir()) {
        return installed;
    }
    return program;
}

QString CMouseConfigurationApp::LanguageCode() {
    return g_languageCode;
}

void CMouseConfigurationApp::SetLanguageCode(const QString& code) {
    g_languageCode = code;
    static QTranslator* installed = nullptr;
    if (installed != nullptr) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    const QString locale = code == QLatin1String("DE")    ? QStringLiteral("de")
                           : code == QLatin1String("CHS") ? QStringLiteral("zh_CN")
                           : code == QLatin1String("CHT") ? QStringLiteral("zh_TW")
                                                          : QString();
    if (locale.isEmpty() || QCoreApplication::instance() == nullptr) {
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installed = translator.release();
        QCoreApplication::installTranslator(installed);
    }
}

QWidget* CMouseConfigurationApp::MainWindowHandle() {
    return g_mainWindow;
}

void CMouseConfigurationApp::SetMainWindowHandle(QWidget* window) {
    g_mainWindow = window;
}

}  // namespace qm
