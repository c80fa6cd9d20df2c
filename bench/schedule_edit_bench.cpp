// Times the list commands on a large list shown in a list view: Import of a list file into the
// list, and Move Down of one row from the top to the bottom, one command at a time.
// Usage: bench_schedule_edit [ITEMS] [REPETITIONS]
#include "schedule/open_document.h"
#include "schedule/schedule_list_commands.h"
#include "schedule/schedule_list_file.h"
#include "schedule/schedule_list_model.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace narrix;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class BenchUi : public ScheduleListUi
{
public:
    std::string importFile;
    ItemEditorValues editItem(const ItemEditorValues& values) override { return values; }
    void refuse(std::string_view message) override
    {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
        std::exit(1);
    }
    bool confirm(std::string_view) override { return true; }
    std::string chooseListToImport() override { return importFile; }
    std::string chooseListToExport() override { return {}; }
    void revealRow(int) override {}
    bool renaming() const override { return false; }
    void startRename(int) override {}
};

std::vector<ScheduleItem> makeItems(int count, const char* prefix)
{
    std::vector<ScheduleItem> items;
    for (int i = 0; i < count; ++i) {
        ScheduleItem item;
        item.title = prefix + std::to_string(i);
        item.general = "07:30 - Daily";
        item.fileName = "http://news.example.org/section/" + std::to_string(i) + "/index.html";
        item.frequence = "0";
        item.time = "07:30";
        item.day = "0";
        item.date = "1";
        item.month = "0";
        item.lastRun = "Never";
        item.checked = "True";
        item.leadKey = "Top stories";
        item.trailKey = "Sports";
        item.leadInc = "False";
        item.trailInc = "False";
        items.push_back(std::move(item));
    }
    return items;
}

void printTimes(const char* name, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (double m : ms)
        total += m;
    std::printf("%-44s min %8.3f ms  median %8.3f ms  max %8.3f ms  total %9.2f ms (%zu runs)\n", name,
                ms.front(), ms[ms.size() / 2], ms.back(), total, ms.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10000;
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QTemporaryDir dir;
    const std::string sameTitles = dir.filePath(QStringLiteral("same.nxl")).toStdString();
    const std::string newTitles = dir.filePath(QStringLiteral("new.nxl")).toStdString();
    std::string error;
    {
        ScheduleListModel source;
        source.setItems(makeItems(count, "Channel number "));
        if (!SaveScheduleList(source, sameTitles, &error))
            return std::fprintf(stderr, "%s\n", error.c_str()), 1;
        source.setItems(makeItems(count, "Other channel "));
        if (!SaveScheduleList(source, newTitles, &error))
            return std::fprintf(stderr, "%s\n", error.c_str()), 1;
    }

    ScheduleListModel list;
    QTreeView view;
    view.setModel(&list);
    view.setUniformRowHeights(true);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.resize(400, 300);
    view.show();
    BenchUi ui;
    UntitledDocument document;
    ScheduleListCommands commands(list, *view.selectionModel(), ui, document, ":");
    // Includes the view's repaint after the command, as the user would wait for it; `commandOnly`
    // collects the command's own share.
    std::vector<double> commandOnly;
    const auto timed = [&](auto command) {
        const auto start = Clock::now();
        command();
        const double own = msSince(start);
        commandOnly.push_back(own);
        QCoreApplication::processEvents();
        const double events = msSince(start);
        view.viewport()->repaint();
        if (std::getenv("BENCH_PHASES"))
            std::printf("command %.2f events %.2f repaint %.2f\n", own, events, msSince(start));
        return msSince(start);
    };

    std::vector<double> same, fresh;
    for (int r = 0; r < repetitions; ++r) {
        list.setItems(makeItems(count, "Channel number "));
        ui.importFile = sameTitles;
        same.push_back(timed([&] { commands.importList(); }));
        list.setItems(makeItems(count, "Channel number "));
        ui.importFile = newTitles;
        fresh.push_back(timed([&] { commands.importList(); }));
        if (list.size() != 2 * count)
            return std::fprintf(stderr, "import lost items\n"), 1;
    }
    std::printf("%d items in the list, %d in the file, list view shown (offscreen)\n", count, count);
    printTimes("Import, every title already in the list", same);
    printTimes("Import, every title new", fresh);

    list.setItems(makeItems(count, "Channel number "));
    view.selectionModel()->setCurrentIndex(list.index(0, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    std::vector<double> moves;
    moves.reserve(static_cast<size_t>(count));
    commandOnly.clear();
    const auto allStart = Clock::now();
    while (commands.canMoveDown())
        moves.push_back(timed([&] { commands.moveDown(); }));
    const double all = msSince(allStart);
    if (list.item(count - 1).title != "Channel number 0")
        return std::fprintf(stderr, "the row did not reach the bottom\n"), 1;
    printTimes("Move Down, one command (with repaint)", moves);
    printTimes("Move Down, one command (without repaint)", commandOnly);
    std::printf("%-44s %9.2f ms\n", "Move Down from the top to the bottom, all", all);
    return 0;
}
