#include "app/schedule_list_glue.h"

#include "app/main_actions.h"
#include "app/modal_dialog_host.h"
#include "app/program_state.h"
#include "app/settings.h"
#include "app/title_edit_delegate.h"
#include "dialogs/item_editor_dialog.h"
#include "schedule/schedule_list_model.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeView>

namespace narrix {
namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QString kListFilter = QStringLiteral("Lists (*.nxl)");

} // namespace

ScheduleListGlue::ScheduleListGlue(const MainActions& actions, QTreeView& list, ScheduleListModel& model,
                                   ModalDialogs& dialogs, ProgramState& state, const Settings& settings,
                                   std::string timeSeparator, QWidget* owner)
    : QObject(owner), actions_(actions), list_(list), model_(model), dialogs_(dialogs), settings_(settings),
      owner_(owner), timeSeparator_(std::move(timeSeparator)),
      pageReader_(http_, state.networkBusy, state.cancelRequested)
{
    setObjectName(QStringLiteral("scheduleListGlue"));
    commands_ = std::make_unique<ScheduleListCommands>(
        model_, *list_.selectionModel(), static_cast<ScheduleListUi&>(*this), *document_, timeSeparator_);
    delegate_ = new TitleEditDelegate(&list_);
    delegate_->titleEdited = [this](int row, const QString& text) {
        commands_->titleEdited(row, text.toStdString());
    };
    list_.setItemDelegate(delegate_);
    // Clicking the title of the row already selected opens the in-place editor, as Rename does.
    list_.setEditTriggers(QAbstractItemView::SelectedClicked);
    list_.installEventFilter(this);
    buildPopupMenu();
    connectActions();
    updateActions();
}

ScheduleListGlue::~ScheduleListGlue() = default;

void ScheduleListGlue::setDocument(const OpenDocument* document)
{
    document_ = document != nullptr ? document : &untitled_;
    commands_->setDocument(*document_);
}

void ScheduleListGlue::buildPopupMenu()
{
    const MainActions& a = actions_;
    popSch_ = new QMenu(&list_);
    popSch_->setObjectName(QStringLiteral("popSch"));
    for (QAction* item : {a.actAdd, a.actRemove, static_cast<QAction*>(nullptr), a.actRun, a.actEdit,
                          a.actRename, static_cast<QAction*>(nullptr), a.actMoveUp, a.actMoveDown,
                          static_cast<QAction*>(nullptr), a.actImport, a.actExport}) {
        if (item == nullptr)
            popSch_->addSeparator();
        else
            popSch_->addAction(item);
    }
    for (QAction* item : list_.actions())
        list_.removeAction(item);
    list_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popSch_->popup(list_.viewport()->mapToGlobal(at)); });
}

void ScheduleListGlue::connectActions()
{
    const MainActions& a = actions_;
    ScheduleListCommands& c = *commands_;
    const auto bind = [this](QAction* action, auto command) {
        connect(action, &QAction::triggered, this, [command] { command(); });
    };
    bind(a.actAdd, [&c] { c.add(); });
    bind(a.actEdit, [&c] { c.edit(); });
    bind(a.actRemove, [&c] { c.remove(); });
    bind(a.actRename, [&c] { c.rename(); });
    bind(a.actMoveUp, [&c] { c.moveUp(); });
    bind(a.actMoveDown, [&c] { c.moveDown(); });
    bind(a.actImport, [&c] { c.importList(); });
    bind(a.actExport, [&c] { c.exportList(); });
    a.actAdd->setEnabled(true);
    a.actImport->setEnabled(true);
    a.actExport->setEnabled(true);

    QItemSelectionModel* selection = list_.selectionModel();
    connect(selection, &QItemSelectionModel::selectionChanged, this, &ScheduleListGlue::updateActions);
    connect(selection, &QItemSelectionModel::currentChanged, this, &ScheduleListGlue::updateActions);
    connect(&model_, &QAbstractItemModel::rowsMoved, this, &ScheduleListGlue::updateActions);
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, &ScheduleListGlue::updateActions);
    connect(&model_, &QAbstractItemModel::rowsInserted, this, &ScheduleListGlue::updateActions);
    connect(&model_, &QAbstractItemModel::modelReset, this, &ScheduleListGlue::updateActions);
}

void ScheduleListGlue::updateActions()
{
    const bool selected = commands_->hasSelection();
    actions_.actRemove->setEnabled(selected);
    actions_.actEdit->setEnabled(selected);
    actions_.actRename->setEnabled(selected);
    actions_.actMoveUp->setEnabled(commands_->canMoveUp());
    actions_.actMoveDown->setEnabled(commands_->canMoveDown());
}

bool ScheduleListGlue::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &list_ && event->type() == QEvent::KeyPress && !renaming()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (commands_->hasSelection())
                    commands_->edit();
                return true;
            case Qt::Key_Delete:
                if (commands_->hasSelection())
                    commands_->remove();
                return true;
            case Qt::Key_Insert:
                commands_->add();
                return true;
            default:
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

ItemEditorValues ScheduleListGlue::editItem(const ItemEditorValues& values)
{
    ModalDialogHost host(dialogs_);
    ItemEditorContext context{host, timeSeparator_, {}};
    context.picker.reader = &pageReader_;
    context.picker.proxy = settings_.proxy.toStdString();
    context.picker.port = settings_.port.toStdString();
    return TfrmSche::run(values, std::move(context), owner_);
}

void ScheduleListGlue::refuse(std::string_view message)
{
    dialogs_.refuse(fromUtf8(message));
}

bool ScheduleListGlue::confirm(std::string_view question)
{
    return dialogs_.confirm(fromUtf8(question));
}

std::string ScheduleListGlue::chooseListToImport()
{
    return dialogs_.openFileName(QStringLiteral("Import List"), QString(), kListFilter).toStdString();
}

std::string ScheduleListGlue::chooseListToExport()
{
    return dialogs_.saveFileName(QStringLiteral("Export List"), QString(), kListFilter).toStdString();
}

void ScheduleListGlue::revealRow(int row)
{
    list_.setFocus();
    list_.scrollTo(model_.index(row, 0));
}

bool ScheduleListGlue::renaming() const
{
    return delegate_->editing();
}

void ScheduleListGlue::startRename(int row)
{
    list_.setFocus();
    const QModelIndex title = model_.index(row, ScheduleListModel::TitleColumn);
    list_.selectionModel()->setCurrentIndex(title, QItemSelectionModel::NoUpdate);
    list_.edit(title);
}

} // namespace narrix
