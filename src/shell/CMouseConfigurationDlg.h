// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPointer>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "controls/SkinnedWindow.h"
#include "dialogs/CConfigDialog.h"
#include "device/DeviceEnvironment.h"
#include "device/DeviceEvents.h"
#include "device/DeviceLink.h"
#include "device/Upload.h"
#include "i18n/AppTexts.h"
#include "i18n/UiStrings.h"
#include "model/ProfileFiles.h"
#include "platform/UdevRule.h"
#include "platform/KeyboardCapture.h"
#include "session/ProfileSession.h"
#include "shell/Launchers.h"
#include "shell/UploadRunner.h"

namespace qm {

class CBitmapBtn;
class CDMarker;
class CDlgadvance;
class CExMenu;
class CMacroProgramDialog;

class CSkinScrollWnd;

class TrayWatcher;

struct MainWindowOptions {
    bool showSplash = true;
    // Virtual devices: the window shows at once and the tray menu can press the virtual
    // mouse's DPI button.
    bool emulate = false;
    // Started with the desktop (the autostart entry's --tray): the utility starts in the
    // tray, and without a mouse it waits there unseen until one comes. Otherwise (a start
    // from the menu) the window shows at once.
    bool startInTray = false;
    // The profile folder (ends with '/'); empty: the user's application-data folder.
    QString profileFolder;
    // Whether the desktop has a system tray (default: ask Qt).
    std::function<bool()> systemTrayAvailable;
    // How long an Apply waits for another program's upload to the same device.
    int uploadLockWaitMs = 60000;
    // Where the udev rule is (tests; empty: looked for on this system).
    std::function<UdevRuleState()> udevRule;
};

// The questions and notices the window asks and shows; tests answer them.
struct Prompts {
    std::function<bool(const QString& caption, const QString& text)> okCancel;  // true: OK
    std::function<bool(const QString& caption, const QString& text)> yesNo;     // false: No
    std::function<void(const QString& caption, const QString& text)> warning;
    std::function<void(const QString& caption, const QString& text)> information;
    // The desktop's open or save dialog for profile files (filter "Gaming Mouse
    // Profile(*.bin)"); nullopt when cancelled.
    std::function<std::optional<std::string>(bool save, const std::string& initialPath)> chooseFile;
    static Prompts MessageBoxes(QWidget* parent);
};

// The one top-level window: the mouse picture with its hotspots, the left column (button
// assignment and axis sensitivity), the page host area, the bottom bar, and the tray icon.
// Pages and menus edit the working record in place; Apply writes it to the devices (on a
// worker thread, so the window keeps painting) and to disk; Cancel reverts it.
class CMouseConfigurationDlg : public SkinnedWindow,
                               private DeviceWindowPort,
                               private FirmwarePort,
                               private ProfileUi {
    Q_OBJECT

public:
    CMouseConfigurationDlg(DeviceEnvironment& environment, const MainWindowOptions& options,
                           LauncherPort* launcher = nullptr, Prompts prompts = {});
    ~CMouseConfigurationDlg() override;

    // The start-up sequence; false when it stopped early (no profile, no controls).
    bool OnInitDialog();

    // --- what the window shows (display operations) ---
    void Deselect();
    void HighlightSlot(int slot);
    void ShowView(int view);
    void SetButtonPanel(int collapsed);
    void SetAxisPanel(int collapsed);
    void ResetPanels();
    // The settings column after the record was replaced: sections collapsed, pages reloaded.
    void RefreshColumn();
    void RefreshSliders();
    void RefreshCaptions() override;
    void StoreCaption(int slot);

    // --- tray ---
    void AddTrayIcon() override;
    void RemoveTrayIcon() override;
    void RestoreFromTray();
    void HideToTray();

    // --- button assignment ---
    void OpenButtonMenu(int slot);
    // The menu of a slot as OpenButtonMenu shows it.
    std::unique_ptr<CExMenu> BuildButtonMenu(int slot);
    // A chosen menu command, applied to MenuSlot.
    void OnButtonCommand(int id);
    int menuSlot = -1;

    // --- buttons ---
    void OnApply();
    void OnCancel();
    void OnClose();
    void OnMinimise();
    void OnReset();
    void OnHelpCommand(int id);
    void OnDropDownClicked(int slot);
    // The Macro Manager button: the dialog with the seven captions; OK puts its compiled
    // macros into the record.
    void OnMacroManager();
    // The Config button: the profiles panel over the left column.
    void OnConfig();
    CConfigDialog* ProfilesPanel() const { return m_configPanel; }
    // How the keyboard is grabbed for the recorder and the single key dialog (tests
    // replace the desktop's grab).
    KeyboardCapture::Grab keyboardGrab;
    // The one macro manager of the run (created when first opened).
    CMacroProgramDialog* MacroManagerDialog();
    void OnTrayMenuCommand(int id);

    // --- device notices ---
    void OnDeviceStage(int wParam, int lParam);
    void OnHotplug(const DeviceNotice& notice);

    // --- the desktop's tray ---
    // Where the desktop has no tray, Close and Cancel end the program and a restore shows
    // the window even without a mouse; the window follows a tray that comes or goes.
    bool TrayAvailable() const { return m_trayAvailable; }
    void CheckTrayAvailability();

    // The note the window shows about the mouse: not connected, or found but not ours to
    // open; empty while a mouse is connected.
    QString ConnectionNote() const;
    // What the last Apply or Reset has to tell (nothing sent, say); empty otherwise.
    const QString& StatusText() const { return m_status; }
    // The step the running upload is at, in the interface language.
    const QString& ProgressText() const { return m_progress; }

    // --- state, for the other windows and the tests ---
    SettingsState& Settings() { return m_session.settings; }
    ButtonCaptions& Captions() { return m_session.captions; }
    const UiStrings& Strings() const { return m_session.strings; }
    ProfileFiles& Files() { return m_session.files; }
    DeviceLink& Link() { return m_link; }
    int SelectedSlot() const { return m_selectedSlot; }
    int CurrentView() const { return m_currentView; }
    bool ButtonPanelCollapsed() const { return m_buttonPanelCollapsed != 0; }
    bool AxisPanelCollapsed() const { return m_axisPanelCollapsed != 0; }
    int PanelHeight() const { return m_h; }
    int DpiScale() const { return m_dpiScale; }
    bool PadPresent() const { return m_padPresent; }
    bool Busy() const { return m_uploads->Busy(); }
    QSystemTrayIcon* Tray() const { return m_tray; }
    const std::optional<Balloon>& LastBalloon() const { return m_lastBalloon; }
    CBitmapBtn* DropDownOfSlot(int slot) const { return m_dropDowns[static_cast<size_t>(slot)]; }
    CBitmapBtn* ApplyButton() const { return m_apply; }
    CBitmapBtn* MacroManagerButton() const { return m_macroManager; }
    CBitmapBtn* AxisHeaderButton() const { return m_axisHeader; }
    CBitmapBtn* ButtonHeaderButton() const { return m_buttonHeader; }
    CDMarker* XSlider() const { return m_xSlider; }
    CDlgadvance* PageHost() const { return m_host; }
    CSkinScrollWnd* PageHostFrame() const { return m_hostFrame; }
    CDMarker* YSlider() const { return m_ySlider; }
    // The items of the tray menu (id, text), as OnTrayIcon shows them.
    std::vector<std::pair<int, QString>> TrayMenuItems() const;
    std::unique_ptr<CExMenu> BuildTrayMenu();
    std::unique_ptr<CExMenu> BuildHelpMenu();
    // The image buttons of the window (bottom bar, title bar, left column), for a look at
    // their captions.
    std::vector<CBitmapBtn*> ImageButtons() const;

signals:
    void applyFinished();
    void balloonShown(const QString& title, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // DeviceWindowPort
    void PostDeviceEvent(int wParam) override;
    void HideWindow() override;
    void SetDpiScale(int scale) override;
    void CheckFirmware() override;
    void CloseMacroManager() override;
    void PadPresenceChanged(bool present) override;
    void ProfileReloaded() override;
    // FirmwarePort
    bool WindowExists(const std::string& title) override;
    bool AskToUpdateFirmware(const std::string& caption, const std::string& text) override;
    void StartFirmwareUpdate() override;
    void Quit() override;

    void BuildWindow();
    CBitmapBtn* MakeButton(const QRect& rect, const QString& normal, const QString& hover,
                           const QString& pressed, const QString& disabled, int caption, int alignment,
                           int indent = 0);
    void PlaceAxisSliders();
    void InvalidatePicture();
    // Starts an upload on the worker thread; the window accepts no input meanwhile, and
    // requests that could replace or change the record (restore, tray, hotplug, slider
    // values, profile commands) wait until it has returned. `done` runs after one that
    // was not refused.
    void StartUpload(UploadKind kind, std::function<void()> done);
    void FinishUpload(const UploadOutcome& outcome);
    QString Text(AppText text) const;
    void ShowBalloon(const Balloon& balloon);
    void ReadHotplugNotices();
    void TellAboutPermission();
    void TellAboutFiles();
    // A profile file that cannot be read stopped Apply or Reset: says which, and that
    // nothing was sent or written.
    void TellNothingSent(const std::string& why);
    // After an upload: which devices did not take all of it, and that the profile was
    // saved all the same.
    void TellUploadFailures(const std::vector<DeviceFailure>& failures);
    // "Start with the desktop": writes or removes the autostart entry (one the user edited
    // is left as it is, and said so).
    void ToggleStartWithDesktop();
    void StopReaders();
    void QuitWithoutTray();
    // ProfileUi: what the profile operations need from the window.
    std::optional<std::string> ChooseImportFile(const std::string& initialPath) override;
    std::optional<std::string> ChooseExportFile(const std::string& initialPath) override;
    void RefreshAfterImport() override;
    void RefreshViews() override;
    void CloseProfilesPanel() override;
    void OnProfileCommand(int operation, int number);
    void AssignKeyboardKeyTo(int slot);
    void AssignMacroTo(int slot);
    void TellNoUpdater();

    DeviceEnvironment& m_env;
    MainWindowOptions m_options;
    LauncherPort m_defaultLauncher;
    LauncherPort* m_launcher;
    Prompts m_prompts;

    ProfileSession m_session;
    DeviceLink m_link;
    StageNotices m_notices;
    std::unique_ptr<DeviceChangeHandler> m_deviceChange;
    std::unique_ptr<QSocketNotifier> m_hotplugNotifier;
    std::array<std::string, 3> m_dpiList;

    QImage m_mainBackground;
    QFont m_textFont;
    QFont m_scaleFont;
    int m_h = 0;
    int m_selectedSlot = -1;
    int m_currentView = 1;
    int m_buttonPanelCollapsed = 1;
    int m_axisPanelCollapsed = 1;
    int m_dpiScale = 0;
    bool m_padPresent = false;
    bool m_built = false;
    bool m_toldAboutPermission = false;

    CBitmapBtn* m_help = nullptr;
    CBitmapBtn* m_minimise = nullptr;
    CBitmapBtn* m_close = nullptr;
    CBitmapBtn* m_config = nullptr;
    CBitmapBtn* m_reset = nullptr;
    CBitmapBtn* m_cancel = nullptr;
    CBitmapBtn* m_apply = nullptr;
    CBitmapBtn* m_topView = nullptr;
    CBitmapBtn* m_sideView = nullptr;
    CBitmapBtn* m_buttonHeader = nullptr;
    CBitmapBtn* m_macroManager = nullptr;
    CBitmapBtn* m_axisHeader = nullptr;
    std::array<CBitmapBtn*, 7> m_dropDowns{};
    CDMarker* m_xSlider = nullptr;
    CDMarker* m_ySlider = nullptr;
    CDlgadvance* m_host = nullptr;
    CSkinScrollWnd* m_hostFrame = nullptr;
    std::unique_ptr<CMacroProgramDialog> m_macroDialog;
    QPointer<CConfigDialog> m_configPanel;
    std::array<int, kMaxProfiles> m_newProfileFlags{};  // NewProfileFlags
    QSystemTrayIcon* m_tray = nullptr;
    std::optional<Balloon> m_lastBalloon;

    UploadRunner* m_uploads = nullptr;
    std::function<void()> m_uploadDone;
    QString m_progress;
    QString m_status;
    bool m_nothingToSend = false;
    bool m_trayAvailable = true;
    TrayWatcher* m_trayWatcher = nullptr;

    // Readers deliver notices through a blocking call into this thread; at shutdown no new
    // call starts and the running ones are served before the readers are joined.
    std::atomic<bool> m_closing{false};
    std::atomic<int> m_noticesInFlight{0};
};

}  // namespace qm
