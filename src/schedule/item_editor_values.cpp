#include "schedule/item_editor_values.h"

#include "base/ascii_case.h"
#include "base/text_trim.h"

namespace narrix {
std::string proposedItemTitle(std::string_view documentTitle)
{
    for (std::string_view extension : {".htm", ".txt", ".rtf"}) {
        if (endsWithIgnoringAsciiCase(documentTitle, extension))
            return std::string(documentTitle.substr(0, documentTitle.size() - 4));
    }
    if (endsWithIgnoringAsciiCase(documentTitle, ".html"))
        return std::string(documentTitle.substr(0, documentTitle.size() - 5));
    return std::string(documentTitle);
}

ItemEditorValues newItemValues(std::string_view documentTitle, std::string_view documentPath,
                               std::string_view timeSeparator)
{
    ItemEditorValues values;
    values.title = proposedItemTitle(documentTitle);
    values.address = std::string(documentPath);
    values.time = "00" + std::string(timeSeparator) + "00";
    return values;
}

ItemEditorValues editorValuesOf(const ScheduleItem& item)
{
    ItemEditorValues values;
    values.title = item.title;
    values.address = item.fileName;
    values.frequence = item.frequence;
    values.time = item.time;
    values.day = item.day;
    values.date = item.date;
    values.month = item.month;
    values.leadKey = item.leadKey;
    values.trailKey = item.trailKey;
    values.leadInc = item.leadInc;
    values.trailInc = item.trailInc;
    return values;
}

void applyEditorValues(const ItemEditorValues& values, ScheduleItem* item)
{
    item->title = trim(values.title);
    item->general = scheduleColumnText(values.time, values.frequence);
    item->fileName = values.address;
    item->frequence = values.frequence;
    item->time = values.time;
    item->day = values.day;
    item->date = values.date;
    item->month = values.month;
    item->lastRun = "Never";
    item->leadKey = values.leadKey;
    item->trailKey = values.trailKey;
    item->leadInc = values.leadInc;
    item->trailInc = values.trailInc;
}

} // namespace narrix
