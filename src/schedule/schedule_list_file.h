#pragma once

#include "base/profile_file.h"
#include "schedule/schedule_item.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace narrix {

class ScheduleListModel;

// The most items a schedule list holds. Every row is kept in memory and looked at by each scheduler
// tick, so a list file of more sections than this, or a merge that would make the list longer, is
// refused as "Unable to read PATH: ..." and nothing changes.
inline constexpr size_t kScheduleListMaxItems = 100000;

// Merges the items of a list file into `list`: for each section of the file, in file order, the
// first row whose title equals the section name (ignoring the case of A to Z) is removed and the
// file's item is appended at the end. Rows whose titles are not in the file stay where they are.
// Missing keys take their defaults; the check box is ticked when `Checked` is exactly "True". A
// missing file adds nothing and is no error; a file that exists but cannot be read leaves the list
// as it was and returns false with `*error` set, as does a file or a merged list above
// kScheduleListMaxItems items.
bool LoadScheduleList(ScheduleListModel& list, const std::filesystem::path& path,
                      std::string_view timeSeparator, std::string* error);

// Replaces every section of the list file with the rows of `list`, in list order, writing all
// thirteen keys of each row and `Checked` from the row's check box. Lines before the first section
// are kept. The file is replaced atomically and is readable by its owner only; an empty list saved
// to a file that does not exist creates nothing. On failure the old file is left whole and
// `*error` is "Unable to write to " followed by the path.
bool SaveScheduleList(const ScheduleListModel& list, const std::filesystem::path& path, std::string* error);

// The pieces of the two operations above, without files or models.
std::vector<ScheduleItem> readScheduleItems(const ProfileFile& file, std::string_view timeSeparator);
void writeScheduleItems(const std::vector<ScheduleItem>& items, ProfileFile* file);
std::vector<ScheduleItem> mergeScheduleItems(std::vector<ScheduleItem> list,
                                             std::vector<ScheduleItem> incoming);

} // namespace narrix
