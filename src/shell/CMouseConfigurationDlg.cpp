// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CMouseConfigurationDlg.h"
#include "shell/TrayWatcher.h"

#include <QApplication>
#include <QGuiApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "controls/CExMenu.h"
#include "controls/CSkinScrollBar.h"
#include "controls/MessageEvent.h"
#include "controls/SkinImage.h"
#include "dialogs/CConfigDialog.h"
#include "dialogs/CMacroProgramDialog.h"
#include "device/PointerSettings.h"
#include "device/Upload.h"
#include "macros/MacroCompiler.h"
#include "model/ButtonCatalogue.h"
#include "pages/CDlgDPISetting.h"
#include "pages/CDlgSplash.h"
#include "pages/CDlgadvance.h"
#include "platform/AppDataFolder.h"
#include "platform/Autostart.h"
#include "platform/FileUtil.h"
#include "platform/UdevRule.h"
#include "platform/UploadLock.h"
#include "model/FirstRun.h"
#include "shell/CMouseConfigurationApp.h"
#include "shell/MainLayout.h"
#include "controls/UiFonts.h"

namespace qm {

namespace {

AppText DeviceText(UploadDevice device) {
    return device == UploadDevice::kMouseA11D   ? AppText::kDeviceMouseA11D
           : device == UploadDevice::kMouseA1DC ? AppText::kDeviceMouseA1DC
                                                : AppText::kDevicePad;
}

AppText StepText(UploadStepKind kind) {
    switch (kind) {
        case UploadStepKind::kReportRate: return AppText::kStepReportRate;
        case UploadStepKind::kSensitivity: return AppText::kStepSensitivity;
        case UploadStepKind::kStageColours: return AppText::kStepStageColours;
        case UploadStepKind::kDpiStages: return AppText::kStepDpiStages;
        case UploadStepKind::kButtonTable: return AppText::kStepButtons;
        case UploadStepKind::kMacros: return AppText::kStepMacros;
        case UploadStepKind::kLighting: return AppText::kStepLighting;
        case UploadStepKind::kPadColours: return AppText::kStepPadColours;
        case UploadStepKind::kPadEffect: return AppText::kStepPadEffect;
    }
    return AppText::kStepSaving;
}

// A message box whose buttons speak the interface language.
bool AskBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton yes) {
    const std::string code = CMouseConfigurationApp::LanguageCode().toStdString();
    QMessageBox box(icon, caption, text, buttons, parent);
    const std::pair<QMessageBox::StandardButton, AppText> names[] = {{QMessageBox::Ok, AppText::kButtonOk},
                                                                    {QMessageBox::Cancel, AppText::kButtonCancel},
                                                                    {QMessageBox::Yes, AppText::kButtonYes},
                                                                    {QMessageBox::No, AppText::kButtonNo}};
    for (const auto& [button, name] : names) {
        if (QAbstractButton* b = box.button(button)) {
            b->setText(QString::fromUtf8(GetAppText(name, code)));
        }
    }
    return box.exec() == yes;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int kTrayExit = 2;
constexpr int kTrayPressDpi = 3;
// "Start with the desktop", in the tray menu (or in the Help menu where there is no tray).
constexpr int kStartWithDesktopCommand = 4;

}  // namespace

Prompts Prompts::MessageBoxes(QWidget* parent) {
    Prompts p;
    p.okCancel = [parent](const QString& caption, const QString& text) {
        return AskBox(parent, QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                      QMessageBox::Ok);
    };
    p.yesNo = [parent](const QString& caption, const QString& text) {
        // Anything but No starts the updater.
        return !AskBox(parent, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::No);
    };
    p.warning = [parent](const QString& caption, const QString& text) {
        AskBox(parent, QMessageBox::Warning, caption, text, QMessageBox::Ok, QMessageBox::Ok);
    };
    p.information = [parent](const QString& caption, const QString& text) {
        AskBox(parent, QMessageBox::Information, caption, text, QMessageBox::Ok, QMessageBox::Ok);
    };
    p.chooseFile = [parent](bool save, const std::string& initialPath) -> std::optional<std::string> {
        const QString filter = QStringLiteral("Gaming Mouse Profile(*.bin)");
        const QString initial = QString::fromStdString(initialPath);
        const QString chosen = save ? QFileDialog::getSaveFileName(parent, QString(), initial, filter)
                                    : QFileDialog::getOpenFileName(parent, QString(), initial, filter);
        if (chosen.isEmpty()) {
            return std::nullopt;
        }
        return chosen.toStdString();
    };
    return p;
}

CMouseConfigurationDlg::CMouseConfigurationDlg(DeviceEnvironment& environment,
                                               const MainWindowOptions& options,
                                               LauncherPort* launcher, Prompts prompts)
    : SkinnedWindow(nullptr, QString()),
      m_env(environment),
      m_options(options),
      m_launcher(launcher != nullptr ? launcher : &m_defaultLauncher),
      m_prompts(prompts.okCancel ? std::move(prompts) : Prompts::MessageBoxes(this)),
      m_session(options.profileFolder.isEmpty() ? AppDataFolder() : options.profileFolder.toStdString(),
                environment.Debug()),
      m_link(environment.Backend(), environment.GetClock(), environment.Debug()) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowIcon(QIcon(QStringLiteral(":/skins/qm517pro.png")));
    m_uploads = new UploadRunner(environment, m_link, m_session, options.uploadLockWaitMs, this);
    connect(m_uploads, &UploadRunner::progress, this, [this](const UploadStep& step) {
        m_progress = Text(StepText(step.kind));
        update(QRect(190, 600, 600, 40));
    });
    connect(m_uploads, &UploadRunner::waiting, this, [this](UploadDevice device) {
        m_progress = Text(AppText::kWaitingForUpload).arg(Text(DeviceText(device)));
        update(QRect(190, 600, 600, 40));
    });
    connect(m_uploads, &UploadRunner::finished, this, &CMouseConfigurationDlg::FinishUpload);
    m_deviceChange = std::make_unique<DeviceChangeHandler>(m_link.discovery, m_link.state, m_link.device,
                                                           m_session.settings, m_session.files, m_env.Debug(),
                                                           static_cast<DeviceWindowPort&>(*this));
    qApp->installEventFilter(this);
}

