// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "i18n/UiStrings.h"
#include "model/SettingsRecord.h"
#include "pages/CSkinPage.h"

namespace qm {

class CDMarker;

// What tells the mouse's lighting page from the pad's: the record fields, the effect rows,
// where the colour strip sits, and which row a stored effect shows selected.
struct LightingPageSpec {
    struct Fields {
        size_t effect;
        size_t effectValue;  // nine entries; entry k belongs to slider 2037 + k
        size_t reserved;     // set to 0 on every mode selection
        size_t colour;       // user colours 0..4 (RGB)
        size_t colourIndex;  // 0..4 a user colour, 5 the multicolour choice
    };
    struct Row {
        int mode;
        int label;  // UiStrings entry
        int top;
        bool brightness;  // scale "0%".."100%" instead of "1".."5"
    };
    const char* background;
    Fields fields;
    std::vector<Row> rows;
    int stripTop;
    // The row shown selected for a stored effect: a row index, kNoRowSelected (all
    // switches off), or kNoSwitches (no switches drawn).
    std::function<int(int effect)> selectedRow;
    static constexpr int kNoRowSelected = -1;
    static constexpr int kNoSwitches = -2;
};

// A lighting page: one row per effect with its switch, label and slider (range 1..6, one
// enabled: the selected effect's), and the colour strip (five user colours and the
// multicolour choice). Every change goes into the record at once.
class CLightingPage : public CSkinPage {
    Q_OBJECT

public:
    static constexpr int kFirstSliderId = 2037;
    static constexpr int kSwatches = 6;

    CLightingPage(LightingPageSpec spec, SettingsRecord& record, const UiStrings& strings,
                  const QString& languageCode, QWidget* parent);

    // Selects an effect: the reserved byte is cleared; an effect 1..9 is stored, enables
    // its slider (if it has one) and disables the others; the sliders show the stored
    // values; the multicolour choice does not go with effect 1. Other values are left
    // as they are and only repaint.
    void SetLightingMode(int mode);
    void Refresh() override { SetLightingMode(m_record[m_spec.fields.effect]); }

    // The desktop's colour chooser (initial colour black); nullopt when cancelled.
    std::function<std::optional<QColor>()> chooseColour;

    const LightingPageSpec& Spec() const { return m_spec; }
    CDMarker* SliderOfRow(int row) const { return m_sliders[static_cast<size_t>(row)]; }
    static QRect SwitchRect(int top) { return QRect(QPoint(10, top), QPoint(19, top + 8)); }
    static QRect SliderRect(int top) { return QRect(QPoint(100, top), QPoint(227, top + 7)); }
    QRect SwatchRect(int k) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    int Mode() const { return m_record[m_spec.fields.effect]; }

    LightingPageSpec m_spec;
    SettingsRecord& m_record;
    const UiStrings& m_strings;
    QFont m_font;
    std::vector<CDMarker*> m_sliders;  // one per row
};

}  // namespace qm
