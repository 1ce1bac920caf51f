// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QListWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/ProfileFiles.h"

namespace qm {

// The profiles panel over the left column: the list of up to six profile names, New,
// Delete, and a context menu to rename, copy, load (import) and save (export). Closing it
// writes the list and asks the main window to make the selected profile current.
class CConfigDialog : public QWidget {
    Q_OBJECT

public:
    using Message = std::function<void(const QString& caption, const QString& text)>;
    // NewProfileFlags: one per list position, set while a profile made in the panel has
    // not been made current. They outlive the panel.
    using NewFlags = std::array<int, kMaxProfiles>;

    enum Command : int { kDelete = 32781, kEdit = 32782, kCopy = 32783, kLoad = 32784, kSave = 32785 };

    // `owner` receives UM_PROFILE_COMMAND.
    CConfigDialog(ProfileFiles& files, NewFlags& newFlags, const QString& languageCode, Message message,
                  QWidget* owner);

    // Builds the panel; false (a message shown) without its background.
    bool OnInitDialog();
    int lastSelection = -1;  // LastSelection

    void AddProfile();
    void DeleteProfile();
    void RenameOrSelect();
    void CopyProfile();
    void OnMenuCommand(int id);
    // The close button: the list is written (with the files moved and copied to follow
    // it), and the window is asked to make the selected profile current.
    void Close();

    QListWidget* List() const { return m_list; }
    std::vector<std::pair<int, QString>> ContextMenuItems() const;

    static constexpr QRect kCloseRect{QPoint(240, 8), QPoint(254, 22)};
    static constexpr QRect kNewRect{QPoint(0, 575), QPoint(99, 597)};
    static constexpr QRect kDeleteRect{QPoint(110, 575), QPoint(229, 597)};

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString Text(int entry) const;
    void FillProfileList();
    void Post(int command, int index);

    ProfileFiles& m_files;
    NewFlags& m_newFlags;
    QString m_languageCode;
    Message m_message;
    QWidget* m_owner;
    QImage m_background;
    QFont m_font;
    QListWidget* m_list = nullptr;
    // Per entry: the position whose files it has (-1: none yet) and whether it is new.
    std::vector<int> m_origin;
    std::vector<int> m_isNew;
    int m_loadedCount = 0;
    bool m_listDamaged = false;  // the profile list could not be used: nothing is changed
};

}  // namespace qm
