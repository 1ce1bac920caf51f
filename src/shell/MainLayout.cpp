// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MainLayout.h"

#include "model/ButtonCatalogue.h"

namespace qm::layout {

int ButtonNumberOfSlot(int slot) {
    return RowOfSlot(slot) + 1;
}

QRect DropDown(int row) {
    return QRect(120, 154 + 20 * row, 130, 16);
}

QRect RowLabel(int row) {
    return QRect(31, 156 + 20 * row, 84, 14);
}

QRect MacroManager(bool expanded, int h) {
    return QRect(20, 132 + (expanded ? h : 0), 242, 38);
}

QRect AxisHeader(bool expanded, int h) {
    return QRect(20, 175 + (expanded ? h : 0), 242, 20);
}

int AxisTop(bool expanded, int h) {
    return 195 + (expanded ? h : 0);
}

QRect XSlider(int a) {
    return QRect(37, a + 40, 208, 9);
}

QRect YSlider(int a) {
    return QRect(37, a + 100, 208, 9);
}

QPoint FrontHotspot(int number) {
    static const QPoint points[] = {{350, 102}, {550, 102}, {498, 190}, {350, 247},
                                    {350, 315}, {498, 250}, {498, 285}};
    return points[number - 1];
}

QPoint SideHotspot(int number) {
    static const QPoint points[] = {{400, 155}, {335, 155}, {415, 250}, {490, 270},
                                    {545, 265}, {460, 158}, {487, 158}};
    return points[number - 1];
}

}  // namespace qm::layout
