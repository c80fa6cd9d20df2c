#pragma once

#include "schedule/schedule_item.h"

#include <QAbstractTableModel>

#include <string_view>
#include <vector>

namespace narrix {

// The schedule list: the only store of the schedule items while the program runs, in list order.
// Two columns, "Title" (with the row's check box) and "Schedule" (the item's `general` text).
class ScheduleListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TitleColumn = 0, ScheduleColumn = 1, ColumnCount = 2 };

    explicit ScheduleListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    const std::vector<ScheduleItem>& items() const { return items_; }
    const ScheduleItem& item(int row) const { return items_.at(static_cast<size_t>(row)); }
    int size() const { return static_cast<int>(items_.size()); }

    void setItem(int row, ScheduleItem item);
    void setTicked(int row, bool ticked);
    void insertItem(int row, ScheduleItem item);
    void appendItem(ScheduleItem item) { insertItem(size(), std::move(item)); }
    // Exchanges the contents (title, fields, check box) of two rows; the rows themselves stay, so a
    // view redraws two rows instead of laying out the whole list.
    void swapItems(int a, int b);
    // Moves the row at `from` so that it ends up at `to`.
    void moveItem(int from, int to);
    void setItems(std::vector<ScheduleItem> items);
    void clear() { setItems({}); }

    // The first row at or after `from` whose title equals `title` when the case of A to Z is
    // ignored, or -1. No wrap-around.
    int findTitle(std::string_view title, int from = 0) const;

private:
    bool isCell(const QModelIndex& index) const;

    std::vector<ScheduleItem> items_;
};

} // namespace narrix
