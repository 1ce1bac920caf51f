// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgadvance.h"

#include <QApplication>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "controls/UiFonts.h"
#include "controls/CBitmapBtn.h"
#include "controls/MessageEvent.h"
#include "controls/SkinImage.h"
#include "pages/CDlgAngleSnap.h"
#include "pages/CDlgDPISetting.h"
#include "pages/CDlgDoubleClick.h"
#include "pages/CDlgLighting.h"
#include "pages/CDlgLightingPad.h"
#include "pages/CDlgMouseSpeed.h"
#include "pages/CDlgMouseWheelSpeed.h"
#include "pages/CDlgUSBReportRate.h"
#include "pages/CSkinPage.h"

namespace qm {

namespace {

constexpr QRect kFirstTitle(0, 2, 242, 20);
constexpr int kTitleGap = 5;

struct SectionSkin {
    int title;             // UiStrings entry
    const char* sizeFrom;  // the image the page's size is taken from
};

constexpr SectionSkin kSections[CDlgadvance::kSectionCount] = {
    {19, "skins/DPISetting/BK_DPISetting.png"},
    {20, "skins/Lighting/BK_Lighting.png"},
    {21, "skins/Lighting/BK_PADLighting.png"},
    {22, "skins/USBReportRate/BK_USBReportRate.png"},
    {23, "skins/MouseAttribute/BK_MouseAttribute.png"},
    {24, "skins/MouseAttribute/BK_MouseAttribute.png"},
    {25, "skins/MouseAttribute/BK_ScrollSpeed.png"},
    {26, "skins/AngleSnap/BK_AngleSnap.png"},
};

}  // namespace

CDlgadvance::CDlgadvance(SettingsRecord& record, const UiStrings& strings, const QString& languageCode,
                         DebugOutput& debug, QWidget* owner)
    : QWidget(owner), m_record(record), m_strings(strings), m_languageCode(languageCode), m_debug(debug),
      m_owner(owner) {
    setObjectName(QStringLiteral("CDlgadvance"));
    m_padPresent = 1;
    SetPadPresent(1);
    for (int s = 0; s < kSectionCount; ++s) {
        auto* title = new CBitmapBtn(this);
        title->setGeometry(m_titleRects[static_cast<size_t>(s)]);
        const QString item = QStringLiteral("\\skins\\ItemBK.png");
        title->SetBitmaps(QRect(0, 0, 242, 20), item, item, item, item);
        title->caption = QString::fromStdString(strings[kSections[s].title]);
        title->fontHeight = 13;
        title->fontFace = UiFontFace(languageCode);
        connect(title, &QAbstractButton::clicked, this, [this, s] { OnTitleClicked(s); });
        m_titles[static_cast<size_t>(s)] = title;
    }
    // Section 8 exists but is never shown.
    m_titles[kAngleSnap]->hide();

    for (int s = 0; s < kSectionCount; ++s) {
        m_pageSizes[static_cast<size_t>(s)] = Skins::ImageSize(QString::fromLatin1(kSections[s].sizeFrom));
    }
    m_pageSizes[kDoubleClick] = m_pageSizes[kMouseSpeed];

    // The titles of DPI Setting, Polling Rate, Mouse Speed, Double-Click Speed, Scroll
    // Speed and Angle Snapping.
    m_contentHeight = 0;
    for (int s : {kDpi, kPollingRate, kMouseSpeed, kDoubleClick, kScrollSpeed, kAngleSnap}) {
        m_contentHeight += m_titleRects[static_cast<size_t>(s)].height();
    }
    m_collapsed.fill(1);
}

CSkinPage* CDlgadvance::BuildPage(int s) const {
    auto* self = const_cast<CDlgadvance*>(this);  // a page is built on first use, also from a const look
    CSkinPage* page = nullptr;
    switch (s) {
        case kDpi: {
            auto* dpi = new CDlgDPISetting(m_record, m_languageCode, self);
            dpi->SetDpiScale(m_dpiScale);
            page = dpi;
            break;
        }
        case kLighting: page = new CDlgLighting(m_record, m_strings, m_languageCode, self); break;
        case kPadLighting: page = new CDlgLightingPad(m_record, m_strings, m_languageCode, self); break;
        case kPollingRate: page = new CDlgUSBReportRate(m_record, self); break;
        case kMouseSpeed: page = new CDlgMouseSpeed(m_record, m_strings, m_languageCode, self); break;
        case kDoubleClick: page = new CDlgDoubleClick(m_record, m_strings, m_languageCode, m_debug, self); break;
        case kScrollSpeed: page = new CDlgMouseWheelSpeed(m_record, m_strings, m_languageCode, self); break;
        default: page = new CDlgAngleSnap(m_record, m_strings, m_languageCode, self); break;
    }
    const QRect title = m_titles[static_cast<size_t>(s)]->geometry();
    page->setGeometry(QRect(QPoint(title.left(), title.bottom() + 1), PageSize(s)));
    page->hide();
    return page;
}

QWidget* CDlgadvance::Page(int section) const {
    CSkinPage*& page = m_pages[static_cast<size_t>(section)];
    if (page == nullptr) {
        page = BuildPage(section);
    }
    return page;
}

CDlgDPISetting* CDlgadvance::DpiPage() const {
    return static_cast<CDlgDPISetting*>(Page(kDpi));
}

CDlgUSBReportRate* CDlgadvance::RatePage() const {
    return static_cast<CDlgUSBReportRate*>(Page(kPollingRate));
}

void CDlgadvance::SetDpiScale(int scale) {
    m_dpiScale = scale;
    if (CSkinPage* page = m_pages[kDpi]) {
        static_cast<CDlgDPISetting*>(page)->SetDpiScale(scale);
    }
}

void CDlgadvance::SetPadPresent(int present) {
    m_padPresent = present;
    m_titleRects[0] = kFirstTitle;
    int bottom = kFirstTitle.bottom() + 1;
    for (int s = 1; s < kSectionCount; ++s) {
        const QRect r(kFirstTitle.left(), bottom + kTitleGap, kFirstTitle.width(), kFirstTitle.height());
        m_titleRects[static_cast<size_t>(s)] = r;
        if (s != kPadLighting || present == 1) {
            bottom = r.bottom() + 1;
        }
    }
}

void CDlgadvance::PlaceTitles() {
    setUpdatesEnabled(false);
    for (int s = 0; s < kSectionCount; ++s) {
        m_titles[static_cast<size_t>(s)]->setGeometry(m_titleRects[static_cast<size_t>(s)]);
    }
    m_titles[kPadLighting]->setVisible(m_padPresent != 0);
    setUpdatesEnabled(true);
}

void CDlgadvance::CollapseAll() {
    for (int s : {kAngleSnap, kScrollSpeed, kDoubleClick, kMouseSpeed, kPollingRate, kLighting, kDpi, kPadLighting}) {
        if (m_collapsed[static_cast<size_t>(s)] == 0) {
            ToggleSection(s, 1);
        }
    }
}

void CDlgadvance::RefreshPages() {
    // A page not built yet reads the record when it is.
    for (CSkinPage* page : m_pages) {
        if (page != nullptr) {
            page->Refresh();
        }
    }
}

void CDlgadvance::ToggleSection(int section, int collapse) {
    m_collapsed[static_cast<size_t>(section)] = collapse;
    const int change = PageSize(section).height() + 10;
    m_contentHeight += collapse != 0 ? -change : change;
    m_extent = std::max(m_contentHeight, kMinimumExtent);
    UpdateScrollInfo();

    CBitmapBtn* title = m_titles[static_cast<size_t>(section)];
    auto* page = static_cast<CSkinPage*>(Page(section));
    if (collapse != 0) {
        page->hide();
    } else {
        page->setGeometry(QRect(QPoint(title->geometry().left(), title->geometry().bottom() + 1), PageSize(section)));
        page->show();
    }

    // Everything below moves up or down, reading the actual positions (the scroll offset
    // is in them).
    int bottom = (collapse != 0 ? title->geometry() : page->geometry()).bottom() + 1;
    for (int s = section + 1; s < kSectionCount; ++s) {
        if (s == kPadLighting && m_padPresent == 0) {
            continue;
        }
        CBitmapBtn* next = m_titles[static_cast<size_t>(s)];
        QRect r = next->geometry();
        r.moveTop(bottom + kTitleGap);
        next->setGeometry(r);
        m_titleRects[static_cast<size_t>(s)] = r;
        bottom = r.bottom() + 1;
        if (m_collapsed[static_cast<size_t>(s)] == 0) {
            auto* nextPage = static_cast<CSkinPage*>(Page(s));
            nextPage->setGeometry(QRect(QPoint(r.left(), bottom), PageSize(s)));
            bottom = nextPage->geometry().bottom() + 1;
        }
    }
    update();
}

void CDlgadvance::OnTitleClicked(int section) {
    setUpdatesEnabled(false);
    PostMessage(m_owner, UM_DESELECT, 0, 0);
    ToggleSection(section, m_collapsed[static_cast<size_t>(section)] != 0 ? 0 : 1);
    setUpdatesEnabled(true);
}

void CDlgadvance::UpdateScrollInfo() {
    const int page = height();
    const int current = m_info.position;
    int offset = 0;
    if (page < m_extent) {
        m_info.maximum = m_extent - 1;
        if (m_previousPage > 0 && m_info.position > 0) {
            m_info.position = static_cast<int>(static_cast<double>(m_info.position) * page / m_previousPage);
        }
        m_previousPage = page;
        m_info.page = page;
        m_info.position = std::min(m_info.position, m_extent - page - 1);
        offset = current - m_info.position;
    } else {
        m_info.page = 0;
        m_info.position = 0;
        m_info.maximum = 0;
        offset = current;
    }
    m_info.minimum = 0;
    NotifyScrollChanged();
    if (offset != 0) {
        ScrollChildren(offset);
    }
}

void CDlgadvance::OnVScroll(int code, int position) {
    int change = 0;
    switch (code) {
        case SB_LINEUP: change = -kLineStep; break;
        case SB_LINEDOWN: change = kLineStep; break;
        case SB_PAGEUP: change = -m_info.page; break;
        case SB_PAGEDOWN: change = m_info.page; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: change = position - m_info.position; break;
        default: return;
    }
    // The new position stays within 0 .. extent - page.
    change = std::max(change, -m_info.position);
    change = std::min(change, m_extent - m_info.page - m_info.position);
    if (change == 0) {
        return;
    }
    m_info.position += change;
    NotifyScrollChanged();
    ScrollChildren(-change);
    repaint();
}

void CDlgadvance::ScrollChildren(int dy) {
    for (CBitmapBtn* title : m_titles) {
        title->move(title->pos() + QPoint(0, dy));
    }
    for (CSkinPage* page : m_pages) {
        if (page != nullptr) {
            page->move(page->pos() + QPoint(0, dy));
        }
    }
    update();
}

void CDlgadvance::wheelEvent(QWheelEvent* event) {
    if (m_info.minimum == m_info.maximum) {
        event->ignore();  // nothing to scroll
        return;
    }
    const int delta = event->angleDelta().y();
    const int lines = wheelScrollLines ? wheelScrollLines() : QApplication::wheelScrollLines();
    if (lines < 0) {
        // One screen per notch.
        OnVScroll(delta <= 0 ? SB_PAGEDOWN : SB_PAGEUP, 0);
    } else {
        const int n = lines * (std::abs(delta) / 120);
        const int steps = n < 6 ? 1 : n / 3;
        for (int i = 0; i < steps; ++i) {
            OnVScroll(delta <= 0 ? SB_LINEDOWN : SB_LINEUP, 0);
        }
    }
    event->accept();
}

void CDlgadvance::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        PostMessage(m_owner, UM_DESELECT, 0, 0);
    }
    QWidget::mousePressEvent(event);
}

void CDlgadvance::resizeEvent(QResizeEvent* event) {
    UpdateScrollInfo();
    QWidget::resizeEvent(event);
}

void CDlgadvance::paintEvent(QPaintEvent*) {
    // The background does not follow the scroll.
    QPainter p(this);
    DrawSkinImage(&p, QStringLiteral("Skins\\BK_MainRight.png"), 0, 0);
}

}  // namespace qm
