#pragma once

#include "base/transfer_flags.h"

#include <functional>
#include <string>
#include <string_view>

namespace narrix {

namespace net {
class HttpClient;
}

// Reads the text the Text Picker shows for an item's address: a web page is fetched and converted
// to speech text (the text the keywords are cut from); an existing local file is read whole (an HTML
// file converted the same way). A web fetch follows the transfer rules of channel retrieval: it is
// refused while another transfer runs, marks the shared transfer flags busy while it runs (which
// clears an earlier cancel), and cancel() ends it at once.
class PickerPageReader
{
public:
    enum class Status { Ok, Busy, Mailbox, Failed, Cancelled };
    struct Result
    {
        Status status = Status::Failed;
        std::string text;  // UTF-8 speech text when Ok
        std::string error; // why it failed
        bool localFile = false;
    };

    PickerPageReader(net::HttpClient& client, TransferFlags& transfers);

    // `proxy` and `port` are the Proxy and Port settings.
    Result read(std::string_view address, std::string_view proxy, std::string_view port);
    // Ends a running fetch (the Esc key).
    void cancel();
    bool busy() const { return fetching_; }

    // Progress of a fetch in the status-bar wording (" Receiving data... (N/M, press Esc ...)").
    std::function<void(const std::string&)> onStatus;

private:
    Result readWebPage(std::string address, std::string_view proxy, std::string_view port);

    net::HttpClient& client_;
    TransferFlags& transfers_;
    bool fetching_ = false;
    long long expected_ = 0;
};

} // namespace narrix
