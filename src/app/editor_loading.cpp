#include "app/editor_loading.h"

#include "app/rich_text_conversion.h"

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

// Where a piece of at most `most` characters of `text` from `from` ends: after a line break when one
// is near, never inside a surrogate pair.
qsizetype pieceEnd(const QString& text, qsizetype from, qsizetype most)
{
    const qsizetype end = std::min(text.size(), from + most);
    if (end == text.size())
        return end;
    // Only the piece's second half is searched, which keeps loading linear.
    for (qsizetype at = end - 1; at >= from + most / 2; --at)
        if (text.at(at) == QLatin1Char('\n'))
            return at + 1;
    return text.at(end - 1).isHighSurrogate() ? end - 1 : end;
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
    });
}

EditorLoading::~EditorLoading()
{
    cancel();
}

QString EditorLoading::asEditorText(QString text)
{
    for (QChar& c : text) {
        switch (c.unicode()) {
        case u'\r':
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
        case 0xFDD0: // the document's frame marks
        case 0xFDD1:
            c = QLatin1Char('\n');
            break;
        case 0x00A0:
            c = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return text;
}

void EditorLoading::startPlain(const QString& text)
{
    cancel();
    richText_ = false;
    rich_ = RtfDocument();
    runText_ = text;
    text_ = asEditorText(text);
    begin();
}

void EditorLoading::startRich(RtfDocument rich, const QTextCharFormat& base)
{
    cancel();
    richText_ = true;
    rich_ = std::move(rich);
    base_ = base;
    QString all;
    for (const RtfRun& run : rich_.runs)
        all += QString::fromStdString(run.text);
    text_ = asEditorText(std::move(all));
    runText_ = rich_.runs.empty() ? QString() : QString::fromStdString(rich_.runs.front().text);
    begin();
}

void EditorLoading::begin()
{
    run_ = 0;
    offset_ = 0;
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
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    const std::size_t runs = richText_ ? rich_.runs.size() : 1;
    while (budget > 0 && run_ < runs) {
        const qsizetype end = pieceEnd(runText_, offset_, budget);
        const QTextCharFormat format =
            richText_ ? richRunFormat(rich_.runs[run_].format, rich_, base_) : QTextCharFormat();
        cursor.insertText(runText_.mid(offset_, end - offset_), format);
        budget -= end - offset_;
        offset_ = end;
        if (offset_ >= runText_.size()) {
            ++run_;
            offset_ = 0;
            runText_ = richText_ && run_ < runs ? QString::fromStdString(rich_.runs[run_].text) : QString();
        }
    }
    document->setModified(modified);
    document->blockSignals(blocked);
    if (run_ >= runs)
        end();
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
    if (active_)
        timer_.start();
}

void EditorLoading::finish()
{
    // Still in slices: one insertion of many megabytes costs the editor's layout far more.
    while (active_)
        insertSlice(std::max<qsizetype>(sliceChars_, 256 * 1024));
}

void EditorLoading::end()
{
    timer_.stop();
    active_ = false;
    rich_ = RtfDocument();
    runText_.clear();
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
