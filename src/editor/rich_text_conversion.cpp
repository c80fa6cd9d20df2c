#include "editor/rich_text_conversion.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <algorithm>
#include <map>

namespace narrix {
QTextCharFormat richRunFormat(const RtfTextFormat& f, const RtfDocument& rich, const QTextCharFormat& base)
{
    QTextCharFormat format = base;
    if (f.font >= 0 && static_cast<std::size_t>(f.font) < rich.fonts.size())
        format.setFontFamilies({QString::fromStdString(rich.fonts[static_cast<std::size_t>(f.font)].name)});
    format.setFontPointSize(f.halfPoints / 2.0);
    format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.italic);
    format.setFontUnderline(f.underline);
    format.setFontStrikeOut(f.strikeOut);
    if (f.color)
        format.setForeground(QColor::fromRgb(*f.color));
    return format;
}

RtfDocument richTextOf(const QTextDocument& document)
{
    RtfDocument rich;
    std::map<QString, int> fonts;
    const auto fontIndex = [&](const QString& family) {
        auto [at, added] = fonts.emplace(family, static_cast<int>(rich.fonts.size()));
        if (added)
            rich.fonts.push_back(RtfFont{family.toStdString()});
        return at->second;
    };
    RtfTextFormat last;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            RtfTextFormat f;
            const QStringList families = format.fontFamilies().toStringList();
            f.font = fontIndex(families.isEmpty() ? document.defaultFont().family() : families.front());
            const double points =
                format.fontPointSize() > 0 ? format.fontPointSize() : document.defaultFont().pointSizeF();
            f.halfPoints = std::max(1, qRound(points * 2));
            f.bold = format.fontWeight() >= QFont::Bold;
            f.italic = format.fontItalic();
            f.underline = format.fontUnderline();
            f.strikeOut = format.fontStrikeOut();
            if (format.foreground().style() != Qt::NoBrush)
                f.color = format.foreground().color().rgb() & 0xFFFFFFu;
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            text.remove(QChar::ObjectReplacementCharacter);
            rich.append(text.toStdString(), f);
            last = f;
        }
        if (block.next().isValid())
            rich.append("\n", last);
    }
    if (rich.fonts.empty())
        fontIndex(document.defaultFont().family());
    return rich;
}

} // namespace narrix
