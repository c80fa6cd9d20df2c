#include "app/error_hook.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace narrix {
namespace {

// Started during static initialisation, i.e. at process start for the log's "ms" field.
const QElapsedTimer& processClock()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock;
}
[[maybe_unused]] const QElapsedTimer& startClockEarly = processClock();

ErrorSink& testSink()
{
    static ErrorSink sink;
    return sink;
}

} // namespace

QString jsonEscaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QLatin1String("\\\"");
            break;
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        case u'\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
}

void reportEscapedError(const QString& where, const QString& message)
{
    if (testSink()) {
        testSink()(where, message);
        return;
    }
    std::fprintf(stderr, "narrix: error in %s: %s\n", qUtf8Printable(where), qUtf8Printable(message));
    std::fflush(stderr);
    const QString logPath = qEnvironmentVariable("NARRIX_SPEECH_LOG");
    if (logPath.isEmpty())
        return;
    QFile log(logPath);
    if (!log.open(QIODevice::Append | QIODevice::Text))
        return;
    const QString line =
        QStringLiteral("{\"ms\":%1,\"event\":\"error\",\"where\":\"%2\",\"message\":\"%3\"}\n")
            .arg(processClock().elapsed())
            .arg(jsonEscaped(where), jsonEscaped(message));
    log.write(line.toUtf8());
}

bool runGuarded(const QString& where, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        reportEscapedError(where, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportEscapedError(where, QStringLiteral("unknown error"));
    }
    return false;
}

void setErrorSinkForTesting(ErrorSink sink)
{
    testSink() = std::move(sink);
}

} // namespace narrix
