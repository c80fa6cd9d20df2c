#include "plugin/modal_dialogs.h"

namespace narrix {

ModalScope::ModalScope(int& openDialogs) : openDialogs_(openDialogs)
{
    ++openDialogs_;
}

ModalScope::~ModalScope()
{
    --openDialogs_;
}

QMessageBox::StandardButton ModalDialogs::message(QMessageBox::Icon icon, const QString& caption,
                                                  const QString& text, QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton defaultButton)
{
    ModalScope scope(openDialogs_);
    return prompter_.message(parent_, icon, caption, text, buttons, defaultButton);
}

void ModalDialogs::refuse(const QString& text)
{
    message(QMessageBox::Warning, QStringLiteral("Narrix"), text, QMessageBox::Ok, QMessageBox::Ok);
}

bool ModalDialogs::confirm(const QString& text)
{
    return message(QMessageBox::Question, QStringLiteral("Narrix"), text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes) == QMessageBox::Yes;
}

int ModalDialogs::exec(QDialog& dialog)
{
    ModalScope scope(openDialogs_);
    return prompter_.execDialog(dialog);
}

QString ModalDialogs::openFileName(const QString& caption, const QString& folder, const QString& filter)
{
    ModalScope scope(openDialogs_);
    return prompter_.openFileName(parent_, caption, folder, filter);
}

QString ModalDialogs::saveFileName(const QString& caption, const QString& folder, const QString& filter)
{
    ModalScope scope(openDialogs_);
    return prompter_.saveFileName(parent_, caption, folder, filter);
}

std::optional<QString> ModalDialogs::inputPassword(const QString& prompt)
{
    ModalScope scope(openDialogs_);
    return prompter_.inputPassword(parent_, QStringLiteral("Narrix"), prompt);
}

} // namespace narrix
