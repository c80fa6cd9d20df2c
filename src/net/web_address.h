#pragma once

#include "net/net_result.h"

#include <string>
#include <string_view>

namespace narrix::net {

// True when the text (blanks and control characters around it ignored) starts with "http://" or
// "https://" in any letter case.
bool isWebAddress(std::string_view text);

struct ProxySetting
{
    std::string host; // empty = direct connection
    int port = 0;
};

// The proxy as channel retrieval reads the Proxy and Port settings: the trimmed Proxy text as the
// host; the trimmed Port as a decimal number, or 0 when empty. A Port that is not a number is an
// error. An empty Proxy means a direct connection whatever Port says.
NetResult<ProxySetting> proxyFromSettings(std::string_view proxy, std::string_view port);

// The speech text of a fetched web page: decoded from the reply's Content-Type charset (else the
// page's <meta>, else Windows-1252) and converted with the web-page conversion.
std::string webPageSpeechText(std::string_view body, std::string_view contentType);

// The charset parameter of a Content-Type header value ("text/html; charset=ISO-8859-1"), without
// quotes; empty when there is none.
std::string charsetOfContentType(std::string_view contentType);

} // namespace narrix::net
