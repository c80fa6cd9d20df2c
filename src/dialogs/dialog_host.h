#pragma once

#include <QString>

class QDialog;

namespace narrix {

// What the program's dialogs need from the window that opens them: its refusals, nested dialogs and
// file dialogs, all counted as open modal dialogs. The main window supplies it.
class DialogHost
{
public:
    virtual ~DialogHost() = default;
    // Exclamation icon and OK, caption "Narrix".
    virtual void refuse(const QString& text) = 0;
    // Shows `dialog` modally and returns its result code.
    virtual int exec(QDialog& dialog) = 0;
    // An existing file, or empty when cancelled.
    virtual QString openFileName(const QString& caption, const QString& filter) = 0;
};

} // namespace narrix
