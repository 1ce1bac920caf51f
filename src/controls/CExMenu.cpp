// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/CExMenu.h"

#include <QPainter>
#include <algorithm>

namespace qm {

CExMenu::CExMenu(const QFont* font, QWidget* parent) : QMenu(parent) {
    if (font != nullptr) {
        setFont(*font);
    }
    ApplyStyle();
}

void CExMenu::ApplyStyle() {
    setStyleSheet(QStringLiteral(
                      "QMenu { background: #6F2929; border: 3px solid #6F2929; padding: 0px; margin: 0px; }"
                      "QMenu::item { height: %1px; width: %2px; padding: 0px 0px 0px 2px; margin: 0px;"
                      " border: none; color: #FFFFFF; background: #6F2929; }"
                      "QMenu::item:selected { background: #8F2020; color: #FFFFFF; }"
                      "QMenu::right-arrow { image: none; width: 0px; height: 0px; }"
                      "QMenu::indicator { width: 0px; height: 0px; }")
                      .arg(kItemHeight)
                      .arg(m_itemWidth - 2));
}

void CExMenu::SetItemWidth(int width) {
    m_itemWidth = width;
    ApplyStyle();
    FitItems();
}

void CExMenu::WidenToTexts() {
    int widest = 0;
    for (const QAction* action : actions()) {
        widest = std::max(widest, fontMetrics().horizontalAdvance(action->text()) +
                                      (action->isCheckable() ? kCheckRoom : 0));
    }
    if (widest + kTextMargin > m_itemWidth) {
        SetItemWidth(widest + kTextMargin);
    }
}

FittedText CExMenu::FittedItem(const QAction* action) const {
    return FitText(font(), action->text(), TextWidth() - (action->isCheckable() ? kCheckRoom : 0));
}

void CExMenu::FitItems() {
    for (QAction* action : actions()) {
        const FittedText fitted = FittedItem(action);
        action->setFont(fitted.font);
    }
}

void CExMenu::AppendItem(int id, const QString& text, CExMenu* submenu) {
    QAction* action = nullptr;
    if (submenu != nullptr) {
        submenu->setTitle(text);
        action = addMenu(submenu);
    } else {
        action = addAction(text);
    }
    action->setData(id);
    action->setFont(FittedItem(action).font);
    m_items.emplace_back(id, text);
}

void CExMenu::AppendCheckItem(int id, const QString& text, bool checked) {
    AppendItem(id, text);
    QAction* action = actions().back();
    action->setCheckable(true);
    action->setChecked(checked);
    action->setFont(FittedItem(action).font);
}

QString CExMenu::TextOf(int id) const {
    for (const auto& [itemId, text] : m_items) {
        if (itemId == id) {
            return text;
        }
    }
    return {};
}

int CExMenu::IdOf(const QAction* action) {
    return action != nullptr ? action->data().toInt() : 0;
}

int CExMenu::Track(const QPoint& globalPos) {
    return IdOf(exec(globalPos));
}

void CExMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    QPainter p(this);
    p.setPen(kSelected);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // The check marks of the checked items, drawn in the room kept right of their text.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QAction* action : actions()) {
        if (action->isCheckable() && action->isChecked()) {
            const QRectF r = actionGeometry(const_cast<QAction*>(action));
            const QPointF c(r.right() - kCheckRoom / 2.0, r.center().y());
            const QPointF mark[] = {c + QPointF(-4.5, 0), c + QPointF(-1.5, 3.5), c + QPointF(4.5, -3.5)};
            p.drawPolyline(mark, 3);
        }
    }
}

}  // namespace qm
