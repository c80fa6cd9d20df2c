#pragma once

#include "editor/document_view.h"
#include "editor/editor_loading.h"

#include <QObject>
#include <QTextCharFormat>
#include <functional>
#include <optional>

class QTextEdit;

namespace narrix {

// The document editor's view of the main window's rich-text edit RTFB.
class TextEditDocumentView final : public DocumentView
{
public:
    explicit TextEditDocumentView(QTextEdit& editor);
    ~TextEditDocumentView() override;
    TextEditDocumentView(const TextEditDocumentView&) = delete;
    TextEditDocumentView& operator=(const TextEditDocumentView&) = delete;

    void setTitle(const QString& title) override;
    void setRichTextMode(bool rich) override;
    void clear(const DocumentFont& font) override;
    void setPlainText(const QString& text) override;
    void setRichText(const RtfDocument& document) override;
    void setGrowingText(const QString& first) override;
    void appendText(const QString& piece) override;
    void endGrowingText() override;
    QString plainText() const override;
    RtfDocument richText() const override;
    bool isModified() const override;
    void setModified(bool modified) override;
    qsizetype selectionStart() const override;
    qsizetype selectionLength() const override;
    void select(qsizetype start, qsizetype length) override;
    void setSelectionFont(const DocumentFont& font) override;
    void beep() override;

    // A long file fills the editor in slices after it is opened.
    EditorLoading& loading() { return loading_; }
    const EditorLoading& loading() const { return loading_; }

    // Where the title goes (the title bar above the editor).
    std::function<void(const QString&)> titleSink;

private:
    void keepText(const QString& text) const;

    QTextEdit& editor_;
    mutable EditorLoading loading_; // reading the whole rich text finishes it
    QTextCharFormat typingFormat_;
    mutable std::optional<QString> text_; // the editor's text until the next edit
    mutable QMetaObject::Connection watching_;
};

} // namespace narrix
