#include "documents/progressive_document_reader.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>

namespace narrix {

ProgressiveDocumentReader::ProgressiveDocumentReader(QObject* parent) : QObject(parent) {}

ProgressiveDocumentReader::~ProgressiveDocumentReader()
{
    stop();
}

void ProgressiveDocumentReader::start(std::unique_ptr<DocumentPieces> pieces)
{
    stop();
    const unsigned reading = ++reading_;
    running_ = true;
    stopping_ = std::make_shared<std::atomic<bool>>(false);
    // The worker ends before this object is destroyed (stop() joins it), so the queued calls it posts
    // find their receiver or are dropped with it.
    worker_ = std::thread([this, reading, stopping = stopping_, pieces = std::move(pieces)] {
        std::string error;
        while (!stopping->load()) {
            std::optional<std::string> piece = pieces->next(&error);
            if (!piece)
                break;
            QMetaObject::invokeMethod(
                this, [this, reading, text = QString::fromStdString(*piece)] { deliver(reading, text); },
                Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            this, [this, reading, text = QString::fromStdString(error)] { end(reading, text); },
            Qt::QueuedConnection);
    });
}

void ProgressiveDocumentReader::stop()
{
    if (stopping_)
        stopping_->store(true);
    if (worker_.joinable())
        worker_.join();
    ++reading_; // what the stopped reading had queued is dropped
    running_ = false;
}

void ProgressiveDocumentReader::finishNow()
{
    if (!running_)
        return;
    if (worker_.joinable())
        worker_.join();
    // What the worker queued is delivered here, in order, ending with finished.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void ProgressiveDocumentReader::deliver(unsigned reading, const QString& piece)
{
    if (reading == reading_)
        Q_EMIT pieceRead(piece);
}

void ProgressiveDocumentReader::end(unsigned reading, const QString& error)
{
    if (reading != reading_)
        return;
    running_ = false;
    // The thread has sent its last call; it is joined here so a finished reader holds no thread.
    if (worker_.joinable())
        worker_.join();
    Q_EMIT finished(error);
}

} // namespace narrix
