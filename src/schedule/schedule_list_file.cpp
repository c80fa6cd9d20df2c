#include "schedule/schedule_list_file.h"

#include "base/ascii_case.h"
#include "schedule/schedule_list_model.h"

#include <algorithm>
#include <unordered_map>

namespace narrix {

std::vector<ScheduleItem> readScheduleItems(const ProfileFile& file, std::string_view timeSeparator)
{
    // All sections are read. The Windows reader stops at a 16384-character list of names, which
    // would drop the items past it from the list and so from the file at the next save.
    const std::vector<std::string> names = file.sectionNames();
    std::vector<ScheduleItem> items;
    items.reserve(names.size());
    // Sections of the same name all read the keys of the first one: read those once, so that a file
    // with many same-named sections still loads in linear time.
    std::unordered_map<std::string, size_t> firstItemByName;
    for (const std::string& name : names) {
        const auto [known, added] = firstItemByName.try_emplace(toLowerAscii(name), items.size());
        ScheduleItem item;
        if (added) {
            for (const ScheduleField& field : kScheduleFields)
                item.*field.member =
                    file.readString(name, field.key, missingKeyDefault(field.key, timeSeparator));
        } else {
            item = items[known->second];
        }
        item.title = name;
        item.ticked = item.checked == "True";
        items.push_back(std::move(item));
    }
    return items;
}

void writeScheduleItems(const std::vector<ScheduleItem>& items, ProfileFile* file)
{
    for (const ScheduleItem& item : items) {
        for (const ScheduleField& field : kScheduleFields) {
            if (field.member == &ScheduleItem::checked)
                file->setValue(item.title, field.key, item.ticked ? "True" : "False");
            else
                file->setValue(item.title, field.key, item.*field.member);
        }
    }
}

namespace {

// The rows of one title (A to Z case ignored) still in the merged list, oldest first: those of the
// old list, then those appended.
struct RowsOfTitle
{
    std::vector<size_t> old;
    size_t oldNext = 0;
    std::vector<size_t> appended;
    size_t appendedNext = 0;
};

} // namespace

// Same result as removing, for each incoming item, the first row with its title from the current
// list (searching from the top) and appending the item, but without a search per item: every row
// still there from the old list comes before every appended one, so the first match is the oldest
// remaining old row of that title, else the oldest remaining appended one.
std::vector<ScheduleItem> mergeScheduleItems(std::vector<ScheduleItem> list,
                                             std::vector<ScheduleItem> incoming)
{
    std::unordered_map<std::string, RowsOfTitle> rows;
    rows.reserve(list.size() + incoming.size());
    for (size_t i = 0; i < list.size(); ++i)
        rows[toLowerAscii(list[i].title)].old.push_back(i);
    std::vector<bool> oldKept(list.size(), true), appendedKept(incoming.size(), true);
    for (size_t j = 0; j < incoming.size(); ++j) {
        RowsOfTitle& same = rows[toLowerAscii(incoming[j].title)];
        if (same.oldNext < same.old.size())
            oldKept[same.old[same.oldNext++]] = false;
        else if (same.appendedNext < same.appended.size())
            appendedKept[same.appended[same.appendedNext++]] = false;
        same.appended.push_back(j);
    }
    rows = {};
    std::vector<ScheduleItem> merged;
    merged.reserve(static_cast<size_t>(std::count(oldKept.begin(), oldKept.end(), true) +
                                       std::count(appendedKept.begin(), appendedKept.end(), true)));
    for (size_t i = 0; i < list.size(); ++i)
        if (oldKept[i])
            merged.push_back(std::move(list[i]));
    for (size_t j = 0; j < incoming.size(); ++j)
        if (appendedKept[j])
            merged.push_back(std::move(incoming[j]));
    return merged;
}

bool LoadScheduleList(ScheduleListModel& list, const std::filesystem::path& path,
                      std::string_view timeSeparator, std::string* error)
{
    const auto refuse = [&](const std::string& reason) {
        *error = "Unable to read " + path.string() + ": " + reason;
        return false;
    };
    ProfileFile file;
    std::string reason;
    if (!loadProfileFile(path, &file, &reason, kScheduleListMaxItems))
        return refuse(reason);
    std::vector<ScheduleItem> incoming = readScheduleItems(file, timeSeparator);
    file = ProfileFile();
    if (incoming.empty())
        return true;
    std::vector<ScheduleItem> merged = mergeScheduleItems(list.items(), std::move(incoming));
    if (merged.size() > kScheduleListMaxItems)
        return refuse("the list would hold more than " + std::to_string(kScheduleListMaxItems) + " items");
    list.setItems(std::move(merged));
    return true;
}

bool SaveScheduleList(const ScheduleListModel& list, const std::filesystem::path& path, std::string* error)
{
    const auto fail = [&] {
        *error = "Unable to write to " + path.string();
        return false;
    };
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (ec)
        return fail();
    if (!exists && list.items().empty())
        return true;
    ProfileFile file;
    std::string reason;
    if (exists && !loadProfileFile(path, &file, &reason))
        return fail();
    file.eraseAllSections();
    writeScheduleItems(list.items(), &file);
    if (!saveProfileFile(path, file, &reason))
        return fail();
    return true;
}

} // namespace narrix
