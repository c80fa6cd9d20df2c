#include "schedule/schedule_list_file.h"

#include "base/ascii_case.h"
#include "schedule/schedule_list_model.h"

#include <deque>
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

// Same result as removing, for each incoming item, the first row with its title from the current
// list (searching from the top) and appending the item, but without a search per item: every row
// still there from the old list comes before every appended one, so the first match is the oldest
// remaining old row of that title, else the oldest remaining appended one.
std::vector<ScheduleItem> mergeScheduleItems(std::vector<ScheduleItem> list,
                                             std::vector<ScheduleItem> incoming)
{
    std::unordered_map<std::string, std::deque<size_t>> oldRows, appendedRows;
    for (size_t i = 0; i < list.size(); ++i)
        oldRows[toLowerAscii(list[i].title)].push_back(i);
    std::vector<bool> oldKept(list.size(), true), appendedKept(incoming.size(), true);
    for (size_t j = 0; j < incoming.size(); ++j) {
        const std::string key = toLowerAscii(incoming[j].title);
        if (auto it = oldRows.find(key); it != oldRows.end() && !it->second.empty()) {
            oldKept[it->second.front()] = false;
            it->second.pop_front();
        } else if (auto ap = appendedRows.find(key); ap != appendedRows.end() && !ap->second.empty()) {
            appendedKept[ap->second.front()] = false;
            ap->second.pop_front();
        }
        appendedRows[key].push_back(j);
    }
    std::vector<ScheduleItem> merged;
    merged.reserve(list.size() + incoming.size());
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
    ProfileFile file;
    std::string reason;
    if (!loadProfileFile(path, &file, &reason)) {
        *error = "Unable to read " + path.string() + ": " + reason;
        return false;
    }
    std::vector<ScheduleItem> incoming = readScheduleItems(file, timeSeparator);
    if (!incoming.empty())
        list.setItems(mergeScheduleItems(list.items(), std::move(incoming)));
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
