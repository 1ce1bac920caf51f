// SPDX-License-Identifier: GPL-3.0-or-later
// The widget tests run on the offscreen platform with the skins the build generated, in
// a private runtime folder (the single-instance lock lives there).
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "controls/SkinImage.h"
#include "controls/UiFonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    qm::InitSkinResources();
    qm::InstallFontSubstitutions();
    // Whatever fonts a machine happens to have: what the widgets draw in the application's
    // font is drawn in one the test set-up installs (fonts-liberation2).
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans")));
    qm::Skins::SetProgramFolder(QStringLiteral(QM517_BIN_DIR));
    return RUN_ALL_TESTS();
}
