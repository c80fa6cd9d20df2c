#pragma once

#include "base/rtf_document.h"

#include <string>

namespace narrix {

class ArchiveMembers;

// The text of a Word document (word/document.xml with its styles, footnotes and endnotes) as the
// editor's rich text: paragraphs, headings (bold, larger), list items, tables as tab-separated rows,
// bold and italic runs, and each footnote or endnote after its paragraph. False with the reason in
// `error` when the archive lacks the document or its XML is broken.
bool readDocx(ArchiveMembers& archive, RtfDocument* document, std::string* error);

} // namespace narrix
