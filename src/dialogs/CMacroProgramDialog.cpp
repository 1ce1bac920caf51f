// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CMacroProgramDialog.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "i18n/AppTexts.h"
#include "i18n/LocalizedText.h"
#include "controls/UiFonts.h"
#include "controls/CBitmapBtn.h"
#include "controls/CExMenu.h"
#include "controls/FitText.h"
#include "controls/FontHeight.h"
#include "controls/MessageEvent.h"
#include "controls/SkinImage.h"
#include "dialogs/CLBEditorWnd.h"
#include "platform/Format.h"
#include "platform/ProfileIni.h"

namespace qm {

namespace {

enum TextEntry : int {
    kOkText,
    kCancelText,
    kTitle,
    kNamesHeading,
    kKeysHeading,
    kOptionsHeading,
    kDelayOption,
    kLoopOption,
    kNewText,
    kDeleteText,
    kNewNameWord,
    kRecordIdle,
    kRecordRunning,
    kInsertLeftText,
    kInsertMiddleText,
    kInsertRightText,
    kInsertDelayText,
    kLimitCaption,
    kLimitText,
    kTextCount
};

constexpr LocalizedText kTexts[kTextCount] = {
    {"OK", "OK", "确定", "確定"},
    {"Cancel", "Abbrechen", "取消", "取消"},
    {"Macro Manager", "Makro-Manager", "宏管理器", "巨集編輯器"},
    {"Select Macro", "Auswahl Makro", "选择宏", "選擇巨集"},
    {"Keystroke Sequence", "Tastensequenz", "按鍵序列", "按鍵輸入順序"},
    {"Options", "Optionen", "录制选项", "選項"},
    {"Record delay between keystrokes", "Verzögerungen zwischen Tastenbefehlen aufzeichnen", "记录按键动作间的延迟",
     "按鍵指令間插入記錄延遲"},
    {"Number of Loops", "Wiederholungen", "循环次数", "迴圈數"},
    {"New", "Neu", "新建", "新建"},
    {"Delete", "Löschen", "刪除", "刪除"},
    {"Macro", "Makro", "宏", "巨集"},
    {"Start Recording", "Aufzeichnung starten", "开始录制", "開始記錄"},
    {"Stop Recording", "Aufzeichnung beenden", "停止录制", "停止紀錄"},
    {"Insert Left Button", "Linke Maustaste einfügen", "插入鼠标左键", "插入左鍵"},
    {"Insert Middle Button", "Mittlere Maustaste einfügen", "插入鼠标中键", "插入中鍵"},
    {"Insert Right Button", "Rechte Maustaste einfügen", "插入鼠标右键", "插入右鍵"},
    {"Insert Delay", "Verzögerung einfügen", "插入延时", "插入延遲"},
    {"ATTENTION!", "ACHTUNG!", "警告", "注意！"},
    {"Up to 12 Macros Possible.", "Maximal 12 Makros möglich.", "最多可以新建12个宏。", "支援最多12 組巨集"},
};

constexpr QRect kNameList{QPoint(21, 82), QPoint(129, 352)};
constexpr QRect kKeyList{QPoint(153, 82), QPoint(261, 352)};
constexpr QRect kRecordRect{QPoint(295, 87), QPoint(383, 110)};
constexpr QRect kLoopBoxRect{QPoint(298, 333), QPoint(378, 344)};
constexpr QRect kTitleRect{QPoint(15, 0), QPoint(413, 30)};
constexpr QRect kHeadings[3] = {{QPoint(16, 60), QPoint(133, 77)}, {QPoint(148, 60), QPoint(265, 77)},
                                {QPoint(279, 60), QPoint(396, 77)}};
constexpr QRect kDelayText{QPoint(290, 136), QPoint(369, 205)};
constexpr QRect kLoopText{QPoint(296, 299), QPoint(400, 313)};

// The macro a button's caption names: the text after its last ':' (the whole caption
// when it has none).
std::string NameInCaption(const std::string& caption) {
    const size_t colon = caption.find_last_of(':');
    return colon == std::string::npos ? caption : caption.substr(colon + 1);
}

}  // namespace

CMacroProgramDialog::CMacroProgramDialog(std::string recordIniPath, const QString& languageCode, DebugOutput& debug,
                                         Message message, QWidget* parent)
    : SkinnedWindow(parent, QString()),
      m_store(std::move(recordIniPath)),
      m_languageCode(languageCode),
      m_debug(debug),
      m_message(std::move(message)) {
    setWindowTitle(Text(kTitle));
    setMouseTracking(true);
    m_since.start();
    tickCount = [this] { return static_cast<uint32_t>(m_since.elapsed()); };
    const QString cancelNormal = QStringLiteral("Skins\\/MacroManagement/button-cancel-normal.png");
    const QString cancelOver = QStringLiteral("Skins\\/MacroManagement/button-cancel-over.png");
    const QString newNormal = QStringLiteral("Skins\\/MacroManagement/button-new-normal.png");
    const QString newOver = QStringLiteral("Skins\\/MacroManagement/button-new-over.png");
    m_buttons.Add({kClose, QStringLiteral("Skins\\/macro-button-close-normal.png"),
                   QStringLiteral("Skins\\/macro-button-close-over.png"), QString()});
    m_buttons.Add({kOk, cancelNormal, cancelOver, Text(kOkText)});
    m_buttons.Add({kCancel, cancelNormal, cancelOver, Text(kCancelText)});
    m_buttons.Add({kNew, newNormal, newOver, Text(kNewText)});
    m_buttons.Add({kDelete, newNormal, newOver, Text(kDeleteText)});
    m_recorder = std::make_unique<MacroRecorder>(m_store, m_state, static_cast<MacroRecorder::Port&>(*this), m_debug,
                                                 [this] { return tickCount ? tickCount() : 0u; });
}

CMacroProgramDialog::~CMacroProgramDialog() {
    m_capture.Stop();  // a hook still installed goes with the dialog
}

QString CMacroProgramDialog::Text(int entry) const {
    return QString::fromUtf8(kTexts[entry].For(m_languageCode.toStdString()));
}

void CMacroProgramDialog::Open(const std::array<std::string, 7>& captions) {
    m_captions = captions;
    m_buttons.Hover(QPoint(-1, -1));
    m_recorder->StopRecording();
    m_state = MacroEditorState{};
    if (!LoadBackground(QStringLiteral("Skins\\/MacroManagement/MacroManagement.png"))) {
        m_message(QStringLiteral("Macro Manager Dialog Load background image failed!!!"), QStringLiteral("error"));
        return;
    }
    if (!m_opened) {
        m_opened = true;
        const bool chinese = m_languageCode == QLatin1String("CHS") || m_languageCode == QLatin1String("CHT");
        m_font = UiFont(m_languageCode, 13);
        m_loopFont = QFont(QStringLiteral("Arial"));
        m_loopFont.setPixelSize(FontPixelSize(12));
        const QString listStyle = QStringLiteral(
            "QListWidget { background: #6D6D6D; color: #FFFFFF; border: 1px solid #3A3A44; outline: none; }"
            "QListWidget::item:selected { background: #8F2020; color: #FFFFFF; }");
        for (QListWidget** list : {&m_names, &m_keys}) {
            *list = new QListWidget(this);
            (*list)->setFont(m_font);
            (*list)->setStyleSheet(listStyle);
            (*list)->setSelectionMode(QAbstractItemView::SingleSelection);
            (*list)->setUniformItemSizes(true);
            (*list)->installEventFilter(this);
            (*list)->viewport()->installEventFilter(this);
        }
        m_names->setGeometry(kNameList);
        m_keys->setGeometry(kKeyList);
        m_keys->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_names->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(m_names, &QListWidget::currentRowChanged, this, [this](int row) {
            if (!m_showing) {
                OnMacroNameListSelchange(row);
            }
        });
        connect(m_names, &QListWidget::itemDoubleClicked, this, [this] { OnNameDoubleClicked(); });
        connect(m_keys, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            OnKeystrokeClicked(m_keys->row(item));
        });
        connect(m_keys, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            OnKeystrokeClicked(m_keys->row(item));
        });

