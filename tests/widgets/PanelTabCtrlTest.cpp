#include "PanelTabCtrl.h"
#include "Dialog.h"
#include "NotifyEvent.h"
#include "SystemColours.h"
#include "WindowStyles.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QStringList kTitles = {QStringLiteral("名称检索"), QStringLiteral("CAS检索"),
                             QStringLiteral("用途检索"), QStringLiteral("化学式检索")};

class NotifyRecorder : public QWidget
{
public:
    QList<int> codes;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == NotifyEvent::EventType()) {
            codes << static_cast<NotifyEvent*>(event)->Code();
            return true;
        }
        return QWidget::event(event);
    }
};

struct TabFixture : ::testing::Test
{
    NotifyRecorder parent;
    CPanelTabCtrl* tabs = new CPanelTabCtrl;
    QList<QPointer<QWidget>> pages;

    void SetUp() override
    {
        parent.resize(330, 600);
        ASSERT_TRUE(tabs->Create(WS_CHILD | WS_VISIBLE | CPanelTabCtrl::TABSTYLE_TOP,
                                 QRect(0, 0, 100, 100), &parent, 125));
        for (const QString& title : kTitles) {
            auto* page = new QWidget;
            pages << page;
            tabs->AttachPageWindow(page, title);
        }
    }

    int Natural(int index) const
    {
        return QFontMetrics(tabs->TabFont()).horizontalAdvance(kTitles[index]) + 9;
    }
};

} // namespace

TEST_F(TabFixture, TabsOfNaturalWidthSideBySideFromX2)
{
    EXPECT_EQ(tabs->TabFont().pixelSize(), 12);
    parent.show();
    tabs->resize(320, 560);
    int x = 2;
    for (int i = 0; i < 4; ++i) {
        const QRect header = tabs->PageEntryAt(i)->m_rcHeader;
        EXPECT_EQ(header.left(), x) << i;
        EXPECT_EQ(header.top(), 0);
        EXPECT_EQ(header.width(), Natural(i) - 1) << i; // the right column lies outside
        EXPECT_EQ(header.height(), 23);
        x += Natural(i);
    }
    EXPECT_EQ(tabs->PageAreaRect(), QRect(2, 23, 316, 535));
    for (const QPointer<QWidget>& page : pages)
        EXPECT_EQ(page->geometry(), QRect(4, 25, 312, 531));
}

TEST_F(TabFixture, PagesStayHiddenUntilShownAndOneShowsAtATime)
{
    parent.show();
    tabs->resize(320, 560);
    for (const QPointer<QWidget>& page : pages)
        EXPECT_FALSE(page->isVisible());
    EXPECT_EQ(tabs->ShownPage(), -1);
    tabs->ShowPage(0);
    EXPECT_TRUE(pages[0]->isVisible());
    tabs->ShowPage(2);
    EXPECT_FALSE(pages[0]->isVisible());
    EXPECT_TRUE(pages[2]->isVisible());
    // No page 7: the one shown before is hidden and stays the shown index.
    tabs->ShowPage(7);
    EXPECT_EQ(tabs->ShownPage(), 2);
    EXPECT_FALSE(pages[2]->isVisible());
}

TEST_F(TabFixture, ClicksSelectByTabRectangleButNotItsRightColumn)
{
    parent.show();
    // Pages added after the last layout have empty tab rectangles until the next one.
    auto* fresh = new CPanelTabCtrl;
    fresh->Create(WS_VISIBLE, QRect(0, 0, 320, 100), &parent, 126);
    QApplication::processEvents();
    fresh->AttachPageWindow(new QWidget, kTitles[0]);
    QTest::mouseClick(fresh, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(fresh->ShownPage(), -1);

    tabs->resize(320, 560);
    tabs->ShowPage(0);
    const QRect second = tabs->PageEntryAt(1)->m_rcHeader;
    QTest::mouseClick(tabs, Qt::LeftButton, {}, QPoint(second.left(), 22));
    EXPECT_EQ(tabs->ShownPage(), 1);
    EXPECT_TRUE(pages[1]->isVisible());

    const int rightColumn = second.left() + second.width(); // between tab 1 and tab 2
    QTest::mouseClick(tabs, Qt::LeftButton, {}, QPoint(rightColumn, 10));
    EXPECT_EQ(tabs->ShownPage(), 1);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, QPoint(rightColumn + 1, 10));
    EXPECT_EQ(tabs->ShownPage(), 2);
    // Below the strip is the page area, not a tab.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, QPoint(second.left() + 3, 23));
    EXPECT_EQ(tabs->ShownPage(), 2);
}

TEST_F(TabFixture, TabsThatDoNotFitAreNarrowedAndAllRemainClickable)
{
    tabs->resize(160, 300);
    parent.show();
    const int strip = 160 - 6 - 2;
    int right = 2;
    for (int i = 0; i < 4; ++i) {
        const QRect header = tabs->PageEntryAt(i)->m_rcHeader;
        EXPECT_EQ(header.left(), right);
        EXPECT_EQ(header.width() + 1, std::min(Natural(i), strip / 4));
        right = header.left() + header.width() + 1;
        QTest::mouseClick(tabs, Qt::LeftButton, {}, header.center());
        EXPECT_EQ(tabs->ShownPage(), i);
    }
    EXPECT_LE(right, 2 + strip);
}

