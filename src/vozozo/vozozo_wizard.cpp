#include "vozozo/vozozo_wizard.h"

#include "speech/speech_text_cleanup.h"
#include "speech/voice_tuning_store.h"
#include "ui/prompter.h"
#include "vozozo/input_reader.h"
#include "vozozo/vozozo_args.h"
#include "vozozo/vozozo_voices.h"
#include "vozozo/wav_export.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <utility>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>

namespace narrix {

VozozoWizard::VozozoWizard(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), input_(new QLineEdit(this)), voice_(new QComboBox(this)),
      speed_(new QSpinBox(this)), output_(new QLineEdit(this)), progress_(new QProgressBar(this)),
      message_(new QLabel(this)), convert_(new QPushButton(QStringLiteral("&Convert"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("vozozo - Text to WAV"));
    input_->setObjectName(QStringLiteral("input"));
    output_->setObjectName(QStringLiteral("output"));
    voice_->setObjectName(QStringLiteral("voice"));
    speed_->setObjectName(QStringLiteral("speed"));
    convert_->setObjectName(QStringLiteral("convert"));
    cancel_->setObjectName(QStringLiteral("cancel"));

    auto* browseInput = new QPushButton(QStringLiteral("&Browse..."), this);
    auto* browseOutput = new QPushButton(QStringLiteral("B&rowse..."), this);
    browseInput->setObjectName(QStringLiteral("browseInput"));
    browseOutput->setObjectName(QStringLiteral("browseOutput"));
    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(input_);
    inputRow->addWidget(browseInput);
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(output_);
    outputRow->addWidget(browseOutput);

    for (const VoiceInfo& voice : vozozoVoices())
        voice_->addItem(voice.name);
    speed_->setRange(80, 450);
    speed_->setValue(175);
    speed_->setSuffix(QStringLiteral(" words per minute"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    message_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Text file:"), inputRow);
    form->addRow(QStringLiteral("&Voice:"), voice_);
    form->addRow(QStringLiteral("&Speed:"), speed_);
    form->addRow(QStringLiteral("&WAV file:"), outputRow);
    // A row holding a layout has no buddy of its own: the access key goes to the row's line edit.
    for (auto [row, edit] : {std::pair{inputRow, input_}, std::pair{outputRow, output_}})
        qobject_cast<QLabel*>(form->labelForField(row))->setBuddy(edit);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(convert_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(progress_);
    layout->addWidget(message_);
    layout->addWidget(buttons);

    connect(browseInput, &QPushButton::clicked, this, &VozozoWizard::browseInput);
    connect(browseOutput, &QPushButton::clicked, this, &VozozoWizard::browseOutput);
    connect(convert_, &QPushButton::clicked, this, &VozozoWizard::convert);
    connect(cancel_, &QPushButton::clicked, this, &VozozoWizard::reject);
    connect(input_, &QLineEdit::textChanged, this, &VozozoWizard::updateButtons);
    connect(output_, &QLineEdit::textChanged, this, &VozozoWizard::updateButtons);
    updateButtons();
}

VozozoWizard::~VozozoWizard()
{
    if (worker_) {
        cancelRequested_->store(true);
        worker_->wait();
    }
}

QString VozozoWizard::message() const
{
    return message_->text();
}

void VozozoWizard::setInput(const QString& path)
{
    input_->setText(path);
    if (output_->text().isEmpty() && !path.isEmpty())
        output_->setText(defaultWavPath(path));
}

void VozozoWizard::setOutput(const QString& path)
{
    output_->setText(path);
}

void VozozoWizard::browseInput()
{
    const QString path =
        prompter_.openFileName(this, QStringLiteral("Text File"), input_->text(), vozozoInputFilter());
    if (!path.isEmpty())
        setInput(path);
}

void VozozoWizard::browseOutput()
{
    const QString path = prompter_.saveFileName(this, QStringLiteral("WAV File"), output_->text(),
                                                QStringLiteral("WAV files (*.wav)"));
    if (!path.isEmpty())
        output_->setText(path);
}

void VozozoWizard::updateButtons()
{
    const bool idle = worker_ == nullptr;
    convert_->setEnabled(idle && !input_->text().trimmed().isEmpty() && !output_->text().trimmed().isEmpty());
    input_->setEnabled(idle);
    output_->setEnabled(idle);
    voice_->setEnabled(idle);
    speed_->setEnabled(idle);
}

void VozozoWizard::convert()
{
    if (worker_)
        return;
    QString error;
    const QString inputPath = input_->text().trimmed();
    const QString outputPath = output_->text().trimmed();
    if (outputIsInput(inputPath, outputPath)) {
        message_->setText(QStringLiteral("The WAV file is the text file itself; please choose another."));
        return;
    }
    std::optional<std::string> text = readVozozoInput(inputPath, &error);
    if (!text) {
        message_->setText(error);
        return;
    }
    const VoiceInfo* voice = findVozozoVoice(voice_->currentText());
    if (!voice) {
        message_->setText(QStringLiteral("Please choose a voice."));
        return;
    }
    CleanSpeechTextInPlace(*text, asciiFoldingFor(voice->language, voiceReadsSymbols(*voice)));
    Prosody prosody;
    prosody.speed = std::clamp(speed_->value(), voice->minSpeed, voice->maxSpeed);
    prosody.tuning = loadVoiceTuning(voice->name);

    cancelRequested_ = std::make_shared<std::atomic<bool>>(false);
    progress_->setValue(0);
    message_->setText(QStringLiteral("Converting..."));
    const VoiceInfo chosen = *voice;
    auto cancel = cancelRequested_;
    WavExportOptions options;
    options.workers = defaultExportWorkers();
    options.workerProgram = QCoreApplication::applicationFilePath();
    if (QFileInfo(options.workerProgram).fileName() != QLatin1String("vozozo"))
        options.workerProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/vozozo");
    if (!QFileInfo(options.workerProgram).isExecutable())
        options.workers = 1;
    worker_ =
        QThread::create([this, cancel, chosen, prosody, outputPath, options, cleaned = std::move(*text)] {
            const WavExportResult result = exportSpeechToWav(
                cleaned, chosen, prosody, outputPath,
                [this, cancel](double fraction) {
                    const int percent = static_cast<int>(fraction * 100);
                    QMetaObject::invokeMethod(
                        progress_, [this, percent] { progress_->setValue(percent); }, Qt::QueuedConnection);
                    return !cancel->load();
                },
                options);
            const QString summary =
                result.ok ? QStringLiteral("Wrote %1 (%2 seconds of speech).")
                                .arg(outputPath)
                                .arg(static_cast<double>(result.samples) / kWavExportRate, 0, 'f', 1)
                : result.cancelled ? QStringLiteral("Cancelled.")
                                   : result.error;
            QMetaObject::invokeMethod(
                this,
                [this, ok = result.ok, cancelled = result.cancelled, summary] {
                    finished(ok, cancelled, summary);
                },
                Qt::QueuedConnection);
        });
    worker_->start();
    updateButtons();
}

void VozozoWizard::finished(bool ok, bool cancelled, const QString& message)
{
    if (worker_) {
        worker_->wait();
        delete worker_;
        worker_ = nullptr;
    }
    if (ok)
        progress_->setValue(100);
    Q_UNUSED(cancelled);
    message_->setText(message);
    updateButtons();
}

void VozozoWizard::reject()
{
    // Cancel stops a conversion that runs; otherwise it closes the window.
    if (worker_) {
        cancelRequested_->store(true);
        return;
    }
    QDialog::reject();
}

} // namespace narrix
