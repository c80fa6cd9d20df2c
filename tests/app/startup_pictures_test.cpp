// The window's start draws its pictures without the image format plugins (reading a picture through
// them asks every plugin whether it reads the format, which loads all of them), and they are the
// pictures Qt's own readers make.
#include "app/startup/tool_bar_extension_icon_style.h"
#include "desktop/chrome_tray.h"
#include "support/main_window_harness.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

namespace narrix {
namespace {

QByteArray mappedFiles()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

class StartupPicturesTest : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    ChromeTray tray;
    std::unique_ptr<TfMain> window;
};

TEST_F(StartupPicturesTest, TheShownWindowLoadedNoImagePluginAndDrawsQtsOwnPictures)
{
    ASSERT_FALSE(mappedFiles().contains("/imageformats/")) << "loaded before the test";
    const QString qtStyleName = QApplication::style()->name();
    useToolBarExtensionIconStyle();
    MainServices services;
    services.tray = &tray;
    services.windowParts = {&tray};
    window = newWindow(services);
    window->FormCreate({});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    EXPECT_FALSE(mappedFiles().contains("/imageformats/"));

    // From here on the plugins may load: Qt's own readers draw the same pictures.
    auto* logo = window->findChild<QLabel*>(QStringLiteral("Animate1"));
    ASSERT_NE(logo, nullptr);
    tray.setAnimationDelay(1);
    tray.startSpeakingAnimation();
    for (int frame = 1; frame <= ChromeTray::kLogoFrameCount; ++frame) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return tray.logoFrame() == frame; })) << frame;
        const QImage expected =
            QPixmap(QStringLiteral(":/chrome/logo/frame-%1.svg").arg(frame, 2, 10, QLatin1Char('0')))
                .toImage();
        EXPECT_EQ(logo->pixmap().toImage(), expected) << frame;
    }
    tray.stopSpeakingAnimation();

    std::unique_ptr<QStyle> qtStyle(QStyleFactory::create(qtStyleName));
    for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QApplication::setLayoutDirection(direction);
        for (const auto arrow :
             {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QIcon ours = QApplication::style()->standardIcon(arrow);
            const QIcon qts = qtStyle->standardIcon(arrow);
            ASSERT_EQ(ours.availableSizes(), qts.availableSizes()) << arrow << direction;
            for (const QSize size : qts.availableSizes())
                EXPECT_EQ(ours.pixmap(size).toImage(), qts.pixmap(size).toImage()) << arrow << direction;
        }
    }
    QApplication::setLayoutDirection(Qt::LeftToRight);
}

} // namespace
} // namespace narrix
