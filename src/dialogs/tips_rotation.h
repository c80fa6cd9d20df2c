#pragma once

#include <QString>
#include <QStringList>

namespace narrix {

// The lines of Tips.txt and their rotation: line 1 is "True" or "False" (the check box "Show Tips at
// Startup" when the dialog last closed), line 2 the tip shown on opening, the rest the tips to come.
// Each "next" and each close moves the shown tip to the end, so every opening shows the tip after the
// one last shown.
class TipsRotation
{
public:
    explicit TipsRotation(QStringList lines);

    // Fewer than two lines: no tip (the dialog shows an empty one and "Next Tip" does nothing).
    bool hasTips() const { return lines_.size() >= 2; }
    QString currentTip() const;
    // The check box on opening: exactly when line 1 is "True".
    bool showAtStartup() const;
    void next();
    // The lines to save when the dialog closes with the check box `show`: line 1 set, the shown tip
    // moved to the end once more. A file without tips keeps the lines it had (a missing file stays
    // missing), with line 1 set when there is one.
    QStringList closedLines(bool show);

    const QStringList& lines() const { return lines_; }

private:
    QStringList lines_;
};

// The lines of a tips file's bytes (UTF-8): CR LF or LF line ends, trailing empty lines dropped.
QStringList parseTipsText(const QByteArray& bytes);
// parseTipsText() of the file; empty when the file is missing or unreadable.
QStringList readTipsFile(const QString& path);
// Writes the lines with CR LF line ends, replacing the file whole. False (and `*error`) on failure.
bool writeTipsFile(const QString& path, const QStringList& lines, QString* error);

// The data folder's Tips.txt: when it is missing, the copy shipped with the program (`shippedPath`)
// is copied there first. Returns the path to open (the data folder's, even when nothing was copied).
QString prepareTipsFile(const QString& dataPath, const QString& shippedPath);

} // namespace narrix
