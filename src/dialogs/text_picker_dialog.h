#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace narrix {

class PickerPageReader;

// The keywords that cut a channel's passage out of its page.
struct TextPickerValues
{
    std::string leadKey;
    std::string trailKey;
    bool leadInc = false;
    bool trailInc = false;
    bool operator==(const TextPickerValues&) const = default;
};

// Where the Text Picker gets the page to pick from: the item's address and the proxy settings. The
// reader is null when no page can be fetched; the keywords can still be typed.
struct PickerPageSource
{
    PickerPageReader* reader = nullptr;
    std::string address;
    std::string proxy;
    std::string port;
};

// The Text Picker: the two keywords and their include switches, and the page's text, from which the
// selected words can be taken as either keyword. Esc while the page is being fetched cancels the
// fetch; otherwise it closes the dialog like Cancel.
class TfrmPicker : public QDialog
{
    Q_OBJECT
public:
    TfrmPicker(const TextPickerValues& values, PickerPageSource source, QWidget* parent = nullptr);

    TextPickerValues values() const;

    void done(int result) override;

private:
    void fetchPage();
    void useSelection(QLineEdit* target);

    PickerPageSource source_;
    QLineEdit* edLead = nullptr;
    QCheckBox* cbLead = nullptr;
    QLineEdit* edTrail = nullptr;
    QCheckBox* cbTrail = nullptr;
    QPushButton* btnFetch = nullptr;
    QPlainTextEdit* mmPage = nullptr;
    QPushButton* btnUseLead = nullptr;
    QPushButton* btnUseTrail = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace narrix
