#pragma once

#include "ui/prompter.h"

namespace narrix {

// Raises the count of open modal dialogs for its lifetime.
class ModalScope
{
public:
    explicit ModalScope(int& openDialogs);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    int& openDialogs_;
};

// The one way the program shows a modal dialog or message box: while it is shown, the count of open
// modal dialogs is above 0, so the handlers that must wait (a second start's come-to-the-front request,
// the tray's minimise click, the close when a spoken item is done) can see it.
class ModalDialogs
{
public:
    // `openDialogs` is the window's count of open modal dialogs.
    ModalDialogs(int& openDialogs, Prompter& prompter, QWidget* parent)
        : openDialogs_(openDialogs), prompter_(prompter), parent_(parent)
    {
    }

    // A box captioned "Narrix" unless another caption is given.
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // Exclamation icon and OK, caption "Narrix": the program's refusals.
    void refuse(const QString& text);
    // Question icon with Yes and No, caption "Narrix": true for Yes.
    bool confirm(const QString& text);
    int exec(QDialog& dialog);
    QString openFileName(const QString& caption, const QString& folder, const QString& filter);
    QString saveFileName(const QString& caption, const QString& folder, const QString& filter);
    // A password box captioned "Narrix"; nothing when cancelled.
    std::optional<QString> inputPassword(const QString& prompt);

    Prompter& prompter() { return prompter_; }

private:
    int& openDialogs_;
    Prompter& prompter_;
    QWidget* parent_;
};

} // namespace narrix
