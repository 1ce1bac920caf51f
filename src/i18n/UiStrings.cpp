// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/UiStrings.h"

#ifndef QM517_MAKER_URL
#define QM517_MAKER_URL "https://www.example.com/qm517pro/"
#endif

namespace qm {

namespace {

struct Row {
    int entry;
    const char* en;
    const char* de;
    const char* chs;
    const char* cht;
};

// Texts are exact: the trailing blanks of 512 and 547..554 and the misspellings of the
// English set are what users of the original program know. The German set keeps English
// and Chinese texts where its translators left them.
constexpr Row kRows[] = {
    {6, "QM517 Pro", "QM517 Pro", "QM517 Pro 游戏鼠标", "QM517 Pro 遊戲滑鼠"},
    {9, "Reset", "Zurücksetzen", "恢复", "重置"},
    {10, "Cancel", "Abbrechen", "取消", "取消"},
    {11, "Apply", "Anwenden", "保存", "套用"},
    {12, "Config", "Spiel-Profile", "配置", "遊戲設定檔"},
    {13, "Top View", "Draufsicht", "俯视图", "俯視圖"},
    {14, "Side View", "Seitenansicht", "侧视图", "側視圖"},
    {16, "Button Assignment", "Tastenbelegung", "按键设置", "按鍵指派"},
    {17, "Macro Manager", "Makro-Manager", "宏管理器", "巨集編輯器"},
    {18, "Axis Sensitivity", "Achsen-Empfindlichkeit", "X/Y轴设置", "xy 軸靈敏度"},
    {19, "DPI Setting", "DPI-Einstellung", "DPI设置", "DPI設定"},
    {20, "Lighting", "Lighting", "灯光设置", "燈光設定"},
    {21, "MousePad Lighting", "MousePad Lighting", "鼠标垫灯光", "滑鼠墊燈光"},
    {22, "Polling Rate", "Abfragerate", "回报率", "回報率"},
    {23, "Mouse Speed", "Mausgeschwindigkeit", "鼠标速度", "滑鼠速度"},
    {24, "Double-Click Speed", "Doppelklick-Geschwindigkeit", "双击速度", "按兩下速度"},
    {25, "Scroll Speed", "Scroll-Geschwindigkeit", "滚轮速度", "捲動速度"},
    {26, "Angle Snapping", "Angle Snapping", "直线修正", "直線修正"},
    {27, "x-Axis", "x-Achse", "X轴", "X 軸"},
    {28, "y-Axis", "y-Achse", "Y轴", "Y 軸"},
    {29, "Button 1", "Taste 1", "按键1", "按鍵 1"},
    {30, "Button 2", "Taste 2", "按键2", "按鍵 2"},
    {31, "Button 3", "Taste 3", "按键3", "按鍵 3"},
    {32, "Button 4", "Taste 4", "按键4", "按鍵 4"},
    {33, "Button 5", "Taste 5", "按键5", "按鍵 5"},
    {34, "Button 6", "Taste 6", "按键6", "按鍵 6"},
    {35, "Button 7", "Taste 7", "按键7", "按鍵 7"},
    {41, "DPI +", "DPI +", "DPI +", "DPI +"},
    {42, "DPI -", "DPI -", "DPI -", "DPI -"},
    {43, "DPI Loop", "DPI-Schleife", "DPI循环", "DPI 循環"},
    {44, "Slow", "Langsam", "慢", "慢"},
    {45, "Fast", "Schnell", "快", "快"},
    {46, "Number of Rows", "Anzahl Zeilen", "滚动行数", "捲動行數"},
    {47, "Scroll One screenn", "Eine Bildschirmseite", "一次滚动一个屏幕", "一次捲動一個螢幕"},
    {491, "Standard", "Standard", "常亮", "恆亮"},
    {492, "Respiration", "Atmung", "呼吸", "呼吸"},
    {493, "Neon", "Neon", "霓虹", "霓虹"},
    {494, "Finger tapping", "Fingertippen", "指尖跳动", "指尖跳動"},
    {499, "Stream", "Strömung", "流光", "流光"},
    {509, "Mouse Color", "鼠标颜色", "鼠标颜色", "滑鼠颜色"},
    {510, "Click", "Klick", "左键", "點擊"},
    {511, "Menu", "Menü", "右键", "選單"},
    {512, "Scroll ", "Scrollen ", "中键", "捲動"},
    {513, "Forward", "Vorwärts", "前进", "向前"},
    {514, "Back", "Zurück", "后退", "向後"},
    {516, "DPI Setting +", "DPI-Einstellung +", "DPI设置 +", "DPI設定 +"},
    {520, "Additional Commands +", "Zusätzliche Befehle +", "附加命令 +", "附加命令 +"},
    {521, "Multimedia Commands +", "Multimedia-Befehle +", "多媒体命令 +", "多媒體命令 +"},
    {522, "Basic Commands +", "Grundbefehle +", "基本命令 +", "基本命令 +"},
    {524, "Assign Keyboard Key", "Keyboard-Taste zuweisen +", "单键", "指派鍵盤按鍵"},
    {527, "Macro", "Makro", "宏", "巨集鍵"},
    {528, "Deactivated", "Deaktiviert", "禁用", "停用"},
    {531, "Double-Click", "Doppelklick", "双击", "按兩下"},
    {535, "Snipe", "Sniper", "狙击", "狙擊"},
    {536, "At least one button must be set as the \"click\" function.",
     "Mindestens eine Taste muss mit der „Klick“-Funktion belegt sein.", "左键功能必须选择！",
     "至少一鍵須設定為左鍵功能"},
    {537, QM517_MAKER_URL, QM517_MAKER_URL, QM517_MAKER_URL, QM517_MAKER_URL},
    {538, "Update", "Aktualisieren", "更新", "更新"},
    {547, "Switch DPI into the first stage ", "Switch DPI into the first stage ",
     "DPI切换到第一档", "DPI切換到第一段"},
    {548, "Switch DPI into the second stage ", "Switch DPI into the second stage ",
     "DPI切换到第二档", "DPI切換到第二段"},
    {549, "Switch DPI into the third stage ", "Switch DPI into the third stage ",
     "DPI切换到第三档", "DPI切換到第三段"},
    {550, "Switch DPI into the fourth stage ", "Switch DPI into the fourth stage ",
     "DPI切换到第四档", "DPI切換到第四段"},
    {551, "Switch DPI into the fifth stage ", "Switch DPI into the fifth stage ",
     "DPI切换到第五档", "DPI切換到第五段"},
    {552, "Switch DPI into the sixth stage ", "Switch DPI into the sixth stage ",
     "DPI切换到第六档", "DPI切換到第六段"},
    {553, "Switch DPI into the seven stage ", "Switch DPI into the seven stage ",
     "DPI切换到第七档", "DPI切換到第七段"},
    {554, "Switch DPI into the eight stage ", "Switch DPI into the eight stage ",
     "DPI切换到第八档", "DPI切換到第八段"},
    {559, "Switch to macro key", "Switch to macro key", "切换到宏按键", "切換到巨集鍵"},
    {560, "Exit", "Exit", "退出", "結束"},
    {561, "The system did not detect QM517 Pro!", "The system did not detect QM517 Pro!",
     "系统未检测到QM517 Pro！", "系統未偵測到QM517 Pro！"},
    {562, "The system detect QM517 Pro.", "The system detect QM517 Pro.", "系统检测到QM517 Pro。",
     "系統偵測到QM517 Pro。"},
    {591, "Reset to factory default?", "Auf Werkseinstellungen zurücksetzen?",
     "是否恢复到出厂默认值?", "是否恢復到出廠預設值?"},
    {592, "ATTENTION!!", "ACHTUNG!!", "注意!", "警告!!"},
    {601,
     "Note: the color of the product in drive is for reference only,please take real product "
     "as criterion, thank you!",
     nullptr, "备注：驱动中的产品颜色仅供参考，具体请以实物为准，谢谢！", nullptr},
    {602, "OFF", nullptr, "关", nullptr},
    {603, "ON", nullptr, "开", nullptr},
    // Entry 0 names the profile's caption section; it is assigned last.
    {0, "Setting-EN", "Setting-DE", "Setting-CHS", "Setting-CHT"},
};

}  // namespace

void UiStrings::FillUiStrings(std::string_view code) {
    m_code = std::string(code);
    const char* Row::*column = nullptr;
    if (code == "CHS") {
        column = &Row::chs;
    } else if (code == "CHT") {
        column = &Row::cht;
    } else if (code == "EN") {
        column = &Row::en;
    } else if (code == "DE") {
        column = &Row::de;
    } else {
        return;
    }
    for (const Row& row : kRows) {
        if (const char* text = row.*column) {
            m_entries[static_cast<size_t>(row.entry)] = text;
        }
    }
}

const std::string& UiStrings::operator[](int entry) const {
    static const std::string kEmpty;
    if (entry < 0 || entry >= kCount) {
        return kEmpty;
    }
    return m_entries[static_cast<size_t>(entry)];
}

Language LanguageForNames(std::string_view code) {
    if (code == "CHS") {
        return Language::kSimplifiedChinese;
    }
    if (code == "CHT") {
        return Language::kTraditionalChinese;
    }
    if (code == "DE") {
        return Language::kGerman;
    }
    return Language::kEnglish;
}

}  // namespace qm
