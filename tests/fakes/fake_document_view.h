#pragma once

#include "fakes/scripted_answers.h"

#include "editor/document_view.h"

#include <QStringList>
#include <deque>

namespace narrix::testing {

// The editor control as plain text with a selection, a mode, a modified mark and the font each
// character was last given.
class FakeDocumentView : public DocumentView
{
public:
    QString title = QStringLiteral("Untitled");
    bool richMode = false;
    QString text;
    RtfDocument rich; // what setRichText received
    bool modified = false;
    qsizetype start = 0;
    qsizetype length = 0;
    std::vector<DocumentFont> fonts; // per character
    DocumentFont typingFont;
    int beeps = 0;

    void setTitle(const QString& t) override { title = t; }
    void setRichTextMode(bool r) override { richMode = r; }
    void clear(const DocumentFont& font) override
    {
        text.clear();
        fonts.clear();
        typingFont = font;
        start = length = 0;
        modified = true;
    }
    void setPlainText(const QString& t) override
    {
        text = t;
        fonts.assign(static_cast<std::size_t>(t.size()), typingFont);
        modified = true;
    }
    void setRichText(const RtfDocument& d) override
    {
        rich = d;
        setPlainText(QString::fromStdString(d.plainText()));
    }
    // A growing text is shown in full at once: the pieces only append.
    bool growing = false;
    void setGrowingText(const QString& first) override
    {
        setPlainText(first);
        growing = true;
    }
    void appendText(const QString& piece) override
    {
        text += piece;
        fonts.insert(fonts.end(), static_cast<std::size_t>(piece.size()), typingFont);
    }
    void endGrowingText() override { growing = false; }
    QString plainText() const override { return text; }
    RtfDocument richText() const override
    {
        RtfDocument d;
        d.fonts.push_back(RtfFont{typingFont.name.toStdString()});
        RtfTextFormat format;
        format.font = 0;
        format.bold = typingFont.bold;
        d.append(text.toStdString(), format);
        return d;
    }
    bool isModified() const override { return modified; }
    void setModified(bool m) override { modified = m; }
    qsizetype selectionStart() const override { return start; }
    qsizetype selectionLength() const override { return length; }
    void select(qsizetype s, qsizetype l) override
    {
        start = s;
        length = l;
    }
    void setSelectionFont(const DocumentFont& font) override
    {
        if (length == 0)
            typingFont = font;
        for (qsizetype i = start; i < start + length && i < static_cast<qsizetype>(fonts.size()); ++i)
            fonts[static_cast<std::size_t>(i)] = font;
    }
    void beep() override { ++beeps; }

    // The user types: the text replaces the selection and the mark is set.
    void type(const QString& typed)
    {
        text.replace(start, length, typed);
        fonts.erase(fonts.begin() + start, fonts.begin() + start + length);
        fonts.insert(fonts.begin() + start, static_cast<std::size_t>(typed.size()), typingFont);
        start += typed.size();
        length = 0;
        modified = true;
    }
};

// Answers the editor's dialogs by script and records what was asked.
class FakeDocumentDialogs : public DocumentDialogs
{
public:
    std::deque<SaveChangesAnswer> saveChangesAnswers; // Cancel when empty
    std::deque<QString> fileNames;                    // cancelled when empty
    std::deque<bool> replaceAnswers;                  // false when empty
    std::optional<DocumentFont> font;
    QStringList asked; // every prompt and dialog, in order
    QStringList filters;
    QStringList folders; // where each file dialog started
    QStringList errors;

    SaveChangesAnswer askSaveChanges(const QString& text) override
    {
        asked << text;
        return nextAnswer(saveChangesAnswers, SaveChangesAnswer::Cancel);
    }
    QString openFileName(const QString& filter, const QString& folder) override
    {
        asked << QStringLiteral("open");
        filters << filter;
        folders << folder;
        return nextAnswer(fileNames, QString());
    }
    QString saveFileName(const QString& filter, const QString& folder) override
    {
        asked << QStringLiteral("save as");
        filters << filter;
        folders << folder;
        return nextAnswer(fileNames, QString());
    }
    bool confirmReplace(const QString& path) override
    {
        asked << QStringLiteral("replace ") + path;
        return nextAnswer(replaceAnswers, false);
    }
    void showFileError(const QString& text) override { errors << text; }
    std::optional<DocumentFont> chooseFont(const DocumentFont&) override
    {
        asked << QStringLiteral("font");
        return font;
    }
};

} // namespace narrix::testing
