#pragma once

#include "dialogs/mailbox_form.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace narrix {

class DialogHost;

// The e-mail account dialog ("Email Reader"): describes a POP3 mailbox and composes the mailbox
// address a scheduled speech stores as its address.
class TfrmEmail : public QDialog
{
    Q_OBJECT
public:
    TfrmEmail(DialogHost& dialogs, const QString& address, QWidget* parent = nullptr);

    // After OK the composed mailbox address; otherwise the address exactly as it came in.
    QString address() const { return result_; }

    // Shows the dialog modally and returns address().
    static QString run(DialogHost& dialogs, QWidget* owner, const QString& address);

private:
    void Button1Click();
    MailboxForm form() const;

    DialogHost& dialogs_;
    QString result_;
    QLineEdit* edMail = nullptr;
    QLineEdit* edServer = nullptr;
    QLineEdit* edPort = nullptr;
    QLineEdit* edUser = nullptr;
    QLineEdit* edPass = nullptr;
    QCheckBox* cbBody = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace narrix
