#pragma once

#include <optional>
#include <string_view>

namespace narrix {

// The document formats read through this area, told apart by the end of the file's name in any
// letter case (".PDF", ".EPUB", ".DOCX", ".ODT"), as the program tells ".RTF" and ".HTML" apart.
enum class DocumentFormat { Pdf, Epub, Docx, Odt };

std::optional<DocumentFormat> documentFormatOf(std::string_view path);

} // namespace narrix
