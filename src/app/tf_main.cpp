#include "app/tf_main.h"

#include "app/main_window_accessibility.h"
#include "app/menu_band_keys.h"
#include "app/pane_layout.h"
#include "app/plugin_host/window_plugin_context.h"
#include "app/splitter_bar.h"
#include "app/toolbar_icons.h"
#include "channels/grid_item_delegate.h"
#include "editor/edit_commands.h"
#include "platform/companion_program.h"
#include "schedule/schedule_list_model.h"
#include "speech/speech_engine.h"
#include "ui/circle_panel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace narrix {
namespace {

constexpr int kTitleBarHeight = 21;

// A rounded pane: corners of 10 x 10, no gradient, no picture.
TCirclePanel* roundedPane(QWidget* parent)
{
    auto* pane = new TCirclePanel(parent);
    pane->setBackgroundRole(QPalette::Window);
    return pane;
}

// The title bar of a pane, rounded at its top corners only; its text is the returned label.
QLabel* titleBar(const QString& text, QWidget* parent)
{
    auto* bar = roundedPane(parent);
    bar->setCorner(Corner::BottomLeft, PanelCorner{10, 10, false});
    bar->setCorner(Corner::BottomRight, PanelCorner{10, 10, false});
    bar->setBackgroundRole(QPalette::Button);
    bar->setFixedHeight(kTitleBarHeight);
    auto* layout = new QVBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(text, bar);
    label->setIndent(6);
    layout->addWidget(label);
    return label;
}

// Adds a title bar to a pane's layout.
QLabel* addTitleBar(const QString& text, QWidget* pane, QVBoxLayout* layout)
{
    QLabel* label = titleBar(text, pane);
    layout->addWidget(label->parentWidget());
    return label;
}

} // namespace

namespace {

// The services of subsystems not given to the window: each call does nothing.
MainServices withDoNothingDefaults(MainServices services)
{
    static TrayService tray;
    static SingleInstanceService singleInstance;
    static RealtimeHookService realtimeHook;
    static TransferService transfers;
    static TipsUpdatesService tips;
    static DocumentService document;
    const auto fill = [](auto*& service, auto& fallback) {
        if (service == nullptr)
            service = &fallback;
    };
    fill(services.tray, tray);
    fill(services.singleInstance, singleInstance);
    fill(services.realtimeHook, realtimeHook);
    fill(services.transfers, transfers);
    fill(services.tips, tips);
    fill(services.document, document);
    return services;
}

} // namespace

TfMain::TfMain(SpeechEngine& engine, SettingsStore& store, Prompter& prompter, const LocaleAdapter& locale,
               const MainServices& services, QWidget* parent)
    : QMainWindow(parent), engine_(engine), store_(store), locale_(locale),
      services_(withDoNothingDefaults(services)), modal_(state_.openModalDialogs, prompter, this),
      actions_(createMainActions(this))
{
    setObjectName(QStringLiteral("fMain"));
    setWindowTitle(QStringLiteral("Narrix"));
    setMinimumHeight(150);
    resize(kDefaultWindowWidth, kDefaultWindowHeight);
    // Every shortcut works wherever the focus is in the window, menus closed or not.
    addActions(actions_.all());
    buildBandBar();
    buildPanes();
    buildStatusBar();
    connectActions();
    connectReading();
    pluginContext_ = new WindowPluginContext(*this);
    connect(pluginContext_, &PluginContext::speakingStarted, this,
            [this] { tray().startSpeakingAnimation(); });
    connect(pluginContext_, &PluginContext::speakingDone, this, [this] {
        tray().stopSpeakingAnimation();
        tray().showStillPicture();
    });
    for (Plugin* plugin : services_.plugins)
        plugin->attach(*pluginContext_);
    for (MainPlugin* part : services_.windowParts)
        part->attach(*this);
    applyMainWindowAccessibility(*this);
    // The main window sees keys before the focused control (Esc, and its own shortcuts).
    qApp->installEventFilter(this);
}

TfMain::~TfMain()
{
    qApp->removeEventFilter(this);
    FormDestroy();
}

