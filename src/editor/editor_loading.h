#pragma once

#include "base/rtf_document.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTextCharFormat>
#include <QTimer>

#include <vector>

class QTextEdit;

namespace narrix {

// Fills the editor with a long document in slices while the event loop runs: the first page shows at
// once and the window keeps answering. Meanwhile the editor is read-only and the document's signals
// are held back, so neither the modified mark nor anything watching the text sees the loading as an
// edit; `text()` is the whole text as the editor will give it when loading is done.
class EditorLoading final : public QObject
{
    Q_OBJECT
public:
    explicit EditorLoading(QTextEdit& editor, QObject* parent = nullptr);
    ~EditorLoading() override;

    // Appends `text` (plain, the document's default format) to the empty editor.
    void startPlain(const QString& text);
    // Appends the runs of `rich`, each run's format laid over `base`.
    void startRich(RtfDocument rich, const QTextCharFormat& base);
    // Appends `first` (plain) to the empty editor, then each piece given to append() until close():
    // a document that is still being read. The loading stays active (the editor read-only) until
    // the last piece is in.
    void startGrowing(const QString& first);
    void append(const QString& piece);
    void close();

    bool active() const { return active_; }
    // More pieces are still to come (startGrowing without close).
    bool growing() const { return growing_; }
    // Inserts what is left at once (of a growing text: what it has been given so far).
    void finish();
    // Drops what is left (the editor is being emptied or refilled).
    void cancel();

    const QString& text() const { return text_; }
    // How long the longest slice ran, in milliseconds (for the benchmark).
    qint64 longestSliceMs() const { return longestSliceMs_; }

    // The characters QTextDocument::toPlainText() gives for `text` once inserted.
    static QString asEditorText(const QString& text);

Q_SIGNALS:
    // The first slice is in (the editor holds text), and again when all is in.
    void changed();

private:
    void begin(QString source, std::vector<qsizetype> runEnds);
    void insertSlice(qsizetype budget);
    void runSlice();
    void end();

    QTextEdit& editor_;
    QTimer timer_;
    QString source_;                 // the whole text as it is inserted
    std::vector<qsizetype> runEnds_; // where each run ends in it (a plain text is one run)
    RtfDocument rich_;               // the runs' formats (their text is in source_)
    bool richText_ = false;
    QTextCharFormat base_;
    std::size_t run_ = 0; // the run being inserted
    qsizetype pos_ = 0;   // how much of source_ is in
    QString text_;
    bool active_ = false;
    bool growing_ = false;
    bool wasReadOnly_ = false;
    qsizetype sliceChars_ = 0;
    qint64 longestSliceMs_ = 0;
};

} // namespace narrix
