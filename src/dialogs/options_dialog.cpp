#include "dialogs/options_dialog.h"

#include "base/maker_addresses.h"
#include "dialogs/link_labels.h"
#include "dialogs/shortcuts_group.h"
#include "ui/prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <iterator>

namespace narrix {
namespace {

template <typename T> T* named(T* widget, const char16_t* name)
{
    widget->setObjectName(QString::fromUtf16(name));
    return widget;
}

QLabel* buddyLabel(const QString& caption, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

// The themes in the order of the Theme setting's numbers.
constexpr const char* kThemes[] = {QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Fear"),
                                   QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Fool"),
                                   QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Funny"),
                                   QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Happy"),
                                   QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Love"),
                                   QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Robot"),
                                   QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Sad"),
                                   QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Wag"),
                                   QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Wink"),
                                   QT_TRANSLATE_NOOP("narrix::TfrmOptions", "User-Defined")};
constexpr int kThemeCount = int(std::size(kThemes));

// Any picture format Qt reads; .ico first, as the themes come with icons.
constexpr const char* kIconFilter =
    QT_TRANSLATE_NOOP("narrix::TfrmOptions", "Icons (*.ico *.png *.svg *.xpm)");

QPixmap iconPicture(const QString& path)
{
    QPixmap picture(path);
    if (picture.isNull())
        picture = QIcon(path).pixmap(32, 32);
    return picture;
}

} // namespace

TfrmOptions::TfrmOptions(const OptionsValues& values, Prompter& prompter, DesktopOpener& desktop,
                         QWidget* parent)
    : QDialog(parent), prompter_(prompter)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Options"));

    pages_ = named(new QTabWidget(this), u"PageControl1");
    pages_->addTab(buildRealTimeTab(), tr("Real-Time"));
    pages_->addTab(buildDateTimeTab(), tr("Date/Time"));
    pages_->addTab(buildThemesTab(desktop), tr("Themes"));
    pages_->addTab(buildMiscTab(), tr("Misc"));
    pages_->tabBar()->setAttribute(Qt::WA_Hover);
    addPageKeys();

    auto* ok = named(new QPushButton(tr("OK"), this), u"Button1");
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(tr("Cancel"), this), u"Button2");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);

    load(values);
}

// Ctrl+Tab and Ctrl+Shift+Tab (or Ctrl+PgDown and Ctrl+PgUp) turn the pages wherever the focus is:
// the theme list would otherwise take them as keys of its own.
void TfrmOptions::addPageKeys()
{
    const auto turn = [this](int step) {
        const int count = pages_->count();
        pages_->setCurrentIndex((pages_->currentIndex() + step + count) % count);
    };
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [turn] { turn(1); });
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [turn] { turn(-1); });
}

QWidget* TfrmOptions::buildRealTimeTab()
{
    auto* page = new QWidget;
    auto* group = named(new QGroupBox(tr(" Real-time Speech "), page), u"GroupBox1");
    rbWord = named(new QRadioButton(tr("Speak when any &word is typed."), group), u"rbWord");
    rbSent = named(new QRadioButton(tr("Speak when any &sentence is typed."), group), u"rbSent");
    rbCustom = named(new QRadioButton(tr("Speak when one of these &keywords is typed:"), group), u"rbCustom");
    keywordList_ = named(new QListWidget(group), u"ListBox1");
    addKeywordButton_ = named(new QPushButton(tr("&Add..."), group), u"Button3");
    removeKeywordButton_ = named(new QPushButton(tr("Re&move"), group), u"Button4");
    removeKeywordButton_->setEnabled(false);

    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(addKeywordButton_);
    listButtons->addWidget(removeKeywordButton_);
    listButtons->addStretch(1);
    auto* list = new QHBoxLayout;
    list->addSpacing(20);
    list->addWidget(keywordList_, 1);
    list->addLayout(listButtons);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(rbWord);
    groupLayout->addWidget(rbSent);
    groupLayout->addWidget(rbCustom);
    groupLayout->addLayout(list, 1);
    (new QVBoxLayout(page))->addWidget(group);

    for (QRadioButton* mode : {rbWord, rbSent, rbCustom})
        connect(mode, &QRadioButton::toggled, this, &TfrmOptions::updateKeywordControls);
    connect(keywordList_, &QListWidget::currentRowChanged, this, &TfrmOptions::updateKeywordControls);
    connect(addKeywordButton_, &QPushButton::clicked, this, &TfrmOptions::addKeyword);
    connect(removeKeywordButton_, &QPushButton::clicked, this, &TfrmOptions::removeKeyword);
    return page;
}

