#pragma once

#include "documents/document_pieces.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace narrix {

// Takes a document's pieces on a worker thread and hands them, in order, to the thread that started
// the reading through queued signals, so the first pages show and speak while the rest is extracted.
class ProgressiveDocumentReader final : public QObject
{
    Q_OBJECT
public:
    explicit ProgressiveDocumentReader(QObject* parent = nullptr);
    // Stops the worker (after the piece it is on) and waits for it.
    ~ProgressiveDocumentReader() override;
    ProgressiveDocumentReader(const ProgressiveDocumentReader&) = delete;
    ProgressiveDocumentReader& operator=(const ProgressiveDocumentReader&) = delete;

    // Reads `pieces` from now on; a reading still running is stopped first and sends nothing more.
    void start(std::unique_ptr<DocumentPieces> pieces);
    void stop();
    // Waits until the worker has read the rest and sends every piece (and finished) before it returns:
    // for a caller that needs the whole text now.
    void finishNow();
    // Between start and finished.
    bool running() const { return running_; }

Q_SIGNALS:
    void pieceRead(const QString& piece);
    // The last piece was sent; `error` says why the document ended early, empty when it was read whole.
    void finished(const QString& error);

private:
    void deliver(unsigned reading, const QString& piece);
    void end(unsigned reading, const QString& error);

    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> stopping_;
    unsigned reading_ = 0; // which start the queued pieces belong to
    bool running_ = false;
};

} // namespace narrix
