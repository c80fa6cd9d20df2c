#include "dialogs/channel_update_dialog.h"

#include "base/atomic_file.h"
#include "base/diagnostics.h"
#include "net/web_address.h"
#include "schedule/channel_failure.h"
#include "schedule/channel_update.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>

namespace narrix {
namespace {

constexpr const char* kReceive = QT_TRANSLATE_NOOP("narrix::TfrmUpdate", "Receive");
constexpr const char* kFailed =
    QT_TRANSLATE_NOOP("narrix::TfrmUpdate", "Failed. Check your Internet connection and try later.");

} // namespace

TfrmUpdate::TfrmUpdate(ChannelUpdateRequest request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      request_(std::move(request))
{
    setObjectName(QStringLiteral("frmUpdate"));
    setWindowTitle(tr("Channel Update"));

    statusLabel_ = new QLabel(tr("Click Receive to start receiving channel updates."), this);
    statusLabel_->setObjectName(QStringLiteral("Label1"));
    statusLabel_->setWordWrap(true); // a failure's Details line
    cbUpdate = new QListWidget(this);
    cbUpdate->setObjectName(QStringLiteral("cbUpdate"));
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);
    receiveButton_ = new QPushButton(tr(kReceive), this);
    receiveButton_->setObjectName(QStringLiteral("Button1"));
    receiveButton_->setDefault(true);
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("Button2"));
    HTTP = new net::HttpClient(this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(receiveButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(statusLabel_);
    layout->addWidget(cbUpdate);
    layout->addWidget(progressBar_);
    layout->addLayout(buttons);
    setFixedSize(360, 300);

    connect(receiveButton_, &QPushButton::clicked, this, &TfrmUpdate::Button1Click);
    connect(cancelButton_, &QPushButton::clicked, this, &TfrmUpdate::reject);
    connect(HTTP, &net::HttpClient::status, this, &TfrmUpdate::HTTPStatus);
    connect(HTTP, &net::HttpClient::workBegin, this, &TfrmUpdate::HTTPWorkBegin);
    connect(HTTP, &net::HttpClient::work, this, &TfrmUpdate::HTTPWork);
    connect(HTTP, &net::HttpClient::workEnd, this, &TfrmUpdate::HTTPWorkEnd);
}

void TfrmUpdate::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    receiveButton_->setFocus();
}

void TfrmUpdate::Button1Click()
{
    if (receiveButton_->text() == tr(kReceive))
        receive();
    else
        applyChoice();
}

void TfrmUpdate::receive()
{
    statusLabel_->setText(tr("Receiving updates..."));
    receiveButton_->setEnabled(false);
    repaint();

    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::string why;
    const bool received = download(&why);
    QApplication::restoreOverrideCursor();
    receiveButton_->setEnabled(true);

    if (!received && !aborted_ && useInstalledList(why)) {
        statusLabel_->setText(tr("Select your favorite updates below:"));
        offerChannels();
        return;
    }
    if (!received) {
        statusLabel_->setText(
            withDetails(tr(kFailed), why).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        receiveButton_->setEnabled(false);
        receiveButton_->setText(tr("Update!"));
        return;
    }
    if (aborted_)
        return;
    statusLabel_->setText(tr("Select your favorite updates below:"));
    offerChannels();
}

// Fetches the channel list, checks that it is one and only then replaces update.nxl. A folder that
// cannot be written stops it before the transfer starts.
bool TfrmUpdate::download(std::string* why)
{
    aborted_ = false;
    const bool received = fetchChannelList(why);
    if (!received)
        qCWarning(lcNarrix, "channel list not received from %s: %s", request_.address.c_str(), why->c_str());
    return received;
}

bool TfrmUpdate::useInstalledList(const std::string& why)
{
    if (request_.installedList.empty() || !request_.offerInstalledList)
        return false;
    const QString failure =
        withDetails(tr("Narrix could not download the channel list."), why) +
        tr("\r\n\r\nDo you want to choose from the channels installed with Narrix instead?");
    if (!request_.offerInstalledList(failure))
        return false;
    std::string error;
    if (loadProfileFile(request_.installedList, &downloaded_, &error))
        return true;
    qCWarning(lcNarrix, "installed channel list not read: %s", error.c_str());
    return false;
}

bool TfrmUpdate::fetchChannelList(std::string* why)
{
    const QString folder = QString::fromStdString(request_.updateFile.parent_path().string());
    if (!QFileInfo(folder.isEmpty() ? QDir::currentPath() : folder).isWritable()) {
        *why = "the folder of update.nxl cannot be written";
        return false;
    }
    const auto proxy = net::proxyFromSettings(request_.proxy.toStdString(), request_.port.toStdString());
    if (!proxy) {
        *why = proxy.error().message;
        return false;
    }
    HTTP->setProxy(proxy.value().host, proxy.value().port);

    const net::NetResult<std::string> body = HTTP->FetchText(request_.address);
    if (!body) {
        *why = netFailureReason(body.error());
        return false;
    }
    if (aborted_) {
        *why = "cancelled";
        return false;
    }
    if (!looksLikeListFile(body.value())) {
        *why = "the reply is not a list file";
        return false;
    }
    return writeFileAtomically(request_.updateFile, body.value(), why) &&
           loadProfileFile(request_.updateFile, &downloaded_, why);
}

void TfrmUpdate::offerChannels()
{
    cbUpdate->clear();
    for (const std::string& title : offeredChannels(request_.current, downloaded_)) {
        auto* entry = new QListWidgetItem(QString::fromStdString(title), cbUpdate);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Checked);
    }
    if (cbUpdate->count() > 0) {
        cbUpdate->setCurrentRow(0);
        receiveButton_->setFocus();
    } else {
        statusLabel_->setText(tr("You already have the latest channels!"));
        receiveButton_->setEnabled(false);
    }
    receiveButton_->setText(tr("Update!"));
}

void TfrmUpdate::applyChoice()
{
    std::vector<std::string> ticked;
    for (int row = 0; row < cbUpdate->count(); ++row)
        if (cbUpdate->item(row)->checkState() == Qt::Checked)
            ticked.push_back(cbUpdate->item(row)->text().toStdString());
    chosen_ = chosenChannels(downloaded_, ticked, request_.timeSeparator);
    updated_ = true;
    accept();
}

void TfrmUpdate::abortTransfer()
{
    aborted_ = true;
    HTTP->AbortSocket();
}

void TfrmUpdate::reject()
{
    abortTransfer();
    QDialog::reject();
}

void TfrmUpdate::closeEvent(QCloseEvent* event)
{
    abortTransfer();
    QDialog::closeEvent(event);
}

void TfrmUpdate::HTTPStatus(net::TransferStatus, const QString& text)
{
    statusLabel_->setText(text);
}

void TfrmUpdate::HTTPWorkBegin(net::WorkMode, qint64 expectedTotal)
{
    expected_ = expectedTotal;
    if (expectedTotal > 0)
        progressBar_->setMaximum(static_cast<int>(std::min<qint64>(expectedTotal, INT_MAX)));
}

void TfrmUpdate::HTTPWork(net::WorkMode, qint64 count)
{
    if (expected_ < 1) {
        const int next = progressBar_->value() + 10;
        progressBar_->setValue(next > progressBar_->maximum() ? 0 : next);
    } else {
        progressBar_->setValue(static_cast<int>(std::min<qint64>(count, progressBar_->maximum())));
    }
    statusLabel_->setText(tr("Downloading... (%1)").arg(count));
}

void TfrmUpdate::HTTPWorkEnd(net::WorkMode)
{
    progressBar_->setValue(progressBar_->maximum());
}

} // namespace narrix
