// The message-pumping guard seen from a window: while a fetch waits, the window still gets its
// key presses and paints, and Esc reaches AbortSocket.
#include "net/http_client.h"
#include "net_test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

using namespace narrix::net;
using namespace narrix::net::testing;

namespace {

class TransferWindow : public QWidget
{
public:
    explicit TransferWindow(HttpClient& client) : client_(client) {}
    int paints = 0;
    int escapes = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) {
            ++escapes;
            client_.AbortSocket();
        }
    }
    void paintEvent(QPaintEvent*) override { ++paints; }

private:
    HttpClient& client_;
};

} // namespace

TEST(PumpGuard, EscInTheWindowAbortsAWaitingFetch)
{
    HttpClient client;
    TransferWindow window(client);
    window.resize(200, 100);
    window.show();
    int paintsBefore = -1;
    QTimer::singleShot(150, &window, [&] {
        paintsBefore = window.paints;
        window.update();
    });
    QTimer::singleShot(400, &window, [&] {
        QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    auto slow = client.FetchText(http("/slow"));
    ASSERT_FALSE(slow.ok());
    EXPECT_EQ(slow.error().kind, NetErrorKind::Aborted);
    EXPECT_EQ(window.escapes, 1);
    EXPECT_GE(paintsBefore, 0);
    EXPECT_GT(window.paints, paintsBefore) << "the window repainted while the fetch waited";
}
