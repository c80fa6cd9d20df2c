#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

class QListWidget;

namespace narrix {

// "Select Audio Device": the default output, then the outputs the system reports by their
// description; the list follows outputs added or removed while it is open. OK shows the warning
// (through `warn`, the program's message seam) and returns the chosen device; Cancel changes nothing.
class TfrmDevice final : public QDialog
{
    Q_OBJECT
public:
    static const QString kWarning;

    explicit TfrmDevice(std::function<void(const QString&)> warn, QWidget* parent = nullptr);

    // Fills the list and selects `device` (-1 the default output).
    void open(int device);
    // The pending device: what OK returns.
    int device() const { return pending_; }

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fill();
    void selectionChanged();
    // Refills the list when the outputs changed, keeping the chosen one or falling back to the default.
    void followOutputs();

    std::function<void(const QString&)> warn_;
    QListWidget* list_ = nullptr;
    int pending_ = -1;
    bool filling_ = false;
    // Qt does not always report outputs added or removed: the open dialog also looks every second.
    QTimer watch_;
};

} // namespace narrix
