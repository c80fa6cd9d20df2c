#include "vozozo/input_reader.h"

#include "base/html_to_text.h"
#include "base/text_encoding.h"
#include "net/http_client.h"
#include "net/web_address.h"
#include "platform/settings_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace narrix {
namespace {

// An http:// or https:// input is a web page, fetched as channel retrieval fetches one: through the
// Proxy and Port settings, decoded from the reply's charset and converted to speech text.
std::optional<std::string> readWebPage(const QString& input, QString* error)
{
    const QString address = input.trimmed();
    auto fail = [&](const std::string& reason) -> std::optional<std::string> {
        if (error)
            *error = QStringLiteral("cannot fetch %1: %2").arg(address, QString::fromStdString(reason));
        return std::nullopt;
    };
    const SettingsFile file;
    const QSettings& settings = file.values();
    const auto proxy =
        net::proxyFromSettings(settings.value(QStringLiteral("Proxy")).toString().toStdString(),
                               settings.value(QStringLiteral("Port")).toString().toStdString());
    if (!proxy.ok())
        return fail(proxy.error().message);
    net::HttpClient client;
    client.setProxy(proxy.value().host, proxy.value().port);
    auto page = client.FetchText(address.toStdString());
    if (!page.ok())
        return fail(page.error().message);
    return HtmlToSpeechText(decodeToUtf8(page.value(), net::charsetOfContentType(client.contentType())));
}

} // namespace

std::optional<std::string> readVozozoInput(const QString& input, QString* error)
{
    // An existing file wins over an address, as in channel retrieval.
    if (net::isWebAddress(input.toStdString()) && !QFileInfo::exists(input))
        return readWebPage(input, error);
    const QFileInfo info(input);
    if (!info.exists()) {
        if (error)
            *error = QStringLiteral("%1: no such file").arg(input);
        return std::nullopt;
    }
    if (info.isDir()) {
        if (error)
            *error = QStringLiteral("%1: is a folder, not a file").arg(input);
        return std::nullopt;
    }
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(input, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(input, file.errorString());
        return std::nullopt;
    }
    const std::string_view raw(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    // As a local HTML channel file is read: ".HTM" or ".HTML" at the end, in any letter case, takes
    // the page's own charset and the web-page conversion; every other file is plain text.
    const QString upper = input.toUpper();
    if (upper.endsWith(QLatin1String(".HTM")) || upper.endsWith(QLatin1String(".HTML")))
        return HtmlToSpeechText(decodeToUtf8(raw));
    return decodeUnlabelledToUtf8(raw);
}

} // namespace narrix
