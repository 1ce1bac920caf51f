// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

#include "controls/SkinnedWindow.h"

namespace qm {

// The start-up picture: "Skins\splash.png" in a borderless 537 x 423 window, centred,
// closed by its timer after three seconds. No key or click closes or moves it.
class CDlgSplash : public SkinnedWindow {
    Q_OBJECT

public:
    static constexpr int kWidth = 537;
    static constexpr int kHeight = 423;
    static constexpr int kShowMs = 3000;

    explicit CDlgSplash(QWidget* parent = nullptr);

    // The timer's tick: id 1 closes the splash as cancelled; other ids do nothing.
    void OnTimer(int id);
    bool Closing() const { return m_closing; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool IsDragSpot(const QPoint& pos) const override;

private:
    QTimer m_timer;
    bool m_closing = false;
};

}  // namespace qm
