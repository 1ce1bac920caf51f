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
    void paintEvent(QPaintEvent* event) override;
    // Draws the background; pages draw over it.
    void PaintBackground(QPainter& p);

private:
    QString m_background;
};

}  // namespace qm
