#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace narrix::net {
struct NetError;
}

namespace narrix {

// A retrieval that failed, as channel retrieval and e-mail reading report it: the failure box's text
// with its closing Details line, and the same in short for a notification or the status bar.
struct ChannelFailure
{
    std::string title;  // the channel's current title
    QString text;       // the whole box text, ending in "\r\n\r\nDetails: <reason>."
    QString headline;   // the failure in one sentence: "Narrix cannot receive data from this channel."
    std::string reason; // why, without a closing point: "the server answered 404 Not Found"

    // The failure for a notification: the headline, then "Details: <reason>." on a line of its own
    // (left out when the headline says it already).
    QString notificationBody() const;
    // The same on one status bar line: " <title>: <headline> Details: <reason>."
    QString statusText() const;

private:
    bool headlineSaysWhy() const;
};

// Why a transfer failed, as the Details line says it.
std::string netFailureReason(const net::NetError& error);

// `text` with "\r\n\r\nDetails: " + reason + "." added (the reason's own closing point is kept once).
QString withDetails(const QString& text, std::string_view reason);

} // namespace narrix
