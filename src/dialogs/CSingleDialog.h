// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QLabel>
#include <functional>
#include <string>

#include "controls/SkinnedWindow.h"
#include "platform/DebugOutput.h"
#include "platform/KeyboardCapture.h"

namespace qm {

// The single key dialog: while it is open the keyboard is captured and every key event
// is swallowed and named; the field shows the name, and OK returns the last one.
class CSingleDialog : public SkinnedWindow {
    Q_OBJECT

public:
    // The font of its texts and painted captions.
    const QFont& TextFont() const { return m_font; }
    using Message = std::function<void(const QString& caption, const QString& text)>;

    CSingleDialog(const QString& languageCode, DebugOutput& debug, Message message, QWidget* parent = nullptr);
    ~CSingleDialog() override;

    // Set before Open (the name of the button's current key, or empty); the result.
    std::string keyName;

    void Open();
    int Run();
    // Starts the capture (Open does so once the dialog is on screen).
    void StartCapture();

    KeyboardCapture& Capture() { return m_capture; }
    QLabel* NameField() const { return m_field; }

    static constexpr QRect kOk{QPoint(244, 250), QPoint(307, 274)};
    static constexpr QRect kCancel{QPoint(314, 250), QPoint(377, 274)};
    static constexpr QRect kClose{QPoint(352, 6), QPoint(369, 23)};

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void done(int result) override;
    bool IsDragSpot(const QPoint& pos) const override { return m_buttons.At(pos) < 0; }

private:
    QString Text(int entry) const;

    QString m_languageCode;
    DebugOutput& m_debug;
    Message m_message;
    KeyboardCapture m_capture;
    std::string m_lastKeyName;  // SingleKeyName
    QFont m_font;
    QLabel* m_field = nullptr;
    bool m_loaded = false;
    bool m_captureTried = false;
    int m_grabAttempts = 0;
};

}  // namespace qm
