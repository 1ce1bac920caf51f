// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the skinned controls and the splash window to PNG files, in the four interface
// languages, so that their look can be checked without a display.
//
//   preview <output folder>
#include <QApplication>
#include <QDir>
#include <QPainter>

#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "controls/CExMenu.h"
#include "controls/CSkinScrollBar.h"
#include "controls/SkinImage.h"
#include "device/DeviceEnvironment.h"
#include "model/FirstRun.h"
#include "shell/CMouseConfigurationDlg.h"
#include "i18n/UiStrings.h"
#include "model/ButtonCatalogue.h"
#include "pages/CDlgSplash.h"
#include "shell/CMouseConfigurationApp.h"
#include "controls/UiFonts.h"

namespace qm::layout_preview {
// Where the menu of the drop-down of row 2 opens: its right edge + 5, its top.
inline QPoint MenuAt() {
    return QPoint(250 + 5, 154 + 2 * 20);
}
}  // namespace qm::layout_preview

namespace {

struct NoScroll : qm::ScrollTarget {
    qm::ScrollInfo VerticalScrollInfo() const override { return {0, 1200, 561, 300}; }
    void OnVScroll(int, int) override {}
};

void Save(QWidget& w, const QString& path) {
    w.grab().save(path);
}

QWidget* ControlsSheet(const QString& code) {
    qm::UiStrings s;
    s.FillUiStrings(code.toStdString());
    const QString face = qm::UiFontFace(code);
    auto* sheet = new QWidget;
    sheet->resize(420, 330);
    sheet->setAutoFillBackground(true);
    QPalette pal = sheet->palette();
    pal.setColor(QPalette::Window, QColor(0x10, 0x10, 0x15));
    sheet->setPalette(pal);
    const auto button = [&](const QRect& r, const QString& n, const QString& o, const QString& pr,
                            const QString& d, const QString& text, int align, int indent, bool checked) {
        auto* b = new qm::CBitmapBtn(sheet);
        b->setGeometry(r);
        b->SetBitmaps(QRect(QPoint(0, 0), r.size()), n, o, pr, d);
        b->caption = text;
        b->fontFace = face;
        b->fontHeight = 13;
        b->alignment = align;
        b->indent = indent;
        b->SetChecked(checked);
    };
    const QString cancel = "\\skins\\button-cancel-normal.png";
    button({10, 10, 57, 30}, cancel, "\\skins\\button-cancel-over.png", "\\skins\\button-cancel-leave.png",
           "\\skins\\button-save-leave.png", QString::fromStdString(s[9]), 0, 0, false);
    button({72, 10, 57, 30}, cancel, cancel, cancel, cancel, QString::fromStdString(s[10]), 0, 0, false);
    button({134, 10, 57, 30}, "\\skins\\button-cancel-over.png", cancel, cancel, cancel,
           QString::fromStdString(s[11]), 0, 0, false);
    button({200, 10, 140, 30}, "\\skins\\button-config-normal.png", "\\skins\\button-config-over.png",
           "\\skins\\button-config-normal.png", "\\skins\\button-config-normal.png",
           QString::fromStdString(s[12]), 1, 20, false);
    button({10, 50, 62, 29}, "\\skins\\button-mouse-normal.png", "", "\\skins\\button-mouse-leave.png", "",
           QString::fromStdString(s[13]), 0, 0, true);
    button({80, 50, 62, 29}, "\\skins\\button-mouse-normal.png", "", "", "", QString::fromStdString(s[14]), 0,
           0, false);
    button({10, 90, 242, 20}, "\\skins\\ItemBK.png", "", "", "", QString::fromStdString(s[16]), 1, 0, false);
    button({10, 115, 242, 38}, "\\skins\\MacroManagementBK.png", "", "", "", QString::fromStdString(s[17]), 1, 0,
           false);
    const char* captions[] = {"Click", "Assign Keyboard Key-F5", "Macro:Macro_1"};
    for (int r = 0; r < 3; ++r) {
        const QString caption = r == 0 ? QString::fromStdString(s[510])
                                : r == 1 ? QString::fromStdString(s[524]) + "-F5"
                                         : QString::fromStdString(s[527]) + ":Macro_1";
        (void)captions;
        button({120, 160 + 20 * r, 130, 16}, "\\skins\\ButtonAssignment\\DropdownBox-normal.png",
               "\\skins\\ButtonAssignment\\DropdownBox-over.png", "\\skins\\ButtonAssignment\\DropdownBox-over.png",
               "", caption, 1, 0, r == 1);
    }
    auto* x = new qm::CDMarker(QRect(10, 230, 208, 9), sheet, 2025);
    x->minimum = 1;
    x->maximum = 11;
    x->SetImages(QRect(0, 0, 208, 14), "\\skins\\XYSensitivity\\1.png", "\\skins\\XYSensitivity\\2.png");
    x->SetPos(6);
    for (int i = 0; i < 4; ++i) {
        auto* v = new qm::CDMarkerV(QRect(300 + 25 * i, 60, 7, 170), sheet, 2027 + i);
        v->minimum = 1;
        v->maximum = 180;
        v->SetImages(QRect(0, 0, 7, 169), "\\skins\\DPISetting\\DPIStage\\0.png", "\\skins\\DPISetting\\DPIStage\\82.png");
        v->SetPos(30 + 45 * i);
    }
    auto* content = new QWidget(sheet);
    content->setGeometry(10, 250, 213, 70);
    static NoScroll target;
    new qm::CSkinScrollWnd(content, &target, qm::Skins::Load(":/skins/scrollbar.png"));
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    qm::InitSkinResources();
    qm::InstallFontSubstitutions();
    qm::Skins::SetProgramFolder(QCoreApplication::applicationDirPath() + '/');
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    for (const QString code : {"EN", "DE", "CHS", "CHT"}) {
        QWidget* sheet = ControlsSheet(code);
        sheet->show();
        Save(*sheet, out + "/controls-" + code + ".png");
        delete sheet;

        qm::UiStrings s;
        s.FillUiStrings(code.toStdString());
        QFont font = qm::UiFont(code, 13);
        qm::CExMenu menu(&font);
        menu.SetItemWidth(130);
        const int entries[] = {510, 511, 512, 513, 514, 531};
        for (int e : entries) {
            menu.AppendItem(2000 + e, QString::fromStdString(s[e]));
        }
        auto* media = new qm::CExMenu(&font, &menu);
        media->SetItemWidth(120);
        for (const auto& row : qm::MultimediaTable()) {
            media->AppendItem(row.command, QString::fromUtf8(row.Name(qm::LanguageForNames(code.toStdString()))));
        }
        menu.AppendItem(0, QString::fromStdString(s[521]), media);
        menu.AppendItem(2013, QString::fromStdString(s[528]));
        menu.popup(QPoint(0, 0));
        menu.grab().save(out + "/menu-" + code + ".png");
        menu.hide();
    }
    // The main window in English and Simplified Chinese: top view, side view with both left
    // sections open and a button selected, and a button menu open over it.
    for (const char* code : {"EN", "CHS"}) {
        char folder[] = "/tmp/qm517-preview-XXXXXX";
        if (mkdtemp(folder) == nullptr) {
            return 1;
        }
        const std::string profiles = std::string(folder) + "/QM517 Pro/";
        qm::SeedAppDataFolder(profiles, code);
        qm::DeviceEnvironmentOptions devices;
        devices.emulate = true;
        devices.virtualClock = true;
        qm::DeviceEnvironment environment(devices);
        qm::MainWindowOptions options;
        options.showSplash = false;
        options.profileFolder = QString::fromStdString(profiles);
        options.systemTrayAvailable = [] { return true; };
        qm::LauncherPort launcher;
        qm::CMouseConfigurationDlg window(environment, options, &launcher, qm::Prompts::MessageBoxes(nullptr));
        window.OnInitDialog();
        window.RestoreFromTray();
        window.grab().save(out + "/main-top-" + code + ".png");
        window.ShowView(2);
        window.SetButtonPanel(0);
        window.SetAxisPanel(0);
        window.HighlightSlot(2);
        window.grab().save(out + "/main-side-open-" + code + ".png");
        auto menu = window.BuildButtonMenu(2);
        menu->popup(QPoint(0, 0));
        QImage shot = window.grab().toImage();
        {
            QPainter p(&shot);
            p.drawPixmap(qm::layout_preview::MenuAt(), menu->grab());
            auto* sub = menu->actions().at(9)->menu();
            sub->popup(QPoint(0, 0));
            p.drawPixmap(qm::layout_preview::MenuAt() + QPoint(menu->width() - 3, menu->actionGeometry(menu->actions().at(9)).top()),
                         sub->grab());
            sub->hide();
        }
        menu->hide();
        shot.save(out + "/main-menu-" + code + ".png");
    }

    qm::CDlgSplash splash;
    splash.show();
    splash.grab().save(out + "/splash.png");
    splash.OnTimer(1);
    return 0;
}
