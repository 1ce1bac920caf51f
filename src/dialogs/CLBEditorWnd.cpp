// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CLBEditorWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "controls/MessageEvent.h"
#include "macros/MacroStore.h"

namespace qm {

int CLBEditorWnd::ListEditMode = 0;

CLBEditorWnd::CLBEditorWnd(QListWidget* list, int index) : QLineEdit(list->viewport()), m_list(list), m_index(index) {}

CLBEditorWnd* CLBEditorWnd::BeginEdit(QListWidget* list, int index, bool numberMode) {
    if (list == nullptr || index < 0 || index >= list->count()) {
        return nullptr;
    }
    auto* editor = new CLBEditorWnd(list, index);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setGeometry(list->visualItemRect(list->item(index)).adjusted(-1, -1, 1, 1));
    if (numberMode) {
        editor->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), editor));
    }
    editor->setFont(list->font());
    editor->setStyleSheet(QStringLiteral("QLineEdit { background: #FFFFFF; color: #000000; border: 1px solid #000000; "
                                         "padding: 0px; }"));
    editor->setText(list->item(index)->text());
    editor->show();
    editor->setFocus();
    editor->selectAll();
    // The release of the double click that opened the editor lands on it; the text stays
    // selected for typing over.
    QTimer::singleShot(0, editor, [editor] {
        if (!editor->m_ending) {
            editor->selectAll();
        }
    });
    // Every click of the application passes here first: one outside the editor commits.
    qApp->installEventFilter(editor);
    return editor;
}

void CLBEditorWnd::Apply(const QString& text) {
    if (!m_list || m_index >= m_list->count()) {
        return;
    }
    switch (ListEditMode) {
        case kProfileName:
        case kMacroName: {
            // A name is kept without surrounding blanks: a macro's name is also the name
            // of its section in the store, and section names lose their blanks there.
            const QString name = text.trimmed();
            // A macro's name must be a section of its own: section names compare without
            // case, and some names are the list's or break the file's lines.
            const bool macro = ListEditMode == kMacroName;
            const Qt::CaseSensitivity cs = macro ? Qt::CaseInsensitive : Qt::CaseSensitive;
            bool taken = false;
            for (int i = 0; i < m_list->count(); ++i) {
                taken = taken || (i != m_index && m_list->item(i)->text().compare(name, cs) == 0);
            }
            const bool usable = macro ? IsUsableMacroName(name.toStdString())
                                      : !name.isEmpty() && !name.contains(QLatin1Char('\n')) &&
                                            !name.contains(QLatin1Char('\r'));
            if (usable && !taken) {
                m_list->item(m_index)->setText(name);
            }
            m_list->setCurrentRow(m_index);
            break;
        }
        case kDelay: {
            long v = 0;
            for (const QChar c : text) {
                if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                    break;
                }
                v = std::min<long>(v * 10 + (c.unicode() - '0'), 65536);
            }
            v = std::min<long>(v, 65535);
            m_list->item(m_index)->setText(QString::asprintf("%ld ms", v));
            m_list->setCurrentRow(m_index);
            break;
        }
        default:
            break;
    }
}

void CLBEditorWnd::EndEdit(bool commit) {
    if (m_ending) {
        return;
    }
    m_ending = true;
    if (!m_eatPress) {
        qApp->removeEventFilter(this);
    }
    if (commit) {
        Apply(text());
    }
    if (m_list) {
        PostMessage(m_list, WM_LEBEDIT_END, 1, m_index);
    }
    hide();
    deleteLater();
}

bool CLBEditorWnd::event(QEvent* event) {
    // Tab ends the edit instead of moving the focus.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
        EndEdit(true);
        return true;
    }
    return QLineEdit::event(event);
}

void CLBEditorWnd::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
            EndEdit(true);
            return;
        case Qt::Key_Escape:
            EndEdit(false);
            return;
        default:
            QLineEdit::keyPressEvent(event);
    }
}

void CLBEditorWnd::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // On a real display a click elsewhere first takes the focus, and only then arrives.
    m_eatPress = !m_ending && event->reason() == Qt::MouseFocusReason;
    EndEdit(true);
}

bool CLBEditorWnd::eventFilter(QObject* watched, QEvent* event) {
    if (m_eatPress && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        m_eatPress = false;
        qApp->removeEventFilter(this);
        return true;
    }
    if (!m_ending && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
        watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w != this && !isAncestorOf(w)) {
            // The click that ends an edit commits it and does nothing else: selecting
            // another row, New or OK would act on the list before the edit has landed.
            EndEdit(true);
            return true;
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

}  // namespace qm
