// SPDX-License-Identifier: GPL-3.0-or-later
// A system tray that comes and goes, on a real X server with a real tray: the utility
// follows it by its events alone. tests/install/x11_tray.sh runs these under Xvfb, with a
// session bus of their own; elsewhere they are not registered.
#include <QDBusConnection>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "shell/TrayWatcher.h"

namespace qm {
namespace {

using test::kA;

struct X11Tray : test::MainWindow {
    QProcess tray;
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (platform " << QGuiApplication::platformName().toStdString() << ")";
        }
    }
    void TearDown() override {
        StopTray();
        test::MainWindow::TearDown();
    }
    void StartTray() {
        tray.start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                                              QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                                              QStringLiteral("--width"), QStringLiteral("100"), QStringLiteral("--height"),
                                              QStringLiteral("24")});
        ASSERT_TRUE(tray.waitForStarted(test::kPatienceMs));
    }
    void StopTray() {
        if (tray.state() != QProcess::NotRunning) {
            tray.kill();
            tray.waitForFinished(test::kPatienceMs);
        }
    }
};

TEST_F(X11Tray, TheWatcherFollowsATrayThatComesAndGoes) {
    TrayWatcher watcher;
    QSignalSpy changed(&watcher, &TrayWatcher::changed);
    EXPECT_FALSE(watcher.Available());
    StartTray();
    ASSERT_TRUE(changed.wait(test::kPatienceMs));
    EXPECT_TRUE(watcher.Available());
    StopTray();
    ASSERT_TRUE(changed.count() > 1 || changed.wait(test::kPatienceMs));
    EXPECT_FALSE(watcher.Available());
    // A StatusNotifierItem host on the session bus is a tray too.
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected()) << "no session bus";
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    ASSERT_TRUE(changed.count() > 2 || changed.wait(test::kPatienceMs));
    EXPECT_TRUE(watcher.Available());
    ASSERT_TRUE(bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    ASSERT_TRUE(changed.count() > 3 || changed.wait(test::kPatienceMs));
    EXPECT_FALSE(watcher.Available());
}

TEST_F(X11Tray, TheWindowComesBackWhenTheTrayGoesAndDocksInANewOne) {
    StartTray();
    realTray = true;
    Start({kA});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Tray() != nullptr && !window->isVisible(); }, test::kPatienceMs));
    // The tray that held the way back to the window goes: the window is the way now.
    StopTray();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, test::kPatienceMs));
    // A tray again: closing hides the window into it, and ends nothing.
    StartTray();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->TrayAvailable(); }, test::kPatienceMs));
    window->OnClose();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(launcher.quits, 0);
}

}  // namespace
}  // namespace qm
