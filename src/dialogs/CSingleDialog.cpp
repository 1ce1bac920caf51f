// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CSingleDialog.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "i18n/LocalizedText.h"
#include "controls/UiFonts.h"
#include "controls/FontHeight.h"
#include "controls/MessageEvent.h"
#include "controls/SkinImage.h"
#include "macros/KeyNames.h"
#include "platform/Format.h"

namespace qm {

namespace {

enum TextEntry : int { kOkText, kCancelText, kPrompt };

constexpr QRect kPromptRect{QPoint(34, 103), QPoint(219, 122)};
constexpr QRect kFieldRect{QPoint(74, 129), QPoint(149, 142)};

// A window that is just being mapped may not take a keyboard grab yet: a few tries.
constexpr int kGrabAttempts = 10;
constexpr int kGrabRetryMs = 50;

}  // namespace

CSingleDialog::CSingleDialog(const QString& languageCode, DebugOutput& debug, Message message, QWidget* parent)
    : SkinnedWindow(parent, QString()), m_languageCode(languageCode), m_debug(debug), m_message(std::move(message)) {
    setMouseTracking(true);
    const QString cancelNormal = QStringLiteral("Skins\\MacroManagement\\button-cancel-normal.png");
    const QString cancelOver = QStringLiteral("Skins\\/MacroManagement/button-cancel-over.png");
    m_buttons.Add({kClose, QStringLiteral("Skins\\button-close-normal.png"), QStringLiteral("Skins\\/button-close-over.png"),
                   QString()});
    m_buttons.Add({kOk, cancelNormal, cancelOver, Text(kOkText)});
    m_buttons.Add({kCancel, cancelNormal, cancelOver, Text(kCancelText)});
}

CSingleDialog::~CSingleDialog() {
    m_capture.Stop();
}

QString CSingleDialog::Text(int entry) const {
    // English is also the text of any other language code here.
    static constexpr LocalizedText kTexts[] = {
        {"Ok", "OK", "确定", "確定"},
        {"Cancel", "Abbrechen", "取消", "取消"},
        {"Please assign a key", "Bitte wählen Sie eine Taste aus.", "请输入一个按键", "請指派一個鍵盤按鍵"},
    };
    return QString::fromUtf8(kTexts[entry].For(m_languageCode.toStdString(), kTexts[entry].en));
}

void CSingleDialog::Open() {
    m_captureTried = false;
    m_grabAttempts = 0;
    m_loaded = LoadBackground(QStringLiteral("Skins\\/single-key.png"));
    if (!m_loaded) {
        m_message(QStringLiteral("Single Key Dialog Load background image failed!!!"), QStringLiteral("error"));
        return;
    }
    if (m_field == nullptr) {
        const bool chinese = m_languageCode == QLatin1String("CHS") || m_languageCode == QLatin1String("CHT");
        m_font = UiFont(m_languageCode, chinese ? 13 : 14);
        m_field = new QLabel(this);
        m_field->setGeometry(kFieldRect);
        m_field->setFont(m_font);
        m_field->setAlignment(Qt::AlignCenter);
        m_field->setStyleSheet(QStringLiteral("QLabel { color: #000000; background: #FFFFFF; }"));
    }
    m_field->setText(QString::fromStdString(keyName));
}

int CSingleDialog::Run() {
    Open();
    if (QWidget* owner = parentWidget()) {
        move(owner->geometry().center() - rect().center());
    }
    return exec();
}

void CSingleDialog::showEvent(QShowEvent* event) {
    SkinnedWindow::showEvent(event);
    if (m_loaded && !m_captureTried) {
        m_captureTried = true;
        // Keys are taken from the moment the dialog shows, while it has the focus; the
        // grab that keeps them from other programs follows once the desktop grants it.
        m_capture.Listen(this, [this](const KeyRecord& key) {
            m_debug.Write(Format("vk code=%x,scan code=%x,key flag=%x\n", key.vkCode, key.scanCode, key.flags & 0x81));
            m_lastKeyName = KeyEventName(key.vkCode, key.flags);
            PostMessage(this, UM_SINGLE_KEY, 0, 0);
            return true;  // every key is swallowed, Enter and Esc included
        });
        QTimer::singleShot(0, this, &CSingleDialog::StartCapture);
    }
}

void CSingleDialog::StartCapture() {
    if (!m_capture.Active() || m_capture.Grabbed() || !isVisible()) {
        return;
    }
    QString reason;
    if (m_capture.GrabNow(&reason)) {
        return;
    }
    if (++m_grabAttempts < kGrabAttempts) {
        QTimer::singleShot(kGrabRetryMs, this, &CSingleDialog::StartCapture);
        return;
    }
    // The dialog stays open and takes keys only while it has the focus: the user is told
    // why.
    m_message(QString(), Format("JournalRecordHook Install error code :%d\n", 1).c_str() + reason);
}

bool CSingleDialog::event(QEvent* e) {
    if (static_cast<int>(e->type()) == UM_SINGLE_KEY) {
        keyName = m_lastKeyName;
        if (m_field != nullptr) {
            m_field->setText(QString::fromStdString(keyName));
            m_field->repaint();
        }
        return true;
    }
    return SkinnedWindow::event(e);
}

void CSingleDialog::done(int result) {
    m_capture.Stop();
    SkinnedWindow::done(result);
}

void CSingleDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), Background());
    p.setFont(m_font);
    p.setPen(Qt::white);
    p.drawText(kPromptRect, Qt::AlignCenter | Qt::TextSingleLine, Text(kPrompt));
    m_buttons.PaintAll(p);
}

void CSingleDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        if (kOk.contains(at)) {
            accept();
            return;
        }
        if (kCancel.contains(at) || kClose.contains(at)) {
            reject();
            return;
        }
    }
    SkinnedWindow::mousePressEvent(event);
}

}  // namespace qm
