#include "desktop/dropped_files.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace narrix {

namespace {

QStringList localPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

} // namespace

DroppedFiles::DroppedFiles(QWidget& window, Handlers handlers, QObject* parent)
    : QObject(parent), window_(window), handlers_(std::move(handlers))
{
}

DroppedFiles::~DroppedFiles()
{
    setAccepting(false);
}

void DroppedFiles::setAccepting(bool accepting)
{
    if (accepting == accepting_)
        return;
    accepting_ = accepting;
    window_.setAcceptDrops(accepting);
    // Files may be dropped on any part of the window, the editor included: the drop is taken before
    // the widget under the cursor would insert the file's name as text.
    if (accepting)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

void DroppedFiles::filesDropped(const QStringList& paths)
{
    if (!accepting_ || paths.isEmpty())
        return;
    if (paths.size() > 1) {
        handlers_.beep();
        return;
    }
    if (!handlers_.confirmSaveChanges())
        return;
    handlers_.open(paths.first());
}

bool DroppedFiles::eventFilter(QObject* watched, QEvent* event)
{
    const auto* widget = qobject_cast<QWidget*>(watched);
    const bool inWindow = widget && (widget == &window_ || window_.isAncestorOf(widget));
    if (!inWindow)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* move = static_cast<QDragMoveEvent*>(event);
        if (localPaths(move->mimeData()).isEmpty())
            return QObject::eventFilter(watched, event);
        move->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = localPaths(drop->mimeData());
        if (paths.isEmpty())
            return QObject::eventFilter(watched, event);
        drop->acceptProposedAction();
        filesDropped(paths);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace narrix