        m_loop = new QLineEdit(this);
        m_loop->setGeometry(kLoopBoxRect);
        m_loop->setFont(m_loopFont);
        m_loop->setAlignment(Qt::AlignCenter);
        m_loop->setFrame(false);
        m_loop->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_loop));
        m_loop->setStyleSheet(QStringLiteral("QLineEdit { background: #221815; color: #FFFFFF; border: none; padding: 0px; }"
                                             "QLineEdit:disabled { color: #808080; }"));
        connect(m_loop, &QLineEdit::textChanged, this, &CMacroProgramDialog::OnLoopTextChanged);

        m_record = new CBitmapBtn(this);
        m_record->setGeometry(kRecordRect);
        m_record->SetBitmaps(QRect(0, 0, 122, 24), QStringLiteral("\\skins/MacroManagement/Record-normal.png"),
                             QStringLiteral("\\skins/MacroManagement/Record-over.png"),
                             QStringLiteral("\\skins/MacroManagement/Record-over.png"),
                             QStringLiteral("\\skins/MacroManagement/Record-normal.png"));
        m_record->alignment = CBitmapBtn::kCentre;
        // Right of the red mark (x 2..4), to the button's right edge.
        m_record->textArea = QRect(7, 0, kRecordRect.width() - 10, kRecordRect.height());
        m_record->fontFace = UiFontFace(m_languageCode);
        m_record->fontHeight = chinese ? 12 : 14;
        connect(m_record, &QAbstractButton::clicked, this, [this] {
            if (m_recorder->Recording()) {
                m_recorder->StopRecording();
            } else {
                m_recorder->StartRecording();
            }
        });
    }
    // The names of the store, the first selected and loaded.
    LoadAllMacros(m_store, m_state);
    ShowState();
    m_loop->setEnabled(!m_state.names.empty() && m_state.loopEnabled);
    if (!m_state.names.empty()) {
        OnMacroNameListSelchange(0);
    }
    update();
}

