#include "settings/settings_codec.h"

#include "platform/locale_adapter.h"
#include "settings/settings_store.h"
#include "settings/settings_text.h"

#include <algorithm>
#include <optional>
#include <type_traits>
#include <variant>

namespace narrix {
namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

// How a value's text becomes its field and back.
enum class Codec {
    Int32,         // decimal; empty gives the default
    Low32,         // a 64-bit decimal of which the low 32 bits are kept; written unsigned
    Real,          // the split ratios: either decimal separator, written with the locale's
    Text,          // empty gives the default
    OnUnlessFalse, // only "False" is off
    OffUnlessTrue, // only "True" is on
    WindowState,   // "Normal" (or empty), "Minimize", anything else maximised
    FontStyle,     // letters B, I, U, K; empty gives the default font's style
};

using Field = std::variant<int Settings::*, double Settings::*, bool Settings::*, QString Settings::*,
                           WindowStartState Settings::*, DocumentFont Settings::*, int DocumentFont::*,
                           QString DocumentFont::*>;

constexpr int kNotWritten = -1;

// One stored value: its name, the field of the record it fills, its codec, where it is written at
// shutdown (ShowTips belongs to the tip dialog, which writes it itself) and whether it is a window
// bound. The rows are in read order; every default comes from defaultSettings().
struct SettingRow
{
    const char16_t* name;
    Field field;
    Codec codec;
    int writePosition;
    std::optional<WindowBound> bound = std::nullopt;
};

// clang-format off
const SettingRow kRows[] = {
    {u"FontCharset",     &DocumentFont::charset,        Codec::Int32,          0},
    {u"FontName",        &DocumentFont::name,           Codec::Text,           1},
    {u"FontSize",        &DocumentFont::size,           Codec::Int32,          2},
    {u"FontColor",       &DocumentFont::color,          Codec::Int32,          3},
    {u"FontStyle",       &Settings::documentFont,       Codec::FontStyle,      4},
    {u"WindowState",     &Settings::windowStartState,   Codec::WindowState,    5},
    {u"Split1",          &Settings::split1,             Codec::Real,          10},
    {u"Split2",          &Settings::split2,             Codec::Real,          11},
    {u"WindowLeft",      &Settings::windowLeft,         Codec::Int32,          6, WindowBound::Left},
    {u"WindowTop",       &Settings::windowTop,          Codec::Int32,          7, WindowBound::Top},
    {u"WindowWidth",     &Settings::windowWidth,        Codec::Int32,          8, WindowBound::Width},
    {u"WindowHeight",    &Settings::windowHeight,       Codec::Int32,          9, WindowBound::Height},
    {u"ShowTips",        &Settings::showTips,           Codec::OnUnlessFalse, kNotWritten},
    {u"ViewToolbar",     &Settings::viewToolbar,        Codec::OnUnlessFalse, 12},
    {u"ViewStatusbar",   &Settings::viewStatusbar,      Codec::OnUnlessFalse, 13},
    {u"ViewNarrixLogo",  &Settings::viewLogo,           Codec::OnUnlessFalse, 14},
    {u"EnableRealtime",  &Settings::enableRealtime,     Codec::OnUnlessFalse, 15},
    {u"EnableClipboard", &Settings::enableClipboard,    Codec::OnUnlessFalse, 16},
    {u"EnableSchedule",  &Settings::enableSchedule,     Codec::OnUnlessFalse, 17},
    {u"Voice",           &Settings::voice,              Codec::Text,          18},
    {u"Speed",           &Settings::speed,              Codec::Int32,         19},
    {u"RealMode",        &Settings::realMode,           Codec::Text,          20},
    {u"RealCustom",      &Settings::realCustom,         Codec::Text,          21},
    {u"TellTime",        &Settings::tellTime,           Codec::Text,          22},
    {u"DateStyle",       &Settings::dateStyle,          Codec::Text,          23},
    {u"TimeStyle",       &Settings::timeStyle,          Codec::Text,          24},
    {u"HourFormat",      &Settings::hourFormat,         Codec::Text,          25},
    {u"Theme",           &Settings::theme,              Codec::Int32,         26},
    {u"NormalIcon",      &Settings::normalIcon,         Codec::Text,          27},
    {u"OpenIcon",        &Settings::openIcon,           Codec::Text,          28},
    {u"CloseIcon",       &Settings::closeIcon,          Codec::Text,          29},
    {u"Proxy",           &Settings::proxy,              Codec::Text,          30},
    {u"Port",            &Settings::port,               Codec::Text,          31},
    {u"Greetings",       &Settings::greetings,          Codec::Text,          32},
    {u"StartMinimized",  &Settings::startMinimized,     Codec::OffUnlessTrue, 33},
    {u"TaskbarButton",   &Settings::taskbarButton,      Codec::OffUnlessTrue, 34},
    {u"Device",          &Settings::device,             Codec::Low32,         35},
    {u"FollowAlong",     &Settings::followAlong,        Codec::OnUnlessFalse, 36},
    {u"ShortcutReadClipboard", &Settings::shortcutReadClipboard, Codec::Text, 37},
    {u"ShortcutPlayPause",     &Settings::shortcutPlayPause,     Codec::Text, 38},
    {u"ShortcutStop",          &Settings::shortcutStop,          Codec::Text, 39},
};
// clang-format on

constexpr std::size_t kWrittenCount = 40;

template <typename T> T& fieldOf(Settings& settings, T Settings::*member)
{
    return settings.*member;
}
template <typename T> T& fieldOf(Settings& settings, T DocumentFont::*member)
{
    return settings.documentFont.*member;
}
template <typename T> const T& fieldOf(const Settings& settings, T Settings::*member)
{
    return settings.*member;
}
template <typename T> const T& fieldOf(const Settings& settings, T DocumentFont::*member)
{
    return settings.documentFont.*member;
}

// Window bounds far outside any screen are clamped as they are read, so that the window's geometry
// (and what shutdown writes back) never overflows.
constexpr int kLargestBound = 16777215; // the largest widget size Qt accepts

int clampBound(WindowBound bound, int value)
{
    const int lowest = bound == WindowBound::Left || bound == WindowBound::Top ? -kLargestBound : 0;
    return std::clamp(value, lowest, kLargestBound);
}

// Each decode fills `out` from a non-empty stored text; false when the text is no number.
bool decode(Codec codec, const QString& text, int& out)
{
    if (codec == Codec::Low32) {
        const auto value = parseInt64(text);
        if (value)
            out = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(*value)));
        return value.has_value();
    }
    const auto value = parseInt32(text);
    if (value)
        out = *value;
    return value.has_value();
}

