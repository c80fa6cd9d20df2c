// Scheduled speeches: one scheduler tick over a long list, and RetrieveChannel of a large page from a
// loopback server (fetch, conversion, cut, up to the text handed to speaking) next to curl fetching
// the same page and lynx converting it.
// Usage: bench_channel [REPETITIONS] [PAGE.html]   (without a page, an 8 MiB page is generated)
#include "fakes/fake_clock.h"
#include "fakes/recording_channel_host.h"
#include "loopback_body_server.h"
#include "net/http_client.h"
#include "net/pop3_client.h"
#include "schedule/channel_retriever.h"
#include "schedule/event_pump.h"
#include "schedule/mail_reader.h"
#include "schedule/schedule_list_model.h"
#include "schedule/scheduler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace narrix;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msSince(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// A news-like page: headings, paragraphs with links and entities. (No tables: lynx lays a page of
// thousands of tables out for minutes.)
std::string generatedPage(size_t size)
{
    std::string page = "<html><head><title>Bench</title><script>var x = '<p>';</script></head><body>"
                       "<h1>Front</h1><p>Top stories</p>";
    const std::string block =
        "<div class=\"story\"><h2>Rain &amp; wind today</h2><p>Forecasters said the <a href=\"/w\">rain</a> "
        "will last until the evening, with gusts of up to 60&nbsp;km/h near the coast.</p><ul><li>Mon 12 "
        "degrees</li><li>Tue 9 degrees</li></ul><p>More in the <b>weather</b> section &gt;&gt;</p></div>\n";
    while (page.size() + block.size() + 64 < size)
        page += block;
    page += "<p>Sports section</p></body></html>";
    return page;
}

class TickHost : public SchedulerHost
{
public:
    ChannelRetriever* retriever = nullptr;
    int retrieved = 0;
    bool pump = true;
    bool startingUp() const override { return false; }
    bool scheduleSwitchOn() const override { return true; }
    bool networkBusy() const override { return false; }
    bool windowClosing() const override { return false; }
    void beep() override {}
    void setStatusText(const QString&) override {}
    void retrieve(const ChannelRequest& request) override
    {
        ++retrieved;
        retriever->retrieve(request);
    }
    void processEvents() override
    {
        if (pump)
            events.pump();
    }
    EventPump events;
};

// The moment speaking is handed the text.
class TimedHost : public narrix::testing::RecordingChannelHost
{
public:
    QElapsedTimer* timer = nullptr;
    double handedAtMs = 0;
    size_t length = 0;
    void speakScheduled(const std::string&, const std::string& text) override
    {
        handedAtMs = msSince(*timer);
        length = text.size();
    }
    void setStatusText(const QString&) override {}
};

struct Channels
{
    TransferFlags transfers;
    TimedHost host;
    net::HttpClient http;
    net::Pop3Client pop3;
    MailReader mail{host, transfers, pop3};
    ChannelRetriever retriever{host, transfers, http, mail};
};

