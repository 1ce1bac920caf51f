// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgDPISetting.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>

#include "controls/UiFonts.h"
#include "controls/CDMarker.h"
#include "controls/FontHeight.h"
#include "controls/MessageEvent.h"
#include "controls/SkinImage.h"

namespace qm {

CDlgDPISetting::CDlgDPISetting(SettingsRecord& record, const QString& languageCode, QWidget* parent)
    : CSkinPage(QStringLiteral("Skins\\DPISetting\\BK_DPISetting.png"), parent), m_record(record) {
    m_font = UiFont(languageCode, 10);
    const QImage track = Skins::Cut(Skins::Load(QStringLiteral("\\skins\\DPISetting\\DPIStage\\0.png")), QRect(0, 0, 7, 169));
    const QImage fill = Skins::Cut(Skins::Load(QStringLiteral("\\skins\\DPISetting\\DPIStage\\82.png")), QRect(0, 0, 7, 169));
    for (int i = 0; i < kStages; ++i) {
        auto* slider = new CDMarkerV(SliderRect(i), this, kFirstSliderId + i);
        slider->minimum = 1;
        slider->maximum = 180;
        slider->SetImages(track, fill);
        m_sliders[static_cast<size_t>(i)] = slider;

        auto* edit = new QLineEdit(this);
        edit->setGeometry(EditRect(i));
        edit->setMaxLength(5);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFrame(false);
        edit->setFont(m_font);
        edit->setTextMargins(0, 0, 0, 0);
        // White on the 0x282828 brush. (The black text background a Windows edit box
        // paints behind its characters is left out: a Qt edit draws its text on its own
        // background, and a black band that grows and shrinks with the digits would only
        // flicker as the user types.)
        edit->setStyleSheet(QStringLiteral("QLineEdit { color: #FFFFFF; background: #282828; border: none; padding: 0px; }"));
        edit->hide();
        SwallowWindowKeys(edit);
        // Enter commits the box that has the focus.
        connect(edit, &QLineEdit::returnPressed, this, [this, i] {
            Commit(i);
            m_open = -1;
            HideEditBoxes();
            update();
        });
        m_edits[static_cast<size_t>(i)] = edit;
    }
    chooseColour = [this]() -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(Qt::black, this);
        return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
    };
    RefreshDpi();
}

QRect CDlgDPISetting::SliderRect(int i) {
    return QRect(QPoint(25 + 30 * i, 3), QPoint(31 + 30 * i, 172));
}
QRect CDlgDPISetting::LabelRect(int i) {
    return QRect(QPoint(20 + 30 * i, 182), QPoint(44 + 30 * i, 192));
}
QRect CDlgDPISetting::EditRect(int i) {
    return QRect(QPoint(20 + 30 * i, 179), QPoint(44 + 30 * i, 195));
}
QRect CDlgDPISetting::SwitchRect(int i) {
    return QRect(QPoint(25 + 30 * i, 202), QPoint(34 + 30 * i, 210));
}
QRect CDlgDPISetting::SwatchRect(int i) {
    return QRect(QPoint(25 + 30 * i, 215), QPoint(34 + 30 * i, 224));
}

size_t CDlgDPISetting::RawOffset(int stage) const {
    return (m_scale == 1 ? rec::kDpiValueB : rec::kDpiValueA) + static_cast<size_t>(stage);
}

int CDlgDPISetting::StageDpi(int stage) const {
    const uint8_t raw = m_record[RawOffset(stage)];
    if (m_scale == 1) {
        return DecodeDpiB(raw);
    }
    // Above 144 the steps are 100 DPI: v x 100 - 7200 (also for values beyond 180).
    return raw <= 144 ? raw * 50 : raw * 100 - 7200;
}

uint8_t CDlgDPISetting::RawFromTyped(const QString& text, int scale) {
    int d = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            break;
        }
        d = d * 10 + (c.unicode() - '0');
    }
    return scale == 1 ? EncodeDpiB(d) : EncodeDpiA(d);
}

