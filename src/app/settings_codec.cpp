#include "app/settings_codec.h"

#include "app/settings_store.h"
#include "app/settings_text.h"
#include "platform/locale_adapter.h"

#include <algorithm>
#include <optional>

namespace narrix {
namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

QString boolText(bool on)
{
    return on ? kTrue : kFalse;
}

// Reads values one by one, keeping the list of names read.
class Reader
{
public:
    Reader(const SettingsStore& store, QStringList* valuesRead) : store_(store), valuesRead_(valuesRead) {}

    QString text(const QString& name)
    {
        if (valuesRead_ != nullptr)
            valuesRead_->append(name);
        return store_.value(name);
    }
    QString text(const QString& name, const QString& fallback)
    {
        const QString stored = text(name);
        return stored.isEmpty() ? fallback : stored;
    }
    // A numeric value: empty gives the default; text that does not parse ends the read.
    template <typename T, typename Parse> T number(const QString& name, T fallback, Parse parse)
    {
        const QString stored = text(name);
        if (stored.isEmpty())
            return fallback;
        const auto value = parse(stored);
        if (!value)
            throw SettingsReadError(name, stored);
        return static_cast<T>(*value);
    }
    std::int32_t int32(const QString& name, std::int32_t fallback)
    {
        return number(name, fallback, [](const QString& t) { return parseInt32(t); });
    }
    // A 64-bit decimal of which the low 32 bits are kept.
    std::int32_t low32(const QString& name, std::int32_t fallback)
    {
        const auto low = [](const QString& t) -> std::optional<std::int32_t> {
            const auto value = parseInt64(t);
            if (!value)
                return std::nullopt;
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(*value)));
        };
        return number(name, fallback, low);
    }
    double real(const QString& name, double fallback, QChar separator)
    {
        return number(name, fallback, [separator](const QString& t) { return parseReal(t, separator); });
    }
    bool onUnlessFalse(const QString& name) { return text(name) != kFalse; }
    bool offUnlessTrue(const QString& name) { return text(name) == kTrue; }

private:
    const SettingsStore& store_;
    QStringList* valuesRead_;
};

WindowStartState parseWindowState(const QString& text)
{
    if (text.isEmpty() || text == QLatin1String("Normal"))
        return WindowStartState::Normal;
    if (text == QLatin1String("Minimize"))
        return WindowStartState::Minimized;
    return WindowStartState::Maximized;
}

QString styleText(const DocumentFont& font)
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

} // namespace

SettingsReadError::SettingsReadError(const QString& name, const QString& text)
    : std::runtime_error(QStringLiteral("setting %1 is not a number: \"%2\"").arg(name, text).toStdString()),
      name_(name), text_(text)
{
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
    static const QStringList names = {
        QStringLiteral("FontCharset"),    QStringLiteral("FontName"),       QStringLiteral("FontSize"),
        QStringLiteral("FontColor"),      QStringLiteral("FontStyle"),      QStringLiteral("WindowState"),
        QStringLiteral("Split1"),         QStringLiteral("Split2"),         QStringLiteral("WindowLeft"),
        QStringLiteral("WindowTop"),      QStringLiteral("WindowWidth"),    QStringLiteral("WindowHeight"),
        QStringLiteral("ShowTips"),       QStringLiteral("ViewToolbar"),    QStringLiteral("ViewStatusbar"),
        QStringLiteral("ViewNarrixLogo"), QStringLiteral("EnableRealtime"), QStringLiteral("EnableClipboard"),
        QStringLiteral("EnableSchedule"), QStringLiteral("Voice"),          QStringLiteral("Speed"),
        QStringLiteral("RealMode"),       QStringLiteral("RealCustom"),     QStringLiteral("TellTime"),
        QStringLiteral("DateStyle"),      QStringLiteral("TimeStyle"),      QStringLiteral("HourFormat"),
        QStringLiteral("Theme"),          QStringLiteral("NormalIcon"),     QStringLiteral("OpenIcon"),
        QStringLiteral("CloseIcon"),      QStringLiteral("Proxy"),          QStringLiteral("Port"),
        QStringLiteral("Greetings"),      QStringLiteral("StartMinimized"), QStringLiteral("TaskbarButton"),
        QStringLiteral("Device"),
    };
    return names;
}