CMouseConfigurationDlg::~CMouseConfigurationDlg() {
    qApp->removeEventFilter(this);
    delete m_uploads;  // waits for an upload that still runs
    StopReaders();
    RemoveTrayIcon();
    if (CMouseConfigurationApp::MainWindowHandle() == this) {
        CMouseConfigurationApp::SetMainWindowHandle(nullptr);
    }
}

void CMouseConfigurationDlg::StopReaders() {
    m_closing = true;
    // A reader may be waiting for this thread to take its notice: serve it first.
    while (m_noticesInFlight.load() > 0) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    m_link.StopReaders();
}

bool CMouseConfigurationDlg::OnInitDialog() {
    if (m_options.showSplash) {
        CDlgSplash splash;
        splash.exec();
    }
    setWindowTitle(QStringLiteral("QM517 Pro"));
    CMouseConfigurationApp::SetMainWindowHandle(this);

    m_link.DiscoverAll(m_session.settings.record);
    // Readers hand their notices to this thread and wait until they are handled.
    m_link.StartReaders([this](int wParam, int lParam) {
        if (m_closing) {
            return;
        }
        ++m_noticesInFlight;
        if (!m_closing) {
            QMetaObject::invokeMethod(
                this, [this, wParam, lParam] { OnDeviceStage(wParam, lParam); },
                Qt::BlockingQueuedConnection);
        }
        --m_noticesInFlight;
    });
    if (HotplugSource* hotplug = m_env.Hotplug(); hotplug != nullptr && hotplug->Fd() >= 0) {
        m_hotplugNotifier = std::make_unique<QSocketNotifier>(hotplug->Fd(), QSocketNotifier::Read);
        connect(m_hotplugNotifier.get(), &QSocketNotifier::activated, this,
                &CMouseConfigurationDlg::ReadHotplugNotices);
    }

    // Before the profile is looked for: an interrupted profile change finished, missing
    // base files back, temporaries gone; nothing present is replaced.
    for (const std::string& line : m_session.OpenFolder()) {
        m_env.Debug().Write(line + "\n");
        std::fprintf(stderr, "qm517pro: %s\n", line.c_str());
    }
    m_session.LoadAsAtStartUp();
    CMouseConfigurationApp::SetLanguageCode(Q(m_session.strings.Code()));

    BuildWindow();
    ResetPanels();
    ShowView(1);
    AddTrayIcon();
    // The profile's captions show even while no mouse is connected; the window says why
    // nothing can be sent.
    RefreshCaptions();
    RefreshSliders();
    if (!m_link.state.AnyMouse()) {
        RemoveTrayIcon();
    } else {
        if (m_link.state.presentB != 0) {
            SetDpiScale(1);
        }
        if (m_link.state.presentA != 0) {
            SetDpiScale(0);
        }
    }
    CheckFirmware();
    m_dpiList = {m_session.strings[UiStrings::kDpiUp], m_session.strings[UiStrings::kDpiDown], m_session.strings[UiStrings::kDpiLoop]};
    ApplyPointerSettings(m_session.settings.record, m_env.Pointer(), m_env.Debug());
    TellAboutPermission();

    // The utility lives in the tray; where the desktop has none, or with the virtual
    // devices, the window shows at once so it is never out of reach.
    // The tray is followed by its own events (never by looking now and then): a tray
    // that comes or goes is noticed at once, and an idle utility never wakes.
    m_trayWatcher = new TrayWatcher(this);
    connect(m_trayWatcher, &TrayWatcher::changed, this, &CMouseConfigurationDlg::CheckTrayAvailability);
    m_trayAvailable = m_options.systemTrayAvailable ? m_options.systemTrayAvailable()
                                                    : m_trayWatcher->Available() || QSystemTrayIcon::isSystemTrayAvailable();
    if (m_options.emulate || !m_trayAvailable || !m_options.startInTray) {
        RestoreFromTray();  // reloads the profile and tells about its files over the window
        if (!isVisible()) {
            move(0, 0);
            show();
        }
    } else {
        TellAboutFiles();
    }
    return true;
}

QString CMouseConfigurationDlg::Text(AppText text) const {
    return QString::fromUtf8(GetAppText(text, m_session.strings.Code()));
}

void CMouseConfigurationDlg::TellAboutPermission() {
    if (m_toldAboutPermission || m_link.state.refused.empty()) {
        return;
    }
    m_toldAboutPermission = true;
    // What helps depends on where the rule is: a package installed it, a build or an
    // install under /usr/local brings a copy to install.
    const UdevRuleState rule = m_options.udevRule ? m_options.udevRule() : FindUdevRule(ProgramFolder());
    QString text;
    if (!rule.installed.empty()) {
        text = Text(AppText::kNoPermissionRuleInstalled).arg(Q(rule.installed));
    } else if (!rule.source.empty()) {
        text = Text(AppText::kNoPermissionHelp) + QStringLiteral("\n\n") + Q(UdevInstallCommands(rule.source));
    } else {
        text = Text(AppText::kNoPermissionHelp) + QStringLiteral("\n\n") + Q(UdevAdvice(rule));
    }
    m_prompts.information(QStringLiteral("QM517 Pro"), text);
}

void CMouseConfigurationDlg::TellAboutFiles() {
    // A profile file that could not be read (or was empty) is said once, with its name.
    if (!m_session.files.LastError().empty()) {
        m_prompts.warning(QStringLiteral("QM517 Pro"),
                          Text(AppText::kProfileFileProblem) + QStringLiteral("\n\n") + Q(m_session.files.LastError()));
        m_session.files.ClearLastError();
    }
}

void CMouseConfigurationDlg::TellNothingSent(const std::string& why) {
    m_prompts.warning(QStringLiteral("QM517 Pro"), Text(AppText::kProfileFileProblem) + QStringLiteral("\n\n") +
                                                     Q(why) + QStringLiteral("\n\n") +
                                                     Text(AppText::kNothingSentOrWritten));
}