TEST(TabTitleTest, CutsWholeDoubleByteCharactersAndEndsInDots)
{
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const QString title = QStringLiteral("名称检索");
    EXPECT_EQ(TabPageEntry::FittedTitle(title, metrics.horizontalAdvance(title), metrics), title);
    // Two drops make it fit; one more makes room for the dots.
    EXPECT_EQ(TabPageEntry::FittedTitle(title, metrics.horizontalAdvance(QStringLiteral("名称")),
                                        metrics),
              QStringLiteral("名..."));
    // Two ASCII letters are one double-byte character's worth.
    EXPECT_EQ(TabPageEntry::FittedTitle(QStringLiteral("CAS检索"),
                                        metrics.horizontalAdvance(QStringLiteral("CAS")), metrics),
              QStringLiteral("C..."));
    // At most ten drops, then the one for the dots.
    const QString longTitle(30, QChar(0x6D4B));
    EXPECT_EQ(TabPageEntry::FittedTitle(longTitle, 0, metrics), QString(19, QChar(0x6D4B)) + "...");
}

TEST_F(TabFixture, ActiveTabOpensIntoThePageAreaInactiveTabsStandLower)
{
    parent.show();
    tabs->resize(320, 300);
    tabs->ShowPage(1);
    const QImage image = tabs->grab().toImage();
    const QColor face = SystemColour(SysColour::BtnFace);
    const QRect active = tabs->PageEntryAt(1)->m_rcHeader;
    const QRect inactive = tabs->PageEntryAt(0)->m_rcHeader;
    EXPECT_EQ(image.pixelColor(active.left() + 4, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(inactive.left() + 4, 0), face);
    EXPECT_EQ(image.pixelColor(inactive.left() + 4, 2), QColor(Qt::white));
    // The frame's top line shows under the inactive tab and is covered under the active one.
    EXPECT_EQ(image.pixelColor(inactive.left() + 4, 23), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(active.left() + 4, 23), face);
    // Black right edge in the column just outside the tab rectangle.
    EXPECT_EQ(image.pixelColor(active.left() + active.width(), 10), QColor(Qt::black));
}

TEST_F(TabFixture, NotificationsGoToTheParentAndPagesDieWithTheControl)
{
    NotifyEvent notify(pages[0], 1000, -3);
    QCoreApplication::sendEvent(tabs, &notify);
    EXPECT_EQ(parent.codes, QList<int>{-3});

    delete tabs;
    for (const QPointer<QWidget>& page : pages)
        EXPECT_TRUE(page.isNull());
}

TEST_F(TabFixture, APanelWhoseTemplateCannotBeReadAddsNoPage)
{
    tabs->AddPanelPage([] { return new CDialog; }, 99999, QStringLiteral("x"));
    EXPECT_EQ(tabs->PageCount(), 4);
    tabs->AddPanelPage(nullptr, 130, QStringLiteral("y"));
    EXPECT_EQ(tabs->PageCount(), 4);
}

TEST_F(TabFixture, APageOnDemandIsMadeOnceWhenFirstShownWhereTheOthersLie)
{
    int made = 0;
    tabs->AttachPageOnDemand(
        [&made] {
            ++made;
            return new QWidget;
        },
        QStringLiteral("综合检索"));
    ASSERT_EQ(tabs->PageCount(), 5);
    tabs->resize(320, 380);
    tabs->LayoutTabs();
    EXPECT_EQ(made, 0);
    EXPECT_EQ(tabs->PageEntryAt(4)->m_pPageWnd, nullptr);
    EXPECT_FALSE(tabs->PageEntryAt(4)->m_rcHeader.isEmpty()); // its tab is laid out meanwhile

    tabs->ShowPage(4);
    QWidget* page = tabs->PageEntryAt(4)->m_pPageWnd;
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(page->parentWidget(), tabs);
    EXPECT_EQ(page->geometry(), pages[0]->geometry());
    EXPECT_TRUE(page->isVisibleTo(tabs));
    tabs->ShowPage(0);
    tabs->ShowPage(4);
    EXPECT_EQ(tabs->PageWindow(4), page);
    EXPECT_EQ(made, 1);
}

TEST_F(TabFixture, APageOnDemandThatCannotBeMadeTakesItsTabWithIt)
{
    tabs->AddPanelPageOnDemand([] { return new CDialog; }, 99999, QStringLiteral("x"));
    tabs->AttachPageOnDemand([] { return new QWidget; }, QStringLiteral("y"));
    tabs->AttachPageOnDemand([] { return new QWidget; }, QStringLiteral("w"));
    tabs->AddPanelPageOnDemand(nullptr, 130, QStringLiteral("z")); // adds nothing
    ASSERT_EQ(tabs->PageCount(), 7);
    tabs->ShowPage(6);
    ASSERT_EQ(tabs->ShownPage(), 6);

    tabs->MakePendingPages();
    ASSERT_EQ(tabs->PageCount(), 6);
    EXPECT_EQ(tabs->PageEntryAt(4)->m_strCaption, QStringLiteral("y"));
    EXPECT_NE(tabs->PageEntryAt(4)->m_pPageWnd, nullptr);
    // The page shown is still the one shown, one place further left.
    EXPECT_EQ(tabs->ShownPage(), 5);
    EXPECT_TRUE(tabs->PageWindow(5)->isVisibleTo(tabs));
}

TEST(TabAnimationTest, ThePageSlidesInFromTheLeftAndEndsInThePageArea)
{
    QWidget parent;
    parent.resize(330, 400);
    auto* tabs = new CPanelTabCtrl;
    tabs->Create(WS_VISIBLE | CPanelTabCtrl::TABSTYLE_TOP | CPanelTabCtrl::TABSTYLE_ANIMATE,
                 QRect(0, 0, 320, 380), &parent, 125);
    auto* page = new QWidget;
    tabs->AttachPageWindow(page, kTitles[0]);
    parent.show();
    QApplication::processEvents();
    const QRect final = page->geometry();

    tabs->ShowPage(0);
    EXPECT_FALSE(page->isVisible()); // the first tick shows it
    int leftmost = final.left();
    for (int waited = 0; waited < 2000 && (!page->isVisible() || page->geometry() != final);
         waited += 5) {
        QTest::qWait(5);
        if (page->isVisible())
            leftmost = std::min(leftmost, page->geometry().left());
    }
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->geometry(), final);
    EXPECT_LT(leftmost, 0); // it came in from beyond the left edge
}

