#pragma once

#include "editor/document_search.h"

#include <QDialog>
#include <QPoint>
#include <QRect>

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

    // Moves the dialog off `match` (global coordinates) when it covers it: below the match, else above,
    // else beside it, staying on the match's screen.
    void keepClearOf(const QRect& match);

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

// Where a window with the frame `frame` goes so that it no longer covers `match`, inside `screen`: the
// nearest free place below, above, right or left of the match, in that order of preference; its own
// position when it covers nothing.
QPoint positionClearOf(const QRect& frame, const QRect& match, const QRect& screen);

} // namespace narrix