void CDlgDPISetting::SetDpiScale(int scale) {
    m_scale = scale;
    for (CDMarkerV* slider : m_sliders) {
        slider->minimum = 1;
        slider->maximum = scale == 1 ? 120 : 180;
    }
    RefreshDpi();
    update();
}

void CDlgDPISetting::RefreshDpi() {
    for (int i = 0; i < kStages; ++i) {
        m_sliders[static_cast<size_t>(i)]->SetPosClamped(m_record[RawOffset(i)]);
    }
    HideEditBoxes();
    m_open = -1;
    update();
}

void CDlgDPISetting::HideEditBoxes() {
    for (QLineEdit* edit : m_edits) {
        edit->hide();
    }
}

void CDlgDPISetting::Commit(int stage) {
    const uint8_t raw = RawFromTyped(m_edits[static_cast<size_t>(stage)]->text(), m_scale);
    m_record[RawOffset(stage)] = raw;
    m_sliders[static_cast<size_t>(stage)]->SetPosClamped(raw);
}

void CDlgDPISetting::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBackground(p);
    p.setFont(m_font);
    p.setPen(Qt::white);
    for (int i = 0; i < kStages; ++i) {
        const QRect label = LabelRect(i);
        DrawSkinImage(&p, QStringLiteral("Skins\\DPISetting\\BK-DPIValue.png"), label.left(), label.top());
        p.drawText(label, Qt::AlignCenter | Qt::TextSingleLine, QString::number(StageDpi(i)));
        const bool enabled = m_record[rec::kStageEnabled + static_cast<size_t>(i)] != 0;
        DrawSkinImage(&p, enabled ? QStringLiteral("Skins\\Enable.png") : QStringLiteral("Skins\\Disable.png"),
                      SwitchRect(i).left(), SwitchRect(i).top());
        const Rgb c = m_record.Colour(rec::kStageColour, i);
        p.fillRect(SwatchRect(i), QColor(c.r, c.g, c.b));
    }
}

void CDlgDPISetting::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_open >= 0) {
        Commit(m_open);
        m_open = -1;
    }
    HideEditBoxes();
    for (int i = 0; i < kStages; ++i) {
        uint8_t& enabled = m_record[rec::kStageEnabled + static_cast<size_t>(i)];
        if (SwitchRect(i).contains(at)) {
            enabled = enabled == 0 ? 1 : 0;
        }
        if (SwatchRect(i).contains(at) && enabled == 1 && chooseColour) {
            // A disabled stage's colour cannot be changed.
            if (const std::optional<QColor> c = chooseColour()) {
                m_record.SetColour(rec::kStageColour, i,
                                   Rgb{static_cast<uint8_t>(c->red()), static_cast<uint8_t>(c->green()),
                                       static_cast<uint8_t>(c->blue())});
            }
        }
        if (LabelRect(i).contains(at)) {
            QLineEdit* edit = m_edits[static_cast<size_t>(i)];
            edit->setText(QString::number(StageDpi(i)));
            edit->show();
            m_open = i;
        }
    }
    update();
    CSkinPage::mousePressEvent(event);
}

bool CDlgDPISetting::event(QEvent* e) {
    if (static_cast<int>(e->type()) == UM_MARKER_POS) {
        auto* m = static_cast<MessageEvent*>(e);
        const int stage = static_cast<int>(m->LParam()) - kFirstSliderId;
        if (stage >= 0 && stage < kStages) {
            // The open box is closed without being committed: a later click on the page
            // must not put the number it showed back over the slider's value.
            HideEditBoxes();
            m_open = -1;
            m_record[RawOffset(stage)] = static_cast<uint8_t>(m->WParam());
            // Moving a slider switches its stage on; a stage that is on keeps its flag.
            uint8_t& enabled = m_record[rec::kStageEnabled + static_cast<size_t>(stage)];
            if (enabled == 0) {
                enabled = 1;
            }
            update();
        }
        return true;
    }
    return CSkinPage::event(e);
}

}  // namespace qm
