// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CConfigDialog.h"

#include <QMouseEvent>
#include <cerrno>
#include <QPainter>

#include "i18n/LocalizedText.h"
#include "controls/UiFonts.h"
#include "controls/CExMenu.h"
#include "controls/FontHeight.h"
#include "controls/MessageEvent.h"
#include "controls/SkinImage.h"
#include "dialogs/CLBEditorWnd.h"
#include "platform/Format.h"

namespace qm {

namespace {

enum TextEntry : int { kTitle, kProfileWord, kNewText, kDeleteText, kEditText, kCopyText, kLoadText, kSaveText,
                       kWarning, kLimit, kListDamaged, kNotChanged, kProfilesBusy, kTextCount };

constexpr LocalizedText kTexts[kTextCount] = {
    {"Configuration", "Game Profil", "配置", "配置"},
    {"Profile", "Profil", "Profile", "設定檔"},
    {"New", "Neu", "新建", "新建"},
    {"Delete", "Löschen", "删除", "刪除"},
    {"Edit", "Bearbeiten", "编辑", "編輯"},
    {"Copy", "Kopieren", "复制", "複製"},
    {"Load", "Laden", "加载", "載入"},
    {"Save", "Speichern", "保存", "儲存"},
    {"ATTENTION!", "ACHTUNG!", "警告", "注意!"},
    {"Up to 6 Profiles Possible.", "Maximal 6 Profile möglich.", "最多可以存储6个配置。", "支援最多六組設定檔。"},
    {"The profile list %1 cannot be used (ItemCount must be 1 to 6): the profiles are left as they are. Repair the "
     "list, or remove the file to start again with one profile.",
     "Die Profilliste %1 ist unbrauchbar (ItemCount muss 1 bis 6 sein): Die Profile bleiben, wie sie sind. "
     "Reparieren Sie die Liste, oder entfernen Sie die Datei, um mit einem Profil neu zu beginnen.",
     "配置列表 %1 无法使用（ItemCount 必须为 1 到 6）：所有配置保持不变。请修复该列表，或删除该文件，从一个配置重新开始。",
     "設定檔清單 %1 無法使用（ItemCount 必須為 1 到 6）：所有設定檔保持不變。請修復該清單，或刪除該檔案，從一個設定檔重新開始。"},
    {"The profiles were not changed:", "Die Profile wurden nicht geändert:", "配置没有更改：", "設定檔沒有變更："},
    {"Another program (qm517ctl) is applying a profile: the profiles were not changed. Close the list again when it "
     "has finished.",
     "Ein anderes Programm (qm517ctl) überträgt gerade ein Profil: Die Profile wurden nicht geändert. Schließen Sie "
     "die Liste erneut, wenn es fertig ist.",
     "另一个程序（qm517ctl）正在应用配置：配置没有更改。请在它完成后再次关闭列表。",
     "另一個程式（qm517ctl）正在套用設定檔：設定檔沒有變更。請在它完成後再次關閉清單。"},
};

}  // namespace

CConfigDialog::CConfigDialog(ProfileFiles& files, NewFlags& newFlags, const QString& languageCode, Message message,
                             QWidget* owner)
    : QWidget(owner), m_files(files), m_newFlags(newFlags), m_languageCode(languageCode), m_message(std::move(message)),
      m_owner(owner) {}

QString CConfigDialog::Text(int entry) const {
    return QString::fromUtf8(kTexts[entry].For(m_languageCode.toStdString()));
}

bool CConfigDialog::OnInitDialog() {
    m_background = Skins::Load(QStringLiteral("skins\\/Config/Config.png"));
    if (m_background.isNull()) {
        m_message(QStringLiteral("Config Dialog Load background image failed!!!"), QStringLiteral("error"));
        return false;
    }
    resize(m_background.size());
    m_font = UiFont(m_languageCode, 13);
    m_list = new QListWidget(this);
    m_list->setGeometry(QRect(QPoint(0, 31), QPoint(262, 574)));
    m_list->setFont(m_font);
    m_list->setStyleSheet(QStringLiteral("QListWidget { color: #FAFAFA; background: #282828; border: none; outline: none; }"
                                         "QListWidget::item:selected { background: #8F2020; color: #FFFFFF; }"));
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QListWidget::itemClicked, this, [this] { RenameOrSelect(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { RenameOrSelect(); });
    FillProfileList();
    return true;
}

void CConfigDialog::FillProfileList() {
    int current = -1;
    m_list->clear();
    const std::optional<std::vector<std::string>> list = m_files.ReadProfileList(&current);
    m_listDamaged = !list;
    if (m_listDamaged) {
        // Nothing the panel could do to such a list is safe: it shows none, changes
        // nothing, and says how to mend it.
        m_message(Text(kWarning), Text(kListDamaged).arg(QString::fromStdString(m_files.StrIniPath())));
    }
    const std::vector<std::string> names = list.value_or(std::vector<std::string>{});
    for (const std::string& name : names) {
        m_list->addItem(QString::fromStdString(name));
    }
    m_loadedCount = static_cast<int>(names.size());
    m_origin.clear();
    m_isNew.clear();
    for (int i = 0; i < m_loadedCount; ++i) {
        m_origin.push_back(i);
        m_isNew.push_back(m_newFlags[static_cast<size_t>(i)]);
    }
    if (current >= 0) {
        m_list->setCurrentRow(current);
        m_files.SetCurrentProfileNumber(current);
        lastSelection = current;
    }
}

void CConfigDialog::AddProfile() {
    if (m_listDamaged) {
        return;
    }
    const int n = m_list->count();
    if (n >= kMaxProfiles) {
        m_message(Text(kWarning), Text(kLimit));
        return;
    }
    QString name;
    if (n == 0) {
        name = Text(kProfileWord) + QStringLiteral(" 1");
    } else {
        const QString last = m_list->item(n - 1)->text();
        const int space = static_cast<int>(last.indexOf(QLatin1Char(' ')));
        name = space >= 0 ? Text(kProfileWord) + QLatin1Char(' ') +
                                QString::number(ParseDecimal(last.mid(space + 1).toStdString()) + 1)
                          : last + QLatin1Char(' ') + QString::number(n);
    }
    m_list->addItem(name);
    m_list->setCurrentRow(n);
    m_origin.push_back(-1);  // no files yet: it gets the factory settings when made current
    m_isNew.push_back(1);
}

void CConfigDialog::DeleteProfile() {
    const int i = m_list->currentRow();
    if (m_list->count() < 2 || i < 0) {
        return;
    }
    delete m_list->takeItem(i);
    m_origin.erase(m_origin.begin() + i);
    m_isNew.erase(m_isNew.begin() + i);
    m_list->setCurrentRow(std::min(i, m_list->count() - 1));
}

void CConfigDialog::RenameOrSelect() {
    const int i = m_list->currentRow();
    if (m_list->count() == 0 || i < 0) {
        return;
    }
    CLBEditorWnd::ListEditMode = CLBEditorWnd::kProfileName;
    if (i == lastSelection) {
        CLBEditorWnd::BeginEdit(m_list, i, false);
    } else {
        lastSelection = i;
    }
}

void CConfigDialog::CopyProfile() {
    const int i = m_list->currentRow();
    if (m_list->count() == 0 || m_list->count() >= kMaxProfiles || i < 0) {
        return;
    }
    m_list->addItem(Text(kCopyText) + QLatin1Char(' ') + m_list->item(i)->text());
    // The copy gets the files of the profile it copies.
    m_origin.push_back(m_origin[static_cast<size_t>(i)]);
    m_isNew.push_back(m_isNew[static_cast<size_t>(i)]);
}

std::vector<std::pair<int, QString>> CConfigDialog::ContextMenuItems() const {
    return {{kDelete, Text(kDeleteText)},
            {kEdit, Text(kEditText)},
            {kCopy, Text(kCopyText)},
            {kLoad, Text(kLoadText)},
            {kSave, Text(kSaveText)}};
}

void CConfigDialog::OnMenuCommand(int id) {
    switch (id) {
        case kDelete: DeleteProfile(); break;
        case kEdit: RenameOrSelect(); break;
        case kCopy: CopyProfile(); break;
        case kLoad:
        case kSave: {
            const int i = m_list->currentRow();
            if (m_list->count() == 0 || i < 0) {
                return;
            }
            m_files.SetCurrentProfileNumber(i);
            Post(id == kLoad ? kProfileImport : kProfileExport, i);
            break;
        }
        default: break;
    }
}

void CConfigDialog::Post(int command, int index) {
    PostMessage(m_owner, UM_PROFILE_COMMAND, command, index);
}

void CConfigDialog::Close() {
    std::vector<std::string> names;
    for (int i = 0; i < (m_list != nullptr ? m_list->count() : 0); ++i) {
        names.push_back(m_list->item(i)->text().toStdString());
    }
    // A panel without a list (no background, or a profile list it could not read) writes
    // nothing: saving an empty list would drop every profile name.
    if (names.empty()) {
        Post(kProfileSwitch, m_files.LastSwitchedTo());
        hide();
        return;
    }
    const int selected = std::max(m_list->currentRow(), 0);
    // The list and the files that follow its names change in one step, whole or not at
    // all: a profile deleted from the middle of the list leaves no later name with the
    // wrong settings, and a copy has its source's files.
    if (const int error = m_files.ChangeProfileList(names, m_origin, selected)) {
        if (error == EBUSY) {
            // Another program holds the profiles for a moment: the panel stays open with
            // the user's changes, to be closed again.
            m_message(Text(kWarning), Text(kProfilesBusy));
            return;
        }
        m_message(Text(kWarning), Text(kNotChanged) + QStringLiteral("\n\n") + QString::fromStdString(m_files.LastError()));
        m_files.ClearLastError();
        Post(kProfileSwitch, m_files.LastSwitchedTo());
        hide();
        return;
    }
    m_newFlags.fill(0);
    for (size_t i = 0; i < m_isNew.size(); ++i) {
        m_newFlags[i] = m_isNew[i];
    }
    if (m_newFlags[static_cast<size_t>(selected)] == 1) {
        m_newFlags[static_cast<size_t>(selected)] = 0;
        Post(kProfileNew, selected);
    } else {
        Post(kProfileSwitch, selected);
    }
    hide();
}

void CConfigDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), m_background);
    p.setFont(m_font);
    p.setPen(QColor(0xFF, 0xFF, 0xFF));
    p.drawText(QRect(QPoint(10, 0), QPoint(79, 30)), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Text(kTitle));
    DrawSkinImage(&p, QStringLiteral("Skins\\/button-close-normal.png"), 240, 8);
    DrawSkinImage(&p, QStringLiteral("Skins\\/Config/New-Config.png"), 14, 582);
    p.drawText(QRect(QPoint(30, 575), QPoint(79, 597)), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               Text(kNewText));
    DrawSkinImage(&p, QStringLiteral("Skins\\/Config/Del-Config.png"), 124, 582);
    p.drawText(QRect(QPoint(140, 575), QPoint(189, 597)), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               Text(kDeleteText));
}

void CConfigDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        if (kCloseRect.contains(at)) {
            Close();
            return;
        }
        if (m_list != nullptr && kNewRect.contains(at)) {
            AddProfile();
        }
        if (m_list != nullptr && kDeleteRect.contains(at)) {
            DeleteProfile();
        }
    }
    QWidget::mousePressEvent(event);
}

bool CConfigDialog::eventFilter(QObject* watched, QEvent* event) {
    if (m_list != nullptr && watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        CExMenu menu(&m_font);
        menu.SetItemWidth(100);
        for (const auto& [id, text] : ContextMenuItems()) {
            menu.AppendItem(id, text);
        }
        menu.WidenToTexts();
        OnMenuCommand(menu.Track(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace qm
