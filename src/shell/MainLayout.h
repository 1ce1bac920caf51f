// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

namespace qm::layout {

// The main window's fixed layout (client pixels). H is the height of the button panel's
// image, measured at start-up; A is the bottom of the Axis Sensitivity header.
inline const QRect kHelp(937, 5, 15, 15);
inline const QRect kMinimise(958, 5, 15, 15);
inline const QRect kClose(979, 5, 15, 15);
inline const QRect kConfig(18, 604, 140, 30);
inline const QRect kReset(798, 604, 57, 30);
inline const QRect kCancel(860, 604, 57, 30);
inline const QRect kApply(923, 604, 57, 30);
inline const QRect kTopView(435, 527, 62, 29);
inline const QRect kSideView(505, 527, 62, 29);
inline const QRect kButtonHeader(20, 107, 242, 20);
inline const QRect kPageHost(735, 32, 260, 561);
inline const QRect kPictureArea(262, 2, 472, 498);
inline const QPoint kNote(194, 612);
// Where the window says that no mouse is connected (over the picture, under the title).
inline const QRect kConnectionNote(262, 32, 472, 30);

// The number on the picture's hotspots for a slot: its row (RowOfSlot) + 1.
int ButtonNumberOfSlot(int slot);
QRect DropDown(int row);           // (120, 154 + 20r, 250, 170 + 20r)
QRect RowLabel(int row);           // (31, 156 + 20r, 115, 170 + 20r)

QRect MacroManager(bool buttonPanelExpanded, int h);
QRect AxisHeader(bool buttonPanelExpanded, int h);
int AxisTop(bool buttonPanelExpanded, int h);  // A
QRect XSlider(int a);                          // (37, A + 40, 245, A + 49)
QRect YSlider(int a);                          // (37, A + 100, 245, A + 109)

// Where the hotspot of a button number (1..7) is drawn in each view.
QPoint FrontHotspot(int number);
QPoint SideHotspot(int number);

}  // namespace qm::layout
