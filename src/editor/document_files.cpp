#include "editor/document_files.h"

#include "base/atomic_file.h"
#include "base/html_to_text.h"
#include "base/rtf_reader.h"
#include "base/text_encoding.h"
#include "documents/document_reader.h"
#include "editor/document_file_types.h"

#include <filesystem>

namespace narrix {
namespace {

// Documents larger than this are refused rather than read into memory.
constexpr std::size_t kDocumentSizeLimit = std::size_t{1} << 30;

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

// "\r\n" and a lone "\r" become "\n", in one pass.
void normaliseLineBreaks(std::string& text)
{
    if (text.find('\r') == std::string::npos)
        return;
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            text[out++] = '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            text[out++] = text[i];
        }
    }
    text.resize(out);
}

} // namespace

bool readDocumentFile(const QString& path, DocumentContent* content, QString* error,
                      const PasswordAsker& askPassword)
{
    if (const std::optional<DocumentFormat> format = documentFormatOf(path.toStdString())) {
        DocumentText text;
        std::string reason;
        DocumentReadOptions options;
        options.askPassword = askPassword;
        if (!readDocument(path.toStdString(), *format, options, &text, &reason)) {
            *error = QString::fromStdString(reason);
            return false;
        }
        *content = DocumentContent{};
        content->richText = text.richText;
        if (text.richText)
            content->rich = std::move(text.rich);
        else
            content->plain = QString::fromStdString(text.rich.plainText());
        return true;
    }
    std::string bytes;
    std::string reason;
    if (!readWholeFile(fsPath(path), &bytes, &reason, nullptr, kDocumentSizeLimit)) {
        *error = QString::fromStdString(reason);
        return false;
    }
    *content = DocumentContent{};
    if (isRichTextPath(path)) {
        RtfError rtfError;
        if (!ReadRtf(bytes, &content->rich, &rtfError)) {
            *error = QString::fromStdString(rtfError.describe());
            return false;
        }
        content->richText = true;
        return true;
    }
    std::string text =
        isHtmlPath(path) ? HtmlToPlainText(decodeToUtf8(bytes)) : decodeUnlabelledToUtf8(bytes);
    std::string().swap(bytes);
    normaliseLineBreaks(text);
    content->plain = QString::fromStdString(text);
    return true;
}

bool writeDocumentFile(const QString& path, const std::string& bytes, QString* error)
{
    std::string reason;
    if (writeFileAtomically(fsPath(path), bytes, &reason, FileAccess::Document))
        return true;
    *error = QString::fromStdString(reason);
    return false;
}

std::string plainDocumentBytes(const QString& text)
{
    return text.toStdString();
}

} // namespace narrix
