#pragma once

#include "settings/settings.h"

#include <QFont>
#include <QTextCharFormat>

namespace narrix {

// The stored document font and Qt's fonts. Colours are COLORREF values (0x00BBGGRR); a negative value
// (a system colour) leaves the editor's own text colour.
QFont qFontFrom(const DocumentFont& font);
DocumentFont documentFontFrom(const QFont& font);
QTextCharFormat charFormatFrom(const DocumentFont& font);

} // namespace narrix
