// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/AppTexts.h"

#include <array>

#include "i18n/LocalizedText.h"

namespace qm {

namespace {

struct Row {
    AppText id;
    const char* en;
    const char* de;
    const char* chs;
    const char* cht;
};

constexpr Row kRows[] = {
    {AppText::kNotConnected, "QM517 Pro not connected", "QM517 Pro nicht verbunden", "未连接 QM517 Pro",
     "未連接 QM517 Pro"},
    {AppText::kNoPermission, "QM517 Pro found, but this user may not open it: install the udev rule",
     "QM517 Pro gefunden, aber dieser Benutzer darf sie nicht öffnen: udev-Regel installieren",
     "已找到 QM517 Pro，但当前用户无权打开：请安装 udev 规则",
     "已找到 QM517 Pro，但目前使用者無權開啟：請安裝 udev 規則"},
    {AppText::kNoPermissionReplug, "QM517 Pro found, but this user may not open it: plug it in again",
     "QM517 Pro gefunden, aber dieser Benutzer darf sie nicht öffnen: bitte neu einstecken",
     "已找到 QM517 Pro，但当前用户无权打开：请重新插入", "已找到 QM517 Pro，但目前使用者無權開啟：請重新插入"},
    {AppText::kNoPermissionHelp,
     "QM517 Pro found, but this user may not open it. Install the udev rule once, as root:",
     "QM517 Pro gefunden, aber dieser Benutzer darf sie nicht öffnen. Installieren Sie einmalig die "
     "udev-Regel, als root:",
     "已找到 QM517 Pro，但当前用户无权打开。请以 root 身份安装一次 udev 规则：",
     "已找到 QM517 Pro，但目前使用者無權開啟。請以 root 身分安裝一次 udev 規則："},
    {AppText::kNoPermissionRuleInstalled,
     "QM517 Pro found, but this user may not open it. The udev rule is installed (%1): unplug the mouse "
     "and plug it in again, as it was connected before the rule came. If it still cannot be opened, this "
     "is no local session: the rule gives the device only to the session at the computer itself, which "
     "systemd-logind starts (not to one over ssh or su).",
     "QM517 Pro gefunden, aber dieser Benutzer darf sie nicht öffnen. Die udev-Regel ist installiert "
     "(%1): Ziehen Sie die Maus ab und stecken Sie sie wieder ein, denn sie war schon vor der Regel "
     "angeschlossen. Lässt sie sich dann noch immer nicht öffnen, ist dies keine lokale Sitzung: Die "
     "Regel gibt das Gerät nur der Sitzung am Rechner selbst, die systemd-logind startet (nicht einer "
     "über ssh oder su).",
     "已找到 QM517 Pro，但当前用户无权打开。udev 规则已安装（%1）：请拔下鼠标再重新插入，因为它在规则安装之前就已连接。"
     "如果仍然无法打开，说明这不是本地会话：该规则只把设备交给由 systemd-logind 启动的、在这台电脑前的会话（不包括通过 ssh "
     "或 su 的会话）。",
     "已找到 QM517 Pro，但目前使用者無權開啟。udev 規則已安裝（%1）：請拔下滑鼠再重新插入，因為它在規則安裝之前就已連接。"
     "如果仍然無法開啟，表示這不是本機工作階段：該規則只把裝置交給由 systemd-logind 啟動、在這台電腦前的工作階段（不包括透過 "
     "ssh 或 su 的工作階段）。"},
    {AppText::kNothingSent, "Profile saved. No QM517 Pro connected: nothing was sent.",
     "Profil gespeichert. Keine QM517 Pro verbunden: Es wurde nichts gesendet.",
     "配置已保存。未连接 QM517 Pro：没有发送任何设置。",
     "設定檔已儲存。未連接 QM517 Pro：沒有傳送任何設定。"},
    {AppText::kNoUpdater,
     "No firmware updater was found in %1\nThe maker's updaters are Windows programs "
     "(Update/FWUpdate.exe, and Update/3360/FWUpdate.exe for the A1DC variant): put them in that "
     "folder to update the mouse's firmware. On Linux they run only through Wine.",
     "In %1 wurde kein Firmware-Updater gefunden.\nDie Updater des Herstellers sind Windows-Programme "
     "(Update/FWUpdate.exe, und Update/3360/FWUpdate.exe für die Variante A1DC): Legen Sie sie in diesen "
     "Ordner, um die Firmware der Maus zu aktualisieren. Unter Linux laufen sie nur mit Wine.",
     "在 %1 中没有找到固件升级程序。\n厂商的升级程序是 Windows 程序（Update/FWUpdate.exe，A1DC 型号为 "
     "Update/3360/FWUpdate.exe）：请把它们放在该文件夹中，再升级鼠标固件。在 Linux 上它们只能通过 Wine 运行。",
     "在 %1 中沒有找到韌體更新程式。\n廠商的更新程式是 Windows 程式（Update/FWUpdate.exe，A1DC 型號為 "
     "Update/3360/FWUpdate.exe）：請把它們放在該資料夾中，再更新滑鼠韌體。在 Linux 上它們只能透過 Wine 執行。"},
    {AppText::kProfileFileProblem, "A profile file needs attention:", "Eine Profildatei braucht Aufmerksamkeit:",
     "配置文件需要处理：", "設定檔需要處理："},
    {AppText::kNothingSentOrWritten, "Nothing was sent or written. Repair or remove the file, then try again.",
     "Es wurde nichts gesendet oder gespeichert. Reparieren oder entfernen Sie die Datei und versuchen Sie es "
     "erneut.",
     "没有发送或写入任何内容。请修复或删除该文件后重试。", "沒有傳送或寫入任何內容。請修復或刪除該檔案後再試一次。"},
    {AppText::kUploadIncomplete, "Not every device took the whole profile:",
     "Nicht jedes Gerät hat das ganze Profil übernommen:", "并非所有设备都收到了完整的配置：",
     "並非所有裝置都收到了完整的設定："},
    {AppText::kDeviceFailures, "%1: %2 transfers failed (the first: %3)",
     "%1: %2 Übertragungen fehlgeschlagen (die erste: %3)", "%1：%2 次传输失败（第一次：%3）",
     "%1：%2 次傳輸失敗（第一次：%3）"},
    {AppText::kProfileSavedTryAgain, "The profile was saved. Check the connection, then apply again.",
     "Das Profil wurde gespeichert. Prüfen Sie die Verbindung und übernehmen Sie es erneut.",
     "配置已保存。请检查连接后再次应用。", "設定檔已儲存。請檢查連線後再次套用。"},
    {AppText::kDeviceMouseA11D, "Mouse A11D", "Maus A11D", "鼠标 A11D", "滑鼠 A11D"},
    {AppText::kDeviceMouseA1DC, "Mouse A1DC", "Maus A1DC", "鼠标 A1DC", "滑鼠 A1DC"},
    {AppText::kDevicePad, "Mousepad", "Mauspad", "鼠标垫", "滑鼠墊"},
    {AppText::kWaitingForUpload, "Waiting for another upload to %1 to finish…",
     "Warten, bis eine andere Übertragung an %1 beendet ist …", "正在等待另一个向%1的上传完成…",
     "正在等待另一個向%1的上傳完成…"},
    {AppText::kUploadBusy,
     "Another upload to %1 is still running: nothing was sent or saved. Apply again when it has finished.",
     "Eine andere Übertragung an %1 läuft noch: Es wurde nichts gesendet oder gespeichert. Übernehmen Sie "
     "erneut, wenn sie beendet ist.",
     "另一个向%1的上传仍在进行：没有发送或保存任何内容。请在其完成后再次应用。",
     "另一個向%1的上傳仍在進行：沒有傳送或儲存任何內容。請在其完成後再次套用。"},
    {AppText::kStartWithDesktop, "Start with the desktop", "Mit dem Desktop starten", "随桌面启动", "隨桌面啟動"},
    {AppText::kAutostartEdited, "You have changed %1 yourself: it is left as it is.",
     "Sie haben %1 selbst geändert: Die Datei bleibt, wie sie ist.", "您已自行修改 %1：该文件保持不变。",
     "您已自行修改 %1：該檔案保持不變。"},
    {AppText::kAutostartFailed, "Cannot change %1: %2", "%1 kann nicht geändert werden: %2", "无法更改 %1：%2",
     "無法變更 %1：%2"},
    {AppText::kRecordingPaused, "Recording paused: click here to go on", "Aufnahme angehalten: hier klicken, um fortzufahren",
     "录制已暂停：点击此处继续", "錄製已暫停：點擊此處繼續"},
    {AppText::kButtonOk, "OK", "OK", "确定", "確定"},
    {AppText::kButtonCancel, "Cancel", "Abbrechen", "取消", "取消"},
    {AppText::kButtonYes, "Yes", "Ja", "是", "是"},
    {AppText::kButtonNo, "No", "Nein", "否", "否"},
    {AppText::kPressDpiButton, "Press DPI button (virtual mouse)", "DPI-Taste drücken (virtuelle Maus)",
     "按下 DPI 键（虚拟鼠标）", "按下 DPI 鍵（虛擬滑鼠）"},
    {AppText::kStepReportRate, "Sending the polling rate to the mouse…",
     "Abfragerate wird an die Maus gesendet …", "正在向鼠标发送回报率…", "正在向滑鼠傳送回報率…"},
    {AppText::kStepSensitivity, "Sending the axis sensitivity to the mouse…",
     "Achsen-Empfindlichkeit wird an die Maus gesendet …", "正在向鼠标发送 X/Y 轴设置…",
     "正在向滑鼠傳送 xy 軸靈敏度…"},
    {AppText::kStepStageColours, "Sending the DPI colours to the mouse…",
     "DPI-Farben werden an die Maus gesendet …", "正在向鼠标发送 DPI 颜色…", "正在向滑鼠傳送 DPI 顏色…"},
    {AppText::kStepDpiStages, "Sending the DPI stages to the mouse…",
     "DPI-Stufen werden an die Maus gesendet …", "正在向鼠标发送 DPI 档位…", "正在向滑鼠傳送 DPI 段位…"},
    {AppText::kStepButtons, "Sending buttons to the mouse…", "Tastenbelegung wird an die Maus gesendet …",
     "正在向鼠标发送按键设置…", "正在向滑鼠傳送按鍵設定…"},
    {AppText::kStepMacros, "Sending macros to the mouse…", "Makros werden an die Maus gesendet …",
     "正在向鼠标发送宏…", "正在向滑鼠傳送巨集…"},
    {AppText::kStepLighting, "Sending the lighting to the mouse…", "Beleuchtung wird an die Maus gesendet …",
     "正在向鼠标发送灯光设置…", "正在向滑鼠傳送燈光設定…"},
    {AppText::kStepPadColours, "Sending colours to the mousepad…",
     "Farben werden an das Mauspad gesendet …", "正在向鼠标垫发送颜色…", "正在向滑鼠墊傳送顏色…"},
    {AppText::kStepPadEffect, "Sending the lighting to the mousepad…",
     "Beleuchtung wird an das Mauspad gesendet …", "正在向鼠标垫发送灯光设置…", "正在向滑鼠墊傳送燈光設定…"},
    {AppText::kStepSaving, "Saving the profile…", "Profil wird gespeichert …", "正在保存配置…",
     "正在儲存設定檔…"},
};

static_assert(std::size(kRows) == static_cast<size_t>(AppText::kCount), "every text has a row");

}  // namespace

const char* GetAppText(AppText text, std::string_view code) {
    for (const Row& row : kRows) {
        if (row.id == text) {
            // A notice must never be empty: any other code reads English.
            return LocalizedText{row.en, row.de, row.chs, row.cht}.For(code, row.en);
        }
    }
    return "";
}

}  // namespace qm
