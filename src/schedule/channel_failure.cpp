#include "schedule/channel_failure.h"

#include "net/net_result.h"

namespace narrix {
namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString detailsSentence(std::string_view reason)
{
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' '))
        reason.remove_suffix(1);
    return QStringLiteral("Details: ") + qs(reason) + QLatin1Char('.');
}

std::string_view withoutPrefix(std::string_view text, std::string_view prefix)
{
    if (text.starts_with(prefix))
        text.remove_prefix(prefix.size());
    return text;
}

} // namespace

bool ChannelFailure::headlineSaysWhy() const
{
    return headline.contains(qs(reason), Qt::CaseInsensitive);
}

QString ChannelFailure::notificationBody() const
{
    return headlineSaysWhy() ? headline : headline + QLatin1Char('\n') + detailsSentence(reason);
}

QString ChannelFailure::statusText() const
{
    const QString line = QLatin1Char(' ') + qs(title) + QStringLiteral(": ") + headline;
    return headlineSaysWhy() ? line : line + QLatin1Char(' ') + detailsSentence(reason);
}

std::string netFailureReason(const net::NetError& error)
{
    switch (error.kind) {
    case net::NetErrorKind::HttpStatus:
        // "HTTP 404 Not Found" as the server's status line gave it.
        return "the server answered " + std::string(withoutPrefix(error.message, "HTTP "));
    default:
        break;
    }
    if (error.message.empty())
        return "the transfer failed";
    // The socket's own words ("Connection refused") read on inside the sentence; "HTTP ..." stays.
    std::string reason = error.message;
    if (reason.size() > 1 && reason[0] >= 'A' && reason[0] <= 'Z' && reason[1] >= 'a' && reason[1] <= 'z')
        reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
    return reason;
}

QString withDetails(const QString& text, std::string_view reason)
{
    return text + QStringLiteral("\r\n\r\n") + detailsSentence(reason);
}

} // namespace narrix
