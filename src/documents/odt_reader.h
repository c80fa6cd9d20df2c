#pragma once

#include "base/rtf_document.h"

#include <string>

namespace narrix {

class ArchiveMembers;

// The text of an OpenDocument text (content.xml with the styles of styles.xml) as the editor's rich
// text, as readDocx gives it: paragraphs, headings, list items, tables, bold and italic, footnotes
// after their paragraph. False with the reason in `error`.
bool readOdt(ArchiveMembers& archive, RtfDocument* document, std::string* error);

} // namespace narrix
