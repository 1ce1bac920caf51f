// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "controls/CSkinScrollBar.h"
#include "i18n/UiStrings.h"
#include "model/SettingsRecord.h"
#include "platform/DebugOutput.h"

namespace qm {

class CBitmapBtn;
class CSkinPage;
class CDlgDPISetting;
class CDlgUSBReportRate;

// The settings column of the main window: eight collapsible sections stacked as an
// accordion, each a title bar and, while expanded, its page. The column scrolls with the
// skinned scroll bar, the wheel and the bar's arrows. The pages edit the working record;
// the host itself holds no settings.
class CDlgadvance : public QWidget, public ScrollTarget {
    Q_OBJECT

public:
    enum Section : int {
        kDpi = 0,
        kLighting,
        kPadLighting,
        kPollingRate,
        kMouseSpeed,
        kDoubleClick,
        kScrollSpeed,
        kAngleSnap,
        kSectionCount
    };
    static constexpr int kMinimumExtent = 563;
    static constexpr int kLineStep = 60;

    // `owner` (the main window) receives UM_DESELECT.
    // `debug` receives the pages' trace (the Double-Click dial's angles).
    CDlgadvance(SettingsRecord& record, const UiStrings& strings, const QString& languageCode, DebugOutput& debug,
                QWidget* owner);

    // Recomputes the title rectangles for a pad that is present or not (nothing moves
    // until PlaceTitles).
    void SetPadPresent(int present);
    void PlaceTitles();
    void CollapseAll();
    void RefreshPages();
    void ToggleSection(int section, int collapse);
    // The scroll state after the content or the window changed.
    void UpdateScrollInfo();
    void SetScrollExtent(int extent) { m_extent = extent; }

    // The user's lines per wheel notch; negative: one screen per notch. Linux desktops
    // have no screen setting, so the application's value stands in.
    std::function<int()> wheelScrollLines;

    // ScrollTarget: the skinned bar mirrors this and sends its requests here.
    ScrollInfo VerticalScrollInfo() const override { return m_info; }
    void OnVScroll(int code, int position) override;

    CBitmapBtn* Title(int section) const { return m_titles[static_cast<size_t>(section)]; }
    // A section's page. Pages are built when first opened or asked for: a utility that
    // starts hidden in the tray builds none.
    QWidget* Page(int section) const;
    bool Collapsed(int section) const { return m_collapsed[static_cast<size_t>(section)] != 0; }
    bool PadPresent() const { return m_padPresent != 0; }
    int ContentHeight() const { return m_contentHeight; }
    int ScrollExtent() const { return m_extent; }
    int ScrollPosition() const { return m_info.position; }
    CDlgDPISetting* DpiPage() const;
    template <typename PageClass>
    PageClass* PageOf(int section) const {
        return qobject_cast<PageClass*>(Page(section));
    }
    CDlgUSBReportRate* RatePage() const;
    // The DPI page's scale (0: mouse A11D, 1: A1DC), kept for a page not yet built.
    void SetDpiScale(int scale);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize PageSize(int section) const { return m_pageSizes[static_cast<size_t>(section)]; }
    // ScrollWindow: the children move by dy; the background stays.
    void ScrollChildren(int dy);
    void OnTitleClicked(int section);
    CSkinPage* BuildPage(int section) const;

    // What the pages are built from.
    SettingsRecord& m_record;
    const UiStrings& m_strings;
    QString m_languageCode;
    DebugOutput& m_debug;
    int m_dpiScale = 0;
    QWidget* m_owner;
    std::array<CBitmapBtn*, kSectionCount> m_titles{};
    mutable std::array<CSkinPage*, kSectionCount> m_pages{};  // nullptr: not built yet
    std::array<QRect, kSectionCount> m_titleRects{};
    std::array<QSize, kSectionCount> m_pageSizes{};
    std::array<int, kSectionCount> m_collapsed{};
    int m_padPresent = 0;
    int m_contentHeight = 0;
    int m_extent = kMinimumExtent;
    int m_previousPage = 0;
    ScrollInfo m_info;
};

}  // namespace qm
