#include "vozozo/input_reader.h"

#include "base/html_to_text.h"
#include "base/text_encoding.h"

#include <QFile>
#include <QFileInfo>

namespace narrix {

std::optional<std::string> readVozozoInput(const QString& input, QString* error)
{
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
