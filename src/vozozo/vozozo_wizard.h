#pragma once

#include "vozozo/export_format.h"

#include <QDialog>
#include <atomic>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QThread;

namespace narrix {

class Prompter;

// vozozo without arguments: pick a text file, a voice, a speed, the format (and its quality) and the
// output file, then Convert.
class VozozoWizard : public QDialog
{
    Q_OBJECT
public:
    // The file pickers go through `prompter`, which tests answer by script.
    explicit VozozoWizard(Prompter& prompter, QWidget* parent = nullptr);
    ~VozozoWizard() override;

    // For tests: fills the fields as the user would.
    void setInput(const QString& path);
    void setOutput(const QString& path);
    bool converting() const { return worker_ != nullptr; }
    QString message() const;

protected:
    void reject() override;

private:
    void browseInput();
    void browseOutput();
    void formatChosen();
    void convert();
    void finished(bool ok, bool cancelled, const QString& message);
    void updateButtons();
    ExportFormat chosenFormat() const;

    Prompter& prompter_;

    QLineEdit* input_;
    QComboBox* voice_;
    QSpinBox* speed_;
    QComboBox* format_;
    QSpinBox* quality_;
    QLineEdit* output_;
    QProgressBar* progress_;
    QLabel* message_;
    QPushButton* convert_;
    QPushButton* cancel_;
    QThread* worker_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancelRequested_;
};

} // namespace narrix