namespace {

// The ink of `text` in `image` within `area`: the bounding box of its black pixels.
QRect InkBox(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 96)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST_F(TabFixture, TabStripPixels)
{
    parent.show();
    tabs->resize(320, 300);
    tabs->ShowPage(1);
    const QImage image = tabs->grab().toImage();
    // As painted: eight bits a channel.
    const QColor face = QColor(SystemColour(SysColour::BtnFace).rgb());
    const QColor shadow = QColor(SystemColour(SysColour::BtnShadow).rgb());
    for (int index : {1, 0}) {
        const bool active = index == 1;
        const QRect header = tabs->PageEntryAt(index)->m_rcHeader;
        const int l = header.left();
        const int r = l + header.width();
        const int t = active ? 0 : 2; // inactive tabs stand two pixels lower
        const int b = 23;
        SCOPED_TRACE(active ? "active" : "inactive");
        // Left edge and the two-pixel bevel of the top-left corner, then the top edge.
        EXPECT_EQ(image.pixelColor(l, b - 1), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(l, t + 2), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(l + 1, t + 1), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(l, t + 1), face);
        EXPECT_EQ(image.pixelColor(l, t), face);
        EXPECT_EQ(image.pixelColor(l + 1, t), face);
        EXPECT_EQ(image.pixelColor(l + 2, t), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(r - 2, t), QColor(Qt::white));
        // Shadow column from the top down, black column one pixel lower, right of it.
        EXPECT_EQ(image.pixelColor(r - 1, t), shadow);
        EXPECT_EQ(image.pixelColor(r - 1, b - 1), shadow);
        EXPECT_EQ(image.pixelColor(r, t + 1), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(r, b - 1), QColor(Qt::black));
        EXPECT_NE(image.pixelColor(r, t), QColor(Qt::black));
        if (!active) {
            EXPECT_EQ(image.pixelColor(l + 4, 1), face);
            EXPECT_EQ(image.pixelColor(r - 1, 1), face);
        }
        // The title's ink lies where the same text drawn at (left + 5, top + 5) puts it.
        QImage reference(image.size(), QImage::Format_RGB32);
        reference.fill(face);
        {
            QPainter painter(&reference);
            painter.setFont(tabs->TabFont());
            painter.setPen(Qt::black);
            painter.drawText(QRect(l + 5, t + 5, 200, 40),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, kTitles[index]);
        }
        const QRect area(l + 1, t + 1, r - l - 3, b - t - 1);
        const QRect ink = InkBox(image, area);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink, InkBox(reference, area));
    }
}

TEST_F(TabFixture, OnlyTheLeftButtonSelectsATab)
{
    parent.show();
    tabs->resize(320, 300);
    tabs->ShowPage(0);
    const QPoint onSecond = tabs->PageEntryAt(1)->m_rcHeader.center();
    QTest::mouseClick(tabs, Qt::RightButton, {}, onSecond);
    QTest::mouseClick(tabs, Qt::MiddleButton, {}, onSecond);
    EXPECT_EQ(tabs->ShownPage(), 0);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, onSecond);
    EXPECT_EQ(tabs->ShownPage(), 1);
}
