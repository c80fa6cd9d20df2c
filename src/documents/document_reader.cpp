#include "documents/document_reader.h"

#include "documents/docx_reader.h"
#include "documents/epub_reader.h"
#include "documents/odt_reader.h"
#include "documents/pdf_reader.h"

namespace narrix {
namespace {

bool readMembers(ArchiveMembers& archive, DocumentFormat format, DocumentText* text, std::string* error)
{
    *text = DocumentText{};
    switch (format) {
    case DocumentFormat::Docx:
        text->richText = true;
        return readDocx(archive, &text->rich, error);
    case DocumentFormat::Odt:
        text->richText = true;
        return readOdt(archive, &text->rich, error);
    case DocumentFormat::Epub: {
        std::string plain;
        if (!readEpub(archive, &plain, error))
            return false;
        text->rich.append(plain, RtfTextFormat{});
        return true;
    }
    case DocumentFormat::Pdf:
        break;
    }
    *error = "not a zip-based document";
    return false;
}

} // namespace

bool readDocument(const std::string& path, DocumentFormat format, const DocumentReadOptions& options,
                  DocumentText* text, std::string* error)
{
    error->clear();
    if (format == DocumentFormat::Pdf) {
        std::string plain;
        if (!readPdf(QString::fromStdString(path), options.askPassword, &plain, error))
            return false;
        *text = DocumentText{};
        text->rich.append(plain, RtfTextFormat{});
        return true;
    }
    const std::unique_ptr<ZipArchive> archive = ZipArchive::openFile(path, error, options.zipLimits);
    return archive && readMembers(*archive, format, text, error);
}

bool readZipDocument(std::string_view bytes, DocumentFormat format, const ZipLimits& limits,
                     DocumentText* text, std::string* error)
{
    error->clear();
    const std::unique_ptr<ZipArchive> archive = ZipArchive::openBytes(bytes, error, limits);
    return archive && readMembers(*archive, format, text, error);
}

bool readArchiveDocument(ArchiveMembers& members, DocumentFormat format, DocumentText* text,
                         std::string* error)
{
    error->clear();
    return readMembers(members, format, text, error);
}

std::optional<std::string> readDocumentSpeechText(const std::string& path, DocumentFormat format,
                                                  const DocumentReadOptions& options, std::string* error)
{
    DocumentText text;
    if (!readDocument(path, format, options, &text, error))
        return std::nullopt;
    return text.rich.plainText();
}

} // namespace narrix
