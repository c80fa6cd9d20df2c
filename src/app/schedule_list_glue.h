#pragma once

#include "net/http_client.h"
#include "schedule/open_document.h"
#include "schedule/picker_page_reader.h"
#include "schedule/schedule_list_commands.h"

#include <QObject>

#include <memory>

class QMenu;
class QTreeView;

namespace narrix {

class ModalDialogs;
class ScheduleListModel;
class TitleEditDelegate;
struct MainActions;
struct ProgramState;
struct Settings;

// Puts the schedule list commands on the main window: the Schedule menu's actions and their enabled
// states, the toolbar buttons, the list's pop-up menu, its keys (Enter edits, Delete removes, Insert
// adds) and renaming in place. The item editor and the dialogs it opens are built when first shown.
class ScheduleListGlue : public QObject, private ScheduleListUi
{
    Q_OBJECT
public:
    ScheduleListGlue(const MainActions& actions, QTreeView& list, ScheduleListModel& model,
                     ModalDialogs& dialogs, ProgramState& state, const Settings& settings,
                     std::string timeSeparator, QWidget* owner);
    ~ScheduleListGlue() override;

    ScheduleListCommands& commands() { return *commands_; }
    // The document Add proposes as the new item.
    void setDocument(const OpenDocument* document);

    // Sets the enabled states of the commands from the selection.
    void updateActions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ItemEditorValues editItem(const ItemEditorValues& values) override;
    void refuse(std::string_view message) override;
    bool confirm(std::string_view question) override;
    std::string chooseListToImport() override;
    std::string chooseListToExport() override;
    void revealRow(int row) override;
    bool renaming() const override;
    void startRename(int row) override;

    void connectActions();
    void buildPopupMenu();

    const MainActions& actions_;
    QTreeView& list_;
    ScheduleListModel& model_;
    ModalDialogs& dialogs_;
    const Settings& settings_;
    QWidget* owner_;
    std::string timeSeparator_;
    TitleEditDelegate* delegate_ = nullptr;
    QMenu* popSch_ = nullptr;
    UntitledDocument untitled_;
    const OpenDocument* document_ = &untitled_;
    net::HttpClient http_;
    PickerPageReader pageReader_;
    std::unique_ptr<ScheduleListCommands> commands_;
};

} // namespace narrix
