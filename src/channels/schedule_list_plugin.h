#pragma once

#include "net/http_client.h"
#include "plugin/feature_services.h"
#include "plugin/plugin.h"
#include "schedule/open_document.h"
#include "schedule/picker_page_reader.h"
#include "schedule/schedule_list_commands.h"

#include <QObject>

#include <memory>

class QMenu;
class QTreeView;

namespace narrix {

class ScheduleListModel;
class TitleEditDelegate;

// Puts the schedule list commands on the main window: the Schedule menu's actions and their enabled
// states, the toolbar buttons, the list's pop-up menu, its keys (Enter edits, Delete removes, Insert
// adds) and renaming in place. The item editor and the dialogs it opens are built when first shown.
class ScheduleListPlugin : public QObject, public Plugin, private ScheduleListUi
{
    Q_OBJECT
public:
    explicit ScheduleListPlugin(std::string timeSeparator);
    ~ScheduleListPlugin() override;

    void attach(PluginContext& context) override;

    // The document Add proposes as the new item ("Untitled" and no path when none is given).
    void setDocument(const OpenDocument* document);
    ScheduleListCommands& commands() { return *commands_; }

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
    void updateActions();

    std::string timeSeparator_;
    PluginContext* context_ = nullptr;
    QTreeView* list_ = nullptr;
    ScheduleListModel* model_ = nullptr;
    TitleEditDelegate* delegate_ = nullptr;
    QMenu* popSch_ = nullptr;
    UntitledDocument untitled_;
    const OpenDocument* document_ = &untitled_;
    // The Text Picker's own client: it shares the busy flag with channel retrieval, so only one
    // transfer runs at a time.
    net::HttpClient http_;
    std::unique_ptr<PickerPageReader> pageReader_;
    std::unique_ptr<ScheduleListCommands> commands_;
};

} // namespace narrix
