#include "pages/CSkinPage.h"

#include <QPainter>

#include "controls/SkinImage.h"

namespace qm {

CSkinPage::CSkinPage(const QString& background, QWidget* parent) : QWidget(parent), m_background(background) {}

void CSkinPage::PaintBackground(QPainter& p) {
    DrawSkinImage(&p, m_background, 0, 0);
}

void CSkinPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBackground(p);
}

}  // namespace qm
