#pragma once

#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

namespace narrix {

// Every message box, modal dialog and file dialog of the program, behind one seam so that tests can
// answer them by script. Use it through ModalDialogs, which keeps the count of open modal dialogs.
class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& caption, const QString& text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton) = 0;
    // Shows `dialog` modally and returns its result code.
    virtual int execDialog(QDialog& dialog) = 0;
    // Empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
};

// The real dialogs.
class WidgetPrompter final : public Prompter
{
public:
    QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    int execDialog(QDialog& dialog) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
};

} // namespace narrix
