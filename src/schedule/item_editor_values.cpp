#include "schedule/item_editor_values.h"

#include "base/ascii_case.h"
#include "base/paired_fields.h"
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

namespace {

// The fields the item editor shows as they are stored, each as its place in the item and in the
// editor's values: the one list both directions copy.
template <typename Item, typename Values, typename Copy>
void forEachEditedField(Item& item, Values& values, Copy copy)
{
    copy(item.fileName, values.address);
    copy(item.frequence, values.frequence);
    copy(item.time, values.time);
    copy(item.day, values.day);
    copy(item.date, values.date);
    copy(item.month, values.month);
    copy(item.leadKey, values.leadKey);
    copy(item.trailKey, values.trailKey);
    copy(item.leadInc, values.leadInc);
    copy(item.trailInc, values.trailInc);
}

} // namespace

ItemEditorValues editorValuesOf(const ScheduleItem& item)
{
    ItemEditorValues values;
    values.title = item.title;
    forEachEditedField(item, values, copyToSecond);
    return values;
}

void applyEditorValues(const ItemEditorValues& values, ScheduleItem* item)
{
    item->title = trim(values.title);
    item->general = scheduleColumnText(values.time, values.frequence);
    forEachEditedField(*item, values, copyToFirst);
    item->lastRun = "Never";
}

} // namespace narrix
