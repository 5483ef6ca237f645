// The start page drawn ahead on another thread and copied by the first paint: the same pixels
// as the page drawn then, whatever the client's width and the pixel ratio; where it cannot
// stand in, nothing is copied and the view draws the page itself.

#include "StartPageAhead.h"

#include "PageCanvas.h"
#include "ShownView.h"

#include <QPainter>

#include <chrono>
#include <future>

namespace {

constexpr int kDrawnWidth = 1000;

/// A white image of `client` pixels at `ratio`, as the view's backing store is.
QImage WhitePage(QSize client, qreal ratio)
{
    QImage image(client * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

PageRequest StartRequest(QSize client)
{
    return PageRequest{kStartPageName, {}, PageSize{client.width(), client.height()}};
}

/// The start page as the view draws it when nothing was drawn ahead.
QImage DrawnThen(QSize client, qreal ratio)
{
    QImage image = WhitePage(client, ratio);
    PageCanvas canvas{QDir()};
    QPainter painter(&image);
    canvas.paint(painter, ComposeStartPage(StartRequest(client), canvas));
    return image;
}

std::shared_future<LoadSummary> Loaded()
{
    std::promise<LoadSummary> load;
    load.set_value(LoadSummary{});
    return load.get_future().share();
}

} // namespace

TEST(StartPageAhead, CopiesTheSamePixelsAtAnyWidthAndRatio)
{
    for (const qreal ratio : {1.0, 2.0}) {
        // Narrower and wider than the drawing: each line moves by its own amount.
        for (const QSize client : {QSize(640, 480), QSize(1366, 700)}) {
            SCOPED_TRACE(testing::Message() << ratio << " " << client.width());
            StartPageAhead drawn = StartPageAhead::Draw(kDrawnWidth, ratio, Qt::white);
            QImage copied = WhitePage(client, ratio);
            QPainter painter(&copied);
            const std::optional<PageLayout> page = drawn.paint(painter, StartRequest(client));
            painter.end();
            ASSERT_TRUE(page);
            PageCanvas canvas{QDir()};
            const PageLayout composed = ComposeStartPage(StartRequest(client), canvas);
            EXPECT_EQ(page->items, composed.items);
            EXPECT_EQ(page->bottom, composed.bottom);
            EXPECT_TRUE(page->startPage);
            EXPECT_EQ(copied, DrawnThen(client, ratio));
        }
    }
}

TEST(StartPageAhead, StandsInForNothingElse)
{
    StartPageAhead drawn = StartPageAhead::Draw(kDrawnWidth, 1.0, Qt::white);
    const QSize client(800, 600);
    const QImage blank = WhitePage(client, 2.0);
    QImage image = blank;
    QPainter painter(&image);
    // Another pixel ratio than the drawing's.
    EXPECT_FALSE(drawn.paint(painter, StartRequest(client)));
    // A reagent's page, and a page of a name no record bears.
    EXPECT_FALSE(drawn.paint(painter, PageRequest{"乙醇", {}, PageSize{800, 600}}));
    painter.end();
    EXPECT_EQ(image, blank);

    // A business-cooperation request shows the start page too.
    QImage business = WhitePage(client, 1.0);
    QPainter onBusiness(&business);
    EXPECT_TRUE(
        drawn.paint(onBusiness, PageRequest{"乙醇", kBusinessPageWord, PageSize{800, 600}}));
    onBusiness.end();
    EXPECT_EQ(business, DrawnThen(client, 1.0));
}

TEST(StartPageDrawing, IsDrawnAtOnceOrOnlyAfterALoadThatSucceeded)
{
    EXPECT_TRUE(StartPageDrawing(kDrawnWidth, 1.0, Qt::white).take());

    StartPageDrawing drawing(kDrawnWidth, 1.0, Qt::white, Loaded());
    ASSERT_TRUE(drawing.pending());
    EXPECT_TRUE(drawing.take());
    EXPECT_FALSE(drawing.pending());

    std::promise<LoadSummary> failing;
    failing.set_exception(std::make_exception_ptr(std::bad_alloc()));
    StartPageDrawing afterFailure(kDrawnWidth, 1.0, Qt::white, failing.get_future().share());
    EXPECT_FALSE(afterFailure.take());
}

TEST(StartPageDrawing, OtherThreadsDrawTextOnlyOnceItsThreadHasDrawnSome)
{
    // Before the load it waits for, the drawing has drawn nothing: the wait goes on.
    std::promise<LoadSummary> load;
    StartPageDrawing drawing(kDrawnWidth, 1.0, Qt::white, load.get_future().share());
    auto waiting = std::async(std::launch::async, [&] { drawing.awaitFirstText(); });
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    load.set_value(LoadSummary{});
    waiting.get();
    EXPECT_TRUE(drawing.take());

    // A drawing that ends without drawing, or draws nothing at all, keeps no one waiting.
    std::promise<LoadSummary> failing;
    failing.set_exception(std::make_exception_ptr(std::bad_alloc()));
    StartPageDrawing afterFailure(kDrawnWidth, 1.0, Qt::white, failing.get_future().share());
    afterFailure.awaitFirstText();
    StartPageDrawing().awaitFirstText();
}

using StartPageInTheView = ShownView;

TEST_F(StartPageInTheView, OnlyTheFirstPaintOfTheStartPageCopiesTheDrawing)
{
    Show({reagent(gbkOf("乙醇"), {{Field::CasNumber, "64-17-5"}})});
    Select(std::string(kStartPageName));
    const QImage drawnThen = Grab();
    // Drawn on yellow, the copy shows where it was used.
    view.AwaitStartPage(
        StartPageDrawing(kDrawnWidth, view.devicePixelRatioF(), Qt::yellow, Loaded()));
    const QImage copied = Grab();
    EXPECT_EQ(copied.pixelColor(2, 2), QColor(Qt::yellow));
    Open(gbkOf("乙醇"));
    Select(std::string(kStartPageName));
    EXPECT_EQ(Grab(), drawnThen);
}