void TfMain::buildBandBar()
{
    menuBand_ = new QToolBar(QStringLiteral("Menu"), this);
    menuBand_->setObjectName(QStringLiteral("MenuBand"));
    menuBand_->setMovable(false);
    menuBand_->setFloatable(false);
    menuBand_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The menu buttons (the band's only instant pop-ups) show no arrow. One style sheet for all of them:
    // a sheet of its own on each button costs a style sheet style per button.
    menuBand_->setStyleSheet(
        QStringLiteral("QToolButton[popupMode=\"2\"]::menu-indicator { image: none; width: 0px; }"));
    QList<QToolButton*> menuButtons;
    for (const MainMenu& entry : createMainMenus(actions_, this)) {
        auto* button = new QToolButton(menuBand_);
        menuButtons << button;
        button->setObjectName(QStringLiteral("btn") + entry.menu->objectName().mid(3));
        button->setText(entry.caption);
        button->setMenu(entry.menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setAutoRaise(true);
        // Like a menu bar's entries: reached by F10 and the Alt keys, never holding the keyboard focus.
        button->setFocusPolicy(Qt::NoFocus);
        menuBand_->addWidget(button);
    }
    new MenuBandKeys(this, menuButtons);
    auto* spacer = new QWidget(menuBand_);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    menuBand_->addWidget(spacer);
    logoAnimation_ = new QLabel(menuBand_);
    logoAnimation_->setObjectName(QStringLiteral("Animate1"));
    logoAnimation_->setFixedSize(40, 22);
    logoAnimation_->setStyleSheet(QStringLiteral("background-color: black;"));
    logoBand_ = menuBand_->addWidget(logoAnimation_);
    addToolBar(Qt::TopToolBarArea, menuBand_);
    addToolBarBreak(Qt::TopToolBarArea);

    toolBand_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolBand_->setObjectName(QStringLiteral("ToolBand"));
    toolBand_->setMovable(false);
    toolBand_->setFloatable(false);
    toolBand_->setIconSize(QSize(16, 16));
    const auto icon = [this](QAction* action, ToolbarGlyph glyph) {
        action->setIcon(toolbarIcon(glyph));
        toolBand_->addAction(action);
    };
    const MainActions& a = actions_;
    icon(a.actNew, ToolbarGlyph::New);
    icon(a.actOpen, ToolbarGlyph::Open);
    icon(a.actSave, ToolbarGlyph::Save);
    toolBand_->addSeparator();
    icon(a.actPlay, ToolbarGlyph::Play);
    icon(a.actPause, ToolbarGlyph::Pause);
    icon(a.actRewind, ToolbarGlyph::Rewind);
    icon(a.actForward, ToolbarGlyph::FastForward);
    icon(a.actStop, ToolbarGlyph::Stop);
    toolBand_->addSeparator();
    icon(a.actProp, ToolbarGlyph::SpeechProperties);
    toolBand_->addSeparator();
    icon(a.actAdd, ToolbarGlyph::Add);
    icon(a.actEdit, ToolbarGlyph::Edit);
    icon(a.actRemove, ToolbarGlyph::Remove);
    icon(a.actUpdate, ToolbarGlyph::ChannelUpdate);
    toolBand_->addSeparator();
    icon(a.actHelp, ToolbarGlyph::Help);
    addToolBar(Qt::TopToolBarArea, toolBand_);
}

void TfMain::buildPanes()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);
    client_->installEventFilter(this);

    pnlDocument_ = roundedPane(client_);
    pnlDocument_->setObjectName(QStringLiteral("pnlDocument"));
    auto* documentLayout = new QVBoxLayout(pnlDocument_);
    documentLayout->setContentsMargins(4, 2, 4, 4); // editor height: pane height - 27
    documentLayout->setSpacing(0);
    documentTitle_ =
        addTitleBar(QCoreApplication::translate("DocumentEditor", "Untitled"), pnlDocument_, documentLayout);
    documentTitle_->setObjectName(QStringLiteral("lblDocument"));
    documentEditor_ = new QTextEdit(pnlDocument_);
    documentEditor_->setObjectName(QStringLiteral("RTFB"));
    documentEditor_->setAcceptRichText(true);
    documentLayout->addWidget(documentEditor_);

    split = new SplitterBar(Qt::Horizontal, client_);
    split->setObjectName(QStringLiteral("split"));
    connect(split, &SplitterBar::dragged, this, &TfMain::onSplitDragged);

    pnlRight_ = new QWidget(client_);
    pnlRight_->setObjectName(QStringLiteral("pnlRight"));
    pnlRight_->installEventFilter(this);

    pnlSchedule_ = roundedPane(pnlRight_);
    pnlSchedule_->setObjectName(QStringLiteral("pnlSchedule"));
    auto* scheduleLayout = new QVBoxLayout(pnlSchedule_);
    scheduleLayout->setContentsMargins(6, 2, 7, 4); // list: pane height - 27, pane width - 13
    scheduleLayout->setSpacing(0);
    addTitleBar(tr("Scheduled Speeches"), pnlSchedule_, scheduleLayout);
    scheduleList_ = new QTreeView(pnlSchedule_);
    scheduleList_->setObjectName(QStringLiteral("ListView1"));
    scheduleList_->setRootIsDecorated(false);
    scheduleList_->setItemsExpandable(false);
    scheduleList_->setUniformRowHeights(true);
    scheduleList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    scheduleList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    scheduleList_->setMouseTracking(true); // hot tracking
    scheduleList_->setItemDelegate(new GridItemDelegate(scheduleList_));
    scheduleList_->setContextMenuPolicy(Qt::ActionsContextMenu);
    scheduleModel_ = new ScheduleListModel(scheduleList_);
    scheduleList_->setModel(scheduleModel_);
    scheduleList_->header()->setStretchLastSection(false);
    scheduleLayout->addWidget(scheduleList_);

    scheduleSplitter_ = new SplitterBar(Qt::Vertical, pnlRight_);
    scheduleSplitter_->setObjectName(QStringLiteral("Splitter1"));
    connect(scheduleSplitter_, &SplitterBar::dragged, this, &TfMain::onSplitter1Dragged);

    pnlRealTime_ = new QWidget(pnlRight_);
    pnlRealTime_->setObjectName(QStringLiteral("pnlRealTime"));
    auto* realTimeLayout = new QVBoxLayout(pnlRealTime_);
    realTimeLayout->setContentsMargins(8, 2, 8, 4); // memo: pane height - 55, pane width - 16
    realTimeLayout->setSpacing(0);
    auto* realTimeTitle = new QLabel(tr("Real-Time Buffer"), pnlRealTime_);
    realTimeTitle->setFixedHeight(kTitleBarHeight);
    realTimeTitle->setIndent(4);
    realTimeLayout->addWidget(realTimeTitle);
    RealTime = new QPlainTextEdit(pnlRealTime_);
    RealTime->setObjectName(QStringLiteral("RealTime"));
    RealTime->setReadOnly(true);
    RealTime->setFrameShadow(QFrame::Sunken);
    realTimeLayout->addWidget(RealTime);
    auto* propertiesBar = new QToolBar(pnlRealTime_);
    propertiesBar->setObjectName(QStringLiteral("ToolBar2"));
    propertiesBar->setFixedHeight(28);
    propertiesBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    propertiesBar->addAction(actions_.actProp);
    realTimeLayout->addWidget(propertiesBar);

    // The schedule commands as the list's pop-up menu.
    const MainActions& a = actions_;
    for (QAction* item :
         {a.actAdd, a.actRemove, a.actRun, a.actEdit, a.actRename, a.actMoveUp, a.actMoveDown})
        scheduleList_->addAction(item);
}

