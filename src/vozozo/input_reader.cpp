#include "vozozo/input_reader.h"

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
    return decodeUnlabelledToUtf8(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace narrix