void benchTick(int repetitions, const QString& folder)
{
    const QString textFile = folder + QStringLiteral("/channel.txt");
    QFile file(textFile);
    if (file.open(QIODevice::WriteOnly))
        file.write("A short channel text.");
    file.close();

    Channels channels;
    QElapsedTimer unused;
    channels.host.timer = &unused;
    unused.start();
    narrix::testing::FakeClock clock(QDateTime(QDate(2026, 12, 8), QTime(7, 30, 1)));
    ScheduleListModel list;
    std::vector<ScheduleItem> items(10000);
    for (size_t i = 0; i < items.size(); ++i) {
        ScheduleItem& item = items[i];
        item.title = "Item " + std::to_string(i);
        item.fileName = textFile.toStdString();
        item.frequence = std::to_string(i % 4);
        item.time = "03:15";
        item.day = "2";
        item.date = "8";
        item.month = "11";
        item.lastRun = "Never";
    }
    list.setItems(items);
    TickHost host;
    host.retriever = &channels.retriever;
    Scheduler scheduler(list, clock, host);
    scheduler.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));

    std::vector<double> noneDue;
    std::vector<double> lastDue;
    std::vector<double> withoutEvents;
    for (int r = 0; r < repetitions; ++r) {
        QElapsedTimer timer;
        host.pump = false;
        timer.start();
        scheduler.tick();
        withoutEvents.push_back(msSince(timer));
        host.pump = true;
        timer.restart();
        scheduler.tick();
        noneDue.push_back(msSince(timer));

        ScheduleItem last = list.item(list.size() - 1);
        last.time = "07:30";
        last.lastRun = "Never";
        list.setItem(list.size() - 1, last);
        timer.restart();
        scheduler.tick();
        lastDue.push_back(msSince(timer));
        last.time = "03:15";
        list.setItem(list.size() - 1, last);
    }
    std::printf("tick, 10000 rows, none due:          median %.3f ms (min %.3f)\n", median(noneDue),
                *std::min_element(noneDue.begin(), noneDue.end()));
    std::printf("  the same walk, no event pumping:    median %.3f ms\n", median(withoutEvents));
    std::printf("tick, 10000 rows, last due (a file): median %.3f ms (min %.3f), %d retrievals\n",
                median(lastDue), *std::min_element(lastDue.begin(), lastDue.end()), host.retrieved);
}

double runProcess(const QString& program, const QStringList& arguments)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        return -1;
    }
    return msSince(timer);
}

void benchRetrieval(int repetitions, const std::string& page, const QString& folder)
{
    LoopbackBodyServer server(page.size(), page, "text/html; charset=UTF-8");
    const std::string url = server.url("/page.html");
    const QString downloaded = folder + QStringLiteral("/page.html");
    std::vector<double> retrieve;
    std::vector<double> fetchOnly;
    std::vector<double> curlLynx;
    std::vector<double> curlOnly;
    size_t spokenLength = 0;
    for (int r = 0; r < repetitions; ++r) {
        Channels channels;
        QElapsedTimer timer;
        channels.host.timer = &timer;
        timer.start();
        channels.retriever.retrieve({"Bench", url, {"Top stories", "Sports section", false, false}});
        retrieve.push_back(channels.host.handedAtMs);
        spokenLength = channels.host.length;

        net::HttpClient client;
        timer.restart();
        const auto body = client.FetchText(url);
        fetchOnly.push_back(msSince(timer));
        if (!body.ok() || body.value().size() != page.size())
            std::fprintf(stderr, "fetch failed\n");

        const double curl = runProcess(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-o"),
                                                                downloaded, QString::fromStdString(url)});
        const double lynx =
            runProcess(QStringLiteral("lynx"), {QStringLiteral("-dump"), QStringLiteral("-force_html"),
                                                QStringLiteral("-nolist"), downloaded});
        curlOnly.push_back(curl);
        curlLynx.push_back(curl + lynx);
    }
    const double ours = median(retrieve);
    const double fetch = median(fetchOnly);
    const double theirs = median(curlLynx);
    std::printf("page: %.1f MiB, spoken passage %zu bytes\n", static_cast<double>(page.size()) / (1 << 20),
                spokenLength);
    std::printf("RetrieveChannel, call to text handed to speaking: median %.1f ms\n", ours);
    std::printf(
        "FetchText alone (the transfer):                  median %.1f ms -> %.1f ms beyond the transfer\n",
        fetch, ours - fetch);
    std::printf("curl -o FILE:                                    median %.1f ms\n", median(curlOnly));
    std::printf("curl -o FILE + lynx -dump -force_html -nolist:   median %.1f ms -> %.1fx\n", theirs,
                theirs / ours);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    std::string page;
    if (argc > 2) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 1;
        }
        page = file.readAll().toStdString();
    } else {
        page = generatedPage(size_t{8} << 20);
    }
    QTemporaryDir folder;
    benchTick(repetitions, folder.path());
    benchRetrieval(repetitions, page, folder.path());
    return 0;
}
