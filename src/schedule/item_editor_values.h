#pragma once

#include "schedule/schedule_item.h"

#include <string>
#include <string_view>

namespace narrix {

// What passes between the list commands and the item editor: one item's title, address, recurrence,
// time and cut settings, in the forms of the list file, and whether the user confirmed with OK.
struct ItemEditorValues
{
    std::string title;
    std::string address;
    std::string frequence = "0";
    std::string time;
    std::string day = "0";
    std::string date = "1";
    std::string month = "0";
    std::string leadKey;
    std::string trailKey;
    std::string leadInc = "False";
    std::string trailInc = "False";
    bool accepted = false;

    bool operator==(const ItemEditorValues&) const = default;
};

// The title proposed for a new item: the document's title without a final ".htm", ".txt", ".rtf"
// or ".html" (any letter case).
std::string proposedItemTitle(std::string_view documentTitle);

// The values Add opens the editor with: the proposed title, the document's path as the address,
// daily at "00" separator "00".
ItemEditorValues newItemValues(std::string_view documentTitle, std::string_view documentPath,
                               std::string_view timeSeparator);

// The values Edit opens the editor with.
ItemEditorValues editorValuesOf(const ScheduleItem& item);

// Writes what the editor returned into `item`: the trimmed title, the "Schedule" column text built
// from the time and frequency, and every other edited field. The check box and `checked` stay as they
// are; `lastRun` becomes "Never" so that the scheduler may start the edited item again.
void applyEditorValues(const ItemEditorValues& values, ScheduleItem* item);

} // namespace narrix
