#include "speech/voice_properties_dialog.h"

#include "speech/language_codes.h"
#include "speech/speech_properties.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace narrix {
namespace {

QPushButton* button(QWidget* parent, const char* name, const char* text)
{
    auto* result = new QPushButton(QCoreApplication::translate("narrix::TfrmProp", text), parent);
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

TfrmProp::TfrmProp(SpeechProperties& logic, std::function<void()> getMore, QWidget* parent,
                   const QLocale& locale)
    : QDialog(parent), logic_(logic), getMore_(std::move(getMore)),
      systemLanguage_(windowsPrimaryLanguage(locale.name().toStdString()))
{
    setObjectName(QStringLiteral("TfrmProp"));
    setWindowTitle(tr("Speech Properties"));
    auto* layout = new QVBoxLayout(this);

    auto* languageRow = new QHBoxLayout;
    auto* languageLabel = new QLabel(tr("&Language:"), this);
    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    languageLabel->setBuddy(cbLanguage);
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(cbLanguage, 1);
    layout->addLayout(languageRow);

    auto* voiceRow = new QHBoxLayout;
    auto* voiceLabel = new QLabel(tr("&Voice:"), this);
    cbVoice = new QComboBox(this);
    cbVoice->setObjectName(QStringLiteral("cbVoice"));
    cbVoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbVoice->setMinimumContentsLength(30);
    voiceLabel->setBuddy(cbVoice);
    voiceRow->addWidget(voiceLabel);
    voiceRow->addWidget(cbVoice, 1);
    layout->addLayout(voiceRow);

    auto* information = new QGroupBox(tr(" Voice Information "), this);
    auto* form = new QFormLayout(information);
    lName = valueLabel(information, "lName");
    lLang = valueLabel(information, "lLang");
    lGender = valueLabel(information, "lGender");
    lAge = valueLabel(information, "lAge");
    form->addRow(tr("Name:"), lName);
    form->addRow(tr("Language:"), lLang);
    form->addRow(tr("Gender:"), lGender);
    form->addRow(tr("Age:"), lAge);
    layout->addWidget(information);

    auto* advancedGroup = new QGroupBox(tr(" Advanced "), this);
    auto* advancedRow = new QHBoxLayout(advancedGroup);
    QPushButton* advanced =
        button(advancedGroup, "btnAdvanced", QT_TRANSLATE_NOOP("narrix::TfrmProp", "A&dvanced..."));
    advancedRow->addWidget(advanced);
    auto* note = new QLabel(tr("Note: Not every voice provides an Advanced Option."), advancedGroup);
    note->setWordWrap(true);
    advancedRow->addWidget(note, 1);
    layout->addWidget(advancedGroup);

    auto* speedGroup = new QGroupBox(tr(" Voice Speed "), this);
    auto* speedRow = new QHBoxLayout(speedGroup);
    auto* slow = new QLabel(tr("&Slow"), speedGroup);
    speedSlider_ = new QSlider(Qt::Horizontal, speedGroup);
    speedSlider_->setObjectName(QStringLiteral("TrackBar1"));
    speedSlider_->setPageStep(8);
    speedSlider_->setTickPosition(QSlider::NoTicks);
    slow->setBuddy(speedSlider_);
    auto* fast = new QLabel(tr("&Fast"), speedGroup);
    fast->setBuddy(speedSlider_);
    speedRow->addWidget(slow);
    speedRow->addWidget(speedSlider_, 1);
    speedRow->addWidget(fast);
    lSpeed = new QLabel(speedGroup);
    lSpeed->setObjectName(QStringLiteral("lSpeed"));
    speedRow->addWidget(lSpeed);
    layout->addWidget(speedGroup);

    auto* buttons = new QHBoxLayout;
    // A flat button drawn as a link that lights up under the mouse (the dialogs' link labels are above
    // this layer); Enter and Space work on it like on any button.
    QPushButton* more = button(this, "lnkGetMore", QT_TRANSLATE_NOOP("narrix::TfrmProp", "Get More!!!"));
    more->setFlat(true);
    more->setCursor(Qt::PointingHandCursor);
    more->setToolTip(tr("Get more voices and languages!"));
    more->setStyleSheet(
        QStringLiteral("QPushButton { color: blue; text-decoration: underline; border: none; }"
                       "QPushButton:hover { color: red; }"));
    QPushButton* rescan = button(this, "btnRescan", QT_TRANSLATE_NOOP("narrix::TfrmProp", "&Rescan"));
    QPushButton* preview = button(this, "btnPreview", QT_TRANSLATE_NOOP("narrix::TfrmProp", "&Preview"));
    QPushButton* close = button(this, "btnClose", QT_TRANSLATE_NOOP("narrix::TfrmProp", "&Close"));
    close->setDefault(true);
    buttons->addWidget(more);
    buttons->addStretch(1);
    buttons->addWidget(rescan);
    buttons->addWidget(preview);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(cbLanguage, &QComboBox::currentIndexChanged, this, [this] { showVoicesOfLanguage(); });
    connect(cbVoice, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(shownVoices_.size()))
            logic_.pickVoice(shownVoices_[static_cast<std::size_t>(index)]);
    });
    connect(speedSlider_, &QSlider::valueChanged, this, [this](int value) {
        showWordsPerMinute(value);
        logic_.moveSpeed(value);
    });
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
    const QSignalBlocker blockSpeed(speedSlider_);
    if (listedVoices_ != logic_.voices()) {
        listedVoices_ = logic_.voices();
        languageFilter_.setVoices(logic_.voiceLanguages(), systemLanguage_);
        const QSignalBlocker blockLanguages(cbLanguage);
        cbLanguage->clear();
        cbLanguage->addItems(languageFilter_.labels());
        cbLanguage->setCurrentIndex(languageFilter_.initialChoice());
        shownVoices_.clear();
        cbVoice->clear();
    }
    showVoicesOfLanguage();
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
        showWordsPerMinute(speedSlider_->value());
    } else {
        lSpeed->clear();
    }
}

void TfrmProp::showVoicesOfLanguage()
{
    const QSignalBlocker blockList(cbVoice);
    const int selected = logic_.selectedVoice();
    std::vector<int> shown = languageFilter_.shownVoices(cbLanguage->currentIndex(), selected);
    if (shown != shownVoices_ || cbVoice->count() != static_cast<int>(shown.size())) {
        shownVoices_ = std::move(shown);
        QStringList names;
        names.reserve(static_cast<qsizetype>(shownVoices_.size()));
        for (int voice : shownVoices_)
            names << listedVoices_[voice];
        cbVoice->clear();
        cbVoice->addItems(names);
    }
    const auto at = std::find(shownVoices_.begin(), shownVoices_.end(), selected);
    cbVoice->setCurrentIndex(at == shownVoices_.end() ? -1 : static_cast<int>(at - shownVoices_.begin()));
}

void TfrmProp::showWordsPerMinute(int speed)
{
    lSpeed->setText(tr("%1 words per minute").arg(speed));
}

} // namespace narrix