bool decode(Codec, const QString& text, double& out, QChar separator)
{
    // Written with the locale's separator; a file written under another locale has the other one.
    const QChar other = separator == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
    auto value = parseReal(text, separator);
    if (!value)
        value = parseReal(text, other);
    if (value)
        out = *value;
    return value.has_value();
}

bool decode(Codec codec, const QString& text, bool& out)
{
    out = codec == Codec::OnUnlessFalse ? text != kFalse : text == kTrue;
    return true;
}

bool decode(Codec, const QString& text, QString& out)
{
    out = text;
    return true;
}

bool decode(Codec, const QString& text, WindowStartState& out)
{
    if (text == QLatin1String("Normal"))
        out = WindowStartState::Normal;
    else if (text == QLatin1String("Minimize"))
        out = WindowStartState::Minimized;
    else
        out = WindowStartState::Maximized;
    return true;
}

bool decode(Codec, const QString& text, DocumentFont& out)
{
    out.bold = text.contains(QLatin1Char('B'));
    out.italic = text.contains(QLatin1Char('I'));
    out.underline = text.contains(QLatin1Char('U'));
    out.strikeOut = text.contains(QLatin1Char('K'));
    return true;
}

void takeDefault(const DocumentFont& fallback, DocumentFont& out)
{
    out.bold = fallback.bold;
    out.italic = fallback.italic;
    out.underline = fallback.underline;
    out.strikeOut = fallback.strikeOut;
}
template <typename T> void takeDefault(const T& fallback, T& out)
{
    out = fallback;
}

QString encode(Codec codec, int value, QChar)
{
    if (codec == Codec::Low32)
        return QString::number(static_cast<std::uint32_t>(value));
    return QString::number(value);
}
QString encode(Codec, double value, QChar separator)
{
    return formatReal(value, separator);
}
QString encode(Codec, bool value, QChar)
{
    return value ? kTrue : kFalse;
}
QString encode(Codec, const QString& value, QChar)
{
    return value;
}
QString encode(Codec, WindowStartState value, QChar)
{
    return windowStateText(value);
}
QString encode(Codec, const DocumentFont& font, QChar)
{
    QString letters;
    if (font.bold)
        letters += QLatin1Char('B');
    if (font.italic)
        letters += QLatin1Char('I');
    if (font.underline)
        letters += QLatin1Char('U');
    if (font.strikeOut)
        letters += QLatin1Char('K');
    return letters;
}

// The boolean codecs read an empty text by their own rule; every other codec takes the default.
bool emptyMeansDefault(Codec codec)
{
    return codec != Codec::OnUnlessFalse && codec != Codec::OffUnlessTrue;
}

// Fills the row's field from `text`; false when the text does not parse.
bool readRow(const SettingRow& row, const QString& text, const Settings& defaults, Settings& s,
             QChar separator)
{
    return std::visit(
        [&](auto member) {
            auto& field = fieldOf(s, member);
            if (text.isEmpty() && emptyMeansDefault(row.codec)) {
                takeDefault(fieldOf(defaults, member), field);
                return true;
            }
            using T = std::remove_reference_t<decltype(field)>;
            if constexpr (std::is_same_v<T, double>)
                return decode(row.codec, text, field, separator);
            else
                return decode(row.codec, text, field);
        },
        row.field);
}

