#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

namespace narrix {

// The names of the translations to try for the interface, best first ("de_DE", "de", ...), from the
// user's interface languages as QLocale::uiLanguages() gives them ("de-DE" style, which honours
// LANGUAGE). Each language comes with its shorter forms (de-Latn-DE, de-Latn, de). Empty when the
// locale of messages (LC_ALL, else LC_MESSAGES, else LANG) is unset, C or POSIX; the list ends before
// the first English language, the language of the program's own texts.
QStringList interfaceTranslationNames(const QString& messagesLocale, const QStringList& uiLanguages);

// The folders that may hold the program's translations: translations/ in each folder of shipped files.
QStringList interfaceTranslationFolders(const QString& executableFolder);

// The program's texts and Qt's own (standard buttons, context menus) in the interface's language,
// installed on the application while this object lives: the first name that has narrix_NAME.qm in one
// of the folders, with qtbase_NAME.qm from Qt's translations when it is there.
class InterfaceLanguage
{
public:
    InterfaceLanguage(const QStringList& names, const QStringList& folders);
    InterfaceLanguage(const InterfaceLanguage&) = delete;
    InterfaceLanguage& operator=(const InterfaceLanguage&) = delete;

    // The name whose translation was installed; empty when the texts stay as written.
    QString language() const { return language_; }

private:
    QTranslator program_;
    QTranslator qt_;
    QString language_;
};

} // namespace narrix
