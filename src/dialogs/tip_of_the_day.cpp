#include "dialogs/tip_of_the_day.h"

#include "dialogs/dialog_pictures.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace narrix {

TfrmTOD::TfrmTOD(const QStringList& lines, QWidget* parent) : QDialog(parent), tips_(lines)
{
    setObjectName(QStringLiteral("frmTOD"));
    setWindowTitle(tr("Tip of the Day"));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnlTip"));
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);
    panel->setFrameShape(QFrame::StyledPanel);

    auto* bulb = new QLabel(panel);
    bulb->setPixmap(lightBulbPicture(48));
    bulb->setAlignment(Qt::AlignTop);
    auto* heading = new QLabel(tr("Did you know..."), panel);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);
    tip_ = new QLabel(panel);
    tip_->setObjectName(QStringLiteral("lblTip"));
    tip_->setWordWrap(true);
    tip_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    tip_->setMinimumSize(320, 110);

    auto* text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(tip_, 1);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(bulb, 0, Qt::AlignTop);
    panelLayout->addLayout(text, 1);

    showAtStartup_ = new QCheckBox(tr("Show Tips at Startup"), this);
    showAtStartup_->setObjectName(QStringLiteral("cbShowTips"));
    auto* next = new QPushButton(tr("Next &Tip"), this);
    next->setObjectName(QStringLiteral("btnNextTip"));
    next->setAutoDefault(false);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(showAtStartup_);
    buttons->addStretch(1);
    buttons->addWidget(next);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);

    connect(next, &QPushButton::clicked, this, &TfrmTOD::nextTip);
    // OK is both the default and the cancel button: Esc closes the same way.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    tip_->setText(tips_.currentTip());
    showAtStartup_->setChecked(tips_.showAtStartup());
    ok->setFocus();
}

QString TfrmTOD::shownTip() const
{
    return tip_->text();
}

void TfrmTOD::nextTip()
{
    tips_.next();
    tip_->setText(tips_.currentTip());
}

void TfrmTOD::done(int result)
{
    if (!closed_) {
        closed_ = true;
        showTips_ = showAtStartup_->isChecked();
        closedLines_ = tips_.closedLines(showTips_);
    }
    QDialog::done(result);
}

} // namespace narrix