void TfMain::buildStatusBar()
{
    sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("sb"));
    sb->setSizeGripEnabled(true);
    statusLabel_ = new QLabel(QCoreApplication::translate("StatusBar", " Ready"), sb);
    statusLabel_->setObjectName(QStringLiteral("sbText"));
    sb->addWidget(statusLabel_, 1);
    setStatusBar(sb);
    sb->hide();
}

void TfMain::connectActions()
{
    const MainActions& a = actions_;
    connect(a.actExit, &QAction::triggered, this, [this] { close(); });
    // The WAV exporter runs as a program of its own; like any shell start, a failure shows nothing.
    a.actWAV->setEnabled(true);
    connect(a.actWAV, &QAction::triggered, this, [] { startCompanionProgram(QStringLiteral("vozozo")); });
    connect(a.actViewToolbar, &QAction::triggered, this, [this](bool on) {
        settings_.viewToolbar = on;
        ArrangeBandBar();
    });
    connect(a.actViewStatusbar, &QAction::triggered, this, [this](bool on) {
        settings_.viewStatusbar = on;
        sb->setVisible(on);
    });
    connect(a.actNarrix, &QAction::triggered, this, [this](bool on) {
        settings_.viewLogo = on;
        ArrangeBandBar();
    });
    connect(a.askbarButton1, &QAction::triggered, this, [this](bool on) { settings_.taskbarButton = on; });
    connect(a.RealtimeSpeech3, &QAction::toggled, this, [this](bool on) { settings_.enableRealtime = on; });
    connect(a.Clip2, &QAction::toggled, this, [this](bool on) { settings_.enableClipboard = on; });
    connect(a.ScheduledSpeech3, &QAction::toggled, this, [this](bool on) { settings_.enableSchedule = on; });
    const auto edit = [this](QAction* action, EditCommand command) {
        connect(action, &QAction::triggered, this,
                [command] { runEditCommand(command, QApplication::focusWidget()); });
    };
    edit(a.actUndo, EditCommand::Undo);
    edit(a.actCut, EditCommand::Cut);
    edit(a.actCopy, EditCommand::Copy);
    edit(a.actPaste, EditCommand::Paste);
    edit(a.actDelete, EditCommand::Delete);
    edit(a.actSelectAll, EditCommand::SelectAll);
    connect(a.actDisEmail, &QAction::triggered, this, [this] { services_.transfers->disconnectEmail(); });
}

