#include "dialogs/item_editor_dialog.h"

#include "base/text_trim.h"
#include "dialogs/dialog_host.h"
#include "dialogs/email_account_dialog.h"
#include "dialogs/ok_cancel_row.h"
#include "schedule/item_editor_rules.h"
#include "schedule/schedule_title.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace narrix {
namespace {

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFrame* separatorLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A channel's local file may also be a PDF, EPUB, DOCX or ODT document.
const char* const kBrowseFilter = "All Documents (*.txt *.rtf *.htm *.html *.pdf *.epub *.docx *.odt);;"
                                  "Supported Text Formats (*.txt *.rtf *.htm *.html);;"
                                  "PDF Document (*.pdf);;EPUB Book (*.epub);;Word Document (*.docx);;"
                                  "OpenDocument Text (*.odt);;"
                                  "HTML Format (*.htm *.html);;Rich Text Format (*.rtf);;"
                                  "Plain Text Format (*.txt)";

} // namespace

TfrmSche::TfrmSche(const ItemEditorValues& values, ItemEditorContext context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      values_(values), context_(std::move(context))
{
    setObjectName(QStringLiteral("frmSche"));
    setWindowTitle(tr("Add/Edit Scheduled Speech"));
    buildControls();
    FormShow();
    // Typing replaces the proposed title, as in any dialog's first box.
    edTitle->selectAll();
    edTitle->setFocus();
    setFixedSize(sizeHint());
}

QWidget* TfrmSche::upDown(QLineEdit* edit, const char* name, int low, int high)
{
    // Arrow buttons beside the field and the Up and Down keys in it step the value within its
    // range, without wrapping.
    auto* box = new QWidget(this);
    box->setObjectName(QLatin1String(name));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (const auto& [arrow, delta] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto* button = new QToolButton(box);
        button->setArrowType(arrow);
        button->setAccessibleName(delta > 0 ? tr("Up") : tr("Down"));
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(16, 11);
        connect(button, &QToolButton::clicked, this,
                [this, edit, d = delta, low, high] { step(edit, d, low, high); });
        column->addWidget(button);
    }
    edit->setProperty("narrixLow", low);
    edit->setProperty("narrixHigh", high);
    edit->installEventFilter(this);
    return box;
}

void TfrmSche::buildControls()
{
    const auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    const auto combo = [this](const char* name, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->addItems(items);
        return c;
    };
    const auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(tr(text), this);
        l->setBuddy(buddy);
        return l;
    };
    const auto flat = [this](const char* name, QAction* action) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setDefaultAction(action);
        // The button shows a sign only: a screen reader says the command's hint.
        b->setAccessibleName(action->toolTip().remove(QStringLiteral("...")));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    const auto action = [this](const char* name, const char* text, const char* hint, QKeySequence keys) {
        auto* a = new QAction(QString::fromUtf8(text), this);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(tr(hint));
        a->setShortcut(keys);
        addAction(a);
        return a;
    };

    edTitle = edit("edTitle");
    edFile = edit("edFile");
    browseFileAction_ =
        action("Action1", "...", QT_TR_NOOP("Browse Local File..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    textPickerAction_ =
        action("Action2", "T", QT_TR_NOOP("Text Picker..."), QKeySequence(Qt::CTRL | Qt::Key_T));
    emailReaderAction_ =
        action("Action3", "@", QT_TR_NOOP("Email Reader..."), QKeySequence(Qt::CTRL | Qt::Key_E));
    sbOpen = flat("sbOpen", browseFileAction_);
    sbPick = flat("sbPick", textPickerAction_);
    emailReaderButton_ = flat("SpeedButton1", emailReaderAction_);
    cbFreq = combo("cbFreq", {tr("Daily"), tr("Weekly"), tr("Monthly"), tr("Yearly")});
    edHour = edit("edHour");
    edMin = edit("edMin");
    edMin->setAccessibleName(tr("Minute")); // the "Time:" label names the hour field
    edDate = edit("edDate");
    for (QLineEdit* number : {edHour, edMin, edDate}) {
        number->setMaxLength(2);
        number->setFixedWidth(32);
    }
    edHour->setText(QStringLiteral("0"));
    edMin->setText(QStringLiteral("0"));
    edDate->setText(QStringLiteral("1"));
    cbWeekday = combo("cbWeekday", {tr("Sunday"), tr("Monday"), tr("Tuesday"), tr("Wednesday"),
                                    tr("Thursday"), tr("Friday"), tr("Saturday")});
    QStringList months;
    for (const char* m :
         {QT_TR_NOOP("January"), QT_TR_NOOP("February"), QT_TR_NOOP("March"), QT_TR_NOOP("April"),
          QT_TR_NOOP("May"), QT_TR_NOOP("June"), QT_TR_NOOP("July"), QT_TR_NOOP("August"),
          QT_TR_NOOP("September"), QT_TR_NOOP("October"), QT_TR_NOOP("November"), QT_TR_NOOP("December")})
        months << tr(m);
    cbMonth = combo("cbMonth", months);
    const OkCancelRow buttons(this);
    okButton_ = buttons.ok;
    cancelButton_ = buttons.cancel;

    auto* grid = new QGridLayout;
    grid->addWidget(label(QT_TR_NOOP("&Title:"), edTitle), 0, 0);
    grid->addWidget(edTitle, 0, 1, 1, 2);
    auto* addressRow = new QHBoxLayout;
    addressRow->setSpacing(1);
    addressRow->addWidget(edFile, 1);
    addressRow->addWidget(sbOpen);
    addressRow->addWidget(sbPick);
    addressRow->addWidget(emailReaderButton_);
    grid->addWidget(label(QT_TR_NOOP("A&ddress:"), edFile), 1, 0);
    grid->addLayout(addressRow, 1, 1, 1, 2);
    grid->addWidget(separatorLine(this), 2, 0, 1, 3);
    grid->addWidget(label(QT_TR_NOOP("F&requency:"), cbFreq), 3, 0);
    grid->addWidget(cbFreq, 3, 1);
    auto* timeRow = new QHBoxLayout;
    timeRow->setSpacing(2);
    timeRow->addWidget(edHour);
    timeRow->addWidget(upDown(edHour, "udHour", 0, 23));
    timeRow->addWidget(new QLabel(QStringLiteral(":"), this));
    timeRow->addWidget(edMin);
    timeRow->addWidget(upDown(edMin, "udMin", 0, 59));
    timeRow->addWidget(new QLabel(tr("(HH:MM)"), this));
    timeRow->addStretch();
    grid->addWidget(label(QT_TR_NOOP("T&ime:"), edHour), 4, 0);
    grid->addLayout(timeRow, 4, 1, 1, 2);
    grid->addWidget(label(QT_TR_NOOP("Da&y:"), cbWeekday), 5, 0);
    grid->addWidget(cbWeekday, 5, 1);
    auto* dateRow = new QHBoxLayout;
    dateRow->setSpacing(2);
    dateRow->addWidget(edDate);
    udDate = upDown(edDate, "udDate", 1, 31);
    dateRow->addWidget(udDate);
    dateRow->addStretch();
    grid->addWidget(label(QT_TR_NOOP("D&ate:"), edDate), 6, 0);
    grid->addLayout(dateRow, 6, 1);
    grid->addWidget(label(QT_TR_NOOP("&Month:"), cbMonth), 7, 0);
    grid->addWidget(cbMonth, 7, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(separatorLine(this));
    layout->addLayout(buttons.layout);

    QWidget* order[] = {edTitle,   edFile, cbFreq,  edHour,    edMin,
                        cbWeekday, edDate, cbMonth, okButton_, cancelButton_};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(cbFreq, &QComboBox::currentIndexChanged, this, &TfrmSche::cbFreqChange);
    connect(edHour, &QLineEdit::textChanged, this, &TfrmSche::edHourChange);
    connect(edMin, &QLineEdit::textChanged, this, &TfrmSche::edMinChange);
    connect(edDate, &QLineEdit::textChanged, this, &TfrmSche::edDateChange);
    connect(cbMonth, &QComboBox::currentIndexChanged, this, &TfrmSche::edDateChange);
    connect(okButton_, &QPushButton::clicked, this, &TfrmSche::Button1Click);
    connect(browseFileAction_, &QAction::triggered, this, &TfrmSche::Action1Execute);
    connect(textPickerAction_, &QAction::triggered, this, &TfrmSche::Action2Execute);
    connect(emailReaderAction_, &QAction::triggered, this, &TfrmSche::Action3Execute);
}

void TfrmSche::FormShow()
{
    edTitle->setText(fromUtf8(values_.title));
    edFile->setText(fromUtf8(values_.address));
    cbFreq->setCurrentIndex(listPosition(values_.frequence, cbFreq->count()));
    cbFreqChange();
    const TimeParts time = splitTime(values_.time, context_.timeSeparator);
    edHour->setText(fromUtf8(time.hour));
    edMin->setText(fromUtf8(time.minute));
    cbWeekday->setCurrentIndex(listPosition(values_.day, cbWeekday->count()));
    cbMonth->setCurrentIndex(listPosition(values_.month, cbMonth->count()));
    edDate->setText(fromUtf8(values_.date));
    edDateChange(); // the text may be unchanged and still need the rule
    picker_ = {values_.leadKey, values_.trailKey, values_.leadInc == "True", values_.trailInc == "True"};
    values_.accepted = false;
}

void TfrmSche::cbFreqChange()
{
    const FrequencyFields fields = fieldsForFrequency(cbFreq->currentIndex());
    cbWeekday->setEnabled(fields.weekday);
    edDate->setEnabled(fields.date);
    udDate->setEnabled(fields.date);
    cbMonth->setEnabled(fields.month);
    if (fields.month)
        edDateChange();
}

void TfrmSche::applyNumberRule(QLineEdit* edit, int limit)
{
    const std::string text = edit->text().toStdString();
    const NumberFieldText limited = limitNumberField(text, edit->cursorPosition(), limit);
    if (limited.text == text)
        return;
    edit->setText(QString::fromStdString(limited.text));
    edit->setCursorPosition(limited.cursor);
}

void TfrmSche::edHourChange()
{
    applyNumberRule(edHour, 23);
}

void TfrmSche::edMinChange()
{
    applyNumberRule(edMin, 59);
}

void TfrmSche::edDateChange()
{
    applyNumberRule(edDate, dateLimit(cbMonth->isEnabled(), cbMonth->currentIndex()));
}

void TfrmSche::step(QLineEdit* edit, int delta, int low, int high)
{
    if (!edit->isEnabled())
        return;
    const int value = edit->text().isEmpty() ? low : edit->text().toInt();
    edit->setText(QString::number(std::clamp(value + delta, low, high)));
}

bool TfrmSche::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit != nullptr && event->type() == QEvent::FocusOut) {
        if (edit == edDate)
            edDate->setText(QString::fromStdString(leaveDateField(edDate->text().toStdString())));
        else
            edit->setText(QString::fromStdString(leaveTimeField(edit->text().toStdString())));
    } else if (edit != nullptr && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(edit, key == Qt::Key_Up ? 1 : -1, edit->property("narrixLow").toInt(),
                 edit->property("narrixHigh").toInt());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSche::Button1Click()
{
    const auto refuse = [this](QLineEdit* field, std::string_view message) {
        field->setFocus();
        const std::string text(message);
        context_.dialogs.refuse(QCoreApplication::translate("ScheduleMessages", text.c_str()));
    };
    const std::string title = edTitle->text().toStdString();
    if (const TitleProblem problem = titleProblem(title); problem != TitleProblem::None)
        return refuse(edTitle, titleProblemMessage(problem));
    if (isBlank(edFile->text().toStdString()))
        return refuse(edFile, QT_TRANSLATE_NOOP("ScheduleMessages", "Address cannot be empty."));

    edDate->setText(QString::fromStdString(leaveDateField(edDate->text().toStdString())));
    values_.title = title;
    values_.address = edFile->text().toStdString();
    values_.frequence = std::to_string(cbFreq->currentIndex());
    values_.time = padTwoDigits(edHour->text().toStdString()) + context_.timeSeparator +
                   padTwoDigits(edMin->text().toStdString());
    values_.day = std::to_string(cbWeekday->currentIndex());
    values_.date = edDate->text().toStdString();
    values_.month = std::to_string(cbMonth->currentIndex());
    values_.leadKey = picker_.leadKey;
    values_.trailKey = picker_.trailKey;
    values_.leadInc = picker_.leadInc ? "True" : "False";
    values_.trailInc = picker_.trailInc ? "True" : "False";
    values_.accepted = true;
    accept();
}

void TfrmSche::Action1Execute()
{
    const QString path = context_.dialogs.openFileName(tr("Browse Local File"), QLatin1String(kBrowseFilter));
    if (!path.isEmpty())
        edFile->setText(path);
}

void TfrmSche::Action2Execute()
{
    PickerPageSource source = context_.picker;
    source.address = edFile->text().toStdString();
    TfrmPicker picker(picker_, std::move(source), this);
    if (context_.dialogs.exec(picker) == QDialog::Accepted)
        picker_ = picker.values();
}

void TfrmSche::Action3Execute()
{
    edFile->setText(TfrmEmail::run(context_.dialogs, this, edFile->text()));
}

ItemEditorValues TfrmSche::run(const ItemEditorValues& values, ItemEditorContext context, QWidget* owner)
{
    DialogHost& dialogs = context.dialogs;
    TfrmSche editor(values, std::move(context), owner);
    dialogs.exec(editor);
    return editor.values();
}

} // namespace narrix
