#pragma once

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>

namespace narrix {

// The row at the bottom of the program's dialogs: "OK" (Button1, the default button, Enter) and
// "Cancel" (Button2, which rejects like Esc), right-aligned.
struct OkCancelRow
{
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QHBoxLayout* layout = nullptr;

    explicit OkCancelRow(QDialog* dialog)
        : ok(new QPushButton(QCoreApplication::translate("OkCancelRow", "OK"), dialog)),
          cancel(new QPushButton(QCoreApplication::translate("OkCancelRow", "Cancel"), dialog)),
          layout(new QHBoxLayout)
    {
        ok->setObjectName(QStringLiteral("Button1"));
        ok->setDefault(true);
        cancel->setObjectName(QStringLiteral("Button2"));
        QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
        layout->addStretch();
        layout->addWidget(ok);
        layout->addWidget(cancel);
    }
};

} // namespace narrix