int CMacroProgramDialog::Run(const std::array<std::string, 7>& captions) {
    Open(captions);
    if (QWidget* owner = parentWidget()) {
        move(owner->geometry().center() - rect().center());
    }
    return exec();
}

void CMacroProgramDialog::done(int result) {
    m_recorder->StopRecording();
    m_capture.Stop();
    SkinnedWindow::done(result);
}

// --- the state on screen -------------------------------------------------------------------

void CMacroProgramDialog::ShowState() {
    if (m_names == nullptr) {
        return;
    }
    m_showing = true;
    {
        const QSignalBlocker quietNames(m_names);
        const QSignalBlocker quietKeys(m_keys);
        const QSignalBlocker quietLoop(m_loop);
        // The rows stay when the names do: a click that selects a macro must leave the row
        // under the pointer in place, or the double click it begins would be lost.
        bool same = m_names->count() == static_cast<int>(m_state.names.size());
        for (int i = 0; same && i < m_names->count(); ++i) {
            same = m_names->item(i)->text().toStdString() == m_state.names[static_cast<size_t>(i)];
        }
        if (!same) {
            m_names->clear();
            for (const std::string& name : m_state.names) {
                m_names->addItem(QString::fromStdString(name));
            }
        }
        m_names->setCurrentRow(m_state.selected);
        const int keyRow = m_keys->currentRow();
        m_keys->clear();
        for (const std::string& item : m_state.keystrokes) {
            m_keys->addItem(QString::fromStdString(item));
        }
        if (keyRow >= 0 && keyRow < m_keys->count()) {
            m_keys->setCurrentRow(keyRow);
        }
        m_loop->setText(QString::fromStdString(m_state.loopText));
        m_loop->setEnabled(m_state.loopEnabled);
    }
    const bool recording = m_recorder->Recording();
    m_record->caption = Text(recording ? kRecordRunning : kRecordIdle);
    m_record->SetChecked(recording);
    m_record->update();
    m_showing = false;
    update();
}

void CMacroProgramDialog::Changed() {
    ShowState();
    if (m_recorder->Recording() && m_keys->count() > 0) {
        m_keys->setCurrentRow(m_keys->count() - 1);  // the line just recorded
    }
}

// --- the recorder's window -----------------------------------------------------------------

bool CMacroProgramDialog::InstallHook(std::string& error) {
    QString reason;
    const bool ok = m_capture.Start(
        this,
        [this](const KeyRecord& key) {
            return m_recorder->JournalRecordHook(0, HookEvent{key.vkCode, key.scanCode, key.flags, key.message}) != 0;
        },
        &reason);
    error = reason.toStdString();
    return ok;
}

void CMacroProgramDialog::RemoveHook() {
    m_capture.Stop();
}

void CMacroProgramDialog::PostRecordKey(int wParam) {
    PostMessage(this, UM_RECORD_KEY, wParam, 1);
}

void CMacroProgramDialog::ShowError(const std::string& text) {
    m_message(QString(), QString::fromStdString(text));
}

// --- lists and boxes -----------------------------------------------------------------------

