// Reads arbitrary bytes as a tips file and as a stored keyword list, and checks the invariants the
// dialogs rely on: a rotation keeps every line, closing sets only line 1, and keywords read back from
// what is stored are the keywords that were stored.
#include "dialogs/options_values.h"
#include "dialogs/tips_rotation.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = narrix::parseTipsText(bytes);
    narrix::TipsRotation tips(lines);
    const int steps = size > 0 ? data[0] % 7 : 0;
    for (int i = 0; i < steps; ++i)
        tips.next();
    QStringList closed = tips.closedLines(size % 2 == 0);
    if (closed.size() != lines.size())
        std::abort();
    if (!closed.isEmpty()) {
        if (closed.first() != QLatin1String(size % 2 == 0 ? "True" : "False"))
            std::abort();
        QStringList before = lines.mid(1);
        QStringList after = closed.mid(1);
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        if (before != after)
            std::abort();
    }

    const QString stored = QString::fromUtf8(bytes);
    const QStringList keywords = narrix::splitKeywords(stored);
    if (narrix::splitKeywords(narrix::joinKeywords(keywords)) != keywords)
        std::abort();
    for (const QString& word : keywords)
        if (word.isEmpty() || narrix::keywordToAdd(word, keywords).has_value())
            std::abort();
    const QString digits = narrix::digitsOnly(stored);
    if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        std::abort();
    return 0;
}
