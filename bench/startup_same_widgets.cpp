// A second floor for the start-up benchmark: the kinds and numbers of widgets narrix's window shows
// (a band of seven drop-down menus over 50 actions and a logo, a tool bar of 16 drawn pictures, a
// document pane, the schedule list with its header, the real-time pane with its small tool bar, a
// status bar), in plain Qt and without any of the program's work. What it costs beyond the empty
// window is the cost of the window's contents; what narrix costs beyond it is the program's own.
// Built twice: as it stands, and with narrix's font warm-up (fontconfig loads on a thread of its own
// while the widgets are made), NARRIX_WARM_FONTS.
#include "app/startup/startup_probe.h"
#if NARRIX_WARM_FONTS
#include "app/startup/font_database_warmup.h"
#endif

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kMenuCount = 7;
constexpr int kActionCount = 50;
constexpr int kPictureCount = 16;

QIcon drawnPicture(int index)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromHsv(index * 22 % 360, 160, 200));
    painter.drawEllipse(QRectF(2, 2, 12, 12));
    painter.drawLine(3, 13, 13, 3);
    return QIcon(picture);
}

QWidget* titledPane(const QString& title, QWidget* content, QWidget* parent)
{
    auto* pane = new QFrame(parent);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(0);
    auto* label = new QLabel(title, pane);
    label->setFixedHeight(22);
    label->setIndent(6);
    layout->addWidget(label);
    content->setParent(pane);
    layout->addWidget(content);
    return pane;
}

} // namespace

int main(int argc, char** argv)
{
#if NARRIX_WARM_FONTS
    narrix::FontDatabaseWarmUp fonts;
#endif
    QApplication app(argc, argv);
#if NARRIX_WARM_FONTS
    fonts.applicationCreated();
    const auto fontsDone = qScopeGuard([&fonts] { fonts.finish(); });
#endif
    QMainWindow window;
    window.resize(470, 384);

    QList<QAction*> actions;
    for (int i = 0; i < kActionCount; ++i) {
        auto* action = new QAction(QStringLiteral("&Action %1").arg(i + 1), &window);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_A + i % 26)));
        action->setToolTip(QStringLiteral("Does thing %1").arg(i + 1));
        actions << action;
    }
    window.addActions(actions);

    auto* menuBand = new QToolBar(QStringLiteral("Menu"), &window);
    menuBand->setMovable(false);
    menuBand->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (int m = 0; m < kMenuCount; ++m) {
        auto* menu = new QMenu(&window);
        for (int i = m; i < kActionCount; i += kMenuCount)
            menu->addAction(actions[i]);
        auto* button = new QToolButton(menuBand);
        button->setText(QStringLiteral("Menu%1").arg(m + 1));
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setAutoRaise(true);
        menuBand->addWidget(button);
    }
    auto* spacer = new QWidget(menuBand);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    menuBand->addWidget(spacer);
    auto* logo = new QLabel(menuBand);
    logo->setFixedSize(40, 22);
    menuBand->addWidget(logo);
    window.addToolBar(Qt::TopToolBarArea, menuBand);
    window.addToolBarBreak(Qt::TopToolBarArea);

    auto* toolBand = new QToolBar(QStringLiteral("Toolbar"), &window);
    toolBand->setMovable(false);
    toolBand->setIconSize(QSize(16, 16));
    for (int i = 0; i < kPictureCount; ++i) {
        actions[i]->setIcon(drawnPicture(i));
        toolBand->addAction(actions[i]);
        if (i % 4 == 3)
            toolBand->addSeparator();
    }
    window.addToolBar(Qt::TopToolBarArea, toolBand);

    auto* client = new QSplitter(Qt::Horizontal, &window);
    client->addWidget(titledPane(QStringLiteral("Untitled"), new QTextEdit, client));
    auto* right = new QSplitter(Qt::Vertical, client);
    auto* list = new QTreeView;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    auto* model = new QStandardItemModel(0, 4, list);
    model->setHorizontalHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Time"), QStringLiteral("Repeat"), QStringLiteral("Type")});
    list->setModel(model);
    list->header()->setStretchLastSection(false);
    right->addWidget(titledPane(QStringLiteral("Scheduled Speeches"), list, right));
    auto* realTime = new QWidget;
    auto* realTimeLayout = new QVBoxLayout(realTime);
    realTimeLayout->setContentsMargins(0, 0, 0, 0);
    auto* memo = new QPlainTextEdit(realTime);
    memo->setReadOnly(true);
    realTimeLayout->addWidget(memo);
    auto* propertiesBar = new QToolBar(realTime);
    propertiesBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    propertiesBar->addAction(actions[18]);
    realTimeLayout->addWidget(propertiesBar);
    right->addWidget(titledPane(QStringLiteral("Real-Time Buffer"), realTime, right));
    client->addWidget(right);
    window.setCentralWidget(client);

    auto* status = new QStatusBar(&window);
    status->addWidget(new QLabel(QStringLiteral(" Ready"), status), 1);
    window.setStatusBar(status);
    status->hide();

#if NARRIX_WARM_FONTS
    fonts.waitForConfiguration();
#endif
    narrix::installStartupProbe(window);
    window.show();
    return QApplication::exec();
}
