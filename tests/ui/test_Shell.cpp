// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestUtil.h"
#include "controls/MessageEvent.h"
#include "controls/SkinnedWindow.h"
#include "pages/CDlgSplash.h"
#include "platform/RestoreChannel.h"
#include "shell/CMouseConfigurationApp.h"

namespace qm {
namespace {

TEST(SingleInstance, ASecondCopyIsRefusedUntilTheFirstEnds) {
    CMouseConfigurationApp first;
    ASSERT_TRUE(first.InitInstance());
    CMouseConfigurationApp second;
    EXPECT_FALSE(second.InitInstance());
    first.ExitInstance();
    CMouseConfigurationApp third;
    EXPECT_TRUE(third.InitInstance());
    third.ExitInstance();
}

TEST(SingleInstance, TheLockOfAKilledCopyIsTakenOver) {
    const pid_t child = ::fork();
    if (child == 0) {
        QLockFile lock(CMouseConfigurationApp::LockPath());
        ::_exit(lock.tryLock(0) ? 0 : 1);  // ends without releasing: a crashed copy
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(CMouseConfigurationApp::LockPath()));
    CMouseConfigurationApp app;
    EXPECT_TRUE(app.InitInstance());
    app.ExitInstance();
}

struct RestoreReceiver : QWidget {
    int restores = 0;
    bool event(QEvent* e) override {
        if (e->type() == static_cast<QEvent::Type>(UM_RESTORE)) {
            ++restores;
            return true;
        }
        return QWidget::event(e);
    }
};

TEST(SingleInstance, TheRestoreMessageReachesTheMainWindow) {
    CMouseConfigurationApp app;
    ASSERT_TRUE(app.InitInstance());
    RestoreReceiver window;
    CMouseConfigurationApp::SetMainWindowHandle(&window);
    QSignalSpy spy(&app, &CMouseConfigurationApp::restoreRequested);
    ASSERT_TRUE(SendRestoreMessage());
    ASSERT_TRUE(spy.wait(test::kPatienceMs));
    QCoreApplication::sendPostedEvents(&window);
    EXPECT_EQ(window.restores, 1);
    CMouseConfigurationApp::SetMainWindowHandle(nullptr);
    app.ExitInstance();
    EXPECT_FALSE(SendRestoreMessage());
}

TEST(SingleInstance, ASecondStartWithoutATrayRestoresTheFirstCopysWindow) {
    CMouseConfigurationApp first;
    ASSERT_TRUE(first.InitInstance());
    ASSERT_TRUE(first.RestoreChannelOpen());
    RestoreReceiver window;
    CMouseConfigurationApp::SetMainWindowHandle(&window);
    QSignalSpy spy(&first, &CMouseConfigurationApp::restoreRequested);
    // The program itself, on a display without a tray (offscreen), in the same session.
    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(QM517PRO_PATH));
    ASSERT_TRUE(second.waitForFinished(test::kPatienceMs));
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(spy.count() > 0 || spy.wait(test::kPatienceMs));
    QCoreApplication::sendPostedEvents(&window);
    EXPECT_EQ(window.restores, 1);
    CMouseConfigurationApp::SetMainWindowHandle(nullptr);
    first.ExitInstance();
}

TEST(SingleInstance, TheLockAndTheChannelBelongToTheSameRuntimeFolder) {
    CMouseConfigurationApp first;
    ASSERT_TRUE(first.InitInstance());
    EXPECT_TRUE(first.RestoreChannelOpen());
    // Another session of the same user (its own runtime folder) runs a copy of its own,
    // with a channel of its own.
    QTemporaryDir other;
    QFile::setPermissions(other.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray before = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", other.path().toLocal8Bit());
    CMouseConfigurationApp second;
    EXPECT_TRUE(second.InitInstance());
    EXPECT_TRUE(second.RestoreChannelOpen());
    EXPECT_TRUE(CMouseConfigurationApp::LockPath().startsWith(other.path()));
    second.ExitInstance();
    qputenv("XDG_RUNTIME_DIR", before);
    first.ExitInstance();
}

TEST(SingleInstance, AChannelThatCannotListenIsReported) {
    // Something that is no socket stands where the channel goes.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(RestoreSocketPath())));
    CapturedDebugOutput debug;
    CMouseConfigurationApp app(&debug);
    EXPECT_TRUE(app.InitInstance());  // the program still runs
    EXPECT_FALSE(app.RestoreChannelOpen());
    ASSERT_EQ(debug.Lines().size(), 1u);
    EXPECT_NE(debug.Lines()[0].find("could not be opened"), std::string::npos) << debug.Lines()[0];
    EXPECT_FALSE(SendRestoreMessage());
    app.ExitInstance();
    QDir().rmdir(QString::fromStdString(RestoreSocketPath()));
}

// Connects to the channel and sends `bytes`; true when the utility hung up on us.
bool HungUp(const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(RestoreSocketPath()));
    if (!socket.waitForConnected(test::kPatienceMs)) {
        return true;
    }
    socket.write(bytes);
    socket.flush();
    return QTest::qWaitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; }, test::kPatienceMs);
}

