#pragma once

#include "app/document_search.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace narrix {

// The find dialog: find what, match case, whole word, up or down (down preset), Find Next and
// Cancel. It stays open while the user works in the editor; each Find Next asks for one search.
class FindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent);

    QString findWhat() const;
    FindOptions options() const;
    bool down() const;

Q_SIGNALS:
    void findNext(const QString& what, narrix::FindOptions options, bool down);

private:
    QLineEdit* edFind_ = nullptr;
    QCheckBox* cbWholeWord_ = nullptr;
    QCheckBox* cbMatchCase_ = nullptr;
    QRadioButton* rbUp_ = nullptr;
    QRadioButton* rbDown_ = nullptr;
    QPushButton* btnFindNext_ = nullptr;
};

} // namespace narrix