QString CMouseConfigurationDlg::ConnectionNote() const {
    if (m_link.state.AnyMouse()) {
        return {};
    }
    // A mouse that is there but may not be opened says more than "not connected".
    const bool refusedMouse = std::any_of(m_link.state.refused.begin(), m_link.state.refused.end(),
                                          [](const RefusedInterface& r) { return r.productId != kProductPad; });
    if (!refusedMouse) {
        return Text(AppText::kNotConnected);
    }
    const UdevRuleState rule = m_options.udevRule ? m_options.udevRule() : FindUdevRule(ProgramFolder());
    return Text(rule.installed.empty() ? AppText::kNoPermission : AppText::kNoPermissionReplug);
}

void CMouseConfigurationDlg::CheckTrayAvailability() {
    const bool available = m_options.systemTrayAvailable ? m_options.systemTrayAvailable()
                                                         : m_trayWatcher != nullptr && m_trayWatcher->Available();
    if (available == m_trayAvailable) {
        return;
    }
    if (m_uploads->Busy()) {
        // Nothing changes the window while an upload runs: looked at again once it ends.
        m_uploads->Defer([this] { CheckTrayAvailability(); });
        return;
    }
    m_trayAvailable = available;
    if (!available && !isVisible()) {
        // The tray that held the way back to the window is gone: the window is the way now.
        RestoreFromTray();
    } else if (available && m_tray != nullptr) {
        m_tray->hide();  // shown again, it docks in the new tray
        m_tray->show();
    }
}

CBitmapBtn* CMouseConfigurationDlg::MakeButton(const QRect& rect, const QString& normal, const QString& hover,
                                               const QString& pressed, const QString& disabled, int caption,
                                               int alignment, int indent) {
    auto* button = new CBitmapBtn(this);
    button->setGeometry(rect);
    button->SetBitmaps(QRect(QPoint(0, 0), rect.size()), normal, hover, pressed, disabled);
    button->caption = caption >= 0 ? Q(m_session.strings[caption]) : QString();
    button->fontFace = UiFontFace(CMouseConfigurationApp::LanguageCode());
    button->fontHeight = 13;
    button->alignment = alignment;
    button->indent = indent;
    button->show();
    return button;
}

void CMouseConfigurationDlg::BuildWindow() {
    if (m_built) {
        return;
    }
    m_built = true;
    LoadBackground(QStringLiteral("/skins/main.png"));
    const QString code = CMouseConfigurationApp::LanguageCode();
    m_textFont = UiFont(code, 13, QFont::Normal);
    m_scaleFont = UiFont(code, 13, QFont::Normal);
    m_h = Skins::ImageSize(QStringLiteral("/skins/ButtonAssignment/BK_ButtonAssignment.png")).height();

    using namespace layout;
    const QString cancelN = "\\skins\\button-cancel-normal.png", cancelO = "\\skins\\button-cancel-over.png";
    const QString cancelP = "\\skins\\button-cancel-leave.png", saveL = "\\skins\\button-save-leave.png";
    const QString mouseN = "\\skins\\button-mouse-normal.png";
    m_help = MakeButton(kHelp, "\\skins\\button-help-normal.png", "\\skins\\button-help-over.png",
                        "\\skins\\button-help-normal.png", "\\skins\\button-help-normal.png", -1, 1);
    m_minimise = MakeButton(kMinimise, "\\skins\\button-min-normal.png", "\\skins\\button-min-over.png",
                            "\\skins\\button-min-normal.png", "\\skins\\button-min-normal.png", -1, 1);
    m_close = MakeButton(kClose, "\\skins\\button-close-normal.png", "\\skins\\button-close-over.png",
                         "\\skins\\button-close-normal.png", "\\skins\\button-close-normal.png", -1, 1);
    m_config = MakeButton(kConfig, "\\skins\\button-config-normal.png", "\\skins\\button-config-over.png",
                          "\\skins\\button-config-normal.png", "\\skins\\button-config-normal.png", 12, 1, 20);
    m_reset = MakeButton(kReset, cancelN, cancelO, cancelP, saveL, 9, 0);
    m_cancel = MakeButton(kCancel, cancelN, cancelO, cancelP, saveL, 10, 0);
    m_apply = MakeButton(kApply, cancelN, cancelO, cancelP, saveL, 11, 0);
    m_topView = MakeButton(kTopView, mouseN, "\\skins\\button-mouse-over.png", "\\skins\\button-mouse-leave.png",
                           mouseN, 13, 0);
    m_sideView = MakeButton(kSideView, mouseN, "\\skins\\button-mouse-over.png", "\\skins\\button-mouse-leave.png",
                            mouseN, 14, 0);
    const QString item = "\\skins\\ItemBK.png";
    m_buttonHeader = MakeButton(kButtonHeader, item, item, item, item, 16, 1);
    const QString macro = "\\skins\\MacroManagementBK.png";
    m_macroManager = MakeButton(MacroManager(false, m_h), macro, macro, macro, macro, 17, 1);
    m_axisHeader = MakeButton(AxisHeader(false, m_h), item, item, item, item, 18, 1);
    for (int row = 0; row < 7; ++row) {
        const int slot = SlotOfRow(row);
        m_dropDowns[static_cast<size_t>(slot)] =
            MakeButton(DropDown(row), "\\skins\\ButtonAssignment\\DropdownBox-normal.png",
                       "\\skins\\ButtonAssignment\\DropdownBox-over.png",
                       "\\skins\\ButtonAssignment\\DropdownBox-over.png",
                       "\\skins\\ButtonAssignment\\DropdownBox-normal.png", -1, 1);
        // The caption stays clear of the arrow (x 117..124 of the image).
        m_dropDowns[static_cast<size_t>(slot)]->textArea = QRect(5, 0, 109, DropDown(row).height());
        connect(m_dropDowns[static_cast<size_t>(slot)], &QAbstractButton::clicked, this,
                [this, slot] { OnDropDownClicked(slot); });
    }
    for (auto [slider, id] : {std::pair{&m_xSlider, 2025}, {&m_ySlider, 2026}}) {
        *slider = new CDMarker(QRect(37, 0, 208, 9), this, id);
        (*slider)->minimum = 1;
        (*slider)->maximum = 11;
        (*slider)->SetImages(QRect(0, 0, 208, 14), "\\skins\\XYSensitivity\\1.png", "\\skins\\XYSensitivity\\2.png");
    }
    // The settings column: the page host in its frame with the skinned scroll bar.
    m_host = new CDlgadvance(m_session.settings.record, m_session.strings, code, m_env.Debug(), this);
    // The column scrolls by the wheel setting the profile last applied, as the desktop's
    // setting would (a Linux desktop keeps no wheel setting of its own to ask).
    m_host->wheelScrollLines = [this] {
        const uint32_t lines = ComputePointerValues(m_session.settings.appliedCopy).wheelLines;
        return lines == 0xFFFFFFFFu ? -1 : static_cast<int>(lines);
    };
    m_host->setGeometry(layout::kPageHost);
    m_hostFrame = new CSkinScrollWnd(m_host, m_host, Skins::Load(QStringLiteral(":/skins/scrollbar.png")));
    m_host->SetPadPresent(m_link.state.presentP != 0 ? 1 : 0);
    m_host->PlaceTitles();
    m_hostFrame->show();
    m_padPresent = m_link.state.presentP != 0;

    connect(m_apply, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnApply);
    connect(m_cancel, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnCancel);
    connect(m_close, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnClose);
    connect(m_minimise, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnMinimise);
    connect(m_reset, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnReset);
    connect(m_topView, &QAbstractButton::clicked, this, [this] { ShowView(1); });
    connect(m_sideView, &QAbstractButton::clicked, this, [this] { ShowView(2); });
    connect(m_buttonHeader, &QAbstractButton::clicked, this, [this] {
        Deselect();
        SetButtonPanel(m_buttonPanelCollapsed != 0 ? 0 : 1);
    });
    connect(m_axisHeader, &QAbstractButton::clicked, this, [this] {
        Deselect();
        SetAxisPanel(m_axisPanelCollapsed != 0 ? 0 : 1);
    });
    connect(m_macroManager, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnMacroManager);
    connect(m_config, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnConfig);
    connect(m_help, &QAbstractButton::clicked, this, [this] {
        raise();
        activateWindow();
        OnHelpCommand(BuildHelpMenu()->Track(QCursor::pos()));
    });
}

