#include "editor/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace narrix {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(tr("Find"));
    setModal(false);

    auto* label = new QLabel(tr("Fi&nd what:"), this);
    edFind_ = new QLineEdit(this);
    edFind_->setObjectName(QStringLiteral("edFind"));
    label->setBuddy(edFind_);
    cbWholeWord_ = new QCheckBox(tr("Match &whole word only"), this);
    cbWholeWord_->setObjectName(QStringLiteral("cbWholeWord"));
    cbMatchCase_ = new QCheckBox(tr("Match &case"), this);
    cbMatchCase_->setObjectName(QStringLiteral("cbMatchCase"));
    auto* direction = new QGroupBox(tr("Direction"), this);
    rbUp_ = new QRadioButton(tr("&Up"), direction);
    rbUp_->setObjectName(QStringLiteral("rbUp"));
    rbDown_ = new QRadioButton(tr("&Down"), direction);
    rbDown_->setObjectName(QStringLiteral("rbDown"));
    rbDown_->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(rbUp_);
    directionLayout->addWidget(rbDown_);
    btnFindNext_ = new QPushButton(tr("&Find Next"), this);
    btnFindNext_->setObjectName(QStringLiteral("btnFindNext"));
    btnFindNext_->setDefault(true);
    btnFindNext_->setEnabled(false);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(edFind_, 0, 1, 1, 2);
    layout->addWidget(btnFindNext_, 0, 3);
    layout->addWidget(cbWholeWord_, 1, 0, 1, 2);
    layout->addWidget(direction, 1, 2, 2, 1);
    layout->addWidget(cancel, 1, 3);
    layout->addWidget(cbMatchCase_, 2, 0, 1, 2);

    connect(edFind_, &QLineEdit::textChanged, this,
            [this](const QString& text) { btnFindNext_->setEnabled(!text.isEmpty()); });
    connect(btnFindNext_, &QPushButton::clicked, this,
            [this] { Q_EMIT findNext(findWhat(), options(), down()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QPoint positionClearOf(const QRect& frame, const QRect& match, const QRect& screen)
{
    if (!frame.intersects(match))
        return frame.topLeft();
    constexpr int kGap = 8;
    const auto clampX = [&](int x) {
        return std::clamp(x, screen.left(), std::max(screen.left(), screen.right() - frame.width() + 1));
    };
    const auto clampY = [&](int y) {
        return std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() - frame.height() + 1));
    };
    const QPoint candidates[] = {
        {clampX(frame.left()), match.bottom() + 1 + kGap},
        {clampX(frame.left()), match.top() - kGap - frame.height()},
        {match.right() + 1 + kGap, clampY(frame.top())},
        {match.left() - kGap - frame.width(), clampY(frame.top())},
    };
    for (const QPoint& at : candidates) {
        const QRect moved(at, frame.size());
        if (screen.contains(moved) && !moved.intersects(match))
            return at;
    }
    // No free place on the screen: below the match, as far as the screen lets it.
    return {clampX(frame.left()), clampY(match.bottom() + 1 + kGap)};
}

void FindDialog::keepClearOf(const QRect& match)
{
    const QScreen* screen = QGuiApplication::screenAt(match.center());
    if (screen == nullptr)
        screen = this->screen();
    const QRect frame = frameGeometry();
    const QPoint at = positionClearOf(frame, match, screen->availableGeometry());
    if (at != frame.topLeft())
        move(at);
}

QString FindDialog::findWhat() const
{
    return edFind_->text();
}

FindOptions FindDialog::options() const
{
    return FindOptions{cbMatchCase_->isChecked(), cbWholeWord_->isChecked()};
}

bool FindDialog::down() const
{
    return rbDown_->isChecked();
}

} // namespace narrix