void CMacroProgramDialog::OnMacroNameListSelchange(int index) {
    m_state.selected = index;
    if (m_recorder->Recording()) {
        m_recorder->EndForSelectionChange(m_state.names);
    }
    m_debug.Write("OnMacroNameListSelchange\n");
    m_debug.Write(Format("OnMacroNameListSelchange m_cursel = %d,nIndex = %d\n", m_cursel, index));
    if (m_state.SelectedName() != nullptr) {
        SelectMacro(m_store, m_state, index);
    }
    ShowState();
}

void CMacroProgramDialog::OnNameDoubleClicked() {
    const std::string* name = m_state.SelectedName();
    if (name == nullptr) {
        return;
    }
    CLBEditorWnd::ListEditMode = CLBEditorWnd::kMacroName;
    // The section keeps its old name until the edit ends, and then changes it in the same
    // write that stores the new name: a crash while the editor is open loses nothing.
    m_renaming = {m_state.selected, *name};
    CLBEditorWnd::BeginEdit(m_names, m_state.selected, false);
}

void CMacroProgramDialog::OnKeystrokeClicked(int index) {
    if (index < 0 || index >= m_keys->count() || !m_keys->item(index)->text().contains(QStringLiteral(" ms"))) {
        return;  // key lines change nothing
    }
    CLBEditorWnd::ListEditMode = CLBEditorWnd::kDelay;
    if (index == m_cursel) {
        // A delay opens for editing on its second click.
        CLBEditorWnd::BeginEdit(m_keys, index, true);
        OnWriteMacroToIni();
    } else {
        m_cursel = index;
    }
}

void CMacroProgramDialog::OnLoopTextChanged(const QString& text) {
    if (m_showing) {
        return;
    }
    const int v = ParseDecimal(text.toStdString());
    if (v < 1 || v > 65535) {
        m_loop->setText(QStringLiteral("1"));  // comes back here with "1"
        return;
    }
    m_state.loopText = text.toStdString();
    if (m_state.SelectedName() != nullptr) {
        m_store.WriteLoopCount(*m_state.SelectedName(), v);
    }
    m_loop->update();
}

void CMacroProgramDialog::OnWriteMacroToIni() {
    m_debug.Write(Format("OnWriteMacroToIni m_cursel=%d,m_cursel1=%d\n", m_cursel, m_state.selected));
    // The keystroke list on screen is what the macro holds.
    m_state.keystrokes.clear();
    for (int i = 0; i < m_keys->count(); ++i) {
        m_state.keystrokes.push_back(m_keys->item(i)->text().toStdString());
    }
    m_store.WriteMacroToIni(m_state);
}

void CMacroProgramDialog::OnEditEnded(QListWidget* list, qintptr wParam, qintptr lParam) {
    m_debug.Write(Format("finish listbox editing,WM_LEBEDIT_END:pMsg->wParam=%d,pMsg->lParam=%d\n",
                         static_cast<int>(wParam), static_cast<int>(lParam)));
    std::vector<std::string>& target = list == m_names ? m_state.names : m_state.keystrokes;
    target.clear();
    for (int i = 0; i < list->count(); ++i) {
        target.push_back(list->item(i)->text().toStdString());
    }
    if (list == m_keys) {
        // A delay edited in place: the macro as it is shown, its loop count and delay
        // option included.
        m_store.WriteMacroToIni(m_state);
        return;
    }
    // The row the editor was opened on, whatever is selected by now.
    const auto [row, from] = m_renaming;
    m_renaming = {-1, {}};
    if (row < 0 || row >= static_cast<int>(m_state.names.size())) {
        m_store.WriteNameList(m_state.names);
        return;
    }
    m_state.keystrokes.clear();
    for (int i = 0; i < m_keys->count(); ++i) {
        m_state.keystrokes.push_back(m_keys->item(i)->text().toStdString());
    }
    m_store.RenameMacro(from, m_state.names[static_cast<size_t>(row)], m_state.names,
                        row == m_state.selected ? &m_state : nullptr);
}