std::vector<CBitmapBtn*> CMouseConfigurationDlg::ImageButtons() const {
    std::vector<CBitmapBtn*> buttons{m_help,     m_minimise,     m_close,        m_config, m_reset,
                                     m_cancel,   m_apply,        m_topView,      m_sideView,
                                     m_buttonHeader, m_macroManager, m_axisHeader};
    buttons.insert(buttons.end(), m_dropDowns.begin(), m_dropDowns.end());
    return buttons;
}

std::unique_ptr<CExMenu> CMouseConfigurationDlg::BuildHelpMenu() {
    auto menu = std::make_unique<CExMenu>(&m_textFont);
    menu->SetItemWidth(100);
    menu->AppendItem(1001, Q(m_session.strings[UiStrings::kMakerAddress]));
    menu->AppendItem(1002, Q(m_session.strings[UiStrings::kUpdate]));
    menu->AppendItem(1003, QStringLiteral("Version:2.1"));
    // Without a tray there is no tray menu: the start at login is offered here instead.
    if (!m_trayAvailable) {
        menu->AppendCheckItem(kStartWithDesktopCommand, Text(AppText::kStartWithDesktop),
                              GetAutostart() != AutostartState::kOff);
    }
    menu->WidenToTexts();  // the maker's address is longer than the 100 pixels of the others
    return menu;
}

std::unique_ptr<CExMenu> CMouseConfigurationDlg::BuildTrayMenu() {
    auto menu = std::make_unique<CExMenu>(&m_textFont);
    menu->SetItemWidth(100);
    for (const auto& [id, text] : TrayMenuItems()) {
        if (id == kStartWithDesktopCommand) {
            menu->AppendCheckItem(id, text, GetAutostart() != AutostartState::kOff);
        } else {
            menu->AppendItem(id, text);
        }
    }
    menu->WidenToTexts();
    return menu;
}

// --- display operations ----------------------------------------------------------------------

void CMouseConfigurationDlg::InvalidatePicture() {
    update(layout::kPictureArea);
}

void CMouseConfigurationDlg::Deselect() {
    for (CBitmapBtn* dropDown : m_dropDowns) {
        if (dropDown != nullptr && dropDown->checkedLook) {
            dropDown->SetChecked(false);
        }
    }
    m_selectedSlot = -1;
    InvalidatePicture();
}

void CMouseConfigurationDlg::HighlightSlot(int slot) {
    for (CBitmapBtn* dropDown : m_dropDowns) {
        if (dropDown != nullptr) {
            dropDown->SetChecked(false);
        }
    }
    if (slot >= 0 && slot < 7 && m_dropDowns[static_cast<size_t>(slot)] != nullptr) {
        m_dropDowns[static_cast<size_t>(slot)]->SetChecked(true);
    }
}

void CMouseConfigurationDlg::ShowView(int view) {
    Deselect();
    if (m_topView != nullptr) {
        m_topView->SetChecked(view == 1);
        m_sideView->SetChecked(view == 2);
    }
    m_currentView = view;
    InvalidatePicture();
}

void CMouseConfigurationDlg::PlaceAxisSliders() {
    const int a = layout::AxisTop(m_buttonPanelCollapsed == 0, m_h);
    m_xSlider->setGeometry(layout::XSlider(a));
    m_ySlider->setGeometry(layout::YSlider(a));
}

void CMouseConfigurationDlg::SetButtonPanel(int collapsed) {
    if (!m_built) {
        return;
    }
    m_buttonPanelCollapsed = collapsed;
    const bool expanded = collapsed == 0;
    for (CBitmapBtn* dropDown : m_dropDowns) {
        dropDown->setVisible(expanded);
    }
    m_macroManager->setGeometry(layout::MacroManager(expanded, m_h));
    m_axisHeader->setGeometry(layout::AxisHeader(expanded, m_h));
    PlaceAxisSliders();
    update(QRect(20, 107, 242, 400));
}

