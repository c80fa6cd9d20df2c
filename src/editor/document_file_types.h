#pragma once

#include <QString>

namespace narrix {

// How the editor tells file kinds apart: by the path's last characters, upper-cased (".RTF", ".HTM",
// ".HTML"), never by content or by the filter chosen in a file dialog.
bool isRichTextPath(const QString& path);
bool isHtmlPath(const QString& path);
// Files the editor reads but never writes back (HTML, PDF, EPUB, DOCX, ODT): Save becomes Save As.
bool isReadOnlyDocumentPath(const QString& path);
// The file name without its folder ("Untitled" is the caption of a document without one).
QString documentTitleOf(const QString& path);
// A name typed without an extension gets ".txt" (the save dialog's default extension); one with an
// extension keeps it.
QString withDefaultTextExtension(const QString& path);

// The editor's file dialog filters, in the form "caption|patterns|caption|patterns".
// Open offers every format first, then each type.
inline const QString kOpenDocumentFilter =
    QStringLiteral("All Documents|*.txt;*.rtf;*.htm;*.html;*.pdf;*.epub;*.docx;*.odt|"
                   "Supported Text Formats|*.txt;*.rtf;*.htm;*.html|PDF Document (*.PDF)|*.pdf|"
                   "EPUB Book (*.EPUB)|*.epub|Word Document (*.DOCX)|*.docx|OpenDocument Text (*.ODT)|*.odt|"
                   "HTML Format (*.HTML;*.HTM)|*.htm;*.html|"
                   "Rich Text Format (*.RTF)|*.rtf|Plain Text Format (*.TXT)|*.txt");
inline const QString kSaveDocumentFilter =
    QStringLiteral("Rich Text Format (*.RTF)|*.rtf|Plain Text Format (*.TXT)|*.txt");

// A filter of that form as Qt's file dialogs take it: "caption (patterns)" entries joined by ";;".
// The captions stay as they are; each pattern is offered in lower and upper case, as file systems
// that tell case apart need.
QString qtFileDialogFilter(const QString& filter);

} // namespace narrix
