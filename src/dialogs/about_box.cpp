#include "dialogs/about_box.h"

#include "base/maker_addresses.h"
#include "dialogs/dialog_pictures.h"
#include "dialogs/link_labels.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace narrix {

QString programTitle()
{
    return QStringLiteral("Narrix v") + QStringLiteral(NARRIX_VERSION);
}

QString programBuild()
{
    return QStringLiteral(NARRIX_BUILD_ID);
}

TfrmAbout::TfrmAbout(DesktopOpener& desktop, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Narrix"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgProgram"));
    picture->setPixmap(programPicture(64));
    auto* title = new QLabel(programTitle(), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* description =
        new QLabel(tr("Reads documents, typing, the clipboard, the time and your channels aloud."), this);
    description->setWordWrap(true);

    auto* makerLink = new TQMHotLink(desktop, this);
    makerLink->setObjectName(QStringLiteral("lnkMaker"));
    makerLink->setText(tr("Quillmark, 2026"));
    makerLink->setToolTip(tr("Click here to visit our website!"));
    makerLink->setUrl(QString::fromLatin1(maker::kHomePage));
    styleAsLink(*makerLink);

    auto* support = new TQMMailTo(desktop, this);
    support->setObjectName(QStringLiteral("lnkSupport"));
    support->setText(tr("Technical Support"));
    support->setToolTip(tr("Click here to send us an email!"));
    support->mailSubject = QStringLiteral("Narrix");
    support->mailDestinator = QString::fromLatin1(maker::kSupportMail);
    styleAsLink(*support);

    auto* build = new QLabel(tr("Build: ") + programBuild(), this);
    build->setObjectName(QStringLiteral("lblBuild"));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(description);
    text->addSpacing(8);
    text->addWidget(makerLink);
    text->addWidget(support);
    text->addSpacing(8);
    text->addWidget(build);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}

} // namespace narrix
