// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <array>
#include <functional>
#include <optional>

#include "model/SettingsRecord.h"
#include "pages/CSkinPage.h"

namespace qm {

class CDMarkerV;

// The DPI Setting page: seven vertical sliders (one per DPI stage) with the stage's DPI
// under each, an enable switch and a colour swatch per stage, and an edit box in place of
// the DPI label for typing an exact value. The raw values are those of the present mouse:
// scale 0 (mouse A11D, dpiValueA, 1..180) or scale 1 (mouse A1DC, dpiValueB, 1..120).
class CDlgDPISetting : public CSkinPage {
    Q_OBJECT

public:
    static constexpr int kStages = 7;
    static constexpr int kFirstSliderId = 2027;

    CDlgDPISetting(SettingsRecord& record, const QString& languageCode, QWidget* parent);

    // 0: mouse A11D's values; 1: mouse A1DC's. Sets the sliders' range and reloads.
    void SetDpiScale(int scale);
    int DpiScale() const { return m_scale; }
    // Sliders to the stored raw values (clamped into their range), edit boxes closed.
    void RefreshDpi();
    void Refresh() override { RefreshDpi(); }

    // The stage's DPI as the label shows it.
    int StageDpi(int stage) const;
    // The raw value a typed text gives on a scale (leading digits; none reads as 0).
    static uint8_t RawFromTyped(const QString& text, int scale);

    // The desktop's colour chooser (initial colour black); nullopt when cancelled.
    std::function<std::optional<QColor>()> chooseColour;

    // Layout (page coordinates), stage 0..6.
    static QRect SliderRect(int stage);
    static QRect LabelRect(int stage);
    static QRect EditRect(int stage);
    static QRect SwitchRect(int stage);
    static QRect SwatchRect(int stage);

    CDMarkerV* Slider(int stage) const { return m_sliders[static_cast<size_t>(stage)]; }
    QLineEdit* EditBox(int stage) const { return m_edits[static_cast<size_t>(stage)]; }
    int OpenEditBox() const { return m_open; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    size_t RawOffset(int stage) const;
    void Commit(int stage);
    void HideEditBoxes();

    SettingsRecord& m_record;
    int m_scale = 0;
    int m_open = -1;
    QFont m_font;
    std::array<CDMarkerV*, kStages> m_sliders{};
    std::array<QLineEdit*, kStages> m_edits{};
};

}  // namespace qm
