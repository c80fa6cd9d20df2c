#include "dialogs/text_picker_dialog.h"

#include "dialogs/ok_cancel_row.h"
#include "schedule/picker_page_reader.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace narrix {
namespace {

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TfrmPicker::TfrmPicker(const TextPickerValues& values, PickerPageSource source, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      source_(std::move(source))
{
    setObjectName(QStringLiteral("frmPicker"));
    setWindowTitle(tr("Text Picker"));
    auto* explanation = new QLabel(
        QStringLiteral(
            "Text Picker can help you pick the exact paragraphs you would like to hear. (Internet only)"),
        this);
    explanation->setWordWrap(true);

    edLead = named(new QLineEdit(fromUtf8(values.leadKey), this), "edLead");
    cbLead = named(new QCheckBox(tr("&Include the leading keyword"), this), "cbLead");
    cbLead->setChecked(values.leadInc);
    edTrail = named(new QLineEdit(fromUtf8(values.trailKey), this), "edTrail");
    cbTrail = named(new QCheckBox(tr("I&nclude the trailing keyword"), this), "cbTrail");
    cbTrail->setChecked(values.trailInc);
    auto* form = new QFormLayout;
    form->addRow(tr("&Leading keyword:"), edLead);
    form->addRow(QString(), cbLead);
    form->addRow(tr("&Trailing keyword:"), edTrail);
    form->addRow(QString(), cbTrail);

    btnFetch = named(new QPushButton(tr("&Get Page Text"), this), "btnFetch");
    btnFetch->setEnabled(source_.reader != nullptr &&
                         !QString::fromStdString(source_.address).trimmed().isEmpty());
    btnFetch->setToolTip(tr("Show the text of the page at the address, to pick the keywords from"));
    mmPage = named(new QPlainTextEdit(this), "mmPage");
    mmPage->setReadOnly(true);
    mmPage->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    mmPage->setAccessibleName(tr("Page text"));
    mmPage->setMinimumSize(420, 160);
    btnUseLead = named(new QPushButton(tr("Selection as Lea&ding Keyword"), this), "btnUseLead");
    btnUseTrail = named(new QPushButton(tr("Selection as T&railing Keyword"), this), "btnUseTrail");
    lblStatus = named(new QLabel(this), "lblStatus");
    auto* useRow = new QHBoxLayout;
    useRow->addWidget(btnFetch);
    useRow->addStretch();
    useRow->addWidget(btnUseLead);
    useRow->addWidget(btnUseTrail);

    const OkCancelRow buttons(this);
    okButton_ = buttons.ok;
    cancelButton_ = buttons.cancel;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addLayout(useRow);
    layout->addWidget(mmPage, 1);
    layout->addWidget(lblStatus);
    layout->addLayout(buttons.layout);
    // Tab goes through the keywords and OK first, then to the page.
    setTabOrder(edLead, cbLead);
    setTabOrder(cbLead, edTrail);
    setTabOrder(edTrail, cbTrail);
    setTabOrder(cbTrail, okButton_);
    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, btnFetch);
    setTabOrder(btnFetch, mmPage);
    setTabOrder(mmPage, btnUseLead);
    setTabOrder(btnUseLead, btnUseTrail);
    edLead->selectAll();
    edLead->setFocus();

    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnFetch, &QPushButton::clicked, this, &TfrmPicker::fetchPage);
    connect(btnUseLead, &QPushButton::clicked, this, [this] { useSelection(edLead); });
    connect(btnUseTrail, &QPushButton::clicked, this, [this] { useSelection(edTrail); });
    setFixedSize(sizeHint());
}

TextPickerValues TfrmPicker::values() const
{
    return {edLead->text().toStdString(), edTrail->text().toStdString(), cbLead->isChecked(),
            cbTrail->isChecked()};
}

void TfrmPicker::done(int result)
{
    // The fetch runs inside this dialog's own event handling: closing now would pull the dialog
    // away under it. Esc, Cancel and the close box cancel the fetch instead.
    if (source_.reader != nullptr && source_.reader->busy()) {
        source_.reader->cancel();
        return;
    }
    QDialog::done(result);
}

void TfrmPicker::fetchPage()
{
    PickerPageReader& reader = *source_.reader;
    if (reader.busy())
        return;
    reader.onStatus = [this](const std::string& text) { lblStatus->setText(fromUtf8(text)); };
    lblStatus->setText(tr(" Connecting... (Press Esc if you want to cancel)"));
    btnFetch->setEnabled(false);
    okButton_->setEnabled(false);
    const PickerPageReader::Result result = reader.read(source_.address, source_.proxy, source_.port);
    reader.onStatus = nullptr;
    btnFetch->setEnabled(true);
    okButton_->setEnabled(true);
    switch (result.status) {
    case PickerPageReader::Status::Ok:
        mmPage->setPlainText(fromUtf8(result.text));
        lblStatus->setText(result.localFile
                               ? tr(" A local file is spoken whole: the keywords cut web pages only.")
                               : tr(" Select words in the page text and take them as a keyword."));
        mmPage->setFocus();
        break;
    case PickerPageReader::Status::Busy:
        QApplication::beep();
        lblStatus->setText(fromUtf8(result.error));
        break;
    case PickerPageReader::Status::Cancelled:
        lblStatus->setText(tr(" Disconnected."));
        break;
    case PickerPageReader::Status::Mailbox:
    case PickerPageReader::Status::Failed:
        lblStatus->setText(tr(" Cannot read the page: ") + fromUtf8(result.error));
        break;
    }
}

void TfrmPicker::useSelection(QLineEdit* target)
{
    QString selected = mmPage->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    if (selected.isEmpty()) {
        lblStatus->setText(tr(" Select some words in the page text first."));
        return;
    }
    target->setText(selected);
}

} // namespace narrix
