#include "editor/follow_along_highlight.h"

#include "speech/follow_along.h"

#include <QAction>
#include <QPalette>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace narrix {

FollowAlongHighlight::FollowAlongHighlight(QTextEdit& editor, FollowAlong& followAlong, QAction& viewSwitch,
                                           QObject* parent)
    : QObject(parent), editor_(editor), followAlong_(followAlong)
{
    viewSwitch.setCheckable(true);
    viewSwitch.setChecked(followAlong.enabled());
    connect(&viewSwitch, &QAction::toggled, this, [this](bool on) { followAlong_.setEnabled(on); });
    connect(&followAlong, &FollowAlong::reading, this, &FollowAlongHighlight::show);
    connect(&followAlong, &FollowAlong::cleared, this, &FollowAlongHighlight::clear);
    // Typing, pasting, deleting: the positions no longer fit the text being read.
    connect(editor.document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed != added)
            followAlong_.forget();
    });
}

void FollowAlongHighlight::show(qsizetype start, qsizetype end)
{
    const int last = editor_.document()->characterCount() - 1;
    if (start > last) { // a long file still filling the editor: that part is not in yet
        clear();
        return;
    }
    start_ = std::clamp<qsizetype>(start, 0, last);
    end_ = std::clamp<qsizetype>(end, start_, last);
    QTextCursor cursor(editor_.document());
    cursor.setPosition(static_cast<int>(start_));
    cursor.setPosition(static_cast<int>(end_), QTextCursor::KeepAnchor);
    QTextEdit::ExtraSelection selection;
    selection.cursor = cursor;
    const QPalette palette = editor_.palette();
    selection.format.setBackground(palette.color(QPalette::Inactive, QPalette::Highlight).lighter(160));
    editor_.setExtraSelections({selection});
    // Into view without moving the user's cursor.
    QTextCursor top(editor_.document());
    top.setPosition(static_cast<int>(start_));
    const QRect rect = editor_.cursorRect(top);
    const QRect view = editor_.viewport()->rect();
    if (!view.contains(rect)) {
        QScrollBar* bar = editor_.verticalScrollBar();
        bar->setValue(bar->value() + rect.top() - view.height() / 3);
    }
}

void FollowAlongHighlight::clear()
{
    start_ = end_ = 0;
    editor_.setExtraSelections({});
}

} // namespace narrix