void CMacroProgramDialog::NewMacro() {
    const size_t n = m_state.names.size();
    if (n >= static_cast<size_t>(kMaxMacros)) {
        m_message(Text(kLimitCaption), Text(kLimitText));
        return;
    }
    int k = static_cast<int>(n) + 1;
    if (n > 0) {
        const std::string& last = m_state.names.back();
        if (const size_t underscore = last.find('_'); underscore != std::string::npos) {
            k = 1 + ParseDecimal(last.substr(underscore + 1));
        }
    }
    m_state.names.push_back(Text(kNewNameWord).toStdString() + Format("_%d", k));
    m_state.selected = static_cast<int>(m_state.names.size()) - 1;
    m_state.keystrokes.clear();
    ShowState();
    {
        const QSignalBlocker quiet(m_loop);
        m_loop->setText(QString::asprintf("%ld", 1L));
    }
    OnLoopTextChanged(m_loop->text());  // written to the store under the new name
    OnMacroNameListSelchange(m_state.selected);
}

void CMacroProgramDialog::DeleteMacro() {
    const std::string* selected = m_state.SelectedName();
    if (selected == nullptr) {
        return;
    }
    for (const std::string& caption : m_captions) {
        if (NameInCaption(caption) == *selected) {
            return;  // a button runs this macro
        }
    }
    const std::string name = *selected;
    const int at = m_state.selected;
    m_state.names.erase(m_state.names.begin() + at);
    m_state.keystrokes.clear();
    m_state.selected = std::min(at, static_cast<int>(m_state.names.size()) - 1);
    m_store.DeleteMacro(m_state.names, name);
    if (m_state.SelectedName() != nullptr) {
        SelectMacro(m_store, m_state, m_state.selected);
    } else {
        m_state.loopEnabled = false;
    }
    ShowState();
}

std::vector<std::pair<int, QString>> CMacroProgramDialog::ContextMenuItems() const {
    return {{kDeleteLine, Text(kDeleteText)},
            {kInsertLeft, Text(kInsertLeftText)},
            {kInsertMiddle, Text(kInsertMiddleText)},
            {kInsertRight, Text(kInsertRightText)},
            {kInsertDelay, Text(kInsertDelayText)}};
}

void CMacroProgramDialog::ShowContextMenu(const QPoint& globalPos) {
    m_recorder->StopRecording();
    CExMenu menu(&m_font);
    menu.SetItemWidth(140);
    for (const auto& [id, text] : ContextMenuItems()) {
        menu.AppendItem(id, text);
    }
    menu.WidenToTexts();
    OnMenuCommand(menu.Track(globalPos));
}

void CMacroProgramDialog::OnMenuCommand(int id) {
    const int i = m_keys->currentRow();
    if (i < 0 || i >= m_keys->count()) {
        return;
    }
    const auto line = [this](int row) { return m_keys->item(row)->text(); };
    switch (id) {
        case kDeleteLine:
            delete m_keys->takeItem(i);
            m_keys->setCurrentRow(-1);
            break;
        case kInsertLeft:
        case kInsertMiddle:
        case kInsertRight: {
            const QString key = id == kInsertLeft ? QStringLiteral("L-Button")
                                : id == kInsertMiddle ? QStringLiteral("M-Button")
                                                      : QStringLiteral("R-Button");
            m_keys->insertItem(i + 1, key + QString::fromLatin1(kPressMarker));
            m_keys->insertItem(i + 2, key + QString::fromLatin1(kReleaseMarker));
            m_keys->setCurrentRow(line(i).contains(QStringLiteral("ms")) ? i + 1 : i + 2);
            break;
        }
        case kInsertDelay:
            if (i < 1 || line(i - 1).contains(QStringLiteral("ms")) || line(i).contains(QStringLiteral("ms"))) {
                return;
            }
            m_keys->insertItem(i, QStringLiteral("50 ms"));
            m_keys->setCurrentRow(i + 1);
            break;
        default:
            return;
    }
    OnWriteMacroToIni();
}

// --- painting and clicks -------------------------------------------------------------------

void CMacroProgramDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), Background());
    p.setFont(m_font);
    p.setPen(Qt::white);
    m_buttons.PaintAll(p);
    const QString tick = QStringLiteral("Skins\\/MacroManagement/PaneMakingTick.png");
    const QString pane = QStringLiteral("Skins\\/MacroManagement/Pane.png");
    DrawSkinImage(&p, m_state.recordDelays ? tick : pane, kDelayTick.left(), kDelayTick.top());
    if (m_recorder->Paused()) {
        const QString note = QString::fromUtf8(GetAppText(AppText::kRecordingPaused, m_languageCode.toStdString()));
        const FittedText fitted = FitText(m_font, note, kTitleRect.width());
        p.setFont(fitted.font);
        p.setPen(QColor(0xFF, 0xC8, 0x40));
        p.drawText(kTitleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, fitted.text);
        p.setFont(m_font);
        p.setPen(Qt::white);
    } else {
        p.drawText(kTitleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Text(kTitle));
    }
    for (int h = 0; h < 3; ++h) {
        p.drawText(kHeadings[h], Qt::AlignCenter | Qt::TextSingleLine, Text(kNamesHeading + h));
    }
    p.drawText(kLoopText, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, Text(kLoopOption));
    p.drawText(kDelayText, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Text(kDelayOption));
    DrawSkinImage(&p, m_state.loopEnabled ? tick : pane, kLoopTick.left(), kLoopTick.top());
}

