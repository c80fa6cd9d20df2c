#pragma once

#include "dialogs/dialog_host.h"
#include "plugin/modal_dialogs.h"

namespace narrix {

// The program's dialogs shown through the main window's dialog seam.
class ModalDialogHost final : public DialogHost
{
public:
    explicit ModalDialogHost(ModalDialogs& dialogs) : dialogs_(dialogs) {}
    void refuse(const QString& text) override { dialogs_.refuse(text); }
    int exec(QDialog& dialog) override { return dialogs_.exec(dialog); }
    QString openFileName(const QString& caption, const QString& filter) override
    {
        return dialogs_.openFileName(caption, QString(), filter);
    }

private:
    ModalDialogs& dialogs_;
};

} // namespace narrix
