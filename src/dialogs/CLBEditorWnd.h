// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPointer>

class QListWidget;

namespace qm {

// The in-place editor of a list: a one-line edit laid over one item. Enter or Tab, a
// click elsewhere or the loss of the focus commit; Esc cancels. Either way the list gets
// WM_LEBEDIT_END (wParam 1, lParam the item's index) and the editor goes away.
class CLBEditorWnd : public QLineEdit {
    Q_OBJECT

public:
    // What the editor edits (a process-wide setting its owner makes before opening it).
    enum Mode : int { kProfileName = 1, kDelay = 2, kMacroName = 3 };
    static int ListEditMode;

    // Opens an editor over item `index` of `list`; null (nothing shown) when the index
    // is out of range. Number mode accepts digits only. The editor frees itself.
    static CLBEditorWnd* BeginEdit(QListWidget* list, int index, bool numberMode);

    int Index() const { return m_index; }
    // Ends the edit (later requests are ignored).
    void EndEdit(bool commit);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CLBEditorWnd(QListWidget* list, int index);
    void Apply(const QString& text);

    QPointer<QListWidget> m_list;
    int m_index;
    bool m_ending = false;
    // The edit ended as a click elsewhere took the focus: that click is still on its way
    // (the focus moves before the press is delivered), and does nothing else either.
    bool m_eatPress = false;
};

}  // namespace qm
