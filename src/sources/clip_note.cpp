#include "sources/clip_note.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace narrix {

TClipNote::TClipNote(QObject* owner, QClipboard* clipboard)
    : QObject(owner), clipboard_(clipboard != nullptr ? clipboard : QGuiApplication::clipboard())
{
    setObjectName(QStringLiteral("ClipNote1"));
    // dataChanged is the clipboard's own notice; the selection has selectionChanged, not followed here.
    connect(clipboard_, &QClipboard::dataChanged, this, [this] { Q_EMIT OnClipboardChange(this); });
}

std::optional<std::string> TClipNote::text() const
{
    const QMimeData* data = clipboard_->mimeData(QClipboard::Clipboard);
    if (data == nullptr || !data->hasText())
        return std::nullopt;
    return data->text().toStdString();
}

bool TClipNote::markedSecret() const
{
    // The hint password managers put beside a copied password, for clipboard histories to skip it.
    static const QString hint = QStringLiteral("x-kde-passwordManagerHint");
    const QMimeData* data = clipboard_->mimeData(QClipboard::Clipboard);
    return data != nullptr && data->hasFormat(hint) && data->data(hint) == QByteArrayLiteral("secret");
}

} // namespace narrix
