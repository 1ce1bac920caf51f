// SPDX-License-Identifier: GPL-3.0-or-later
// The button assignment menus of the main window: which function each mouse button has.
#include <QCursor>

#include "controls/CBitmapBtn.h"
#include "controls/CExMenu.h"
#include "dialogs/CMacroDialog.h"
#include "dialogs/CSingleDialog.h"
#include "macros/KeyNames.h"
#include "model/ButtonCatalogue.h"
#include "shell/CMouseConfigurationApp.h"
#include "shell/CMouseConfigurationDlg.h"

namespace qm {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

void CMouseConfigurationDlg::OnDropDownClicked(int slot) {
    HighlightSlot(slot);
    m_selectedSlot = slot;
    update(QRect(262, 2, 472, 498));
    OpenButtonMenu(slot);
}

std::unique_ptr<CExMenu> CMouseConfigurationDlg::BuildButtonMenu(int slot) {
    const Language language = LanguageForNames(CMouseConfigurationApp::LanguageCode().toStdString());
    auto menu = std::make_unique<CExMenu>(&m_textFont, this);
    menu->SetItemWidth(130);
    const auto add = [&](CExMenu* m, int id, int entry) { m->AppendItem(id, Q(m_session.strings[entry])); };
    add(menu.get(), kCmdClick, UiStrings::kClick);
    add(menu.get(), kCmdMenu, UiStrings::kMenu);
    add(menu.get(), kCmdScroll, UiStrings::kScroll);
    add(menu.get(), kCmdForward, UiStrings::kForward);
    add(menu.get(), kCmdBack, UiStrings::kBack);
    add(menu.get(), kCmdDoubleClick, UiStrings::kDoubleClick);
    if (slot != 1) {
        menu->AppendItem(kCmdFn, QStringLiteral("Fn"));
    }
    add(menu.get(), kCmdSnipe, UiStrings::kSnipe);

    const auto submenu = [&](int width, int title, auto&& fill) {
        auto* sub = new CExMenu(&m_textFont, menu.get());
        sub->SetItemWidth(width);
        fill(sub);
        menu->AppendItem(0, Q(m_session.strings[title]), sub);
    };
    submenu(90, UiStrings::kDpiSubmenu, [&](CExMenu* sub) {
        for (int i = 0; i < 3; ++i) {
            sub->AppendItem(kCmdDpiFirst + i, Q(m_dpiList[static_cast<size_t>(i)]));
        }
    });
    const auto rows = [&](CExMenu* sub, std::span<const CommandRow> table) {
        for (const CommandRow& row : table) {
            sub->AppendItem(row.command, QString::fromUtf8(row.Name(language)));
        }
    };
    submenu(120, UiStrings::kMultimediaSubmenu, [&](CExMenu* sub) { rows(sub, MultimediaTable()); });
    submenu(130, UiStrings::kBasicSubmenu, [&](CExMenu* sub) { rows(sub, BasicCommandTable()); });
    submenu(130, UiStrings::kAdditionalSubmenu, [&](CExMenu* sub) { rows(sub, AdditionalCommandTable()); });
    add(menu.get(), kCmdKeyboardKey, UiStrings::kAssignKey);
    add(menu.get(), kCmdMacro, UiStrings::kMacro);
    add(menu.get(), kCmdDeactivated, UiStrings::kDeactivated);
    return menu;
}

void CMouseConfigurationDlg::OpenButtonMenu(int slot) {
    CBitmapBtn* dropDown = m_dropDowns[static_cast<size_t>(slot)];
    // The last button that clicks may not be given away: the mouse could no longer click.
    if (IsLastClickButton(m_session.settings.record, slot)) {
        m_prompts.warning(Q(m_session.strings[UiStrings::kAttention]), Q(m_session.strings[UiStrings::kLastClickMessage]));
        dropDown->SetChecked(false);
        m_selectedSlot = -1;
        update(QRect(262, 2, 472, 498));
        return;
    }
    const QPoint at = dropDown->mapToGlobal(QPoint(dropDown->width() + 5, 0));
    std::unique_ptr<CExMenu> menu = BuildButtonMenu(slot);
    const int id = menu->Track(at);
    menu.reset();
    m_selectedSlot = -1;
    update(QRect(262, 2, 472, 498));
    dropDown->SetChecked(false);
    menuSlot = slot;
    if (id != 0) {
        OnButtonCommand(id);
    }
}

void CMouseConfigurationDlg::OnButtonCommand(int id) {
    const int slot = menuSlot;
    if (slot < 0 || slot >= 7) {
        return;
    }
    CBitmapBtn* dropDown = m_dropDowns[static_cast<size_t>(slot)];
    if (id == kCmdKeyboardKey) {
        AssignKeyboardKeyTo(slot);
        return;
    }
    if (id == kCmdMacro) {
        AssignMacroTo(slot);
        return;
    }
    const Language language = LanguageForNames(CMouseConfigurationApp::LanguageCode().toStdString());
    const std::optional<std::string> caption =
        AssignCommand(m_session.settings.record, slot, id, m_session.strings, language, m_dpiList);
    if (!caption) {
        return;  // not an item of the button menus (1003 "Version:2.1", say)
    }
    dropDown->caption = Q(*caption);
    dropDown->repaint();
    StoreCaption(slot);
}

void CMouseConfigurationDlg::AssignKeyboardKeyTo(int slot) {
    CBitmapBtn* dropDown = m_dropDowns[static_cast<size_t>(slot)];
    CSingleDialog dialog(CMouseConfigurationApp::LanguageCode(), m_env.Debug(),
                         [this](const QString& caption, const QString& text) { m_prompts.information(caption, text); },
                         this);
    if (keyboardGrab) {
        dialog.Capture().SetGrab(keyboardGrab);
    }
    if (const uint8_t usage = m_session.settings.record.Button(rec::kKeyUsage, slot); usage != 0) {
        dialog.keyName = GetUsageKeyStr(usage);
    }
    if (dialog.Run() == QDialog::Accepted) {
        const std::optional<std::string> caption =
            AssignKeyboardKey(m_session.settings.record, slot, dialog.keyName, m_session.strings);
        if (!caption) {
            return;  // an empty key name changes nothing
        }
        dropDown->caption = Q(*caption);
    }
    dropDown->repaint();
    StoreCaption(slot);
}

void CMouseConfigurationDlg::AssignMacroTo(int slot) {
    CBitmapBtn* dropDown = m_dropDowns[static_cast<size_t>(slot)];
    CMacroDialog dialog(m_session.files.RecordIniPath(), CMouseConfigurationApp::LanguageCode(), this);
    // A button that runs a macro opens the dialog on it.
    if (const auto name = MacroNameFromCaption(dropDown->caption.toStdString(), m_session.strings)) {
        dialog.presetName = *name;
        dialog.macroNumber = m_session.settings.record.Button(rec::kMacroNumber, slot);
        dialog.runMode = m_session.settings.record.Button(rec::kMacroRunMode, slot);
    }
    if (dialog.Run() == QDialog::Accepted) {
        const std::optional<std::string> caption = AssignMacro(m_session.settings.record, slot, dialog.macroNumber,
                                                               dialog.runMode, dialog.ChosenName(), m_session.strings);
        if (!caption) {
            return;  // no macro chosen: nothing changes
        }
        dropDown->caption = Q(*caption);
    }
    dropDown->repaint();
    StoreCaption(slot);
}

}  // namespace qm
