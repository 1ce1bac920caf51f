// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace qm {

// A page of the settings column: a borderless child drawn over its skin background. The
// pages edit the working record directly; Refresh reloads what they show from it.
class CSkinPage : public QWidget {
    Q_OBJECT

public:
    CSkinPage(const QString& background, QWidget* parent);

    // Reloads the page from the settings record (the host's RefreshPages).
    virtual void Refresh() { update(); }

protected:
    // The pages act on the left button only: a right or middle click changes nothing. The
    // second click of a double click does nothing either, unless a page handles double
    // clicks itself (mouseDoubleClickEvent).
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Draws the background; pages draw over it.
    void PaintBackground(QPainter& p);

private:
    QString m_background;
};

// Makes an edit box of a page or dialog deaf to the keys the skinned windows swallow
// (Escape, Space and F1; Enter still ends the edit), as the window's own key filter does
// for every key typed into the window: no blank gets into a number.
void SwallowWindowKeys(QWidget* edit);

}  // namespace qm
