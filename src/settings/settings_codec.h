#pragma once

#include "settings/settings.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace narrix {

class LocaleAdapter;
class SettingsStore;

// A stored number that does not parse. Reading stops at it: the values before it stay read.
struct SettingsReadError
{
    QString name;
    QString text;

    QString message() const; // setting NAME is not a number: "TEXT"
};

enum class WindowBound { Left, Top, Width, Height };

// The record with every default applied (what an empty store reads as).
Settings defaultSettings(const SettingsEnvironment& environment);

// The names in the order they are read at start-up (PassFile is not part of the record).
const QStringList& settingsReadOrder();
// The names in the order they are written at shutdown.
const QStringList& settingsWriteOrder();

// Reads every value in table order into `settings`, applying the defaults for empty values. Each
// window bound is clamped to what a window can have and handed to `applyBound` as soon as it is read.
// The name of each value is appended to `valuesRead` before it is parsed, so after an error the list
// ends with the value that failed and every field after it still holds what it held before. Returns
// the value that did not parse, if any.
std::optional<SettingsReadError> readSettings(const SettingsStore& store,
                                              const SettingsEnvironment& environment,
                                              const LocaleAdapter& locale, Settings& settings,
                                              QStringList* valuesRead = nullptr,
                                              const std::function<void(WindowBound, int)>& applyBound = {});

using SettingsTexts = std::vector<std::pair<QString, QString>>;

// The write forms in shutdown order; the four window bounds only when `withBounds` (a maximised
// window keeps the bounds stored before).
SettingsTexts settingsTexts(const Settings& settings, const LocaleAdapter& locale, bool withBounds);

// The texts that shutdown should write when start-up stopped early: a value that start-up never read
// is written only if it changed since start-up, so one broken value does not overwrite every value
// stored after it with defaults.
SettingsTexts textsToWrite(const SettingsTexts& current, const SettingsTexts& atStartup,
                           const QStringList& valuesRead);

void writeSettings(SettingsStore& store, const SettingsTexts& texts);

QString windowStateText(WindowStartState state);

} // namespace narrix
