#include "editor/document_font_qt.h"

#include <QBrush>
#include <QColor>
#include <QFontInfo>

#include <algorithm>

namespace narrix {

QFont qFontFrom(const DocumentFont& f)
{
    QFont font(f.name);
    if (f.size > 0)
        font.setPointSize(f.size);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    return font;
}

DocumentFont documentFontFrom(const QFont& font)
{
    DocumentFont f;
    f.name = font.family();
    const QFontInfo info(font);
    f.size = font.pointSize() > 0 ? font.pointSize() : std::max(1, qRound(info.pointSizeF()));
    f.bold = font.bold();
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    return f;
}

QTextCharFormat charFormatFrom(const DocumentFont& f)
{
    QTextCharFormat format;
    format.setFont(qFontFrom(f), QTextCharFormat::FontPropertiesAll);
    if (f.color >= 0)
        format.setForeground(QColor(f.color & 0xFF, (f.color >> 8) & 0xFF, (f.color >> 16) & 0xFF));
    return format;
}

} // namespace narrix