QWidget* TfrmOptions::buildDateTimeTab()
{
    auto* page = new QWidget;
    auto* frequency = named(new QGroupBox(tr(" Frequency "), page), u"GroupBox2");
    rbHour = named(new QRadioButton(tr("Tell the time &hourly"), frequency), u"rbHour");
    rbHalfHour = named(new QRadioButton(tr("Tell the time h&alf-hourly"), frequency), u"rbHalfHour");
    rbNever = named(new QRadioButton(tr("&Never tell the time"), frequency), u"rbNever");
    auto* frequencyLayout = new QVBoxLayout(frequency);
    for (QRadioButton* choice : {rbHour, rbHalfHour, rbNever})
        frequencyLayout->addWidget(choice);

    auto* style = named(new QGroupBox(tr(" Style "), page), u"GroupBox3");
    edDate = named(new QLineEdit(style), u"edDate");
    edTime = named(new QLineEdit(style), u"edTime");
    cbHour = named(new QCheckBox(tr("24-hour time &format"), style), u"cbHour");
    auto* styleLayout = new QFormLayout(style);
    styleLayout->addRow(new QLabel(tr("The mark '#' denotes the current date or time."), style));
    styleLayout->addRow(buddyLabel(tr("&Date telling style:"), edDate, style), edDate);
    styleLayout->addRow(buddyLabel(tr("&Time telling style:"), edTime, style), edTime);
    styleLayout->addRow(cbHour);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frequency);
    layout->addWidget(style);
    layout->addStretch(1);
    return page;
}

QWidget* TfrmOptions::buildThemesTab(DesktopOpener& desktop)
{
    auto* page = new QWidget;
    auto* group = named(new QGroupBox(tr(" Animated Themes "), page), u"GroupBox4");
    cbTheme = named(new QComboBox(group), u"cbTheme");
    for (const char* theme : kThemes)
        cbTheme->addItem(tr(theme));
    auto* grid = new QGridLayout(group);
    grid->addWidget(buddyLabel(tr("&Theme:"), cbTheme, group), 0, 0);
    grid->addWidget(cbTheme, 0, 1, 1, 2);
    const char16_t* browseNames[] = {u"Button5", u"Button6", u"Button7"};
    const QString browseCaptions[] = {tr("&Browse icon #1..."), tr("B&rowse icon #2..."),
                                      tr("Br&owse icon #3...")};
    for (int i = 0; i < 3; ++i) {
        iconLabels_[i] = new QLabel(tr("Icon #%1:").arg(i + 1), group);
        iconPreviews_[i] = new QLabel(group);
        iconPreviews_[i]->setObjectName(QStringLiteral("imgIcon%1").arg(i + 1));
        iconPreviews_[i]->setFixedSize(32, 32);
        iconPreviews_[i]->setScaledContents(true);
        browseButtons_[i] = named(new QPushButton(browseCaptions[i], group), browseNames[i]);
        grid->addWidget(iconLabels_[i], i + 1, 0);
        grid->addWidget(iconPreviews_[i], i + 1, 1);
        grid->addWidget(browseButtons_[i], i + 1, 2);
        connect(browseButtons_[i], &QPushButton::clicked, this, [this, i] { browseIcon(i); });
    }

    auto* link = named(new TQMHotLink(desktop, group), u"lnkThemes");
    link->setText(tr("Get the newest themes!"));
    link->setToolTip(tr("Check out the newest themes and download them!"));
    link->setUrl(QString::fromLatin1(maker::kThemesPage));
    link->setFont(QApplication::font("QMenu"));
    styleAsLink(*link);
    grid->addWidget(link, 4, 0, 1, 3);

    (new QVBoxLayout(page))->addWidget(group);
    connect(cbTheme, &QComboBox::currentIndexChanged, this, &TfrmOptions::themeChanged);
    return page;
}

QWidget* TfrmOptions::buildMiscTab()
{
    auto* page = new QWidget;
    auto* proxy = named(new QGroupBox(tr(" HTTP Proxy Server "), page), u"GroupBox5");
    edProxy = named(new QLineEdit(proxy), u"edProxy");
    edPort = named(new QLineEdit(proxy), u"edPort");
    auto* proxyLayout = new QFormLayout(proxy);
    proxyLayout->addRow(buddyLabel(tr("&Proxy:"), edProxy, proxy), edProxy);
    proxyLayout->addRow(buddyLabel(tr("P&ort:"), edPort, proxy), edPort);
    proxyLayout->addRow(new QLabel(tr("(Leave them blank if you do not use proxies.)"), proxy));

    auto* startup = named(new QGroupBox(tr(" Startup "), page), u"GroupBox6");
    edGreet = named(new QLineEdit(startup), u"edGreet");
    cbMin = named(new QCheckBox(tr("Start &minimized"), startup), u"cbMin");
    startWithSession_ = named(new QCheckBox(tr("Start with the &session"), startup), u"cbStartWithSession");
    auto* startupLayout = new QVBoxLayout(startup);
    startupLayout->addWidget(buddyLabel(tr("&Greetings when Narrix is started:"), edGreet, startup));
    startupLayout->addWidget(edGreet);
    startupLayout->addWidget(cbMin);
    startupLayout->addWidget(startWithSession_);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(proxy);
    layout->addWidget(startup);
    shortcuts_ = new ShortcutsGroup(page);
    layout->addWidget(shortcuts_);
    layout->addStretch(1);
    connect(edPort, &QLineEdit::textChanged, this, &TfrmOptions::keepPortDigits);
    return page;
}