const QStringList& settingsWriteOrder()
{
    static const QStringList names = [] {
        QStringList order = settingsReadOrder();
        // Written: the bounds before the splits, and no ShowTips (the tip dialog owns it).
        order.removeAll(QStringLiteral("ShowTips"));
        order.removeAll(QStringLiteral("Split1"));
        order.removeAll(QStringLiteral("Split2"));
        const auto afterBounds = order.indexOf(QStringLiteral("WindowHeight")) + 1;
        order.insert(afterBounds, QStringLiteral("Split2"));
        order.insert(afterBounds, QStringLiteral("Split1"));
        return order;
    }();
    return names;
}

void readSettings(const SettingsStore& store, const SettingsEnvironment& environment,
                  const LocaleAdapter& locale, Settings& s, QStringList* valuesRead,
                  const std::function<void(WindowBound, int)>& applyBound)
{
    const Settings defaults = defaultSettings(environment);
    const DocumentFont& menuFont = environment.menuFont;
    Reader r(store, valuesRead);
    const auto bound = [&](WindowBound which, int& field, const QString& name, int fallback) {
        field = r.int32(name, fallback);
        if (applyBound)
            applyBound(which, field);
    };

    s.documentFont.charset = r.int32(QStringLiteral("FontCharset"), menuFont.charset);
    s.documentFont.name = r.text(QStringLiteral("FontName"), menuFont.name);
    s.documentFont.size = r.int32(QStringLiteral("FontSize"), menuFont.size);
    s.documentFont.color = r.int32(QStringLiteral("FontColor"), menuFont.color);
    const QString style = r.text(QStringLiteral("FontStyle"));
    if (style.isEmpty()) {
        s.documentFont.bold = menuFont.bold;
        s.documentFont.italic = menuFont.italic;
        s.documentFont.underline = menuFont.underline;
        s.documentFont.strikeOut = menuFont.strikeOut;
    } else {
        s.documentFont.bold = style.contains(QLatin1Char('B'));
        s.documentFont.italic = style.contains(QLatin1Char('I'));
        s.documentFont.underline = style.contains(QLatin1Char('U'));
        s.documentFont.strikeOut = style.contains(QLatin1Char('K'));
    }
    s.windowStartState = parseWindowState(r.text(QStringLiteral("WindowState")));
    const QChar separator = locale.decimalSeparator();
    s.split1 = r.real(QStringLiteral("Split1"), defaults.split1, separator);
    s.split2 = r.real(QStringLiteral("Split2"), defaults.split2, separator);
    bound(WindowBound::Left, s.windowLeft, QStringLiteral("WindowLeft"), defaults.windowLeft);
    bound(WindowBound::Top, s.windowTop, QStringLiteral("WindowTop"), defaults.windowTop);
    bound(WindowBound::Width, s.windowWidth, QStringLiteral("WindowWidth"), defaults.windowWidth);
    bound(WindowBound::Height, s.windowHeight, QStringLiteral("WindowHeight"), defaults.windowHeight);
    s.showTips = r.onUnlessFalse(QStringLiteral("ShowTips"));
    s.viewToolbar = r.onUnlessFalse(QStringLiteral("ViewToolbar"));
    s.viewStatusbar = r.onUnlessFalse(QStringLiteral("ViewStatusbar"));
    s.viewLogo = r.onUnlessFalse(QStringLiteral("ViewNarrixLogo"));
    s.enableRealtime = r.onUnlessFalse(QStringLiteral("EnableRealtime"));
    s.enableClipboard = r.onUnlessFalse(QStringLiteral("EnableClipboard"));
    s.enableSchedule = r.onUnlessFalse(QStringLiteral("EnableSchedule"));
    s.voice = r.text(QStringLiteral("Voice"), defaults.voice);
    s.speed = r.int32(QStringLiteral("Speed"), defaults.speed);
    s.realMode = r.text(QStringLiteral("RealMode"), defaults.realMode);
    s.realCustom = r.text(QStringLiteral("RealCustom"), defaults.realCustom);
    s.tellTime = r.text(QStringLiteral("TellTime"), defaults.tellTime);
    s.dateStyle = r.text(QStringLiteral("DateStyle"), defaults.dateStyle);
    s.timeStyle = r.text(QStringLiteral("TimeStyle"), defaults.timeStyle);
    s.hourFormat = r.text(QStringLiteral("HourFormat"), defaults.hourFormat);
    s.theme = r.int32(QStringLiteral("Theme"), defaults.theme);
    s.normalIcon = r.text(QStringLiteral("NormalIcon"));
    s.openIcon = r.text(QStringLiteral("OpenIcon"));
    s.closeIcon = r.text(QStringLiteral("CloseIcon"));
    s.proxy = r.text(QStringLiteral("Proxy"));
    s.port = r.text(QStringLiteral("Port"));
    s.greetings = r.text(QStringLiteral("Greetings"), defaults.greetings);
    s.startMinimized = r.offUnlessTrue(QStringLiteral("StartMinimized"));
    s.taskbarButton = r.offUnlessTrue(QStringLiteral("TaskbarButton"));
    s.device = r.low32(QStringLiteral("Device"), defaults.device);
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
    const DocumentFont& f = s.documentFont;
    SettingsTexts t;
    t.reserve(36);
    const auto add = [&t](const char16_t* name, const QString& text) {
        t.emplace_back(QString::fromUtf16(name), text);
    };
    add(u"FontCharset", QString::number(f.charset));
    add(u"FontName", f.name);
    add(u"FontSize", QString::number(f.size));
    add(u"FontColor", QString::number(f.color));
    add(u"FontStyle", styleText(f));
    add(u"WindowState", windowStateText(s.windowStartState));
    if (withBounds) {
        add(u"WindowLeft", QString::number(s.windowLeft));
        add(u"WindowTop", QString::number(s.windowTop));
        add(u"WindowWidth", QString::number(s.windowWidth));
        add(u"WindowHeight", QString::number(s.windowHeight));
    }
    add(u"Split1", formatReal(s.split1, separator));
    add(u"Split2", formatReal(s.split2, separator));
    add(u"ViewToolbar", boolText(s.viewToolbar));
    add(u"ViewStatusbar", boolText(s.viewStatusbar));
    add(u"ViewNarrixLogo", boolText(s.viewLogo));
    add(u"EnableRealtime", boolText(s.enableRealtime));
    add(u"EnableClipboard", boolText(s.enableClipboard));
    add(u"EnableSchedule", boolText(s.enableSchedule));
    add(u"Voice", s.voice);
    add(u"Speed", QString::number(s.speed));
    add(u"RealMode", s.realMode);
    add(u"RealCustom", s.realCustom);
    add(u"TellTime", s.tellTime);
    add(u"DateStyle", s.dateStyle);
    add(u"TimeStyle", s.timeStyle);
    add(u"HourFormat", s.hourFormat);
    add(u"Theme", QString::number(s.theme));
    add(u"NormalIcon", s.normalIcon);
    add(u"OpenIcon", s.openIcon);
    add(u"CloseIcon", s.closeIcon);
    add(u"Proxy", s.proxy);
    add(u"Port", s.port);
    add(u"Greetings", s.greetings);
    add(u"StartMinimized", boolText(s.startMinimized));
    add(u"TaskbarButton", boolText(s.taskbarButton));
    add(u"Device", QString::number(static_cast<std::uint32_t>(s.device)));
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
