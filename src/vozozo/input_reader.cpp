#include "vozozo/input_reader.h"

#include "base/html_to_text.h"
#include "base/text_encoding.h"
#include "net/http_client.h"
#include "net/web_address.h"
#include "platform/settings_file.h"
#include "vozozo/document_input.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace narrix {
namespace {

// An http:// or https:// input is a web page, fetched as channel retrieval fetches one: through the
// Proxy and Port settings, decoded from the reply's charset and converted to speech text.
std::optional<VozozoDocument> readWebPage(const QString& input, QString* error)
{
    const QString address = input.trimmed();
    auto fail = [&](const std::string& reason) -> std::optional<VozozoDocument> {
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
    VozozoDocument document;
    document.kind = SpeechFileKind::Html;
    document.bytes = std::move(page.value());
    document.charset = net::charsetOfContentType(client.contentType());
    document.name = QFileInfo(QUrl(address).path()).completeBaseName();
    if (document.name.isEmpty())
        document.name = QUrl(address).host();
    return document;
}

} // namespace

std::optional<VozozoDocument> readVozozoDocument(const QString& input, QString* error, std::size_t limit,
                                                 const PasswordAsker& askPassword)
{
    const bool standardInput = input == QLatin1String("-");
    // An existing file wins over an address, as in channel retrieval.
    if (!standardInput && net::isWebAddress(input.toStdString()) && !QFileInfo::exists(input))
        return readWebPage(input, error);
    if (const auto format = documentFormatOf(input.toStdString()); format && !standardInput) {
        const QFileInfo file(input);
        if (file.isFile() && static_cast<std::uint64_t>(file.size()) > limit) {
            if (error)
                *error = QStringLiteral("%1: larger than %2 MiB, the most vozozo reads").arg(input).arg(limit >> 20);
            return std::nullopt;
        }
        return readDocumentInput(input, *format, askPassword, error);
    }
    const QString shown = standardInput ? QStringLiteral("standard input") : input;
    auto fail = [&](const QString& reason) -> std::optional<VozozoDocument> {
        if (error)
            *error = QStringLiteral("%1: %2").arg(shown, reason);
        return std::nullopt;
    };
    auto failErrno = [&](int code) { return fail(QString::fromLocal8Bit(std::strerror(code))); };
    const auto tooLarge = [&] {
        return fail(QStringLiteral("larger than %1 MiB, the most vozozo reads").arg(limit >> 20));
    };

    int fd = STDIN_FILENO;
    if (!standardInput) {
        const QFileInfo info(input);
        if (!info.exists())
            return fail(QStringLiteral("no such file"));
        if (info.isDir())
            return fail(QStringLiteral("is a folder, not a file"));
        fd = ::open(QFile::encodeName(input).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            return failErrno(errno);
    }
    const auto closeInput = qScopeGuard([&] {
        if (!standardInput)
            ::close(fd);
    });
    struct stat status = {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::uint64_t>(status.st_size) > limit)
        return tooLarge();
    std::string bytes;
    if (S_ISREG(status.st_mode))
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failErrno(errno);
        }
        if (got == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(got) > limit)
            return tooLarge();
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    // As a local channel file is read (standard input as plain text).
    VozozoDocument document;
    document.kind = standardInput ? SpeechFileKind::PlainText : speechFileKindOf(input.toStdString());
    document.bytes = std::move(bytes);
    document.name = standardInput ? QString() : QFileInfo(input).completeBaseName();
    return document;
}

std::optional<std::string> speechTextOfDocument(const VozozoDocument& document, QString* error)
{
    if (document.kind == SpeechFileKind::Html)
        return HtmlToSpeechText(decodeToUtf8(document.bytes, document.charset));
    std::string problem;
    const std::string_view name = document.kind == SpeechFileKind::RichText ? ".rtf" : "";
    auto text = speechTextOfFile(name, document.bytes, &problem);
    if (!text && error)
        *error = QString::fromStdString(problem);
    return text;
}

std::string decodedDocumentText(const VozozoDocument& document)
{
    if (document.kind == SpeechFileKind::Html)
        return decodeToUtf8(document.bytes, document.charset);
    if (document.kind == SpeechFileKind::RichText)
        return document.bytes;
    return decodeUnlabelledToUtf8(document.bytes);
}

std::optional<std::string> readVozozoInput(const QString& input, QString* error, std::size_t limit)
{
    const auto document = readVozozoDocument(input, error, limit);
    if (!document)
        return std::nullopt;
    QString problem;
    auto text = speechTextOfDocument(*document, &problem);
    if (!text && error) {
        const QString shown = input == QLatin1String("-") ? QStringLiteral("standard input") : input;
        *error = QStringLiteral("%1: %2").arg(shown, problem);
    }
    return text;
}

bool outputIsInput(const QString& input, const QString& output)
{
    struct stat out = {};
    if (output == QLatin1String("-") ? ::fstat(STDOUT_FILENO, &out) != 0
                                     : ::stat(QFile::encodeName(output).constData(), &out) != 0)
        return false;
    struct stat in = {};
    if (input == QLatin1String("-") ? ::fstat(STDIN_FILENO, &in) != 0
                                    : ::stat(QFile::encodeName(input).constData(), &in) != 0)
        return false;
    return in.st_dev == out.st_dev && in.st_ino == out.st_ino;
}

} // namespace narrix
