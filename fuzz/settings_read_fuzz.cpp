// Reads arbitrary stored texts as settings (one line per value, in read order; the first byte picks
// the decimal separator) and checks that whatever reads without error is written in forms that read
// back to the same record and the same texts.
#include "platform/locale_adapter.h"
#include "settings/settings_codec.h"
#include "settings/settings_store.h"
#include "settings/settings_text.h"

#include <QMap>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class MapStore : public narrix::SettingsStore
{
public:
    QMap<QString, QString> values;
    QString value(const QString& name) const override { return values.value(name); }
    void setValue(const QString& name, const QString& text) override { values.insert(name, text); }
    void remove(const QString& name) override { values.remove(name); }
    bool flush(QString*) override { return true; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const narrix::FixedLocale locale(data[0] % 2 == 0 ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                      : QLocale(QLocale::German, QLocale::Germany));
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QStringList lines = text.split(QLatin1Char('\n'));
    MapStore store;
    const QStringList& names = narrix::settingsReadOrder();
    for (qsizetype i = 0; i < names.size() && i < lines.size(); ++i)
        store.values.insert(names[i], lines[i]);

    // Parsers on their own: a parsed real prints and parses back to the same text.
    const QChar separator = locale.decimalSeparator();
    if (const auto real = narrix::parseReal(text, separator)) {
        const QString printed = narrix::formatReal(*real, separator);
        const auto again = narrix::parseReal(printed, separator);
        if (!again || narrix::formatReal(*again, separator) != printed)
            std::abort();
    }
    (void)narrix::parseInt64(text);

    narrix::SettingsEnvironment environment;
    environment.menuFont.name = QStringLiteral("Sans");
    narrix::Settings settings;
    QStringList valuesRead;
    if (const auto error = narrix::readSettings(store, environment, locale, settings, &valuesRead)) {
        // Reading stopped at the value that failed, the last one read.
        if (valuesRead.isEmpty() || valuesRead.last() != error->name)
            std::abort();
        return 0;
    }
    MapStore written;
    narrix::writeSettings(written, narrix::settingsTexts(settings, locale, true));
    narrix::Settings back;
    if (narrix::readSettings(written, environment, locale, back))
        std::abort(); // what the program writes always reads back
    MapStore rewritten;
    narrix::writeSettings(rewritten, narrix::settingsTexts(back, locale, true));
    if (rewritten.values != written.values)
        std::abort();
    return 0;
}