TEST(SingleInstance, TheChannelTakesOnlyShortMessagesForAMoment) {
    CMouseConfigurationApp app;
    ASSERT_TRUE(app.InitInstance());
    RestoreReceiver window;
    CMouseConfigurationApp::SetMainWindowHandle(&window);
    QSignalSpy spy(&app, &CMouseConfigurationApp::restoreRequested);
    // A flood without a line end is cut off after a few bytes; an idle connection after
    // its moment; neither restores anything.
    EXPECT_TRUE(HungUp(QByteArray(4096, 'x')));
    EXPECT_TRUE(HungUp(QByteArray()));
    // Beyond a few connections at a time, a new one is turned away at once.
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 6; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(QString::fromStdString(RestoreSocketPath()));
        ASSERT_TRUE(idle.back()->waitForConnected(test::kPatienceMs));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return std::count_if(idle.begin(), idle.end(), [](const auto& s) {
                   return s->state() == QLocalSocket::UnconnectedState;
               }) >= 2;
    }, test::kPatienceMs));
    EXPECT_EQ(spy.count(), 0);
    idle.clear();
    // The utility lets go of the closed connections.
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.OpenConnections() == 0; }, test::kPatienceMs));
    // The real message still works.
    EXPECT_TRUE(SendRestoreMessage());
    EXPECT_TRUE(spy.count() > 0 || spy.wait(test::kPatienceMs));
    CMouseConfigurationApp::SetMainWindowHandle(nullptr);
    app.ExitInstance();
}

TEST(SingleInstance, AnotherUserCannotReachTheChannel) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to try the channel as another user";
    }
    CMouseConfigurationApp app;
    ASSERT_TRUE(app.InitInstance());
    const std::string path = RestoreSocketPath();
    // As "nobody": connect straight to the socket file, as an intruder would.
    const int result = test::RunUnprivileged([&] {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.data(), path.size());
        return ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? 1 : 0;
    });
    EXPECT_EQ(result, 0);
    app.ExitInstance();
}

TEST(SingleInstance, TheFallbackRuntimeFolderMustBeOurOwn) {
    // No usable $XDG_RUNTIME_DIR and no /run/user/<uid>: the fallback under the temporary
    // folder. "Another user" is a uid other than the folder's owner, so no root is needed.
    QTemporaryDir tmp;
    RuntimePlaces places;
    places.xdgRuntimeDir = tmp.path().toStdString();  // ours, but others may write into it
    ::chmod(places.xdgRuntimeDir.c_str(), 0777);
    places.runUser = tmp.path().toStdString() + "/no-such-folder";
    places.temp = tmp.path().toStdString();
    places.uid = ::getuid();
    const QString fallback = tmp.path() + QStringLiteral("/qm517pro-%1").arg(::getuid());

    // Another user made the folder first: it is not used, and the program says so.
    ASSERT_TRUE(QDir().mkdir(fallback));
    RuntimePlaces asAnotherUser = places;
    asAnotherUser.uid = places.uid + 1;
    ASSERT_TRUE(QFile::rename(fallback, tmp.path() + QStringLiteral("/qm517pro-%1").arg(asAnotherUser.uid)));
    EXPECT_EQ(RuntimeFolderIn(asAnotherUser), "");
    SetRuntimePlaces(&asAnotherUser);
    {
        CMouseConfigurationApp app;
        EXPECT_FALSE(app.InitInstance());
        EXPECT_FALSE(app.Error().isEmpty());
    }
    // A link in its place, even to a folder of ours, is not used either.
    ASSERT_TRUE(QFile::link(tmp.path() + QStringLiteral("/qm517pro-%1").arg(asAnotherUser.uid), fallback));
    EXPECT_EQ(RuntimeFolderIn(places), "");
    ASSERT_TRUE(QFile::remove(fallback));
    // Our own, made with loose permissions, is tightened.
    ASSERT_TRUE(QDir().mkdir(fallback));
    ::chmod(fallback.toLocal8Bit().constData(), 0777);
    EXPECT_EQ(RuntimeFolderIn(places), fallback.toStdString());
    EXPECT_EQ(QFileInfo(fallback).permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther), 0);
    // A private $XDG_RUNTIME_DIR comes first.
    ::chmod(places.xdgRuntimeDir.c_str(), 0700);
    EXPECT_EQ(RuntimeFolderIn(places), places.xdgRuntimeDir);
    SetRuntimePlaces(nullptr);
}

