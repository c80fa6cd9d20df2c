#pragma once

#include <QObject>

class QAction;
class QTextEdit;

namespace narrix {

class FollowAlong;

// Shows follow-along reading in the editor: the sentence being heard gets a highlight of its own
// (the user's selection stays as it is) and is scrolled into view. An edit of the document ends it.
// `viewSwitch` is the View menu's switch.
class FollowAlongHighlight : public QObject
{
    Q_OBJECT
public:
    FollowAlongHighlight(QTextEdit& editor, FollowAlong& followAlong, QAction& viewSwitch,
                         QObject* parent = nullptr);

    // The highlighted range, [start, end); start == end when none.
    qsizetype start() const { return start_; }
    qsizetype end() const { return end_; }

private:
    void show(qsizetype start, qsizetype end);
    void clear();

    QTextEdit& editor_;
    FollowAlong& followAlong_;
    qsizetype start_ = 0;
    qsizetype end_ = 0;
};

} // namespace narrix