void TfrmOptions::load(const OptionsValues& v)
{
    if (v.realMode == QLatin1String("Word"))
        rbWord->setChecked(true);
    else if (v.realMode == QLatin1String("Sentence"))
        rbSent->setChecked(true);
    else
        rbCustom->setChecked(true);
    keywordList_->addItems(splitKeywords(v.realCustom));
    keywordList_->setCurrentRow(-1);
    updateKeywordControls();

    if (v.tellTime == QLatin1String("Hourly"))
        rbHour->setChecked(true);
    else if (v.tellTime == QLatin1String("Halfhourly"))
        rbHalfHour->setChecked(true);
    else
        rbNever->setChecked(true);
    edDate->setText(v.dateStyle);
    edTime->setText(v.timeStyle);
    cbHour->setChecked(v.hourFormat == QLatin1String("24"));

    iconPaths_ = {v.normalIcon, v.openIcon, v.closeIcon};
    for (int i = 0; i < 3; ++i)
        showIcon(i);
    cbTheme->setCurrentIndex(v.theme >= 0 && v.theme < kThemeCount ? v.theme : -1);
    themeChanged();

    edProxy->setText(v.proxy);
    edPort->setText(v.port);
    edGreet->setText(greetingForBox(v.greetings));
    cbMin->setChecked(v.startMinimized);
    startWithSession_->setChecked(v.startWithSession);
    shortcuts_->load(v);
}

OptionsValues TfrmOptions::values() const
{
    OptionsValues v;
    v.realMode = rbWord->isChecked()   ? QStringLiteral("Word")
                 : rbSent->isChecked() ? QStringLiteral("Sentence")
                                       : QStringLiteral("Custom");
    v.realCustom = joinKeywords(keywords());
    v.tellTime = rbHour->isChecked()       ? QStringLiteral("Hourly")
                 : rbHalfHour->isChecked() ? QStringLiteral("Halfhourly")
                                           : QStringLiteral("Never");
    v.dateStyle = edDate->text();
    v.timeStyle = edTime->text();
    v.hourFormat = cbHour->isChecked() ? QStringLiteral("24") : QStringLiteral("12");
    v.theme = cbTheme->currentIndex();
    v.normalIcon = iconPaths_[0];
    v.openIcon = iconPaths_[1];
    v.closeIcon = iconPaths_[2];
    v.proxy = edProxy->text();
    v.port = edPort->text();
    v.greetings = greetingFromBox(edGreet->text());
    v.startMinimized = cbMin->isChecked();
    v.startWithSession = startWithSession_->isChecked();
    shortcuts_->store(v);
    return v;
}

QStringList TfrmOptions::keywords() const
{
    QStringList words;
    for (int row = 0; row < keywordList_->count(); ++row)
        words << keywordList_->item(row)->text();
    return words;
}

// Word and sentence modes need no keywords; in custom mode "Remove" needs a selected keyword.
void TfrmOptions::updateKeywordControls()
{
    const bool custom = rbCustom->isChecked();
    keywordList_->setEnabled(custom);
    addKeywordButton_->setEnabled(custom);
    removeKeywordButton_->setEnabled(custom && keywordList_->currentRow() >= 0);
}

void TfrmOptions::addKeyword()
{
    const std::optional<QString> answer =
        prompter_.inputText(this, tr("Add New Word"), tr("Enter new word below:"), {});
    if (!answer)
        return;
    if (const std::optional<QString> word = keywordToAdd(*answer, keywords()))
        keywordList_->addItem(*word);
}

void TfrmOptions::removeKeyword()
{
    const int row = keywordList_->currentRow();
    if (row < 0)
        return;
    delete keywordList_->takeItem(row);
    keywordList_->setCurrentRow(-1);
    removeKeywordButton_->setEnabled(false);
}

void TfrmOptions::themeChanged()
{
    const bool userDefined = cbTheme->currentIndex() == kUserDefinedTheme;
    for (int i = 0; i < 3; ++i) {
        browseButtons_[i]->setEnabled(userDefined);
        iconLabels_[i]->setEnabled(userDefined);
        iconPreviews_[i]->setVisible(userDefined);
    }
}

void TfrmOptions::browseIcon(int index)
{
    const QString current = iconPaths_[index];
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString chosen = prompter_.openFileName(
        this, browseButtons_[index]->text().remove(QLatin1Char('&')), folder, tr(kIconFilter));
    if (chosen.isEmpty())
        return;
    iconPaths_[index] = chosen;
    showIcon(index);
}

void TfrmOptions::showIcon(int index)
{
    const QString& path = iconPaths_[index];
    iconPreviews_[index]->setPixmap(path.isEmpty() ? QPixmap() : iconPicture(path));
    iconPreviews_[index]->setToolTip(path);
}

void TfrmOptions::keepPortDigits()
{
    const QString text = edPort->text();
    const QString digits = digitsOnly(text);
    if (digits == text)
        return;
    const int cursor = edPort->cursorPosition();
    const int removedBefore = int(text.left(cursor).size() - digitsOnly(text.left(cursor)).size());
    edPort->setText(digits);
    edPort->setCursorPosition(cursor - removedBefore);
}

} // namespace narrix
