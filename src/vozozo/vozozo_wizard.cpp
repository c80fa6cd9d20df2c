#include "vozozo/vozozo_wizard.h"

#include "speech/speech_text_cleanup.h"
#include "speech/voice_tuning_store.h"
#include "ui/prompter.h"
#include "vozozo/document_chapters.h"
#include "vozozo/export_format.h"
#include "vozozo/input_reader.h"
#include "vozozo/speech_export.h"
#include "vozozo/vozozo_args.h"
#include "vozozo/vozozo_voices.h"

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
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace narrix {

VozozoWizard::VozozoWizard(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), input_(new QLineEdit(this)), voice_(new QComboBox(this)),
      speed_(new QSpinBox(this)), format_(new QComboBox(this)), quality_(new QSpinBox(this)),
      output_(new QLineEdit(this)), progress_(new QProgressBar(this)), message_(new QLabel(this)),
      convert_(new QPushButton(QStringLiteral("&Convert"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("vozozo - Text to Speech"));
    input_->setObjectName(QStringLiteral("input"));
    output_->setObjectName(QStringLiteral("output"));
    voice_->setObjectName(QStringLiteral("voice"));
    speed_->setObjectName(QStringLiteral("speed"));
    format_->setObjectName(QStringLiteral("format"));
    quality_->setObjectName(QStringLiteral("quality"));
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
    // Narrix's voice and speed come first.
    const NarrixSpeechChoice narrix = readNarrixSpeechChoice();
    if (const VoiceInfo* voice = defaultVozozoVoice(narrix)) {
        voice_->setCurrentText(voice->name);
        speed_->setValue(defaultVozozoSpeed(*voice, narrix));
    } else {
        speed_->setValue(175);
    }
    speed_->setSuffix(QStringLiteral(" words per minute"));
    for (const ExportFormat format : exportFormats())
        format_->addItem(exportFormatLabel(format), static_cast<int>(format));
    format_->setCurrentIndex(format_->findData(static_cast<int>(ExportFormat::Wav)));
    // -1 leaves the encoder's own default.
    quality_->setRange(-1, kExportQualityMaximum);
    quality_->setValue(-1);
    quality_->setSpecialValueText(QStringLiteral("Default"));
    quality_->setToolTip(
        QStringLiteral("0 gives the smallest file, 10 the best sound (MP3, Ogg Vorbis, Opus)"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    message_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Text file:"), inputRow);
    form->addRow(QStringLiteral("&Voice:"), voice_);
    form->addRow(QStringLiteral("&Speed:"), speed_);
    form->addRow(QStringLiteral("&Format:"), format_);
    form->addRow(QStringLiteral("&Quality:"), quality_);
    form->addRow(QStringLiteral("&Output file:"), outputRow);
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
    connect(format_, &QComboBox::currentIndexChanged, this, &VozozoWizard::formatChosen);
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

ExportFormat VozozoWizard::chosenFormat() const
{
    return static_cast<ExportFormat>(format_->currentData().toInt());
}

void VozozoWizard::setInput(const QString& path)
{
    input_->setText(path);
    if (output_->text().isEmpty() && !path.isEmpty())
        output_->setText(withExportExtension(defaultWavPath(path), chosenFormat()));
}

void VozozoWizard::setOutput(const QString& path)
{
    output_->setText(path);
    // A name with a known extension chooses its format.
    if (const auto format = exportFormatOfPath(path))
        format_->setCurrentIndex(format_->findData(static_cast<int>(*format)));
}

void VozozoWizard::formatChosen()
{
    const QString path = output_->text().trimmed();
    if (!path.isEmpty() && exportFormatOfPath(path) != chosenFormat())
        output_->setText(withExportExtension(path, chosenFormat()));
    quality_->setEnabled(worker_ == nullptr && chosenFormat() != ExportFormat::Wav &&
                         chosenFormat() != ExportFormat::Flac);
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
    const QString label = exportFormatLabel(chosenFormat());
    const QString path = prompter_.saveFileName(
        this, QStringLiteral("%1 File").arg(label), output_->text(),
        QStringLiteral("%1 files (*.%2)").arg(label, exportFormatExtension(chosenFormat())));
    if (!path.isEmpty())
        setOutput(path);
}

void VozozoWizard::updateButtons()
{
    const bool idle = worker_ == nullptr;
    convert_->setEnabled(idle && !input_->text().trimmed().isEmpty() && !output_->text().trimmed().isEmpty());
    input_->setEnabled(idle);
    output_->setEnabled(idle);
    voice_->setEnabled(idle);
    speed_->setEnabled(idle);
    format_->setEnabled(idle);
    quality_->setEnabled(idle && chosenFormat() != ExportFormat::Wav && chosenFormat() != ExportFormat::Flac);
}

void VozozoWizard::convert()
{
    if (worker_)
        return;
    QString error;
    const QString inputPath = input_->text().trimmed();
    const QString outputPath = output_->text().trimmed();
    if (outputIsInput(inputPath, outputPath)) {
        message_->setText(QStringLiteral("The output file is the text file itself; please choose another."));
        return;
    }
    const PasswordAsker askPassword = [this, &inputPath](bool wrongBefore) -> std::optional<std::string> {
        const QString name = QFileInfo(inputPath).fileName();
        const std::optional<QString> password = prompter_.inputPassword(
            this, QStringLiteral("Vozozo"),
            (wrongBefore ? QStringLiteral("That password does not open \"%1\".\r\nPassword:")
                         : QStringLiteral("\"%1\" is protected by a password.\r\nPassword:"))
                .arg(name));
        return password ? std::optional(password->toStdString()) : std::nullopt;
    };
    const std::optional<VozozoDocument> document =
        readVozozoDocument(inputPath, &error, kVozozoInputLimit, askPassword);
    std::optional<std::string> text = document ? speechTextOfDocument(*document, &error) : std::nullopt;
    if (!text) {
        message_->setText(document ? QStringLiteral("%1: %2").arg(inputPath, error) : error);
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
    SpeechExportOptions options;
    options.workers = defaultExportWorkers();
    options.workerProgram = QCoreApplication::applicationFilePath();
    if (QFileInfo(options.workerProgram).fileName() != QLatin1String("vozozo"))
        options.workerProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/vozozo");
    if (!QFileInfo(options.workerProgram).isExecutable())
        options.workers = 1;
    const DocumentOutline titles = documentTitles(*document);
    options.encoding.format = chosenFormat();
    options.encoding.quality = quality_->value();
    options.encoding.title = titles.title;
    options.encoding.artist = titles.author;
    worker_ =
        QThread::create([this, cancel, chosen, prosody, outputPath, options, cleaned = std::move(*text)] {
            const SpeechExportResult result = exportSpeechToFile(
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
                                .arg(static_cast<double>(result.samples) / kSpeechExportRate, 0, 'f', 1)
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
