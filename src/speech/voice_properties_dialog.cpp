#include "speech/voice_properties_dialog.h"

#include "speech/speech_properties.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace narrix {
namespace {

QPushButton* button(QWidget* parent, const char* name, const char* text)
{
    auto* result = new QPushButton(QString::fromLatin1(text), parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setAutoDefault(false);
    return result;
}

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TfrmProp::TfrmProp(SpeechProperties& logic, std::function<void()> getMore, QWidget* parent)
    : QDialog(parent), logic_(logic), getMore_(std::move(getMore))
{
    setObjectName(QStringLiteral("TfrmProp"));
    setWindowTitle(QStringLiteral("Speech Properties"));
    auto* layout = new QVBoxLayout(this);

    auto* voiceRow = new QHBoxLayout;
    auto* voiceLabel = new QLabel(QStringLiteral("&Voice:"), this);
    cbVoice = new QComboBox(this);
    cbVoice->setObjectName(QStringLiteral("cbVoice"));
    cbVoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbVoice->setMinimumContentsLength(30);
    voiceLabel->setBuddy(cbVoice);
    voiceRow->addWidget(voiceLabel);
    voiceRow->addWidget(cbVoice, 1);
    layout->addLayout(voiceRow);

    auto* information = new QGroupBox(QStringLiteral(" Voice Information "), this);
    auto* form = new QFormLayout(information);
    lName = valueLabel(information, "lName");
    lLang = valueLabel(information, "lLang");
    lGender = valueLabel(information, "lGender");
    lAge = valueLabel(information, "lAge");
    form->addRow(QStringLiteral("Name:"), lName);
    form->addRow(QStringLiteral("Language:"), lLang);
    form->addRow(QStringLiteral("Gender:"), lGender);
    form->addRow(QStringLiteral("Age:"), lAge);
    layout->addWidget(information);

    auto* advancedGroup = new QGroupBox(QStringLiteral(" Advanced "), this);
    auto* advancedRow = new QHBoxLayout(advancedGroup);
    QPushButton* advanced = button(advancedGroup, "btnAdvanced", "A&dvanced...");
    advancedRow->addWidget(advanced);
    auto* note =
        new QLabel(QStringLiteral("Note: Not every voice provides an Advanced Option."), advancedGroup);
    note->setWordWrap(true);
    advancedRow->addWidget(note, 1);
    layout->addWidget(advancedGroup);

    auto* speedGroup = new QGroupBox(QStringLiteral(" Voice Speed "), this);
    auto* speedRow = new QHBoxLayout(speedGroup);
    auto* slow = new QLabel(QStringLiteral("&Slow"), speedGroup);
    speedSlider_ = new QSlider(Qt::Horizontal, speedGroup);
    speedSlider_->setObjectName(QStringLiteral("TrackBar1"));
    speedSlider_->setPageStep(8);
    speedSlider_->setTickPosition(QSlider::NoTicks);
    slow->setBuddy(speedSlider_);
    auto* fast = new QLabel(QStringLiteral("&Fast"), speedGroup);
    fast->setBuddy(speedSlider_);
    speedRow->addWidget(slow);
    speedRow->addWidget(speedSlider_, 1);
    speedRow->addWidget(fast);
    layout->addWidget(speedGroup);

    auto* buttons = new QHBoxLayout;
    // A flat button drawn as a link that lights up under the mouse (the dialogs' link labels are above
    // this layer); Enter and Space work on it like on any button.
    QPushButton* more = button(this, "lnkGetMore", "Get More!!!");
    more->setFlat(true);
    more->setCursor(Qt::PointingHandCursor);
    more->setToolTip(QStringLiteral("Get more voices and languages!"));
    more->setStyleSheet(
        QStringLiteral("QPushButton { color: blue; text-decoration: underline; border: none; }"
                       "QPushButton:hover { color: red; }"));
    QPushButton* rescan = button(this, "btnRescan", "&Rescan");
    QPushButton* preview = button(this, "btnPreview", "&Preview");
    QPushButton* close = button(this, "btnClose", "&Close");
    close->setDefault(true);
    buttons->addWidget(more);
    buttons->addStretch(1);
    buttons->addWidget(rescan);
    buttons->addWidget(preview);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(cbVoice, &QComboBox::currentIndexChanged, this, [this](int index) { logic_.pickVoice(index); });
    connect(speedSlider_, &QSlider::valueChanged, this, [this](int value) { logic_.moveSpeed(value); });
    connect(advanced, &QPushButton::clicked, this, [this] { logic_.advanced(); });
    connect(rescan, &QPushButton::clicked, this, [this] { logic_.rescan(); });
    connect(preview, &QPushButton::clicked, this, [this] { logic_.preview(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(more, &QPushButton::clicked, this, [this] {
        if (getMore_)
            getMore_();
    });
    connect(&logic_, &SpeechProperties::changed, this, &TfrmProp::refresh);
    cbVoice->setFocus();
}

void TfrmProp::refresh()
{
    const QSignalBlocker blockList(cbVoice);
    const QSignalBlocker blockSpeed(speedSlider_);
    if (cbVoice->count() != logic_.voices().size() || [this] {
            for (int i = 0; i < cbVoice->count(); ++i)
                if (cbVoice->itemText(i) != logic_.voices()[i])
                    return true;
            return false;
        }()) {
        cbVoice->clear();
        cbVoice->addItems(logic_.voices());
    }
    cbVoice->setCurrentIndex(logic_.selectedVoice());
    cbVoice->setToolTip(logic_.voiceHint());
    const VoiceInformation& information = logic_.information();
    lName->setText(information.name);
    lLang->setText(information.language);
    lGender->setText(information.gender);
    lAge->setText(information.age);
    if (logic_.speedShown()) {
        speedSlider_->setRange(logic_.speedMinimum(), logic_.speedMaximum());
        speedSlider_->setValue(logic_.speedPosition());
        speedSlider_->setToolTip(logic_.speedHint());
    }
}

} // namespace narrix
