#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

namespace narrix {

// Files dropped on the main window: one local file opens in the document editor after the
// save-changes prompt; several give a beep and open nothing. Drops are taken only while accepting
// (from the end of the start-up to the shutdown).
class DroppedFiles final : public QObject
{
    Q_OBJECT
public:
    struct Handlers
    {
        std::function<bool()> confirmSaveChanges; // false: Cancel
        std::function<void(const QString&)> open; // opens the path in the document editor
        std::function<void()> beep;
    };

    DroppedFiles(QWidget& window, Handlers handlers, QObject* parent = nullptr);
    ~DroppedFiles() override;

    void setAccepting(bool accepting);
    bool accepting() const { return accepting_; }
    // What a drop of these local paths does.
    void filesDropped(const QStringList& paths);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget& window_;
    Handlers handlers_;
    bool accepting_ = false;
};

} // namespace narrix
