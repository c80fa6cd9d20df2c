#include "channels/schedule_list_plugin.h"

#include "channels/title_edit_delegate.h"
#include "dialogs/item_editor_dialog.h"
#include "plugin/modal_dialog_host.h"
#include "plugin/plugin_context.h"
#include "schedule/schedule_list_model.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeView>

namespace narrix {
namespace {

// The list's fixed messages are translated; those that name a file or a reason stay as they are.
QString translatedMessage(std::string_view message)
{
    const std::string text(message);
    return QCoreApplication::translate("ScheduleMessages", text.c_str());
}

constexpr const char* kListFilter = QT_TRANSLATE_NOOP("narrix::ScheduleListPlugin", "Lists (*.nxl)");

} // namespace

ScheduleListPlugin::ScheduleListPlugin(std::string timeSeparator) : timeSeparator_(std::move(timeSeparator))
{
    setObjectName(QStringLiteral("scheduleListPlugin"));
}

ScheduleListPlugin::~ScheduleListPlugin() = default;

void ScheduleListPlugin::attach(PluginContext& context)
{
    context_ = &context;
    list_ = context.scheduleList();
    model_ = &context.scheduleItems();
    pageReader_ = std::make_unique<PickerPageReader>(http_, context.transfers());
    commands_ = std::make_unique<ScheduleListCommands>(
        *model_, *list_->selectionModel(), static_cast<ScheduleListUi&>(*this), *document_, timeSeparator_);
    delegate_ = new TitleEditDelegate(list_);
    delegate_->titleEdited = [this](int row, const QString& text) {
        commands_->titleEdited(row, text.toStdString());
    };
    list_->setItemDelegate(delegate_);
    // Clicking the title of the row already selected opens the in-place editor, as Rename does.
    list_->setEditTriggers(QAbstractItemView::SelectedClicked);
    list_->installEventFilter(this);
    buildPopupMenu();
    connectActions();
    updateActions();
}

void ScheduleListPlugin::setDocument(const OpenDocument* document)
{
    document_ = document != nullptr ? document : &untitled_;
    if (commands_)
        commands_->setDocument(*document_);
}

void ScheduleListPlugin::buildPopupMenu()
{
    const MainActions& a = context_->actions();
    popSch_ = new QMenu(list_);
    popSch_->setObjectName(QStringLiteral("popSch"));
    for (QAction* item : {a.actAdd, a.actRemove, static_cast<QAction*>(nullptr), a.actRun, a.actEdit,
                          a.actRename, static_cast<QAction*>(nullptr), a.actMoveUp, a.actMoveDown,
                          static_cast<QAction*>(nullptr), a.actImport, a.actExport}) {
        if (item == nullptr)
            popSch_->addSeparator();
        else
            popSch_->addAction(item);
    }
    for (QAction* item : list_->actions())
        list_->removeAction(item);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popSch_->popup(list_->viewport()->mapToGlobal(at)); });
}

void ScheduleListPlugin::connectActions()
{
    const MainActions& a = context_->actions();
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

    QItemSelectionModel* selection = list_->selectionModel();
    connect(selection, &QItemSelectionModel::selectionChanged, this, &ScheduleListPlugin::updateActions);
    connect(selection, &QItemSelectionModel::currentChanged, this, &ScheduleListPlugin::updateActions);
    connect(model_, &QAbstractItemModel::rowsMoved, this, &ScheduleListPlugin::updateActions);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &ScheduleListPlugin::updateActions);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &ScheduleListPlugin::updateActions);
    connect(model_, &QAbstractItemModel::modelReset, this, &ScheduleListPlugin::updateActions);
}

void ScheduleListPlugin::updateActions()
{
    const bool selected = commands_->hasSelection();
    context_->actions().actRemove->setEnabled(selected);
    context_->actions().actEdit->setEnabled(selected);
    context_->actions().actRename->setEnabled(selected);
    context_->actions().actMoveUp->setEnabled(commands_->canMoveUp());
    context_->actions().actMoveDown->setEnabled(commands_->canMoveDown());
}

bool ScheduleListPlugin::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress && !renaming()) {
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

ItemEditorValues ScheduleListPlugin::editItem(const ItemEditorValues& values)
{
    ModalDialogHost host(context_->modal());
    ItemEditorContext context{host, timeSeparator_, {}};
    context.picker.reader = pageReader_.get();
    context.picker.proxy = context_->settings().proxy.toStdString();
    context.picker.port = context_->settings().port.toStdString();
    return TfrmSche::run(values, std::move(context), &context_->window());
}

void ScheduleListPlugin::refuse(std::string_view message)
{
    context_->modal().refuse(translatedMessage(message));
}

bool ScheduleListPlugin::confirm(std::string_view question)
{
    return context_->modal().confirm(translatedMessage(question));
}

std::string ScheduleListPlugin::chooseListToImport()
{
    return context_->modal().openFileName(tr("Import List"), QString(), tr(kListFilter)).toStdString();
}

std::string ScheduleListPlugin::chooseListToExport()
{
    return context_->modal().saveFileName(tr("Export List"), QString(), tr(kListFilter)).toStdString();
}

void ScheduleListPlugin::revealRow(int row)
{
    list_->setFocus();
    list_->scrollTo(model_->index(row, 0));
}

bool ScheduleListPlugin::renaming() const
{
    return delegate_->editing();
}

void ScheduleListPlugin::startRename(int row)
{
    list_->setFocus();
    const QModelIndex title = model_->index(row, ScheduleListModel::TitleColumn);
    list_->selectionModel()->setCurrentIndex(title, QItemSelectionModel::NoUpdate);
    list_->edit(title);
}

} // namespace narrix
