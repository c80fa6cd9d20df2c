#pragma once

#include "fakes/scripted_answers.h"

#include "app/program_state.h"
#include "ui/prompter.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <optional>

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
    std::deque<std::optional<QString>> inputs; // answers of input boxes; cancelled when empty
    QStringList inputCaptions;                 // "caption|prompt" of each input box asked

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
        return runDialogs ? dialog.exec() : nextAnswer(dialogResults, int(QDialog::Rejected));
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return nextAnswer(fileNames, QString());
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return nextAnswer(fileNames, QString());
    }

    std::optional<QString> inputText(QWidget*, const QString& caption, const QString& prompt,
                                     const QString&) override
    {
        inputCaptions << caption + QLatin1Char('|') + prompt;
        if (inputs.empty() || !inputs.front().has_value()) {
            if (!inputs.empty())
                inputs.pop_front();
            return std::nullopt;
        }
        const QString answer = *inputs.front();
        inputs.pop_front();
        return answer;
    }
};

} // namespace narrix::testing
