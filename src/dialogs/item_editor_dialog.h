#pragma once

#include "dialogs/text_picker_dialog.h"
#include "schedule/item_editor_values.h"

#include <QDialog>

#include <string>

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace narrix {

class DialogHost;

// What the item editor needs besides the values: the window's dialog seam, the locale's time separator, and
// where its Text Picker gets the page from (the address is the editor's own).
struct ItemEditorContext
{
    DialogHost& dialogs;
    std::string timeSeparator = ":";
    PickerPageSource picker;
};

// The item editor ("Add/Edit Scheduled Speech"): title, address, frequency, time, weekday, day of
// month and month of one schedule item, and through the Text Picker its two keywords. The number
// fields keep digits only and stay in range while the user types; OK refuses an empty title, a
// title with "]" and an empty address.
class TfrmSche : public QDialog
{
    Q_OBJECT
public:
    TfrmSche(const ItemEditorValues& values, ItemEditorContext context, QWidget* parent = nullptr);

    // The values as they stand; accepted only after OK passed its checks.
    ItemEditorValues values() const { return values_; }

    // Shows the editor modally through the dialogs seam and returns what the user left.
    static ItemEditorValues run(const ItemEditorValues& values, ItemEditorContext context, QWidget* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void FormShow();
    void cbFreqChange();
    void edHourChange();
    void edMinChange();
    void edDateChange();
    void Button1Click();
    void Action1Execute();
    void Action2Execute();
    void Action3Execute();
    void applyNumberRule(QLineEdit* edit, int limit);
    void step(QLineEdit* edit, int delta, int low, int high);
    QWidget* upDown(QLineEdit* edit, const char* name, int low, int high);

    ItemEditorValues values_;
    ItemEditorContext context_;
    TextPickerValues picker_;

    QLineEdit* edTitle = nullptr;
    QLineEdit* edFile = nullptr;
    QToolButton* sbOpen = nullptr;
    QToolButton* sbPick = nullptr;
    QToolButton* emailReaderButton_ = nullptr;
    QComboBox* cbFreq = nullptr;
    QLineEdit* edHour = nullptr;
    QLineEdit* edMin = nullptr;
    QComboBox* cbWeekday = nullptr;
    QLineEdit* edDate = nullptr;
    QWidget* udDate = nullptr;
    QComboBox* cbMonth = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QAction* browseFileAction_ = nullptr;
    QAction* textPickerAction_ = nullptr;
    QAction* emailReaderAction_ = nullptr;
};

} // namespace narrix
