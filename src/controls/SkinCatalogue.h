// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every skin file the windows draw, spelled as the windows quote them (relative to the
// program folder, or to its "Skins" folder where a window prefixes "Skins\"), with the
// size the layout needs. The skin generator draws one file per distinct path; the tests
// resolve every spelling and check the size. Plain data: no Qt.

namespace qm::skins {

struct SkinFile {
    const char* path;  // relative to the program folder
    int width;
    int height;
};

// Hotspot badges of the mouse pictures ("F-1-normal.png" .. "S-7-over.png"): 26 x 22;
// the side view's badges 1, 2, 6 and 7 float above the mouse and carry a stem down to it.
constexpr int kBadgeWidth = 26;
constexpr int kBadgeHeight = 22;
constexpr int kStemBadgeHeight = 72;
constexpr bool SideBadgeHasStem(int button) {
    return button == 1 || button == 2 || button == 6 || button == 7;
}

inline constexpr SkinFile kFiles[] = {
    // Main window (background, pictures, left column, buttons).
    {"/skins/main.png", 1000, 640},
    {"Skins\\Logo.png", 242, 70},
    {"Skins\\BK_MainMid.png", 472, 498},
    {"Skins\\Mouse\\Front\\MouseFront.png", 240, 400},
    {"Skins\\Mouse\\Side\\MouseSide.png", 400, 200},
    {"/Skins/BK_MainLeft.png", 242, 493},
    {"Skins\\MLogo.png", 200, 50},
    {"/Skins/ButtonAssignment/BK_ButtonAssignment.png", 242, 170},
    {"/skins/ButtonAssignment/BK_ButtonAssignment.png", 242, 170},
    {"/Skins/XYSensitivity/BK_XYSensSetting.png", 242, 150},
    {"\\skins\\button-help-normal.png", 15, 15},
    {"\\skins\\button-help-over.png", 15, 15},
    {"\\skins\\button-min-normal.png", 15, 15},
    {"\\skins\\button-min-over.png", 15, 15},
    {"\\skins\\button-close-normal.png", 15, 15},
    {"\\skins\\button-close-over.png", 15, 15},
    {"\\skins\\button-config-normal.png", 140, 30},
    {"\\skins\\button-config-over.png", 140, 30},
    {"\\skins\\button-cancel-normal.png", 57, 30},
    {"\\skins\\button-cancel-over.png", 57, 30},
    {"\\skins\\button-cancel-leave.png", 57, 30},
    {"\\skins\\button-save-leave.png", 57, 30},
    {"\\skins\\button-mouse-normal.png", 62, 29},
    {"\\skins\\button-mouse-over.png", 62, 29},
    {"\\skins\\button-mouse-leave.png", 62, 29},
    {"\\skins\\ItemBK.png", 242, 20},
    {"\\skins\\MacroManagementBK.png", 242, 38},
    {"\\skins\\ButtonAssignment\\DropdownBox-normal.png", 130, 16},
    {"\\skins\\ButtonAssignment\\DropdownBox-over.png", 130, 16},
    {"\\skins\\XYSensitivity\\1.png", 208, 14},
    {"\\skins\\XYSensitivity\\2.png", 208, 14},
    // Page host and pages.
    {"/skins/BK_MainRight.png", 260, 563},
    {"Skins\\BK_MainRight.png", 260, 563},
    {"skins/DPISetting/BK_DPISetting.png", 242, 232},
    {"Skins\\DPISetting\\BK_DPISetting.png", 242, 232},
    {"Skins\\DPISetting\\BK-DPIValue.png", 25, 11},
    {"\\skins\\DPISetting\\DPIStage\\0.png", 7, 169},
    {"\\skins\\DPISetting\\DPIStage\\82.png", 7, 169},
    {"Skins\\Enable.png", 10, 10},
    {"Skins\\Disable.png", 10, 10},
    {"Skins/Enable.png", 10, 10},
    {"Skins/Disable.png", 10, 10},
    {"skins/Lighting/BK_Lighting.png", 242, 192},
    {"Skins\\Lighting\\BK_Lighting.png", 242, 192},
    {"skins/Lighting/BK_PADLighting.png", 242, 162},
    {"Skins\\Lighting\\BK_PADLighting.png", 242, 162},
    {"\\skins\\StageSlider\\1.png", 129, 11},
    {"\\skins\\StageSlider\\10.png", 129, 11},
    {"skins/USBReportRate/BK_USBReportRate.png", 242, 135},
    {"Skins\\USBReportRate\\BK_USBReportRate.png", 242, 135},
    {"Skins/USBReportRate/1000HZ.png", 128, 123},
    {"Skins/USBReportRate/500HZ.png", 128, 123},
    {"Skins/USBReportRate/250HZ.png", 128, 123},
    {"Skins/USBReportRate/125HZ.png", 128, 123},
    {"skins/MouseAttribute/BK_MouseAttribute.png", 242, 110},
    {"Skins\\MouseAttribute\\BK_MouseAttribute.png", 242, 110},
    {"Skins/MouseAttribute/Speed/1.png", 142, 83},
    {"Skins/MouseAttribute/Speed/2.png", 142, 83},
    {"Skins/MouseAttribute/Speed/3.png", 142, 83},
    {"Skins/MouseAttribute/Speed/4.png", 142, 83},
    {"Skins/MouseAttribute/Speed/5.png", 142, 83},
    {"Skins/MouseAttribute/Speed/6.png", 142, 83},
    {"Skins/MouseAttribute/Speed/7.png", 142, 83},
    {"Skins/MouseAttribute/Speed/8.png", 142, 83},
    {"Skins/MouseAttribute/Speed/9.png", 142, 83},
    {"Skins/MouseAttribute/Speed/10.png", 142, 83},
    {"Skins/MouseAttribute/Speed/11.png", 142, 83},
    {"skins/MouseAttribute/BK_ScrollSpeed.png", 242, 70},
    {"Skins\\MouseAttribute\\BK_ScrollSpeed.png", 242, 70},
    {"Skins\\MouseAttribute\\ScrollSpeed\\Enable.png", 11, 13},
    {"Skins\\MouseAttribute\\ScrollSpeed\\Disable.png", 11, 13},
    {"Skins\\MouseAttribute\\ScrollSpeed\\ScrollLines.png", 50, 14},
    {"skins/AngleSnap/BK_AngleSnap.png", 242, 55},
    {"Skins\\AngleSnap\\BK_AngleSnap.png", 242, 55},
    // Macro manager, macro and single key dialogs, profiles panel, splash.
    {"Skins\\/MacroManagement/MacroManagement.png", 490, 435},
    {"Skins\\/macro-button-close-normal.png", 51, 24},
    {"Skins\\/macro-button-close-over.png", 51, 24},
    {"Skins\\/MacroManagement/button-cancel-normal.png", 54, 28},
    {"Skins\\/MacroManagement/button-cancel-over.png", 54, 28},
    {"Skins\\MacroManagement\\button-cancel-normal.png", 54, 28},
    {"Skins\\/MacroManagement/button-new-normal.png", 58, 25},
    {"Skins\\/MacroManagement/button-new-over.png", 58, 25},
    {"\\skins/MacroManagement/Record-normal.png", 122, 24},
    {"\\skins/MacroManagement/Record-over.png", 122, 24},
    {"Skins\\/MacroManagement/Pane.png", 14, 14},
    {"Skins\\/MacroManagement/PaneMakingTick.png", 14, 14},
    {"Skins\\/macro-key.png", 400, 290},
    {"Skins\\/single-key.png", 400, 290},
    {"Skins\\/button-close-normal.png", 15, 15},
    {"Skins\\/button-close-over.png", 15, 15},
    {"Skins\\button-close-normal.png", 15, 15},
    {"Skins\\/Pane.png", 16, 16},
    {"Skins\\/PaneMakingTick.png", 16, 16},
    {"skins\\/Config/Config.png", 263, 600},
    {"Skins\\/Config/New-Config.png", 12, 12},
    {"Skins\\/Config/Del-Config.png", 12, 12},
    {"Skins\\splash.png", 537, 423},
};

// The hotspot badges: "Skins" + "/Mouse/Front/F-%d-%s.png" and "/Mouse/Side/S-%d-%s.png".
inline constexpr const char* kFrontHotspot = "Skins/Mouse/Front/F-%d-%s.png";
inline constexpr const char* kSideHotspot = "Skins/Mouse/Side/S-%d-%s.png";

// Compiled in as resources (":/skins/...").
inline constexpr SkinFile kResources[] = {
    {":/skins/scrollbar.png", 117, 48},   // 9 x 3 cells of 13 x 16
    {":/skins/multicolour.png", 18, 16},  // the multicolour swatch
    {":/skins/qm517pro.png", 64, 64},     // tray and window icon
};

}  // namespace qm::skins
