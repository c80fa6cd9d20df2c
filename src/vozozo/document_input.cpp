#include "vozozo/document_input.h"

#include "base/rtf_writer.h"
#include "documents/document_reader.h"

#include <QFileInfo>

namespace narrix {

std::optional<VozozoDocument> readDocumentInput(const QString& path, DocumentFormat format,
                                                const PasswordAsker& askPassword, QString* error)
{
    DocumentReadOptions options;
    options.askPassword = askPassword;
    DocumentText text;
    std::string reason;
    if (!readDocument(path.toStdString(), format, options, &text, &reason)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(reason));
        return std::nullopt;
    }
    VozozoDocument document;
    document.name = QFileInfo(path).completeBaseName();
    if (text.richText) {
        document.kind = SpeechFileKind::RichText;
        document.bytes = WriteRtf(text.rich);
    } else {
        document.kind = SpeechFileKind::PlainText;
        document.bytes = text.rich.plainText();
    }
    return document;
}

} // namespace narrix