void CMouseConfigurationDlg::SetAxisPanel(int collapsed) {
    if (!m_built) {
        return;
    }
    m_axisPanelCollapsed = collapsed;
    PlaceAxisSliders();
    m_xSlider->setVisible(collapsed == 0);
    m_ySlider->setVisible(collapsed == 0);
    update(QRect(20, 107, 242, 420));
}

void CMouseConfigurationDlg::ResetPanels() {
    if (m_host != nullptr) {
        m_host->SetScrollExtent(CDlgadvance::kMinimumExtent);
        m_host->UpdateScrollInfo();
    }
    SetButtonPanel(1);
    SetAxisPanel(1);
}

void CMouseConfigurationDlg::RefreshColumn() {
    if (m_host != nullptr) {
        m_host->CollapseAll();
        m_host->RefreshPages();
    }
}

void CMouseConfigurationDlg::RefreshSliders() {
    if (m_built) {
        m_xSlider->SetPos(m_session.settings.record[rec::kSensitivityX]);
        m_ySlider->SetPos(m_session.settings.record[rec::kSensitivityY]);
    }
}

void CMouseConfigurationDlg::RefreshCaptions() {
    if (!m_built) {
        return;
    }
    for (int slot = 0; slot < 7; ++slot) {
        CBitmapBtn* dropDown = m_dropDowns[static_cast<size_t>(slot)];
        dropDown->caption = Q(m_session.captions[static_cast<size_t>(slot)]);
        dropDown->repaint();
    }
}

void CMouseConfigurationDlg::StoreCaption(int slot) {
    if (m_built && slot >= 0 && slot < 7) {
        m_session.captions[static_cast<size_t>(slot)] = m_dropDowns[static_cast<size_t>(slot)]->caption.toStdString();
    }
}

// --- painting -------------------------------------------------------------------------------

void CMouseConfigurationDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), Background());
    DrawSkinImage(&p, QStringLiteral("Skins\\Logo.png"), 20, 32);
    DrawSkinImage(&p, QStringLiteral("Skins\\BK_MainMid.png"), 262, 2);
    if (m_currentView == 1) {
        DrawSkinImage(&p, QStringLiteral("Skins\\Mouse\\Front\\MouseFront.png"), 395, 65);
    } else {
        DrawSkinImage(&p, QStringLiteral("Skins\\Mouse\\Side\\MouseSide.png"), 290, 226);
    }
    const int selectedNumber = m_selectedSlot >= 0 ? layout::ButtonNumberOfSlot(m_selectedSlot) : -1;
    for (int n = 1; n <= 7; ++n) {
        const char* state = n == selectedNumber ? "over" : "normal";
        const QPoint at = m_currentView == 1 ? layout::FrontHotspot(n) : layout::SideHotspot(n);
        const QString path = m_currentView == 1 ? QStringLiteral("Skins/Mouse/Front/F-%1-%2.png").arg(n).arg(state)
                                                : QStringLiteral("Skins/Mouse/Side/S-%1-%2.png").arg(n).arg(state);
        DrawSkinImage(&p, path, at.x(), at.y());
    }
    DrawSkinImage(&p, QStringLiteral("/Skins/BK_MainLeft.png"), 20, 107);
    DrawSkinImage(&p, QStringLiteral("Skins\\MLogo.png"), 40, 525);
    const bool buttonsOpen = m_buttonPanelCollapsed == 0;
    const int a = layout::AxisTop(buttonsOpen, m_h);
    if (buttonsOpen) {
        DrawSkinImage(&p, QStringLiteral("/Skins/ButtonAssignment/BK_ButtonAssignment.png"), 20, 127);
    }
    if (m_axisPanelCollapsed == 0) {
        DrawSkinImage(&p, QStringLiteral("/Skins/XYSensitivity/BK_XYSensSetting.png"), 20, a);
    }

    p.setPen(Qt::white);
    p.setFont(m_textFont);
    if (buttonsOpen) {
        for (int row = 0; row < 7; ++row) {
            p.drawText(layout::RowLabel(row), Qt::AlignCenter | Qt::TextSingleLine, Q(m_session.strings[29 + row]));
        }
    }
    if (m_axisPanelCollapsed == 0) {
        p.setFont(m_scaleFont);
        p.drawText(QRect(37, a + 20, 225, 20), Qt::AlignLeft | Qt::AlignVCenter, Q(m_session.strings[27]));
        p.drawText(QRect(37, a + 80, 225, 20), Qt::AlignLeft | Qt::AlignVCenter, Q(m_session.strings[28]));
        for (int digit = 1; digit <= 10; ++digit) {
            const int x = 44 + 21 * (digit - 1);
            for (int band : {a + 57, a + 117}) {
                p.drawText(QRect(x, band, 262 - x, 20), Qt::AlignLeft | Qt::AlignVCenter, QString::number(digit));
            }
        }
    }
    p.setFont(m_textFont);
    if (const QString note = ConnectionNote(); !note.isEmpty()) {
        p.setPen(QColor(0xFF, 0xB0, 0x40));
        p.setFont(UiFont(CMouseConfigurationApp::LanguageCode(), 17, QFont::DemiBold));
        p.drawText(layout::kConnectionNote, Qt::AlignCenter | Qt::TextWordWrap, note);
        p.setPen(Qt::white);
        p.setFont(m_textFont);
    }
    if (m_uploads->Busy()) {
        // Progress of the upload where the note usually stands.
        const QRect bar(194, 616, 560, 4);
        p.fillRect(bar, QColor(0x12, 0x12, 0x17));
        if (m_uploads->StepsTotal() > 0) {
            p.fillRect(QRect(bar.topLeft(), QSize(bar.width() * m_uploads->StepsDone() / m_uploads->StepsTotal(), bar.height())),
                       QColor(0xC2, 0x44, 0x44));
        }
        p.drawText(QRect(194, 620, 560, 14), Qt::AlignLeft | Qt::AlignVCenter, m_progress);
    } else if (!m_status.isEmpty()) {
        p.drawText(QRect(194, 604, 590, 30), Qt::AlignLeft | Qt::AlignVCenter, m_status);
    } else {
        p.drawText(QRect(layout::kNote, QSize(1000, 20)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                   Q(m_session.strings[UiStrings::kNote]));
    }
}

void CMouseConfigurationDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Deselect();
    }
    SkinnedWindow::mousePressEvent(event);
}

// --- messages -------------------------------------------------------------------------------

bool CMouseConfigurationDlg::event(QEvent* e) {
    const int type = static_cast<int>(e->type());
    if (type == UM_DEVICE_EVENT) {
        auto* m = static_cast<MessageEvent*>(e);
        OnDeviceStage(static_cast<int>(m->WParam()), static_cast<int>(m->LParam()));
        return true;
    }
    if (type == UM_DESELECT) {
        Deselect();
        return true;
    }
    if (type == UM_RESTORE) {
        RestoreFromTray();
        return true;
    }
    if (type == UM_PROFILE_COMMAND) {
        auto* m = static_cast<MessageEvent*>(e);
        OnProfileCommand(static_cast<int>(m->WParam()), static_cast<int>(m->LParam()));
        return true;
    }
    if (type == UM_MARKER_POS) {
        auto* m = static_cast<MessageEvent*>(e);
        const auto value = static_cast<uint8_t>(m->WParam());
        const auto id = m->LParam();
        const auto store = [this, value, id] {
            if (id == 2025) {
                m_session.settings.record[rec::kSensitivityX] = value;
            } else if (id == 2026) {
                m_session.settings.record[rec::kSensitivityY] = value;
            }
        };
        if (!m_uploads->Defer(store)) {
            store();
        }
        return true;
    }
    return SkinnedWindow::event(e);
}

bool CMouseConfigurationDlg::eventFilter(QObject* watched, QEvent* e) {
    // While an upload runs the window takes no input at all.
    if (m_uploads->Busy() && watched->isWidgetType()) {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease: {
                auto* w = static_cast<QWidget*>(watched);
                if (w == this || isAncestorOf(w)) {
                    return true;
                }
                break;
            }
            default:
                break;
        }
    }
    return SkinnedWindow::eventFilter(watched, e);
}

// --- tray -----------------------------------------------------------------------------------

void CMouseConfigurationDlg::AddTrayIcon() {
    if (m_tray != nullptr) {
        return;
    }
    m_tray = new QSystemTrayIcon(QIcon(QStringLiteral(":/skins/qm517pro.png")), this);
    m_tray->setToolTip(Q(m_session.strings[UiStrings::kProductName]));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            RestoreFromTray();
        } else if (reason == QSystemTrayIcon::Context) {
            raise();
            OnTrayMenuCommand(BuildTrayMenu()->Track(QCursor::pos()));
        }
    });
    m_tray->show();
}

std::vector<std::pair<int, QString>> CMouseConfigurationDlg::TrayMenuItems() const {
    std::vector<std::pair<int, QString>> items;
    if (m_env.Virtual() != nullptr) {
        items.emplace_back(kTrayPressDpi, Text(AppText::kPressDpiButton));
    }
    items.emplace_back(kStartWithDesktopCommand, Text(AppText::kStartWithDesktop));
    items.emplace_back(kTrayExit, Q(m_session.strings[UiStrings::kExit]));
    return items;
}

void CMouseConfigurationDlg::ToggleStartWithDesktop() {
    const bool on = GetAutostart() != AutostartState::kOff;
    const int result = on ? DisableAutostart() : EnableAutostart(UtilityProgramPath());
    const QString path = Q(AutostartPath());
    if (result == kAutostartLeftEdited) {
        m_prompts.information(QStringLiteral("QM517 Pro"), Text(AppText::kAutostartEdited).arg(path));
    } else if (result != 0) {
        m_prompts.warning(QStringLiteral("QM517 Pro"), Text(AppText::kAutostartFailed).arg(path, Q(ErrnoText(result))));
    }
}

void CMouseConfigurationDlg::OnTrayMenuCommand(int id) {
    if (id == kTrayExit) {
        // An upload that runs is finished first: a mouse left half written would keep a
        // button table without its macros.
        if (!m_uploads->Defer([this] { m_launcher->Quit(); })) {
            m_launcher->Quit();
        }
    } else if (id == kStartWithDesktopCommand) {
        ToggleStartWithDesktop();
    } else if (id == kTrayPressDpi && m_env.Virtual() != nullptr) {
        m_env.Virtual()->PressDpiButton(m_link.state.presentA != 0 ? kProductA11D : kProductA1DC);
    }
}

void CMouseConfigurationDlg::RemoveTrayIcon() {
    if (m_tray != nullptr) {
        m_tray->hide();
        delete m_tray;
        m_tray = nullptr;
    }
}

void CMouseConfigurationDlg::RestoreFromTray() {
    if (m_uploads->Defer([this] { RestoreFromTray(); })) {
        return;
    }
    // Without a mouse the window shows too, with its "not connected" note: a user who
    // starts the utility, or starts it again, must see it (the Windows program stayed
    // hidden then, and seemed not to start at all).
    m_status.clear();
    m_session.files.LoadCurrentProfile();
    m_session.files.LoadCaptions(m_session.files.CurrentIniPath());
    move(0, 0);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    RefreshSliders();
    RefreshCaptions();
    SetButtonPanel(1);
    SetAxisPanel(1);
    RefreshColumn();
    setWindowState(windowState() & ~Qt::WindowMinimized);  // a minimised window comes back too
    show();
    raise();
    activateWindow();
    TellAboutFiles();
}

void CMouseConfigurationDlg::HideToTray() {
    hide();
}

void CMouseConfigurationDlg::ShowBalloon(const Balloon& balloon) {
    m_lastBalloon = balloon;
    if (m_tray != nullptr) {
        m_tray->showMessage(Q(balloon.title), Q(balloon.text), QSystemTrayIcon::Information, balloon.timeoutMs);
    }
    emit balloonShown(Q(balloon.title), Q(balloon.text));
}

// --- device notices -------------------------------------------------------------------------

void CMouseConfigurationDlg::OnDeviceStage(int wParam, int lParam) {
    if (m_uploads->Defer([this, wParam, lParam] { OnDeviceStage(wParam, lParam); })) {
        return;
    }
    if (auto balloon = m_notices.OnDeviceStage(wParam, lParam, m_session.settings.appliedCopy, m_session.strings)) {
        ShowBalloon(*balloon);
    }
}

