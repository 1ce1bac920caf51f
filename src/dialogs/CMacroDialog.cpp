// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CMacroDialog.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include "i18n/LocalizedText.h"
#include "controls/UiFonts.h"
#include "controls/FontHeight.h"
#include "controls/SkinImage.h"

namespace qm {

namespace {

enum TextEntry : int { kOkText, kCancelText, kModeOnce, kModeUntilAny, kModeWhileHeld, kLabel, kTextCount };

constexpr LocalizedText kTexts[kTextCount] = {
    {"OK", "OK", "确定", "確定"},
    {"Cancel", "Abbrechen", "取消", "取消"},
    {"Macro runs one-time after pressing the button.", "Makro bei Tastendruck einmalig ausführen.",
     "重复指定次数或按任意键结束", "按下按鍵後可重覆執行"},
    {"Macro runs endless loop until any button is pressed. ",
     "Makro endlos ausführen, bis erneuter Tastendruck erfolgt.", "重复直到按任意键结束", "重覆執行至再次按下任一鍵"},
    {"Macro runs endless loop until button is released. ", "Makro bei dauerhaft gedrückter Taste endlos ausführen.",
     "重复直到该按键松开结束", "重覆執行至放開此鍵"},
    {"Please select a macro!", "Bitte wählen Sie ein Makro aus!", "请从列表框选择一个宏", "請先選擇巨集"},
};

constexpr QRect kLabelRect{QPoint(12, 96), QPoint(180, 127)};
constexpr QRect kFieldRect{QPoint(42, 128), QPoint(135, 143)};

QRect DescriptionRect(int mode) {
    return QRect(QPoint(237, 70 + 50 * mode), QPoint(389, 101 + 50 * mode));
}

}  // namespace

CMacroDialog::CMacroDialog(std::string recordIniPath, const QString& languageCode, QWidget* parent)
    : SkinnedWindow(parent, QString()), m_store(std::move(recordIniPath)), m_languageCode(languageCode) {
    setMouseTracking(true);
    const QString newNormal = QStringLiteral("Skins\\/MacroManagement/button-new-normal.png");
    const QString newOver = QStringLiteral("Skins\\/MacroManagement/button-new-over.png");
    m_buttons.Add({kClose, QStringLiteral("Skins\\/button-close-normal.png"), QStringLiteral("Skins\\/button-close-over.png"),
                   QString()});
    m_buttons.Add({kOk, newNormal, newOver, Text(kOkText)});
    m_buttons.Add({kCancel, newNormal, newOver, Text(kCancelText)});
}

QString CMacroDialog::Text(int entry) const {
    return QString::fromUtf8(kTexts[entry].For(m_languageCode.toStdString()));
}

void CMacroDialog::Open() {
    m_chosen = presetName;
    if (!LoadBackground(QStringLiteral("Skins\\/macro-key.png"))) {
        return;  // without its picture the dialog has no controls; OK returns the preset
    }
    if (!m_opened) {
        m_opened = true;
        m_font = UiFont(m_languageCode, 13);
        m_field = new QLabel(this);
        m_field->setGeometry(kFieldRect);
        m_field->setFont(m_font);
        m_field->setStyleSheet(QStringLiteral("QLabel { color: #FFFFFF; background: #282828; padding-left: 2px; }"));
        m_field->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_field->setText(QString::fromStdString(presetName));
    CloseList();
}

int CMacroDialog::Run() {
    Open();
    if (QWidget* owner = parentWidget()) {
        move(owner->geometry().center() - rect().center());
    }
    return exec();
}

void CMacroDialog::CloseList() {
    m_listOpen = false;
    if (m_list) {
        m_list->deleteLater();
        m_list->hide();
        m_list = nullptr;
    }
}

void CMacroDialog::OnListChoice(int row) {
    m_listOpen = false;
    if (!m_list || row < 0 || row >= m_list->count()) {
        return;
    }
    m_chosen = m_list->item(row)->text().toStdString();
    macroNumber = row;
    m_field->setText(QString::fromStdString(m_chosen));
    CloseList();
    runMode = 0;  // the mode is picked after the macro
    update();
}

void CMacroDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), Background());
    if (runMode >= 0 && runMode <= 2) {
        for (int mode = 0; mode < 3; ++mode) {
            DrawSkinImage(&p, mode == runMode ? QStringLiteral("Skins\\/PaneMakingTick.png") : QStringLiteral("Skins\\/Pane.png"),
                          TickRect(mode).left(), TickRect(mode).top());
        }
    }
    p.setFont(m_font);
    p.setPen(Qt::white);
    m_buttons.PaintAll(p);
    p.drawText(kLabelRect, Qt::AlignCenter | Qt::TextWordWrap, Text(kLabel));
    for (int mode = 0; mode < 3; ++mode) {
        // Left aligned and wrapped, centred in its row by its own height.
        const QRect row = DescriptionRect(mode);
        const QString text = Text(kModeOnce + mode);
        const int height = p.fontMetrics().boundingRect(row, Qt::TextWordWrap, text).height();
        p.drawText(QRect(row.left(), row.top() + (row.height() - height) / 2, row.width(), height),
                   Qt::AlignLeft | Qt::TextWordWrap, text);
    }
}

void CMacroDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        SkinnedWindow::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (m_listOpen && !kListRect.contains(at) && !kNameArea.contains(at)) {
        CloseList();
    }
    if (kOk.contains(at)) {
        accept();
        return;
    }
    if (kCancel.contains(at) || kClose.contains(at)) {
        reject();
        return;
    }
    if (kNameArea.contains(at) && m_field != nullptr) {
        if (m_listOpen) {
            CloseList();
        } else {
            m_list = new QListWidget(this);
            m_list->setGeometry(kListRect);
            m_list->setFont(m_font);
            m_list->setStyleSheet(QStringLiteral("QListWidget { color: #FFFFFF; background: #282828; border: 1px solid #808080; }"
                                                 "QListWidget::item:selected { background: #8F2020; }"));
            const QSignalBlocker quiet(m_list);
            for (const std::string& name : m_store.ReadNames()) {
                m_list->addItem(QString::fromStdString(name));
            }
            // The list box's prefix search: from the entry after the first, then the first.
            const QString preset = QString::fromStdString(presetName);
            const int n = m_list->count();
            for (int k = 1; k <= n; ++k) {
                const int row = k % n;
                if (m_list->item(row)->text().startsWith(preset, Qt::CaseInsensitive)) {
                    m_list->setCurrentRow(row);
                    break;
                }
            }
            connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { OnListChoice(m_list->row(item)); });
            connect(m_list, &QListWidget::itemDoubleClicked, this,
                    [this](QListWidgetItem* item) { OnListChoice(m_list->row(item)); });
            m_list->show();
            m_listOpen = true;
        }
    }
    for (int mode = 0; mode < 3; ++mode) {
        if (TickRect(mode).contains(at)) {
            runMode = mode;
            update();
        }
    }
    SkinnedWindow::mousePressEvent(event);
}

}  // namespace qm
