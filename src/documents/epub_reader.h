#pragma once

#include "documents/document_pieces.h"

#include <memory>
#include <string>

namespace narrix {

class ArchiveMembers;

// The text of an EPUB 2 or 3 book: the package's spine in order (items marked linear="no" left out),
// each XHTML file's body through HtmlToPlainText, and the table of contents' title of each file (the
// EPUB 3 navigation document, else the NCX) as its chapter heading unless the chapter already begins
// with it. Line breaks are "\n". False with the reason in `error` for a book that is not one, whose
// content is encrypted (DRM), or whose spine names a file the archive lacks.
bool readEpub(ArchiveMembers& archive, std::string* text, std::string* error);

// The same text a chapter (spine item) at a time; the pieces own `archive`. The package and the table
// of contents are read here.
std::unique_ptr<DocumentPieces> openEpubPieces(std::unique_ptr<ArchiveMembers> archive, std::string* error);

} // namespace narrix
