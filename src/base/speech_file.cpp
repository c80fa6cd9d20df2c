#include "base/speech_file.h"

#include "base/ascii_case.h"
#include "base/html_to_text.h"
#include "base/rtf_reader.h"
#include "base/text_encoding.h"

#include <QFile>
#include <QFileInfo>

namespace narrix {
SpeechFileKind speechFileKindOf(std::string_view path)
{
    if (endsWithIgnoringAsciiCase(path, ".HTM") || endsWithIgnoringAsciiCase(path, ".HTML"))
        return SpeechFileKind::Html;
    if (endsWithIgnoringAsciiCase(path, ".RTF"))
        return SpeechFileKind::RichText;
    return SpeechFileKind::PlainText;
}

std::optional<std::string> readSpeechFile(const std::string& path, std::string* error)
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
    std::string reason;
    auto text = speechTextOfFile(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                                 &reason);
    if (!text)
        return fail(QString::fromStdString(reason));
    return text;
}

std::optional<std::string> speechTextOfFile(std::string_view path, std::string_view bytes, std::string* error)
{
    switch (speechFileKindOf(path)) {
    case SpeechFileKind::Html:
        return HtmlToSpeechText(decodeToUtf8(bytes));
    case SpeechFileKind::RichText:
        if (looksLikeRtf(bytes)) {
            std::string text;
            RtfError problem;
            if (!RtfToPlainText(bytes, &text, &problem)) {
                if (error != nullptr)
                    *error = problem.describe();
                return std::nullopt;
            }
            return text;
        }
        break;
    case SpeechFileKind::PlainText:
        break;
    }
    return decodeUnlabelledToUtf8(bytes);
}

} // namespace narrix
