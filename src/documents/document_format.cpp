#include "documents/document_format.h"

#include "base/ascii_case.h"

namespace narrix {

std::optional<DocumentFormat> documentFormatOf(std::string_view path)
{
    if (endsWithIgnoringAsciiCase(path, ".PDF"))
        return DocumentFormat::Pdf;
    if (endsWithIgnoringAsciiCase(path, ".EPUB"))
        return DocumentFormat::Epub;
    if (endsWithIgnoringAsciiCase(path, ".DOCX"))
        return DocumentFormat::Docx;
    if (endsWithIgnoringAsciiCase(path, ".ODT"))
        return DocumentFormat::Odt;
    return std::nullopt;
}

} // namespace narrix