void CMouseConfigurationDlg::ReadHotplugNotices() {
    if (HotplugSource* hotplug = m_env.Hotplug()) {
        for (const DeviceNotice& notice : hotplug->ReadNotices()) {
            OnHotplug(notice);
        }
    }
}

void CMouseConfigurationDlg::OnHotplug(const DeviceNotice& notice) {
    if (m_uploads->Defer([this, notice] { OnHotplug(notice); })) {
        return;
    }
    m_deviceChange->OnDeviceChange(notice.event, notice.deviceType, notice.name);
    RefreshCaptions();
    RefreshSliders();
    TellAboutPermission();
    update();  // the connection note
}

void CMouseConfigurationDlg::PostDeviceEvent(int wParam) {
    PostMessage(this, UM_DEVICE_EVENT, wParam, 0);
}

void CMouseConfigurationDlg::HideWindow() {
    hide();
}

void CMouseConfigurationDlg::SetDpiScale(int scale) {
    m_dpiScale = scale;
    if (m_host != nullptr) {
        m_host->SetDpiScale(scale);
    }
}

void CMouseConfigurationDlg::CheckFirmware() {
    qm::CheckFirmware(m_link.state, static_cast<FirmwarePort&>(*this));
}

void CMouseConfigurationDlg::CloseMacroManager() {
    if (m_macroDialog != nullptr && m_macroDialog->isVisible()) {
        m_macroDialog->reject();
    }
}

CMacroProgramDialog* CMouseConfigurationDlg::MacroManagerDialog() {
    if (m_macroDialog == nullptr) {
        m_macroDialog = std::make_unique<CMacroProgramDialog>(
            m_session.files.RecordIniPath(), CMouseConfigurationApp::LanguageCode(), m_env.Debug(),
            [this](const QString& caption, const QString& text) { m_prompts.information(caption, text); }, this);
    }
    if (keyboardGrab) {
        m_macroDialog->Capture().SetGrab(keyboardGrab);
    }
    return m_macroDialog.get();
}

void CMouseConfigurationDlg::OnConfig() {
    Deselect();
    if (m_configPanel != nullptr) {
        return;
    }
    m_configPanel = new CConfigDialog(
        m_session.files, m_newProfileFlags, CMouseConfigurationApp::LanguageCode(),
        [this](const QString& caption, const QString& text) { m_prompts.information(caption, text); }, this);
    m_configPanel->move(0, 0);
    m_configPanel->OnInitDialog();
    m_configPanel->show();
    m_configPanel->raise();
    // The panel lies over the left column, whose controls step aside meanwhile.
    for (QWidget* w : {static_cast<QWidget*>(m_buttonHeader), static_cast<QWidget*>(m_macroManager),
                       static_cast<QWidget*>(m_axisHeader), static_cast<QWidget*>(m_xSlider),
                       static_cast<QWidget*>(m_ySlider)}) {
        w->hide();
    }
    if (m_buttonPanelCollapsed == 0) {
        for (CBitmapBtn* dropDown : m_dropDowns) {
            dropDown->hide();
        }
    }
    m_configPanel->lastSelection = m_session.files.LastSwitchedTo();
}

void CMouseConfigurationDlg::CloseProfilesPanel() {
    if (m_configPanel != nullptr) {
        m_configPanel->hide();
        m_configPanel->deleteLater();
        m_configPanel = nullptr;
    }
    m_buttonHeader->show();
    m_macroManager->show();
    m_axisHeader->show();
    for (CBitmapBtn* dropDown : m_dropDowns) {
        dropDown->setVisible(m_buttonPanelCollapsed == 0);
    }
    m_xSlider->setVisible(m_axisPanelCollapsed == 0);
    m_ySlider->setVisible(m_axisPanelCollapsed == 0);
}

void CMouseConfigurationDlg::OnProfileCommand(int operation, int number) {
    // A profile command replaces the record: not while an upload sends it.
    if (m_uploads->Defer([this, operation, number] { OnProfileCommand(operation, number); })) {
        return;
    }
    m_session.files.OnProfileMessage(operation, number, static_cast<ProfileUi&>(*this));
    // A refused import, a failed export: the user learns which file and why.
    TellAboutFiles();
}

std::optional<std::string> CMouseConfigurationDlg::ChooseImportFile(const std::string& initialPath) {
    return m_prompts.chooseFile ? m_prompts.chooseFile(false, initialPath) : std::nullopt;
}

std::optional<std::string> CMouseConfigurationDlg::ChooseExportFile(const std::string& initialPath) {
    return m_prompts.chooseFile ? m_prompts.chooseFile(true, initialPath) : std::nullopt;
}

void CMouseConfigurationDlg::RefreshAfterImport() {
    RefreshViews();
}

void CMouseConfigurationDlg::RefreshViews() {
    RefreshSliders();
    ResetPanels();
    RefreshCaptions();
    RefreshColumn();
}

void CMouseConfigurationDlg::OnMacroManager() {
    Deselect();
    std::array<std::string, 7> captions;
    for (int slot = 0; slot < 7; ++slot) {
        captions[static_cast<size_t>(slot)] = m_dropDowns[static_cast<size_t>(slot)]->caption.toStdString();
    }
    if (MacroManagerDialog()->Run(captions) == QDialog::Accepted) {
        CopyCompileSlots(m_macroDialog->Slots(), m_session.settings.record);
    }
}

void CMouseConfigurationDlg::PadPresenceChanged(bool present) {
    m_padPresent = present;
    if (m_host != nullptr) {
        m_host->CollapseAll();
        m_host->SetPadPresent(present ? 1 : 0);
        m_host->PlaceTitles();
    }
}

void CMouseConfigurationDlg::ProfileReloaded() {
    RefreshColumn();
}

bool CMouseConfigurationDlg::WindowExists(const std::string& title) {
    return m_launcher->WindowExists(Q(title));
}

