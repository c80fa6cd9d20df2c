#pragma once

#include "dialogs/tips_rotation.h"

#include <QDialog>

class QCheckBox;
class QLabel;

namespace narrix {

// "Tip of the Day": shows the tip of line 2 of Tips.txt, "Next Tip" moves on, the check box "Show
// Tips at Startup" starts as line 1 says. Closing by OK, Esc or the close box gives closedLines() and
// showTips(); the caller saves them.
class TfrmTOD : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTOD(const QStringList& lines, QWidget* parent = nullptr);

    QString shownTip() const;
    // False when it never closed by OK, Esc or the close box (the program ended while it was up).
    bool closed() const { return closed_; }
    // Valid once the dialog has closed.
    const QStringList& closedLines() const { return closedLines_; }
    bool showTips() const { return showTips_; }

    void done(int result) override;

private:
    void nextTip();

    TipsRotation tips_;
    QLabel* tip_ = nullptr;
    QCheckBox* showAtStartup_ = nullptr;
    QStringList closedLines_;
    bool showTips_ = true;
    bool closed_ = false;
};

} // namespace narrix
