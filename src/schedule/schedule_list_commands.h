#pragma once

#include "schedule/item_editor_values.h"

#include <QtGlobal>

#include <string>
#include <string_view>

class QItemSelectionModel;

namespace narrix {

class OpenDocument;
class ScheduleListModel;

// What the list commands show and ask: the item editor, message boxes, the list-file dialogs, and the
// list view's focus, scrolling and in-place title editor.
class ScheduleListUi
{
public:
    virtual ~ScheduleListUi() = default;
    // Shows the item editor filled with `values`; returns them as the user left them (accepted set
    // only when the user confirmed with OK).
    virtual ItemEditorValues editItem(const ItemEditorValues& values) = 0;
    // Exclamation icon and OK.
    virtual void refuse(std::string_view message) = 0;
    // Question icon with Yes and No; true for Yes.
    virtual bool confirm(std::string_view question) = 0;
    // An existing list file to import, or empty when cancelled.
    virtual std::string chooseListToImport() = 0;
    // The list file to export to (the dialog asks before replacing a file), or empty when cancelled.
    virtual std::string chooseListToExport() = 0;
    // Gives the list the keyboard focus and scrolls `row` into view.
    virtual void revealRow(int row) = 0;
    // Whether a title is being edited in place, and opening that editor on a row.
    virtual bool renaming() const = 0;
    virtual void startRename(int row) = 0;
};

// The commands that change the schedule list: add, edit, rename in place, remove, move up and down,
// import and export. They keep the title rules (trimmed, never empty, no "]", unique when the
// letters A to Z are compared without case). Commands on one row take the first selected row in list
// order; the moves take the focused row (the selection model's current index).
class ScheduleListCommands
{
public:
    ScheduleListCommands(ScheduleListModel& list, QItemSelectionModel& selection, ScheduleListUi& ui,
                         const OpenDocument& document, std::string timeSeparator);

    void add();
    void edit();
    void rename();
    void remove();
    void moveUp() { move(-1); }
    void moveDown() { move(+1); }
    void importList();
    // Import's merge of a named list file (the command line's --import); false after showing why not.
    bool importListFrom(const std::string& path);
    void exportList();

    // Validates the title typed in place on `row`; applies it (trimmed) and returns true, or shows
    // why not and returns false, leaving the old title.
    bool titleEdited(int row, std::string_view newTitle);

    // The document Add proposes as the new item.
    void setDocument(const OpenDocument& document) { document_ = &document; }

    // When the commands are enabled.
    bool hasSelection() const;
    bool canMoveUp() const { return canMove(-1); }
    bool canMoveDown() const { return canMove(+1); }

    // The first selected row in list order, or -1.
    int firstSelectedRow() const;

    static constexpr std::string_view kRemoveQuestion =
        QT_TRANSLATE_NOOP("ScheduleMessages", "Are you sure you want to delete the selected item(s)?");

private:
    void move(int delta);
    bool canMove(int delta) const;
    void selectAndReveal(int row);

    ScheduleListModel& list_;
    QItemSelectionModel& selection_;
    ScheduleListUi& ui_;
    const OpenDocument* document_;
    std::string timeSeparator_;
};

} // namespace narrix
