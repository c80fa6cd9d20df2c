#include "ui/circle_panel.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace narrix {
namespace {

PanelCorners topCornersOnly()
{
    PanelCorners corners{};
    corners[static_cast<std::size_t>(Corner::BottomLeft)].enabled = false;
    corners[static_cast<std::size_t>(Corner::BottomRight)].enabled = false;
    return corners;
}

TEST(CirclePanelShape, TitleBarRoundsOnlyItsTopCornersAndLeavesOutTheLastColumnAndRow)
{
    const QRegion shape = panelShape(CornersType::Corners, topCornersOnly(), QSize(265, 20));
    struct Case
    {
        QPoint pixel;
        bool inside;
    };
    for (const Case& c :
         {Case{{0, 0}, false}, Case{{263, 0}, false}, Case{{1, 1}, false}, Case{{5, 5}, true},
          Case{{10, 0}, true}, Case{{0, 10}, true}, Case{{0, 18}, true}, Case{{263, 18}, true},
          Case{{264, 10}, false}, Case{{100, 19}, false}, Case{{100, 0}, true}})
        EXPECT_EQ(shape.contains(c.pixel), c.inside) << c.pixel.x() << "," << c.pixel.y();
}

TEST(CirclePanelShape, DefaultIsTheWholeRectangleAndEllipseIsInscribed)
{
    const QSize size(100, 50);
    const QRegion whole = panelShape(CornersType::Default, {}, size);
    EXPECT_TRUE(whole.contains(QPoint(99, 49)));
    EXPECT_TRUE(whole.contains(QPoint(0, 0)));
    const QRegion ellipse = panelShape(CornersType::Ellipse, {}, size);
    EXPECT_FALSE(ellipse.contains(QPoint(1, 1)));
    EXPECT_TRUE(ellipse.contains(QPoint(50, 25)));
    EXPECT_TRUE(ellipse.contains(QPoint(2, 25)));
}

TEST(CirclePanelGradient, BandCountsAndExtents)
{
    struct Case
    {
        GradientStyle style;
        int sizeSetting;
        QSize panel;
        int extent;
        int bands;
    };
    for (const Case& c :
         {Case{GradientStyle::Left, 0, {1000, 30}, 1000, 167},
          Case{GradientStyle::Right, 0, {200, 30}, 200, 200},
          Case{GradientStyle::Top, 0, {50, 401}, 401, 134},
          Case{GradientStyle::LeftRight, 0, {301, 10}, 150, 150},
          Case{GradientStyle::TopBottom, 0, {10, 900}, 450, 151},
          Case{GradientStyle::Left, 1, {30, 10}, 30, 30}, Case{GradientStyle::Left, 60, {500, 10}, 60, 60}}) {
        PanelGradient g;
        g.style = c.style;
        g.size = c.sizeSetting;
        EXPECT_EQ(gradientExtent(g, c.panel), c.extent);
        EXPECT_EQ(gradientBandCount(c.extent), c.bands);
    }
}

TEST(CirclePanelGradient, BandColoursRoundEachPartAndEndOnTheEndColour)
{
    const std::vector<QColor> bands = gradientBands(QColor(0, 100, 255), QColor(255, 0, 0), 4);
    ASSERT_EQ(bands.size(), 4U);
    EXPECT_EQ(bands[0], QColor(0, 100, 255));
    EXPECT_EQ(bands[1], QColor(85, 67, 170));
    EXPECT_EQ(bands[2], QColor(170, 33, 85));
    EXPECT_EQ(bands[3], QColor(255, 0, 0));
    EXPECT_EQ(gradientBands(Qt::red, Qt::blue, 1).size(), 1U);
}

TEST(CirclePanelGradient, TwoSidedStyleHasTheStartColourOnBothEdges)
{
    PanelGradient g;
    g.enabled = true;
    g.colorStart = QColor(0, 0, 0);
    g.colorEnd = QColor(200, 200, 200);
    g.style = GradientStyle::LeftRight;
    const QImage picture = gradientPicture(g, QSize(100, 10), Qt::white);
    EXPECT_EQ(picture.pixelColor(0, 5), QColor(0, 0, 0));
    EXPECT_EQ(picture.pixelColor(99, 5), QColor(0, 0, 0));
    EXPECT_GT(picture.pixelColor(50, 5).red(), 150);
    g.enabled = false;
    EXPECT_TRUE(gradientPicture(g, QSize(100, 10), Qt::white).isNull());
}

TEST(CirclePanel, DisablingTheGradientEmptiesTheBackgroundPicture)
{
    TCirclePanel panel;
    panel.resize(120, 40);
    PanelGradient g;
    g.enabled = true;
    panel.setGradient(g);
    EXPECT_EQ(panel.backgroundPicture().size(), QSize(120, 40));
    g.enabled = false;
    panel.setGradient(g);
    EXPECT_TRUE(panel.backgroundPicture().isNull());
}

TEST(CirclePanel, ChangingACornerReshapesAtOnce)
{
    TCirclePanel panel;
    panel.resize(100, 60);
    EXPECT_FALSE(panel.mask().contains(QPoint(1, 1)));
    panel.setCorner(Corner::TopLeft, PanelCorner{0, 0, true});
    EXPECT_TRUE(panel.mask().contains(QPoint(1, 1)));
    panel.setCorner(Corner::TopLeft, PanelCorner{30, 30, true});
    EXPECT_FALSE(panel.mask().contains(QPoint(5, 5)));
}

TEST(CirclePanel, PictureEventsReplaceTheClickOnlyOverAHittablePicture)
{
    TCirclePanel panel;
    panel.resize(200, 100);
    QPixmap image(16, 16);
    image.fill(Qt::red);
    TCirclePanel::Picture picture;
    picture.images = {image};
    picture.index = 0;
    picture.position = ImagePosition::BottomRight;
    panel.setPicture(picture);
    panel.show();
    QSignalSpy imageClicks(&panel, &TCirclePanel::imageClicked);
    QSignalSpy clicks(&panel, &TCirclePanel::clicked);
    const QPoint onPicture(200 - 5 - 8, 100 - 4 - 8);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, onPicture);
    EXPECT_EQ(imageClicks.count(), 1);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks.count(), 1);

    picture.position = ImagePosition::Tile;
    panel.setPicture(picture);
    EXPECT_TRUE(panel.pictureHitRect().isEmpty());
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(imageClicks.count(), 1);
    EXPECT_EQ(clicks.count(), 2);
}

} // namespace
} // namespace narrix
