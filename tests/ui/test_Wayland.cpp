// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a Wayland session. tests/install/wayland_smoke.sh starts a headless weston
// and runs these with QT_QPA_PLATFORM=wayland; elsewhere they are not registered.
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "dialogs/CSingleDialog.h"
#include "platform/KeyboardCapture.h"

namespace qm {
namespace {

using test::kA;
using test::kPad;

struct Wayland : test::MainWindow {
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("wayland")) {
            GTEST_SKIP() << "needs a Wayland session (platform " << QGuiApplication::platformName().toStdString()
                         << ")";
        }
    }
};

TEST_F(Wayland, TheWindowMapsAndTheVirtualDevicesApply) {
    Start({kA, kPad});
    window->RestoreFromTray();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), 10000)) << "the main window never mapped";
    Record()[rec::kSensitivityX] = 9;
    ApplyAndWait();
    EXPECT_EQ(Devices().MouseState(kA).sensitivityX, 180);
    EXPECT_GT(Devices().PadState().frames, 0);
    // No program may grab the keyboard here: the key dialogs take keys while they have the
    // focus.
    KeyboardCapture capture;
    EXPECT_TRUE(capture.FocusOnly());
    QWidget probe;
    probe.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&probe, 10000));
    EXPECT_TRUE(capture.Start(&probe, [](const KeyRecord&) { return true; }, nullptr));
    capture.Stop();
}

}  // namespace
}  // namespace qm
