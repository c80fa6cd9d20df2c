#pragma once

#include "dialogs/options_values.h"

#include <QGroupBox>
#include <QKeySequenceEdit>

#include <array>

class QLabel;
class QPushButton;

namespace narrix {

// A key box for one desktop-wide shortcut. It takes one key with Ctrl, Alt or the logo key (or a
// function or media key), the last one pressed; Backspace and Delete empty it, Tab and Shift+Tab move
// on, and any other plain key (Esc, Enter) goes to the dialog.
class ShortcutEdit final : public QKeySequenceEdit
{
    Q_OBJECT
public:
    using QKeySequenceEdit::QKeySequenceEdit;

    // The key as stored: Qt's portable text of its one key, empty for none.
    QString storedText() const;
    void setStoredText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Options' "Shortcuts" group: a key box and a Clear button for Read Clipboard, Play/Pause and Stop, and
// one line that says how the keys reach Narrix in this session or why they cannot. One key serves one
// command: given to another, it leaves the first.
class ShortcutsGroup final : public QGroupBox
{
    Q_OBJECT
public:
    explicit ShortcutsGroup(QWidget* parent = nullptr);

    void load(const OptionsValues& values);
    void store(OptionsValues& values) const;

private:
    void keepKeysApart(int changed);

    std::array<ShortcutEdit*, 3> edits_{};
    std::array<QPushButton*, 3> clearButtons_{};
    QLabel* note_ = nullptr;
};

} // namespace narrix
