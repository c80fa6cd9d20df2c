#pragma once

#include <QDialog>
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

private:
    void fill();
    void selectionChanged();

    std::function<void(const QString&)> warn_;
    QListWidget* list_ = nullptr;
    int pending_ = -1;
    bool filling_ = false;
};

} // namespace narrix
