#pragma once

#include <QMessageBox>
#include <QString>
#include <optional>

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
    // An input box with one line of text: the answer, or nothing when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& caption, const QString& prompt,
                                             const QString& text) = 0;
    // An input box whose text is hidden as it is typed (a document's password); nothing when
    // cancelled. Doubles that script input boxes answer it as one.
    virtual std::optional<QString> inputPassword(QWidget* parent, const QString& caption, const QString& prompt)
    {
        return inputText(parent, caption, prompt, QString());
    }
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
    std::optional<QString> inputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& text) override;
    std::optional<QString> inputPassword(QWidget* parent, const QString& caption, const QString& prompt) override;
};

} // namespace narrix
