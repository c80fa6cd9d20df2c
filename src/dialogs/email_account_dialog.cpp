#include "dialogs/email_account_dialog.h"

#include "dialogs/dialog_host.h"
#include "dialogs/ok_cancel_row.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace narrix {
namespace {

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TfrmEmail::TfrmEmail(DialogHost& dialogs, const QString& address, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      dialogs_(dialogs), result_(address)
{
    setObjectName(QStringLiteral("frmEmail"));
    setWindowTitle(tr("Email Reader"));
    const MailboxForm initial = parseMailboxForm(address.toStdString());
    const auto edit = [this](const char* name, const std::string& text) {
        auto* e = new QLineEdit(fromUtf8(text), this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    edMail = edit("edMail", initial.email);
    edServer = edit("edServer", initial.server);
    edPort = edit("edPort", initial.port);
    edUser = edit("edUser", initial.user);
    edPass = edit("edPass", initial.password);
    edPass->setEchoMode(QLineEdit::Password);
    cbBody = new QCheckBox(tr("Also read message &bodies"), this);
    cbBody->setObjectName(QStringLiteral("cbBody"));
    cbBody->setChecked(initial.readBodies);
    const OkCancelRow buttons(this);
    okButton_ = buttons.ok;
    cancelButton_ = buttons.cancel;

    auto* label1 = new QLabel(tr("Email Reader can read your emails aloud for you."), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto* form = new QFormLayout;
    form->addRow(tr("&Email address:"), edMail);
    form->addRow(tr("POP3 &server:"), edServer);
    form->addRow(tr("Por&t:"), edPort);
    form->addRow(tr("&User name:"), edUser);
    form->addRow(tr("&Password:"), edPass);
    auto* passwordNote =
        new QLabel(tr("The password is kept in the schedule list file, which only you can read."), this);
    passwordNote->setObjectName(QStringLiteral("lblPasswordNote"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addLayout(form);
    layout->addWidget(passwordNote);
    layout->addWidget(cbBody);
    layout->addLayout(buttons.layout);

    edMail->selectAll();
    edMail->setFocus();
    connect(okButton_, &QPushButton::clicked, this, &TfrmEmail::Button1Click);
    setFixedSize(sizeHint());
}

MailboxForm TfrmEmail::form() const
{
    return {edMail->text().toStdString(), edServer->text().toStdString(), edPort->text().toStdString(),
            edUser->text().toStdString(), edPass->text().toStdString(),   cbBody->isChecked()};
}

void TfrmEmail::Button1Click()
{
    QLineEdit* const boxes[] = {edMail, edServer, edPort, edUser, edPass};
    for (QLineEdit* box : boxes) {
        if (box->text().trimmed().isEmpty())
            box->setText(QStringLiteral("*"));
    }
    // The address has no quoting: a blank inside a field would shift every later field.
    static const char* const kNames[] = {"Email address", "POP3 server", "Port", "User name", "Password"};
    if (const int box = boxWithInnerBlank(form()); box >= 0) {
        boxes[box]->setFocus();
        dialogs_.refuse(QStringLiteral("%1 cannot contain blanks.").arg(QLatin1String(kNames[box])));
        return;
    }
    result_ = fromUtf8(composeMailboxAddress(form()));
    accept();
}

QString TfrmEmail::run(DialogHost& dialogs, QWidget* owner, const QString& address)
{
    TfrmEmail dialog(dialogs, address, owner);
    dialogs.exec(dialog);
    return dialog.address();
}

} // namespace narrix
