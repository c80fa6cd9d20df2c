#include "editor/editor_loading.h"

#include "editor/rich_text_conversion.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace narrix {
namespace {

// Each slice aims at this much time, well inside what a user notices as a stall.
constexpr qint64 kSliceTargetMs = 25;
constexpr qsizetype kFirstSliceChars = 32 * 1024;
constexpr qsizetype kSmallestSlice = 4 * 1024;
constexpr qsizetype kLargestSlice = 4 * 1024 * 1024;

// Where a piece of at most `most` characters of `text` from `from` ends, never beyond `limit` (the
// end of its run): after a line break when one is near, never inside a surrogate pair.
qsizetype pieceEnd(const QString& text, qsizetype from, qsizetype most, qsizetype limit)
{
    const qsizetype end = std::min(limit, from + most);
    if (end == limit)
        return end;
    // Only the piece's second half is searched, which keeps loading linear.
    for (qsizetype at = end - 1; at >= from + most / 2; --at)
        if (text.at(at) == QLatin1Char('\n'))
            return at + 1;
    if (!text.at(end - 1).isHighSurrogate())
        return end;
    return end - 1 > from ? end - 1 : end + 1; // a piece of one pair rather than none
}

// The character QTextDocument::toPlainText() gives for `c` once inserted.
char16_t editorCharacter(char16_t c)
{
    switch (c) {
    case u'\r':
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
    case 0xFDD0: // the document's frame marks
    case 0xFDD1:
        return u'\n';
    case 0x00A0:
        return u' ';
    default:
        return c;
    }
}

} // namespace

EditorLoading::EditorLoading(QTextEdit& editor, QObject* parent) : QObject(parent), editor_(editor)
{
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &EditorLoading::runSlice);
    // The window may go (the program closes) while a long file still fills its editor.
    connect(&editor, &QObject::destroyed, this, [this] {
        timer_.stop();
        active_ = false; // nothing is touched any more
        growing_ = false;
    });
}

EditorLoading::~EditorLoading()
{
    cancel();
}

QString EditorLoading::asEditorText(const QString& text)
{
    // Most texts have none of those characters and are shared, not copied.
    const auto first = std::find_if(text.cbegin(), text.cend(),
                                    [](QChar c) { return editorCharacter(c.unicode()) != c.unicode(); });
    if (first == text.cend())
        return text;
    QString out = text;
    for (qsizetype i = first - text.cbegin(); i < out.size(); ++i)
        out[i] = QChar(editorCharacter(out.at(i).unicode()));
    return out;
}

void EditorLoading::startPlain(const QString& text)
{
    cancel();
    richText_ = false;
    rich_ = RtfDocument();
    begin(text, {text.size()});
}

void EditorLoading::startRich(RtfDocument rich, const QTextCharFormat& base)
{
    cancel();
    richText_ = true;
    rich_ = std::move(rich);
    base_ = base;
    QString source;
    std::vector<qsizetype> runEnds;
    runEnds.reserve(rich_.runs.size());
    for (RtfRun& run : rich_.runs) {
        source += QString::fromStdString(run.text);
        runEnds.push_back(source.size());
        std::string().swap(run.text); // decoded once; only the format is needed from here
    }
    begin(std::move(source), std::move(runEnds));
}

void EditorLoading::startGrowing(const QString& first)
{
    cancel();
    richText_ = false;
    rich_ = RtfDocument();
    growing_ = true;
    begin(first, {first.size()});
}

void EditorLoading::append(const QString& piece)
{
    if (!growing_ || !active_ || piece.isEmpty())
        return;
    source_ += piece;
    runEnds_.back() = source_.size();
    text_ += asEditorText(piece);
    if (!timer_.isActive())
        timer_.start();
}

void EditorLoading::close()
{
    if (!growing_)
        return;
    growing_ = false;
    if (pos_ >= source_.size())
        end();
}

void EditorLoading::begin(QString source, std::vector<qsizetype> runEnds)
{
    source_ = std::move(source);
    runEnds_ = std::move(runEnds);
    text_ = asEditorText(source_);
    run_ = 0;
    pos_ = 0;
    longestSliceMs_ = 0;
    active_ = true;
    wasReadOnly_ = editor_.isReadOnly();
    editor_.setReadOnly(true);
    editor_.document()->setUndoRedoEnabled(false);
    sliceChars_ = kFirstSliceChars;
    runSlice();
    if (active_)
        Q_EMIT changed();
}

void EditorLoading::insertSlice(qsizetype budget)
{
    QTextDocument* document = editor_.document();
    const bool modified = document->isModified();
    const bool blocked = document->blockSignals(true);
    // Text added at the end leaves the user's caret and selection where they were (a caret at the
    // end would be pushed along).
    const QTextCursor caret = editor_.textCursor();
    const int anchor = caret.anchor();
    const int position = caret.position();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    while (budget > 0 && pos_ < source_.size()) {
        while (runEnds_[run_] <= pos_) // a run that is in, or empty
            ++run_;
        const qsizetype end = pieceEnd(source_, pos_, budget, runEnds_[run_]);
        const QTextCharFormat format =
            richText_ ? richRunFormat(rich_.runs[run_].format, rich_, base_) : QTextCharFormat();
        cursor.insertText(source_.mid(pos_, end - pos_), format);
        budget -= end - pos_;
        pos_ = end;
    }
    if (const QTextCursor moved = editor_.textCursor();
        moved.anchor() != anchor || moved.position() != position) {
        QTextCursor kept(document);
        kept.setPosition(anchor);
        kept.setPosition(position, QTextCursor::KeepAnchor);
        editor_.setTextCursor(kept);
    }
    document->setModified(modified);
    document->blockSignals(blocked);
    if (pos_ < source_.size())
        return;
    if (!growing_) {
        end();
        return;
    }
    // All that has come is in: only what is still to come is kept.
    source_.clear();
    runEnds_.back() = 0;
    pos_ = 0;
}

void EditorLoading::runSlice()
{
    if (!active_)
        return;
    QElapsedTimer clock;
    clock.start();
    const qsizetype chars = sliceChars_;
    insertSlice(chars);
    const qint64 spent = std::max<qint64>(1, clock.elapsed());
    longestSliceMs_ = std::max(longestSliceMs_, spent);
    // The next slice is sized by how fast this one went.
    sliceChars_ = std::clamp<qsizetype>(chars * kSliceTargetMs / spent, kSmallestSlice, kLargestSlice);
    if (active_ && pos_ < source_.size())
        timer_.start();
}

void EditorLoading::finish()
{
    // Still in slices: one insertion of many megabytes costs the editor's layout far more.
    while (active_ && pos_ < source_.size())
        insertSlice(std::max<qsizetype>(sliceChars_, 256 * 1024));
}

void EditorLoading::end()
{
    timer_.stop();
    active_ = false;
    growing_ = false;
    source_.clear();
    runEnds_.clear();
    rich_ = RtfDocument();
    editor_.document()->setUndoRedoEnabled(true);
    editor_.setReadOnly(wasReadOnly_);
    Q_EMIT changed();
}

void EditorLoading::cancel()
{
    if (!active_)
        return;
    end();
    text_.clear();
}

} // namespace narrix
