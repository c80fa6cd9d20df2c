#include "schedule/channel_text.h"

#include "base/html_to_text.h"
#include "base/text_encoding.h"
#include "net/web_address.h"
#include "schedule/channel_address.h"

#include <QFile>
#include <QFileInfo>

namespace narrix {

std::string webPageSpeechText(std::string_view body, std::string_view contentType)
{
    return HtmlToSpeechText(decodeToUtf8(body, net::charsetOfContentType(contentType)));
}

std::optional<std::string> readChannelFile(const std::string& path, std::string* error)
{
    const auto fail = [&](const QString& reason) -> std::optional<std::string> {
        if (error != nullptr)
            *error = path + ": " + reason.toStdString();
        return std::nullopt;
    };
    const QString name = QString::fromStdString(path);
    if (QFileInfo(name).isDir())
        return fail(QStringLiteral("is a folder, not a file"));
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    const std::string_view raw(bytes.constData(), static_cast<size_t>(bytes.size()));
    switch (channelFileKindOf(path)) {
    case ChannelFileKind::Html:
        return HtmlToSpeechText(decodeToUtf8(raw));
    case ChannelFileKind::RichText:
    case ChannelFileKind::PlainText:
        break;
    }
    return decodeUnlabelledToUtf8(raw);
}

} // namespace narrix