QString writeRow(const SettingRow& row, const Settings& s, QChar separator)
{
    return std::visit([&](auto member) { return encode(row.codec, fieldOf(s, member), separator); },
                      row.field);
}

// The rows that are written, in shutdown order.
const std::vector<const SettingRow*>& rowsInWriteOrder()
{
    static const std::vector<const SettingRow*> rows = [] {
        std::vector<const SettingRow*> ordered(kWrittenCount, nullptr);
        for (const SettingRow& row : kRows)
            if (row.writePosition != kNotWritten)
                ordered.at(static_cast<std::size_t>(row.writePosition)) = &row;
        return ordered;
    }();
    return rows;
}

} // namespace

QString SettingsReadError::message() const
{
    return QStringLiteral("setting %1 is not a number: \"%2\"").arg(name, text);
}

Settings defaultSettings(const SettingsEnvironment& environment)
{
    Settings s;
    s.documentFont = environment.menuFont;
    s.windowWidth = kDefaultWindowWidth;
    s.windowHeight = kDefaultWindowHeight;
    s.windowLeft = (environment.screenWidth - kDefaultWindowWidth) / 2;
    s.windowTop = (environment.screenHeight - kDefaultWindowHeight) / 2;
    s.voice = kDefaultVoice;
    s.realMode = QStringLiteral("Word");
    s.realCustom = QStringLiteral(", ; . ? \" : ! '");
    s.tellTime = QStringLiteral("Hourly");
    s.dateStyle = QStringLiteral("Today is #.");
    s.timeStyle = QStringLiteral("It's # now.");
    s.hourFormat = QStringLiteral("12");
    s.greetings = kDefaultGreeting;
    return s;
}

const QStringList& settingsReadOrder()
{
    static const QStringList names = [] {
        QStringList order;
        for (const SettingRow& row : kRows)
            order << QString::fromUtf16(row.name);
        return order;
    }();
    return names;
}

const QStringList& settingsWriteOrder()
{
    static const QStringList names = [] {
        QStringList order;
        for (const SettingRow* row : rowsInWriteOrder())
            order << QString::fromUtf16(row->name);
        return order;
    }();
    return names;
}

std::optional<SettingsReadError>
readSettings(const SettingsStore& store, const SettingsEnvironment& environment, const LocaleAdapter& locale,
             Settings& s, QStringList* valuesRead, const std::function<void(WindowBound, int)>& applyBound)
{
    const Settings defaults = defaultSettings(environment);
    const QChar separator = locale.decimalSeparator();
    for (const SettingRow& row : kRows) {
        const QString name = QString::fromUtf16(row.name);
        if (valuesRead != nullptr)
            valuesRead->append(name);
        const QString text = store.value(name);
        if (!readRow(row, text, defaults, s, separator))
            return SettingsReadError{name, text};
        if (row.bound) {
            int& bound = s.*std::get<int Settings::*>(row.field);
            bound = clampBound(*row.bound, bound);
            if (applyBound)
                applyBound(*row.bound, bound);
        }
    }
    return std::nullopt;
}

QString windowStateText(WindowStartState state)
{
    switch (state) {
    case WindowStartState::Normal:
        return QStringLiteral("Normal");
    case WindowStartState::Minimized:
        return QStringLiteral("Minimize");
    case WindowStartState::Maximized:
        return QStringLiteral("Maximize");
    }
    return QStringLiteral("Normal");
}

SettingsTexts settingsTexts(const Settings& s, const LocaleAdapter& locale, bool withBounds)
{
    const QChar separator = locale.decimalSeparator();
    SettingsTexts t;
    t.reserve(kWrittenCount);
    for (const SettingRow* row : rowsInWriteOrder())
        if (withBounds || !row->bound)
            t.emplace_back(QString::fromUtf16(row->name), writeRow(*row, s, separator));
    return t;
}

SettingsTexts textsToWrite(const SettingsTexts& current, const SettingsTexts& atStartup,
                           const QStringList& valuesRead)
{
    SettingsTexts out;
    for (const auto& entry : current) {
        if (!valuesRead.contains(entry.first)) {
            const auto before = std::find_if(atStartup.begin(), atStartup.end(),
                                             [&](const auto& e) { return e.first == entry.first; });
            if (before != atStartup.end() && before->second == entry.second)
                continue;
        }
        out.push_back(entry);
    }
    return out;
}

void writeSettings(SettingsStore& store, const SettingsTexts& texts)
{
    for (const auto& [name, text] : texts)
        store.setValue(name, text);
}

} // namespace narrix