void TfMain::setStatusText(const QString& text)
{
    if (statusLabel_->text() == text)
        return;
    statusLabel_->setText(text);
    announceStatusText(*statusLabel_);
}

QString TfMain::statusText() const
{
    return statusLabel_->text();
}

void TfMain::setDocumentTitle(const QString& title)
{
    documentTitle_->setText(title);
}

void TfMain::applySettings(const Settings& settings)
{
    settings_ = settings;
    applyViewSwitches();
    LayoutPanes();
}

void TfMain::ArrangeBandBar()
{
    // The menu band always stays; the logo sits at the right end of the menu row and the toolbar band
    // on a row of its own below it.
    logoBand_->setVisible(false);
    toolBand_->setVisible(false);
    if (settings_.viewToolbar)
        toolBand_->setVisible(true);
    if (settings_.viewLogo)
        logoBand_->setVisible(true);
    menuBand_->setVisible(true);
    actions_.actViewToolbar->setChecked(settings_.viewToolbar);
    actions_.actNarrix->setChecked(settings_.viewLogo);
}

void TfMain::LayoutPanes()
{
    if (state_.earlyExit)
        return;
    const int clientWidth = client_->width();
    const int clientHeight = client_->height();
    const int documentWidth = documentPaneWidth(clientWidth, settings_.split1);
    pnlDocument_->setGeometry(0, 0, documentWidth, clientHeight);
    split->setGeometry(documentWidth, 0, kSplitterWidth, clientHeight);
    const int rightLeft = documentWidth + kSplitterWidth;
    pnlRight_->setGeometry(rightLeft, 0, std::max(clientWidth - rightLeft, 0), clientHeight);
    layoutRightPane();
    setListColumns();
}

void TfMain::layoutRightPane()
{
    if (state_.earlyExit)
        return;
    const int width = pnlRight_->width();
    const int height = pnlRight_->height();
    const int scheduleHeight = schedulePaneHeight(height, settings_.split2);
    pnlSchedule_->setGeometry(0, 0, width, scheduleHeight);
    scheduleSplitter_->setGeometry(0, scheduleHeight, width, kSplitterWidth);
    const int realTimeTop = scheduleHeight + kSplitterWidth;
    pnlRealTime_->setGeometry(0, realTimeTop, width, std::max(height - realTimeTop, 0));
}

void TfMain::setListColumns()
{
    const QScrollBar* bar = scheduleList_->verticalScrollBar();
    const int scrollWidth = bar->isVisible() ? bar->width() : 0;
    const int column = listColumnWidth(scheduleList_->width(), scrollWidth);
    scheduleList_->header()->resizeSection(0, column);
    scheduleList_->header()->resizeSection(1, column);
}

void TfMain::onSplitDragged(int wantedPosition)
{
    const int clientWidth = client_->width();
    if (clientWidth <= 0)
        return;
    const int width = clampSplitterDrag(wantedPosition, clientWidth - kSplitterWidth, kSplitDragMinimum);
    settings_.split1 = double(width) / clientWidth;
    LayoutPanes();
}

void TfMain::onSplitter1Dragged(int wantedPosition)
{
    const int height = pnlRight_->height();
    if (height <= 0)
        return;
    const int scheduleHeight =
        clampSplitterDrag(wantedPosition, height - kSplitterWidth, kSplitter1DragMinimum);
    settings_.split2 = double(scheduleHeight) / height;
    layoutRightPane();
}

bool TfMain::ownsWidget(QObject* object) const
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget != nullptr && widget->window() == this;
}

bool TfMain::isInPlaceEditor(QObject* object)
{
    for (QObject* ancestor = object; ancestor != nullptr; ancestor = ancestor->parent())
        if (qobject_cast<QAbstractItemView*>(ancestor) != nullptr)
            return object != ancestor;
    return false;
}

bool TfMain::isOurShortcut(const QKeySequence& keys) const
{
    for (const QAction* action : actions_.all())
        if (action->isEnabled() && action->shortcut() == keys)
            return true;
    return false;
}

bool TfMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == client_)
            LayoutPanes();
        else if (watched == pnlRight_)
            layoutRightPane();
        return QMainWindow::eventFilter(watched, event);
    }
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        QApplication::activePopupWidget() == nullptr && ownsWidget(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            // An editor open in a list row (renaming) also gets the key, so that Esc still cancels it.
            const bool inPlaceEditor = isInPlaceEditor(watched);
            if (event->type() == QEvent::KeyPress)
                EscapePressed();
            event->accept();
            return !inPlaceEditor;
        }
        // The window's own shortcuts win over the focused control's use of the same keys.
        if (event->type() == QEvent::ShortcutOverride && isOurShortcut(key->keyCombination()))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

TransferFlags& TfMain::transfers()
{
    return pluginContext_->transfers();
}

} // namespace narrix