bool CMouseConfigurationDlg::AskToUpdateFirmware(const std::string& caption, const std::string& text) {
    return m_prompts.yesNo(Q(caption), Q(text));
}

void CMouseConfigurationDlg::StartFirmwareUpdate() {
    // The outdated-firmware prompt ends the program after this in any case.
    if (qm::StartFirmwareUpdate(m_link.state, UpdaterDataFolders(CMouseConfigurationApp::DataFolder()), *m_launcher) ==
        UpdateStart::kNoUpdater) {
        TellNoUpdater();
    }
}

void CMouseConfigurationDlg::Quit() {
    m_launcher->Quit();
}

// --- buttons --------------------------------------------------------------------------------

void CMouseConfigurationDlg::StartUpload(UploadKind kind, std::function<void()> done) {
    m_uploadDone = std::move(done);
    m_progress.clear();
    m_status.clear();
    m_nothingToSend = !m_link.state.AnyMouse() && m_link.state.presentP == 0;
    if (m_apply != nullptr) {
        m_apply->setEnabled(false);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_uploads->Start(kind);
    update();
}

void CMouseConfigurationDlg::FinishUpload(const UploadOutcome& outcome) {
    if (outcome.Refused()) {
        m_uploadDone = nullptr;  // nothing happened that the views must follow
        m_progress.clear();
    }
    QApplication::restoreOverrideCursor();
    if (m_apply != nullptr) {
        m_apply->setEnabled(true);
    }
    if (m_nothingToSend) {
        m_status = Text(AppText::kNothingSent);
    }
    if (m_uploadDone) {
        auto done = std::move(m_uploadDone);
        m_uploadDone = nullptr;
        done();
    }
    update();
    // Requests that came during the upload are handled now, in their order.
    m_uploads->RunDeferred();
    emit applyFinished();
    if (outcome.busyDevice) {
        m_prompts.warning(QStringLiteral("QM517 Pro"),
                          Text(AppText::kUploadBusy).arg(Text(DeviceText(*outcome.busyDevice))));
        return;
    }
    TellUploadFailures(outcome.failures);
    // A profile that could not be saved (a read-only folder, a full disk) is said, with
    // the file.
    TellAboutFiles();
}

void CMouseConfigurationDlg::TellUploadFailures(const std::vector<DeviceFailure>& failures) {
    if (failures.empty()) {
        return;
    }
    QString text = Text(AppText::kUploadIncomplete) + QStringLiteral("\n");
    for (const DeviceFailure& f : failures) {
        const AppText device = DeviceText(f.device);
        QString step = Text(StepText(f.firstStep));
        while (step.endsWith(QChar(0x2026)) || step.endsWith(QLatin1Char(' '))) {
            step.chop(1);
        }
        text += QStringLiteral("\n") + Text(AppText::kDeviceFailures).arg(Text(device)).arg(f.count).arg(step);
    }
    text += QStringLiteral("\n\n") + Text(AppText::kProfileSavedTryAgain);
    m_env.Debug().Write("upload incomplete: " + DescribeFailure(failures[0]) + "\n");
    m_prompts.warning(QStringLiteral("QM517 Pro"), text);
}

void CMouseConfigurationDlg::OnApply() {
    if (m_uploads->Busy()) {
        return;
    }
    Deselect();
    if (const std::string why = m_session.WhyNothingMaySave(true); !why.empty()) {
        // Sending and saving would put defaults over what those files hold (and give the
        // buttons that name macros empty ones).
        TellNothingSent(why);
        return;
    }
    StartUpload(UploadKind::kApply, {});
}

void CMouseConfigurationDlg::OnCancel() {
    Deselect();
    m_session.settings.Revert();
    HideToTray();
    QuitWithoutTray();
}

void CMouseConfigurationDlg::OnClose() {
    Deselect();
    HideToTray();
    QuitWithoutTray();
}

void CMouseConfigurationDlg::QuitWithoutTray() {
    // A hidden window with no tray icon to bring it back would leave a program that can
    // neither be reached nor ended.
    if (!m_trayAvailable) {
        m_launcher->Quit();
    }
}

void CMouseConfigurationDlg::TellNoUpdater() {
    m_prompts.information(Q(m_session.strings[UiStrings::kUpdate]).isEmpty() ? QStringLiteral("QM517 Pro")
                                                                     : Q(m_session.strings[UiStrings::kUpdate]),
                          Text(AppText::kNoUpdater).arg(UpdaterFolder(UpdaterDataFolders(CMouseConfigurationApp::DataFolder()).front())));
}

void CMouseConfigurationDlg::OnMinimise() {
    Deselect();
    showMinimized();
}

void CMouseConfigurationDlg::OnReset() {
    if (m_uploads->Busy()) {
        return;
    }
    if (const std::string why = m_session.WhyNothingMaySave(false); !why.empty()) {
        TellNothingSent(why);
        return;
    }
    if (!m_prompts.okCancel(Q(m_session.strings[UiStrings::kAttention]), Q(m_session.strings[UiStrings::kResetQuestion]))) {
        return;
    }
    Deselect();
    StartUpload(UploadKind::kReset, [this] {
                  SetButtonPanel(1);
                  SetAxisPanel(1);
                  RefreshColumn();
                  ShowView(1);
                  if (m_configPanel != nullptr) {
                      CloseProfilesPanel();
                  }
                  RefreshSliders();
                  RefreshCaptions();
                  for (int slot = 0; slot < 7; ++slot) {
                      StoreCaption(slot);
                  }
                  m_session.files.SaveCaptions(m_session.files.CurrentIniPath());
              });
}

void CMouseConfigurationDlg::OnHelpCommand(int id) {
    if (id == kStartWithDesktopCommand) {
        ToggleStartWithDesktop();
    } else if (id == 1001) {
        OpenMakerPage(Q(m_session.strings[UiStrings::kMakerAddress]), *m_launcher);
    } else if (id == 1002) {
        if (qm::StartFirmwareUpdate(m_link.state, UpdaterDataFolders(CMouseConfigurationApp::DataFolder()), *m_launcher) ==
            UpdateStart::kNoUpdater) {
            TellNoUpdater();  // and keep running: there is nothing the program must make way for
        }
    }
}

}  // namespace qm
