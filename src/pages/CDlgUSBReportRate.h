// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/SettingsRecord.h"
#include "pages/CSkinPage.h"

namespace qm {

// The Polling Rate page: a dial of four positions (125, 250, 500, 1000 Hz); a click on a
// quadrant of its ring picks the rate. It edits reportInterval (1, 2, 4 or 8 ms) and keeps
// no copy: every paint reads the record.
class CDlgUSBReportRate : public CSkinPage {
    Q_OBJECT

public:
    static constexpr QPoint kCentre{121, 66};  // of the dial (57, 5, 185, 128)

    CDlgUSBReportRate(SettingsRecord& record, QWidget* parent);

    // The interval a click at a page point selects; 0 when the point picks nothing (off
    // the ring, or on an axis through the centre).
    static int IntervalAt(const QPoint& point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    SettingsRecord& m_record;
};

}  // namespace qm
