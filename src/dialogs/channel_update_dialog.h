#pragma once

#include "base/profile_file.h"
#include "net/http_client.h"
#include "schedule/schedule_item.h"

#include <QDialog>
#include <QString>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace narrix {

// What Channel Update needs from the main window.
struct ChannelUpdateRequest
{
    QString proxy; // the settings' Proxy and Port
    QString port;
    std::string address;               // where the channel list is fetched
    std::filesystem::path updateFile;  // update.nxl in the program's folder
    std::vector<ScheduleItem> current; // the schedule list as it was just saved
    std::string timeSeparator;
    // The channel list installed with the program, offered when the download fails: the question
    // (given the download's failure with its Details line) answers true to choose from it instead.
    std::filesystem::path installedList;
    std::function<bool(const QString& failure)> offerInstalledList;
};

// "Channel Update": Receive downloads the channel list into update.nxl and offers, ticked, the
// channels that are new or whose address or cut settings changed; Update! hands the ticked ones back
// (chosen()) for the window to merge. Cancel, Esc and closing abort a running download at once. The
// download replaces update.nxl only once it is complete and reads as a list file. A failed download
// says why, and may offer the installed channel list in its place.
class TfrmUpdate final : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmUpdate(ChannelUpdateRequest request, QWidget* parent = nullptr);

    // True once Update! was pressed; chosen() then holds the channels to merge, in hand-over order.
    bool updated() const { return updated_; }
    const std::vector<ScheduleItem>& chosen() const { return chosen_; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Button1Click();
    void receive();
    bool download(std::string* why);
    bool fetchChannelList(std::string* why);
    // The installed list in place of a failed download, when there is one and the user wants it.
    bool useInstalledList(const std::string& why);
    void offerChannels();
    void applyChoice();
    void abortTransfer();

    void HTTPStatus(net::TransferStatus code, const QString& text);
    void HTTPWorkBegin(net::WorkMode mode, qint64 expectedTotal);
    void HTTPWork(net::WorkMode mode, qint64 count);
    void HTTPWorkEnd(net::WorkMode mode);

    ChannelUpdateRequest request_;
    ProfileFile downloaded_;
    std::vector<ScheduleItem> chosen_;
    qint64 expected_ = 0;
    bool aborted_ = false;
    bool updated_ = false;

    QLabel* statusLabel_ = nullptr;
    QListWidget* cbUpdate = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* receiveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    net::HttpClient* HTTP = nullptr;
};

} // namespace narrix
