#include "ui/prompter.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>

namespace narrix {

QMessageBox::StandardButton WidgetPrompter::message(QWidget* parent, QMessageBox::Icon icon,
                                                    const QString& caption, const QString& text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

int WidgetPrompter::execDialog(QDialog& dialog)
{
    return dialog.exec();
}

QString WidgetPrompter::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                     const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString WidgetPrompter::saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                     const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
}

std::optional<QString> WidgetPrompter::inputText(QWidget* parent, const QString& caption,
                                                 const QString& prompt, const QString& text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

std::optional<QString> WidgetPrompter::inputPassword(QWidget* parent, const QString& caption,
                                                     const QString& prompt)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, caption, prompt, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

} // namespace narrix
