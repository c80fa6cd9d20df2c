#include "schedule/schedule_list_model.h"

#include "base/ascii_case.h"

#include <QCoreApplication>

#include <algorithm>

namespace narrix {
namespace {

QString toQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The frequency words the schedule column ends with ("07:30 - Daily"); the list file keeps them in
// English, the list shows them translated.
constexpr const char* kFrequencyWords[] = {
    QT_TRANSLATE_NOOP("ScheduleListModel", "Daily"),
    QT_TRANSLATE_NOOP("ScheduleListModel", "Weekly"),
    QT_TRANSLATE_NOOP("ScheduleListModel", "Monthly"),
    QT_TRANSLATE_NOOP("ScheduleListModel", "Yearly"),
};

QString shownScheduleText(const QString& general)
{
    static const QLatin1StringView separator(" - ");
    const qsizetype wordStart = general.lastIndexOf(separator) + separator.size();
    if (wordStart < separator.size())
        return general;
    const QStringView word = QStringView(general).sliced(wordStart);
    for (const char* english : kFrequencyWords) {
        if (word == QLatin1StringView(english))
            return general.first(wordStart) + QCoreApplication::translate("ScheduleListModel", english);
    }
    return general;
}

} // namespace

ScheduleListModel::ScheduleListModel(QObject* parent) : QAbstractTableModel(parent) {}

bool ScheduleListModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < size() && index.column() < ColumnCount;
}

int ScheduleListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

int ScheduleListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScheduleListModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    const ScheduleItem& row = item(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return index.column() == TitleColumn ? toQString(row.title)
                                             : shownScheduleText(toQString(row.general));
    }
    if (role == Qt::EditRole)
        return toQString(index.column() == TitleColumn ? row.title : row.general);
    if (role == Qt::CheckStateRole && index.column() == TitleColumn)
        return row.ticked ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ScheduleListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!isCell(index) || role != Qt::CheckStateRole || index.column() != TitleColumn)
        return false;
    setTicked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags ScheduleListModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    // The title is renamed in place; the list commands check the new title before it is set.
    if (index.column() == TitleColumn)
        result |= Qt::ItemIsUserCheckable | Qt::ItemIsEditable;
    return result;
}

QVariant ScheduleListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == TitleColumn)
        return tr("Title");
    if (section == ScheduleColumn)
        return tr("Schedule");
    return {};
}

bool ScheduleListModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > size())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    items_.erase(items_.begin() + row, items_.begin() + row + count);
    endRemoveRows();
    return true;
}

void ScheduleListModel::setItem(int row, ScheduleItem item)
{
    items_.at(static_cast<size_t>(row)) = std::move(item);
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void ScheduleListModel::setTicked(int row, bool ticked)
{
    ScheduleItem& target = items_.at(static_cast<size_t>(row));
    if (target.ticked == ticked)
        return;
    target.ticked = ticked;
    const QModelIndex cell = index(row, TitleColumn);
    Q_EMIT dataChanged(cell, cell, {Qt::CheckStateRole});
}

void ScheduleListModel::insertItem(int row, ScheduleItem item)
{
    row = std::clamp(row, 0, size());
    beginInsertRows({}, row, row);
    items_.insert(items_.begin() + row, std::move(item));
    endInsertRows();
}

void ScheduleListModel::swapItems(int a, int b)
{
    if (a < 0 || a >= size() || b < 0 || b >= size() || a == b)
        return;
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
    Q_EMIT dataChanged(index(std::min(a, b), 0), index(std::max(a, b), ColumnCount - 1));
}

void ScheduleListModel::moveItem(int from, int to)
{
    if (from < 0 || from >= size() || to < 0 || to >= size() || from == to)
        return;
    // Qt names the destination as the row before which the moved row is put.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    // Only the rows between the two positions shift: moving to the next row costs one swap.
    const auto first = items_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    endMoveRows();
}

void ScheduleListModel::setItems(std::vector<ScheduleItem> items)
{
    beginResetModel();
    items_ = std::move(items);
    endResetModel();
}

int ScheduleListModel::findTitle(std::string_view title, int from) const
{
    for (int row = std::max(from, 0); row < size(); ++row) {
        if (equalsIgnoringAsciiCase(item(row).title, title))
            return row;
    }
    return -1;
}

} // namespace narrix
