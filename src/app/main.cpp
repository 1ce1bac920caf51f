#include <QApplication>
#include <QIcon>

#include "controls/SkinImage.h"
#include "pages/CDlgSplash.h"
#include "shell/CMouseConfigurationApp.h"
#include "shell/UiFonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qm517pro"));
    QApplication::setQuitOnLastWindowClosed(false);
    qm::InitSkinResources();
    qm::InstallFontSubstitutions();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/skins/qm517pro.png")));

    qm::CMouseConfigurationApp theApp;
    if (!theApp.InitInstance()) {
        return 0;  // another copy runs: end silently
    }
    qm::Skins::SetProgramFolder(qm::CMouseConfigurationApp::ProgramFolder());

    qm::CDlgSplash splash;
    splash.exec();
    return theApp.ExitInstance();
}
