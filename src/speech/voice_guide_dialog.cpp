#include "speech/voice_guide_dialog.h"

#include "speech/ok_cancel_buttons.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace narrix {

TfrmGuide::TfrmGuide(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmGuide"));
    setWindowTitle(tr("Quick Start Guide"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("What do you want to hear now?"), this));
    static const char* const texts[kChoices] = {
        QT_TR_NOOP("Open and read a text document for me!"),
        QT_TR_NOOP("Select a random channel and play it!"),
        QT_TR_NOOP("Tell me the current time!"),
        QT_TR_NOOP("Tell me the current date!"),
        QT_TR_NOOP("What's in the Clipboard?"),
        QT_TR_NOOP("Open the Help file and learn MORE!"),
    };
    for (int i = 0; i < kChoices; ++i) {
        choices_[i] = new QRadioButton(tr(texts[i]), this);
        choices_[i]->setObjectName(QStringLiteral("rbChoice%1").arg(i + 1));
        choices_[i]->installEventFilter(this);
        layout->addWidget(choices_[i]);
    }
    layout->addWidget(okCancelButtons(*this));
    reset();
}

void TfrmGuide::reset()
{
    choices_[0]->setChecked(true);
    choices_[0]->setFocus();
    choice_ = -1;
    doubleClicked_ = -1;
}

bool TfrmGuide::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < kChoices; ++i) {
            if (watched == choices_[i]) {
                choices_[i]->setChecked(true);
                doubleClicked_ = i + 1;
                accept();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmGuide::done(int result)
{
    choice_ = result == QDialog::Accepted ? (doubleClicked_ > 0 ? doubleClicked_ : selectedChoice()) : -1;
    QDialog::done(result);
}

int TfrmGuide::selectedChoice() const
{
    for (int i = 0; i < kChoices; ++i)
        if (choices_[i]->isChecked())
            return i + 1;
    return -1;
}

} // namespace narrix
