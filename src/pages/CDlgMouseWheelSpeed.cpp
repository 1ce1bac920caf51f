// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgMouseWheelSpeed.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "controls/UiFonts.h"
#include "controls/FontHeight.h"
#include "controls/SkinImage.h"
#include "platform/Format.h"

namespace qm {

CDlgMouseWheelSpeed::CDlgMouseWheelSpeed(SettingsRecord& record, const UiStrings& strings,
                                         const QString& languageCode, QWidget* parent)
    : CSkinPage(QStringLiteral("Skins\\MouseAttribute\\BK_ScrollSpeed.png"), parent),
      m_record(record),
      m_strings(strings) {
    m_font = UiFont(languageCode, 13);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("LinesBox"));
    m_edit->setGeometry(QRect(QPoint(150, 15), QPoint(185, 28)));
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setFont(m_font);
    // Digits only, as the box's style asks.
    m_edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_edit));
    // Over the field of the lines image (its arrows are beside it, in the image), in the
    // system's edit colours, as the page leaves them.
    m_edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #3A3A44; padding: 0px; }"));
    SwallowWindowKeys(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &CDlgMouseWheelSpeed::OnTextChanged);
    ShowWheel();
}

void CDlgMouseWheelSpeed::RefreshWheel() {
    ShowWheel();
    repaint();
}

void CDlgMouseWheelSpeed::ShowWheel() {
    if (m_record[rec::kScrollOneScreen] != 0) {
        m_edit->setEnabled(false);
        // The "0" stands for the one-screen mode; it is not a lines value and does not go
        // through the check, which would put 1 over the stored lines.
        const QSignalBlocker quiet(m_edit);
        m_edit->setText(QStringLiteral("0"));
    } else {
        m_edit->setEnabled(true);
        ShowLines();
    }
}

void CDlgMouseWheelSpeed::ShowLines() {
    m_edit->setText(QString::asprintf("%d", m_record[rec::kWheelLines]));
}

void CDlgMouseWheelSpeed::OnTextChanged(const QString& text) {
    const int n = ParseDecimal(text.toStdString());
    if (n < 1 || n > 100) {
        m_record[rec::kWheelLines] = 1;
        if (text != QLatin1String("1")) {
            m_edit->setText(QStringLiteral("1"));  // comes back here as "1"
        }
    } else {
        m_record[rec::kWheelLines] = static_cast<uint8_t>(n);
    }
    m_edit->update();
}

void CDlgMouseWheelSpeed::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBackground(p);
    const bool oneScreen = m_record[rec::kScrollOneScreen] != 0;
    const QString on = QStringLiteral("Skins\\MouseAttribute\\ScrollSpeed\\Enable.png");
    const QString off = QStringLiteral("Skins\\MouseAttribute\\ScrollSpeed\\Disable.png");
    DrawSkinImage(&p, oneScreen ? off : on, kLinesSwitch.left(), kLinesSwitch.top());
    DrawSkinImage(&p, oneScreen ? on : off, kOneScreenSwitch.left(), kOneScreenSwitch.top());
    DrawSkinImage(&p, QStringLiteral("Skins\\MouseAttribute\\ScrollSpeed\\ScrollLines.png"), 150, 15);
    p.setFont(m_font);
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(24, 14), QPoint(155, 29)), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::fromStdString(m_strings[46]));
    p.drawText(QRect(QPoint(24, 50), QPoint(155, 61)), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::fromStdString(m_strings[47]));
}

void CDlgMouseWheelSpeed::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool linesMode = m_record[rec::kScrollOneScreen] == 0;
    uint8_t& lines = m_record[rec::kWheelLines];
    if (kUpArrow.contains(at) && linesMode) {
        lines = static_cast<uint8_t>(std::min(lines + 1, 100));
        ShowLines();
    }
    if (kDownArrow.contains(at) && linesMode) {
        if (lines != 1) {
            lines = static_cast<uint8_t>(lines - 1);
        }
        ShowLines();
    }
    if (kLinesSwitch.contains(at)) {
        m_record[rec::kScrollOneScreen] = 0;
        m_edit->setEnabled(true);
        ShowLines();
    }
    if (kOneScreenSwitch.contains(at)) {
        m_edit->setEnabled(false);
        m_record[rec::kScrollOneScreen] = 1;
    }
    repaint();
    CSkinPage::mousePressEvent(event);
}

}  // namespace qm
