#include "vozozo/input_reader.h"

#include "base/speech_file.h"
#include "net/http_client.h"
#include "net/web_address.h"

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
    const QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Narrix"));
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
    return net::webPageSpeechText(page.value(), client.contentType());
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
    std::string reason;
    auto text = readSpeechFile(input.toStdString(), &reason);
    if (!text && error)
        *error = QString::fromStdString(reason);
    return text;
}

} // namespace narrix
