#include "speech/audio_device_dialog.h"

#include "speech/ok_cancel_buttons.h"

#include "speech/audio_device_list.h"
#include "speech/qt_audio.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace narrix {

namespace {

constexpr const char* kWarningText = QT_TRANSLATE_NOOP(
    "narrix::TfrmDevice",
    "WARNING:\r\n\r\nSelecting a wrong device may cause problems.\r\n\r\nIf Narrix doesn't work "
    "properly,\r\nplease switch back to the previous device.");

} // namespace

const QString TfrmDevice::kWarning = QString::fromLatin1(kWarningText);

TfrmDevice::TfrmDevice(std::function<void(const QString&)> warn, QWidget* parent)
    : QDialog(parent), warn_(std::move(warn))
{
    setObjectName(QStringLiteral("TfrmDevice"));
    setWindowTitle(tr("Select Audio Device"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("Please &select an audio device below:"), this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lbDevices"));
    label->setBuddy(list_);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(okCancelButtons(*this));
    connect(list_, &QListWidget::currentRowChanged, this, &TfrmDevice::selectionChanged);

    // Outputs plugged in or out while the dialog is open.
    if (const QtAudio* audio = qtAudio())
        audio->watchOutputs(this, [this] { followOutputs(); });
    watch_.setInterval(1000);
    connect(&watch_, &QTimer::timeout, this, &TfrmDevice::followOutputs);
}

void TfrmDevice::showEvent(QShowEvent* event)
{
    watch_.start();
    QDialog::showEvent(event);
}

void TfrmDevice::hideEvent(QHideEvent* event)
{
    watch_.stop();
    QDialog::hideEvent(event);
}

void TfrmDevice::followOutputs()
{
    const QStringList entries = audioDeviceEntries();
    bool same = entries.size() == list_->count();
    for (int i = 0; same && i < list_->count(); ++i)
        same = list_->item(i)->text() == entries[i];
    if (same)
        return;
    const QString chosen = list_->currentRow() > 0 ? list_->currentItem()->text() : QString();
    fill();
    const QList<QListWidgetItem*> found = list_->findItems(chosen, Qt::MatchExactly);
    if (!chosen.isEmpty() && !found.isEmpty())
        list_->setCurrentItem(found.first());
    else
        list_->setCurrentRow(0); // the chosen output went away: the default one stands in
}

void TfrmDevice::open(int device)
{
    pending_ = device;
    fill();
    const int entry = entryForDevice(device, list_->count());
    filling_ = true;
    list_->setCurrentRow(entry);
    if (entry < 0)
        list_->clearSelection();
    filling_ = false;
    list_->setFocus();
}

void TfrmDevice::fill()
{
    filling_ = true;
    list_->clear();
    list_->addItems(audioDeviceEntries());
    filling_ = false;
}

void TfrmDevice::selectionChanged()
{
    if (filling_ || list_->currentRow() < 0)
        return;
    pending_ = deviceForEntry(list_->currentRow());
}

void TfrmDevice::done(int result)
{
    if (result == QDialog::Accepted && warn_)
        warn_(tr(kWarningText));
    QDialog::done(result);
}

} // namespace narrix