bool CMacroProgramDialog::IsDragSpot(const QPoint& pos) const {
    for (const QRect& r : {kClose, kOk, kCancel, kNew, kDelete, kDelayTick, kLoopTick}) {
        if (r.contains(pos)) {
            return false;
        }
    }
    return true;
}

void CMacroProgramDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        SkinnedWindow::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    m_keys->setFocus();
    m_debug.Write("OnLButtonDown\n");
    if (kOk.contains(at)) {
        m_recorder->StopRecording();
        OnWriteMacroToIni();
        if (auto compiled = OnBnMacroSave(m_store, static_cast<int>(m_state.names.size()), m_state.selected, m_debug)) {
            m_slots = *compiled;
        }
        accept();
        return;
    }
    if (kCancel.contains(at) || kClose.contains(at)) {
        m_recorder->StopRecording();
        reject();
        return;
    }
    if (kDelayTick.contains(at)) {
        m_state.recordDelays = !m_state.recordDelays;  // a running recording goes on
        update(kDelayTick);
    }
    if (kLoopTick.contains(at)) {
        m_recorder->StopRecording();
        m_state.loopEnabled = !m_state.loopEnabled;
        m_loop->setEnabled(m_state.loopEnabled);  // the box keeps its number either way
        update(kLoopTick);
    }
    if (kNew.contains(at)) {
        m_recorder->StopRecording();
        OnWriteMacroToIni();
        NewMacro();
    }
    if (kDelete.contains(at)) {
        m_recorder->StopRecording();
        DeleteMacro();
    }
    SkinnedWindow::mousePressEvent(event);
}

// --- messages and the pre-translation step -------------------------------------------------

bool CMacroProgramDialog::event(QEvent* e) {
    if (static_cast<int>(e->type()) == UM_RECORD_KEY) {
        m_recorder->OnRecordKey(static_cast<int>(static_cast<MessageEvent*>(e)->WParam()));
        return true;
    }
    // Where the keys come only while this window has the focus (Wayland), a recording
    // pauses while another window has it, and the title says so.
    if (e->type() == QEvent::WindowDeactivate && m_capture.FocusOnly() && m_recorder->Recording()) {
        m_recorder->Pause();
        update(kTitleRect);
    } else if (e->type() == QEvent::WindowActivate && m_recorder->Paused()) {
        m_recorder->Resume();
        update(kTitleRect);
    }
    return SkinnedWindow::event(e);
}

bool CMacroProgramDialog::RecordingPaused() const {
    return m_recorder->Paused();
}

bool CMacroProgramDialog::eventFilter(QObject* watched, QEvent* e) {
    const int type = static_cast<int>(e->type());
    if (type == WM_LEBEDIT_END && (watched == m_names || watched == m_keys)) {
        auto* m = static_cast<MessageEvent*>(e);
        OnEditEnded(static_cast<QListWidget*>(watched), m->WParam(), m->LParam());
        return true;
    }
    if (e->type() == QEvent::MouseButtonPress && watched == m_keys->viewport() &&
        static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
        auto* mouse = static_cast<QMouseEvent*>(e);
        // The menu acts on the line that is selected; a right click does not select.
        if (m_keys->currentRow() >= 0) {
            ShowContextMenu(mouse->globalPosition().toPoint());
        }
        return true;
    }
    return SkinnedWindow::eventFilter(watched, e);
}

void CMacroProgramDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Meta || event->key() == Qt::Key_Super_L || event->key() == Qt::Key_Super_R) {
        event->accept();  // the Windows keys do nothing here
        return;
    }
    SkinnedWindow::keyPressEvent(event);
}

void CMacroProgramDialog::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Meta || event->key() == Qt::Key_Super_L || event->key() == Qt::Key_Super_R) {
        event->accept();
        return;
    }
    SkinnedWindow::keyReleaseEvent(event);
}

}  // namespace qm
