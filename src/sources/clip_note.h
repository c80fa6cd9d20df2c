#pragma once

#include "sources/clipboard_text.h"

#include <QObject>

class QClipboard;

namespace narrix {

// Watches the system clipboard on behalf of its owner and raises OnClipboardChange whenever the
// clipboard's content changes. Only the clipboard counts: the X11 primary selection (text merely
// selected with the mouse) does not. Other programs watching the clipboard are not affected.
class TClipNote : public QObject, public ClipboardText
{
    Q_OBJECT
public:
    // `clipboard` defaults to the application's clipboard.
    explicit TClipNote(QObject* owner, QClipboard* clipboard = nullptr);

    std::optional<std::string> text() const override;
    bool markedSecret() const override;

Q_SIGNALS:
    void OnClipboardChange(narrix::TClipNote* sender);

private:
    QClipboard* clipboard_;
};

} // namespace narrix
