#include "schedule/schedule_list_commands.h"

#include "base/text_trim.h"
#include "schedule/open_document.h"
#include "schedule/schedule_list_file.h"
#include "schedule/schedule_list_model.h"
#include "schedule/schedule_title.h"

#include <QItemSelectionModel>

#include <algorithm>
#include <filesystem>

namespace narrix {

ScheduleListCommands::ScheduleListCommands(ScheduleListModel& list, QItemSelectionModel& selection,
                                           ScheduleListUi& ui, const OpenDocument& document,
                                           std::string timeSeparator)
    : list_(list), selection_(selection), ui_(ui), document_(&document),
      timeSeparator_(std::move(timeSeparator))
{
}

bool ScheduleListCommands::hasSelection() const
{
    return selection_.hasSelection();
}

int ScheduleListCommands::firstSelectedRow() const
{
    int first = -1;
    for (const QItemSelectionRange& range : selection_.selection()) {
        if (first < 0 || range.top() < first)
            first = range.top();
    }
    return first;
}

bool ScheduleListCommands::canMove(int delta) const
{
    const QModelIndex current = selection_.currentIndex();
    if (!current.isValid() || !selection_.isRowSelected(current.row()))
        return false;
    const int target = current.row() + delta;
    return target >= 0 && target < list_.size();
}

void ScheduleListCommands::selectAndReveal(int row)
{
    selection_.setCurrentIndex(list_.index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ui_.revealRow(row);
}

void ScheduleListCommands::add()
{
    const ItemEditorValues values =
        ui_.editItem(newItemValues(document_->title(), document_->path(), timeSeparator_));
    if (!values.accepted)
        return;
    ScheduleItem item;
    applyEditorValues(values, &item);
    item.checked = "True";
    item.ticked = true;
    const std::string title = item.title;
    list_.appendItem(std::move(item));
    const int row = list_.size() - 1;
    if (countTitle(list_, title) >= 2) {
        ui_.refuse(kTitleUsedMessage);
        ScheduleItem renamed = list_.item(row);
        renamed.title = numberedFreeTitle(list_, title);
        list_.setItem(row, std::move(renamed));
    }
    selectAndReveal(row);
}

void ScheduleListCommands::edit()
{
    const int first = firstSelectedRow();
    if (first < 0)
        return;
    // The editor is modal but timers still run while it is open: hold on to the row itself, not
    // its position.
    const QPersistentModelIndex edited = list_.index(first, 0);
    const std::string oldTitle = list_.item(first).title;
    const ItemEditorValues values = ui_.editItem(editorValuesOf(list_.item(first)));
    if (!values.accepted || !edited.isValid())
        return;
    ScheduleItem item = list_.item(edited.row());
    applyEditorValues(values, &item);
    const std::string newTitle = item.title;
    list_.setItem(edited.row(), std::move(item));
    if (edited.isValid() && countTitle(list_, newTitle) >= 2) {
        ui_.refuse(kTitleUsedMessage);
        ScheduleItem back = list_.item(edited.row());
        back.title = oldTitle;
        list_.setItem(edited.row(), std::move(back));
    }
}

void ScheduleListCommands::rename()
{
    if (ui_.renaming())
        return;
    const int first = firstSelectedRow();
    if (first >= 0)
        ui_.startRename(first);
}

bool ScheduleListCommands::titleEdited(int row, std::string_view newTitle)
{
    if (row < 0 || row >= list_.size())
        return false;
    const std::string title = trim(newTitle);
    if (const TitleProblem problem = titleProblem(title); problem != TitleProblem::None) {
        ui_.refuse(titleProblemMessage(problem));
        return false;
    }
    if (countTitle(list_, title, row) > 0) {
        ui_.refuse(kTitleUsedMessage);
        return false;
    }
    ScheduleItem item = list_.item(row);
    item.title = title;
    list_.setItem(row, std::move(item));
    return true;
}

void ScheduleListCommands::remove()
{
    if (!hasSelection() || !ui_.confirm(kRemoveQuestion))
        return;
    // The selection as it stands after the answer, removed as whole runs of rows from the bottom up.
    std::vector<std::pair<int, int>> runs; // first row, last row
    for (const QItemSelectionRange& range : selection_.selection())
        runs.emplace_back(range.top(), range.bottom());
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    int below = list_.size();
    for (const auto& [top, bottom] : runs) {
        const int last = std::min(bottom, below - 1);
        if (last >= top)
            list_.removeRows(top, last - top + 1);
        below = std::min(below, top);
    }
}

void ScheduleListCommands::move(int delta)
{
    if (!canMove(delta))
        return;
    const int from = selection_.currentIndex().row();
    const int to = from + delta;
    // The two rows exchange their contents and their selected states; the focus goes with the moved
    // item.
    const bool otherSelected = selection_.isRowSelected(to);
    list_.swapItems(from, to);
    const auto rows = QItemSelectionModel::Rows;
    selection_.select(list_.index(to, 0), QItemSelectionModel::Select | rows);
    if (!otherSelected)
        selection_.select(list_.index(from, 0), QItemSelectionModel::Deselect | rows);
    selection_.setCurrentIndex(list_.index(to, 0), QItemSelectionModel::NoUpdate);
    ui_.revealRow(to);
}

void ScheduleListCommands::importList()
{
    const std::string path = ui_.chooseListToImport();
    if (!path.empty())
        importListFrom(path);
}

bool ScheduleListCommands::importListFrom(const std::string& path)
{
    std::string error;
    if (LoadScheduleList(list_, path, timeSeparator_, &error))
        return true;
    ui_.refuse(error);
    return false;
}

void ScheduleListCommands::exportList()
{
    std::filesystem::path path = ui_.chooseListToExport();
    if (path.empty())
        return;
    // A name typed without an extension gets the list extension; the dialog asked about the name as
    // typed, so ask again if the completed name exists.
    if (!path.has_extension()) {
        path += ".nxl";
        std::error_code ec;
        if (std::filesystem::exists(path, ec) &&
            !ui_.confirm(path.string() + " already exists.\r\nDo you want to replace it?"))
            return;
    }
    std::string error;
    if (!SaveScheduleList(list_, path, &error))
        ui_.refuse(error);
}

} // namespace narrix