// Reads what `program` writes (standard output and error together) until a line holding
// `text` has come; false when it ended, or was silent for the test's patience, first.
bool WaitForOutput(QProcess& program, const QString& text, QByteArray& seen) {
    for (;;) {
        seen += program.readAll();
        if (QString::fromUtf8(seen).contains(text)) {
            return true;
        }
        if (!program.waitForReadyRead(test::kPatienceMs)) {
            seen += program.readAll();
            return QString::fromUtf8(seen).contains(text);
        }
    }
}

TEST(SingleInstance, TheProgramEndsSilentlyWhenACopyRuns) {
    // The copies keep their profiles in a folder of the test's own, and say (in their
    // debug output) once they hold the lock and the restore channel.
    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QM517_DEBUG"), QStringLiteral("1"));
    const QString running = QStringLiteral("This copy of the utility runs (") + CMouseConfigurationApp::LockPath();
    const auto start = [&](QProcess& copy) {
        copy.setProcessEnvironment(environment);
        copy.setProcessChannelMode(QProcess::MergedChannels);
        copy.start(QStringLiteral(QM517PRO_PATH));
        return copy.waitForStarted(test::kPatienceMs);
    };
    QProcess first;
    ASSERT_TRUE(start(first));
    QByteArray firstSaid;
    ASSERT_TRUE(WaitForOutput(first, running, firstSaid)) << firstSaid.toStdString();
    QProcess second;
    ASSERT_TRUE(start(second));
    ASSERT_TRUE(second.waitForFinished(test::kPatienceMs));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(QString::fromUtf8(second.readAll()).contains(QStringLiteral("This copy of the utility runs")));
    EXPECT_EQ(first.state(), QProcess::Running);
    // Killed, the first copy leaves its lock; the next start takes it over and runs.
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    first.waitForFinished(test::kPatienceMs);
    ASSERT_TRUE(QFile::exists(CMouseConfigurationApp::LockPath()));
    QProcess third;
    ASSERT_TRUE(start(third));
    QByteArray thirdSaid;
    EXPECT_TRUE(WaitForOutput(third, running, thirdSaid)) << thirdSaid.toStdString();
    EXPECT_EQ(third.state(), QProcess::Running);
    third.kill();
    third.waitForFinished(test::kPatienceMs);
    QFile::remove(CMouseConfigurationApp::LockPath());
}

TEST(Splash, NoKeyOrClickClosesItOnlyItsTimer) {
    CDlgSplash splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_EQ(splash.size(), QSize(537, 423));
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_F4, Qt::Key_A}) {
        QTest::keyClick(&splash, static_cast<Qt::Key>(key), key == Qt::Key_F4 ? Qt::AltModifier : Qt::NoModifier);
    }
    QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseClick(&splash, Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseDClick(&splash, Qt::LeftButton, {}, QPoint(10, 10));
    splash.close();  // a close request from the desktop
    EXPECT_TRUE(splash.isVisible());
    splash.OnTimer(2);  // another timer id does nothing
    EXPECT_TRUE(splash.isVisible());
    splash.OnTimer(1);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.result(), QDialog::Rejected);
}

TEST(Splash, ItShowsThePictureCentredOverTheScreen) {
    CDlgSplash splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(splash.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(splash.geometry().center().y() - screen.center().y()), 1);
    const QImage shot = splash.grab().toImage();
    EXPECT_NE(shot.pixel(268, 211), QColor(Qt::black).rgb());
    splash.OnTimer(1);
}

TEST(SkinnedWindow, EnterEscapeSpaceAndF1DoNothing) {
    SkinnedWindow window(nullptr, QStringLiteral("Skins\\/macro-key.png"));
    EXPECT_EQ(window.size(), QSize(400, 290));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy rejected(&window, &QDialog::rejected);
    QSignalSpy accepted(&window, &QDialog::accepted);
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_F1}) {
        QTest::keyClick(&window, key);
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(rejected.count(), 0);
    EXPECT_EQ(accepted.count(), 0);
    SkinnedWindow missing(nullptr, QStringLiteral("Skins/none.png"));
    EXPECT_EQ(missing.size(), QSize(0, 0));
}

}  // namespace
}  // namespace qm
