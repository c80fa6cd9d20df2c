#pragma once

#include <QDialog>

class QRadioButton;

namespace narrix {

// The "Quick Start Guide": six choices, the first selected. OK returns the selected one's number (1
// to 6), a double-click on a choice returns its number at once; Cancel and closing give -1.
class TfrmGuide final : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kChoices = 6;

    explicit TfrmGuide(QWidget* parent = nullptr);

    // Selects the first choice again (each showing starts there).
    void reset();
    // After the dialog closed: 1..6, or -1 when nothing was chosen.
    int choice() const { return choice_; }
    // The choice selected now, 1..6.
    int selectedChoice() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    QRadioButton* choices_[kChoices] = {};
    int choice_ = -1;
    int doubleClicked_ = -1;
};

} // namespace narrix
