// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CLightingPage.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>

#include "controls/CDMarker.h"
#include "controls/UiFonts.h"
#include "controls/FontHeight.h"
#include "controls/MessageEvent.h"
#include "controls/SkinImage.h"

namespace qm {

CLightingPage::CLightingPage(LightingPageSpec spec, SettingsRecord& record, const UiStrings& strings,
                             const QString& languageCode, QWidget* parent)
    : CSkinPage(QString::fromLatin1(spec.background), parent),
      m_spec(std::move(spec)),
      m_record(record),
      m_strings(strings),
      m_font(UiFont(languageCode, 11)) {
    const QImage track = Skins::Cut(Skins::Load(QStringLiteral("\\skins\\StageSlider\\1.png")), QRect(1, 0, 128, 11));
    const QImage fill = Skins::Cut(Skins::Load(QStringLiteral("\\skins\\StageSlider\\10.png")), QRect(1, 0, 128, 11));
    for (const LightingPageSpec::Row& row : m_spec.rows) {
        const int entry = row.mode - 1;  // the slider's lightEffectValue entry
        auto* slider = new CDMarker(SliderRect(row.top), this, kFirstSliderId + entry);
        slider->minimum = 1;
        slider->maximum = 6;
        slider->SetImages(track, fill);
        m_sliders.push_back(slider);
    }
    chooseColour = [this]() -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(Qt::black, this);
        return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
    };
    SetLightingMode(m_record[m_spec.fields.effect]);
}

QRect CLightingPage::SwatchRect(int k) const {
    return QRect(QPoint(100 + 22 * k, m_spec.stripTop), QPoint(117 + 22 * k, m_spec.stripTop + 16));
}

void CLightingPage::SetLightingMode(int mode) {
    m_record[m_spec.fields.reserved] = 0;
    if (mode < 1 || mode > 9) {
        update();
        return;
    }
    m_record[m_spec.fields.effect] = static_cast<uint8_t>(mode);
    for (size_t r = 0; r < m_spec.rows.size(); ++r) {
        CDMarker* slider = m_sliders[r];
        slider->setEnabled(m_spec.rows[r].mode == mode);
        slider->SetPos(m_record[m_spec.fields.effectValue + static_cast<size_t>(m_spec.rows[r].mode - 1)]);
    }
    if (mode == 1 && m_record[m_spec.fields.colourIndex] == 5) {
        m_record[m_spec.fields.colourIndex] = 0;  // the colour cycle is a breathing choice
    }
    update();
}

void CLightingPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBackground(p);
    p.setFont(m_font);
    p.setPen(Qt::white);
    const int selected = m_spec.selectedRow(Mode());
    for (size_t r = 0; r < m_spec.rows.size(); ++r) {
        const LightingPageSpec::Row& row = m_spec.rows[r];
        if (selected != LightingPageSpec::kNoSwitches) {
            DrawSkinImage(&p, static_cast<int>(r) == selected ? QStringLiteral("Skins/Enable.png")
                                                              : QStringLiteral("Skins/Disable.png"),
                          10, row.top);
        }
        p.drawText(QRect(QPoint(25, row.top - 5), QPoint(89, row.top + 13)), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::fromStdString(m_strings[row.label]));
        static const int kBrightness[] = {0, 25, 55, 85, 115};
        static const char* kPercent[] = {"0%", "25%", "50%", "75%", "100%"};
        for (int j = 0; j < 5; ++j) {
            const int a = row.brightness ? kBrightness[j] : 30 * j;
            p.drawText(QRect(QPoint(100 + a, row.top + 13), QPoint(129 + a, row.top + 27)),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       row.brightness ? QString::fromLatin1(kPercent[j]) : QString::number(j + 1));
        }
    }
    // "Mouse Color" with its top-left corner at (24, strip top).
    p.drawText(QRect(24, m_spec.stripTop, 76, 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
               QString::fromStdString(m_strings[509]));
    for (int k = 0; k < 5; ++k) {
        const Rgb c = m_record.Colour(m_spec.fields.colour, k);
        p.fillRect(SwatchRect(k), QColor(c.r, c.g, c.b));
    }
    const QImage multicolour = Skins::Load(QStringLiteral(":/skins/multicolour.png"));
    const QRect last = SwatchRect(5);
    p.drawImage(last.left() + (last.width() - multicolour.width()) / 2,
                last.top() + (last.height() - multicolour.height()) / 2, multicolour);
    // The frame: around the chosen swatch in effects 1 and 2, around the multicolour one
    // otherwise.
    int chosen = 5;
    if (Mode() == 1 || Mode() == 2) {
        chosen = m_record[m_spec.fields.colourIndex];
    }
    if (chosen >= 0 && chosen < kSwatches) {
        const QRect frame = SwatchRect(chosen).adjusted(-1, -1, 1, 1);
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(frame).adjusted(1, 1, -1, -1));  // the pen inside the figure
    }
}

void CLightingPage::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    for (const LightingPageSpec::Row& row : m_spec.rows) {
        if (SwitchRect(row.top).contains(at)) {
            SetLightingMode(row.mode);
            break;
        }
    }
    const int mode = Mode();
    const int choosable = mode == 1 ? 5 : mode == 2 ? 6 : 0;
    for (int k = 0; k < choosable; ++k) {
        if (SwatchRect(k).contains(at)) {
            m_record[m_spec.fields.colourIndex] = static_cast<uint8_t>(k);
        }
    }
    update();
    CSkinPage::mousePressEvent(event);
}

void CLightingPage::mouseDoubleClickEvent(QMouseEvent* event) {
    const int mode = Mode();
    if ((mode == 1 || mode == 2) && chooseColour) {
        for (int k = 0; k < 5; ++k) {  // the multicolour swatch cannot be edited
            if (SwatchRect(k).contains(event->position().toPoint())) {
                if (const std::optional<QColor> c = chooseColour()) {
                    m_record.SetColour(m_spec.fields.colour, k,
                                       Rgb{static_cast<uint8_t>(c->red()), static_cast<uint8_t>(c->green()),
                                           static_cast<uint8_t>(c->blue())});
                }
                update();
            }
        }
    }
    CSkinPage::mouseDoubleClickEvent(event);
}

bool CLightingPage::event(QEvent* e) {
    if (static_cast<int>(e->type()) == UM_MARKER_POS) {
        auto* m = static_cast<MessageEvent*>(e);
        const qintptr entry = m->LParam() - kFirstSliderId;
        if (entry >= 0 && entry <= 8) {
            m_record[m_spec.fields.effectValue + static_cast<size_t>(entry)] = static_cast<uint8_t>(m->WParam());
        }
        return true;
    }
    return CSkinPage::event(e);
}

}  // namespace qm
