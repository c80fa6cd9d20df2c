#include "base/error_hook.h"

#include "base/diagnostics.h"

namespace narrix {
namespace {

ErrorSink& testSink()
{
    static ErrorSink sink;
    return sink;
}

} // namespace

void reportEscapedError(const QString& where, const QString& message)
{
    if (testSink()) {
        testSink()(where, message);
        return;
    }
    reportError(lcNarrix, where.toStdString(), message.toStdString());
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
