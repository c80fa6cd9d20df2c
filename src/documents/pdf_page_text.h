#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace narrix {

// Running headers and footers: lines that open or close most pages (page numbers, a book's title,
// "Chapter 3 - Methods" on every page of that chapter). Lines are compared with their digits
// ignored, so "Page 7" and "Page 8" are one running line.
class RunningLines
{
public:
    // Learns from a sample of pages (each a page's lines): a line counts as running when it is among
    // the first or last two lines of more than half of them (and seldom amid a page's text), and at
    // least three pages were seen.
    void learn(const std::vector<QStringList>& pages);
    // `lines` without the running lines at its top and bottom.
    QStringList strip(QStringList lines) const;

    // The form in which lines are compared: simplified, every run of digits as "#".
    static QString keyOf(const QString& line);

private:
    bool isRunning(const QString& line) const;

    std::map<QString, int> running_;
};

// A page's text split into its non-empty lines.
QStringList pageLines(const QString& pageText);

// The lines joined with "\n", a word hyphenated at a line end joined again ("recog-" + "nition" ->
// "recognition"): a line ending in a hyphen after a letter, followed by a line starting with a
// lower-case letter.
QString joinPageLines(const QStringList& lines);

// Appends `next` to `text` after `separator`, or straight on when `text` ends in a word hyphenated
// before it (as joinPageLines joins lines; pages are joined so too).
void appendJoined(QString& text, const QString& next, QStringView separator);

// Removes the page's number (its label, "3" or "iv", alone or as "- 3 -" or "Page 3") from the
// page's first and last two lines, also where it stands apart at the end or start of a header line.
void stripPageNumber(QStringList& lines, const QString& label);

} // namespace narrix
