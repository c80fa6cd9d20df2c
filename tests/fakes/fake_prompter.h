#pragma once

#include "app/program_state.h"
#include "ui/prompter.h"

#include <QDialog>
#include <QStringList>
#include <deque>

namespace narrix::testing {

// Answers dialogs by script and records what was asked. `state`, when set, lets tests check the count
// of open modal dialogs seen while each box was up.
class FakePrompter : public Prompter
{
public:
    struct Shown
    {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
        int openModalDialogs;
    };

    const ProgramState* state = nullptr;
    std::deque<QMessageBox::StandardButton> answers; // next answers; No (or Ok) when empty
    std::vector<Shown> shown;
    std::deque<int> dialogResults;
    bool runDialogs = false; // show dialogs for real (tests drive them with keys) instead of answering
    std::deque<QString> fileNames;

    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon icon, const QString& caption,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton) override
    {
        shown.push_back({icon, caption, text, buttons, state != nullptr ? state->openModalDialogs : -1});
        if (answers.empty())
            return buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<int> dialogOpenModalDialogs; // the count seen while each dialog was up
    int execDialog(QDialog& dialog) override
    {
        dialogOpenModalDialogs.push_back(state != nullptr ? state->openModalDialogs : -1);
        return runDialogs ? dialog.exec() : next(dialogResults, int(QDialog::Rejected));
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return next(fileNames, QString());
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return next(fileNames, QString());
    }

private:
    template <typename T> static T next(std::deque<T>& queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace narrix::testing
