#include "net/web_address.h"

#include "base/html_to_text.h"
#include "base/text_encoding.h"
#include "base/text_trim.h"
#include "net/http_response_head.h"
#include "net/mail_header.h"

namespace narrix::net {

bool isWebAddress(std::string_view text)
{
    const std::string_view t = trimView(text);
    return equalsIgnoringAsciiCase(t.substr(0, 7), "http://") ||
           equalsIgnoringAsciiCase(t.substr(0, 8), "https://");
}

NetResult<ProxySetting> proxyFromSettings(std::string_view proxy, std::string_view port)
{
    ProxySetting setting;
    setting.host = std::string(trimView(proxy));
    if (setting.host.empty())
        return setting;
    const std::string_view digits = trimView(port);
    long value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return netError(NetErrorKind::BadAddress, "the proxy port is not a number");
        value = value * 10 + (c - '0');
        if (value > 65535)
            return netError(NetErrorKind::BadAddress, "the proxy port is out of range");
    }
    setting.port = static_cast<int>(value);
    return setting;
}

std::string charsetOfContentType(std::string_view contentType)
{
    return parseContentType(contentType).param("charset");
}

std::string webPageSpeechText(std::string_view body, std::string_view contentType)
{
    return HtmlToSpeechText(decodeToUtf8(body, charsetOfContentType(contentType)));
}

} // namespace narrix::net
