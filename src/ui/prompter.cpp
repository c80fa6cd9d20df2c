#include "ui/prompter.h"

#include <QDialog>
#include <QFileDialog>

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

} // namespace narrix
