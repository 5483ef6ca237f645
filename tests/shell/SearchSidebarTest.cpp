#include "SearchSidebar.h"
#include "CASSearchDialog.h"
#include "ControlId.h"
#include "FindSearchDialog.h"
#include "GripperBar.h"
#include "NameSearchDialog.h"
#include "NavigationHistory.h"
#include "NotifyEvent.h"
#include "PanelTabCtrl.h"
#include "SearchHost.h"
#include "ShiSearcherDialog.h"
#include "SidebarKeys.h"
#include "TestDatabase.h"
#include "UseSeacherDialog.h"
#include "VELMORDoc.h"
#include "WindowStyles.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Frame : public QWidget, public SearchHost
{
public:
    CVELMORDoc doc;
    NavigationHistory history{doc};
    int notifications = 0;

    CVELMORDoc& Document() override { return doc; }
    NavigationHistory& History() override { return history; }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == NotifyEvent::EventType()) {
            ++notifications;
            return true;
        }
        return QWidget::event(event);
    }
};

struct SidebarFixture : ::testing::Test
{
    Frame frame;
    CGripperBar bar;
    CPanelTabCtrl tabs;
    std::string names[3] = {gbkOf("甲醇"), gbkOf("乙醇"), gbkOf("丙酮")};

    void SetUp() override
    {
        loadRecords(frame.doc, {reagent(names[0], {{Field::CasNumber, "67-56-1"}}),
                                reagent(names[1], {{Field::CasNumber, "64-17-5"}}),
                                reagent(names[2], {{Field::CasNumber, "67-64-1"}})});
        AssembleSearchSidebar(frame, bar, tabs, frame);
        auto* layout = new QHBoxLayout(&frame);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(&bar);
        layout->addStretch(1);
        frame.resize(1024, 700);
        frame.show();
        QApplication::processEvents();
    }

    template <class Panel> Panel* Page(int index)
    {
        return qobject_cast<Panel*>(tabs.PageWindow(index));
    }
};

} // namespace

TEST_F(SidebarFixture, FiveTabsInOrderWithTheNamePanelShownAndTheStartPageCurrent)
{
    EXPECT_EQ(bar.parentWidget(), &frame);
    EXPECT_EQ(ControlId(&bar), 123);
    EXPECT_EQ(tabs.parentWidget(), &bar);
    EXPECT_EQ(ControlId(&tabs), 125);
    ASSERT_EQ(tabs.PageCount(), 5);
    const QStringList titles = {QStringLiteral("名称检索"), QStringLiteral("CAS检索"),
                                QStringLiteral("用途检索"), QStringLiteral("化学式检索"),
                                QStringLiteral("综合检索")};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tabs.PageEntryAt(i)->m_strCaption, titles[i]);
        EXPECT_TRUE(tabs.PageEntryAt(i)->m_hTabIcon.isNull());
    }
    // Only the panel shown is made with the window; each other one when first asked for.
    EXPECT_NE(tabs.PageEntryAt(0)->m_pPageWnd, nullptr);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(tabs.PageEntryAt(i)->m_pPageWnd, nullptr) << i;
    EXPECT_NE(Page<CNameSearchDialog>(0), nullptr);
    EXPECT_NE(Page<CCASSearchDialog>(1), nullptr);
    EXPECT_NE(Page<CUseSeacherDialog>(2), nullptr);
    EXPECT_NE(Page<CShiSearcherDialog>(3), nullptr);
    EXPECT_NE(Page<CFindSearchDialog>(4), nullptr);
    EXPECT_EQ(tabs.ShownPage(), 0);
    EXPECT_TRUE(Page<CSearchPanel>(0)->isVisible());
    for (int i = 1; i < 5; ++i)
        EXPECT_FALSE(Page<CSearchPanel>(i)->isVisible());
    EXPECT_TRUE(qobject_cast<QRadioButton*>(Page<CSearchPanel>(0)->GetDlgItem(1002))->isChecked());
    EXPECT_EQ(frame.doc.m_CurrentName, "firstpage");
    EXPECT_EQ(frame.history.count(), 1);
    // The tab control fills the bar's client area.
    EXPECT_EQ(tabs.geometry(), bar.ClientRect());
}

TEST_F(SidebarFixture, KeepsItsWidthWhateverTheWindowSize)
{
    for (const QSize size : {QSize(800, 600), QSize(1600, 1000), QSize(500, 400)}) {
        frame.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(bar.width(), 330);
        EXPECT_EQ(bar.height(), size.height());
    }
}

TEST_F(SidebarFixture, PanelsKeepTheirOwnStateAcrossTabs)
{
    const QRect casTab = tabs.PageEntryAt(1)->m_rcHeader;
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, casTab.center());
    auto* cas = Page<CCASSearchDialog>(1);
    ASSERT_TRUE(cas->isVisible());
    auto* query = qobject_cast<QLineEdit*>(cas->GetDlgItem(1006));
    QTest::keyClicks(query, "67-");
    QTest::mouseClick(cas->GetDlgItem(CSearchPanel::kSearchButtonId), Qt::LeftButton);
    EXPECT_EQ(cas->ResultList().RowCount(), 2);
    EXPECT_EQ(frame.doc.m_CurrentName, "firstpage"); // switching and searching show nothing new

    // The other panels still list the first 100 names, the forgiving one nothing.
    for (int i : {0, 2, 3})
        EXPECT_EQ(Page<CSearchPanel>(i)->ResultList().RowCount(), 100);
    EXPECT_EQ(Page<CSearchPanel>(4)->ResultList().RowCount(), 0);

    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.PageEntryAt(3)->m_rcHeader.center());
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, casTab.center());
    EXPECT_EQ(query->text(), QStringLiteral("67-"));
    EXPECT_EQ(cas->ResultList().RowCount(), 2);
}

TEST_F(SidebarFixture, NotificationsOfTheTabControlReachTheFrame)
{
    NotifyEvent notify(&tabs, 125, 1);
    QApplication::sendEvent(&tabs, &notify);
    EXPECT_EQ(frame.notifications, 1);
}

namespace {

struct SidebarKeys : SidebarFixture
{
    void SetUp() override
    {
        SidebarFixture::SetUp();
        InstallSidebarKeys(frame, tabs);
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }

    QLineEdit* Query(int index) { return Page<CSearchPanel>(index)->findChild<QLineEdit*>(); }

    /// The key goes to the widget with the focus, as the keyboard's would.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &frame, key,
                        modifiers);
    }

    /// The tab shown, and the focus in its query field with all of its text selected.
    void ExpectQueryOf(int index)
    {
        EXPECT_EQ(tabs.ShownPage(), index);
        EXPECT_TRUE(Page<CSearchPanel>(index)->isVisible());
        QLineEdit* query = Query(index);
        EXPECT_EQ(QApplication::focusWidget(), query);
        EXPECT_EQ(query->selectedText(), query->text());
    }
};

} // namespace

TEST_F(SidebarKeys, CtrlTabCtrlPageDownAndBackSwitchTabsRoundTheEnds)
{
    Query(1)->setText(QStringLiteral("67-"));
    Press(Qt::Key_Tab, Qt::ControlModifier);
    ExpectQueryOf(1);
    EXPECT_EQ(Query(1)->selectedText(), QStringLiteral("67-")) << "typing replaces it";
    Press(Qt::Key_PageDown, Qt::ControlModifier);
    ExpectQueryOf(2);
    for (int i = 3; i <= tabs.PageCount(); ++i)
        Press(Qt::Key_Tab, Qt::ControlModifier);
    ExpectQueryOf(0);
    Press(Qt::Key_PageUp, Qt::ControlModifier);
    ExpectQueryOf(tabs.PageCount() - 1);
    // The keyboard sends Ctrl+Shift+Tab as Backtab; the shortcut takes either form.
    Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    ExpectQueryOf(tabs.PageCount() - 2);
    Press(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    ExpectQueryOf(tabs.PageCount() - 3);
}

TEST_F(SidebarKeys, AClickOnATabPutsTheFocusInItsQueryField)
{
    Query(2)->setText(QStringLiteral("溶剂"));
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.PageEntryAt(2)->m_rcHeader.center());
    ExpectQueryOf(2);
}

TEST_F(SidebarKeys, CtrlFAndF6GoToTheQueryFieldFromAnywhere)
{
    Query(0)->setText(QStringLiteral("乙醇"));
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_F, Qt::KeyboardModifiers(Qt::ControlModifier)},
          std::pair{Qt::Key_F6, Qt::KeyboardModifiers()}}) {
        Page<CSearchPanel>(0)->ResultList().setFocus();
        Press(key, modifiers);
        ExpectQueryOf(0);
        // Pressed again in the field itself, after its text was deselected.
        Query(0)->deselect();
        Press(key, modifiers);
        ExpectQueryOf(0);
    }
}

TEST_F(SidebarKeys, SwitchingLeavesTheListsOfThePanelsAsTheyWere)
{
    Press(Qt::Key_Tab, Qt::ControlModifier);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.PageEntryAt(0)->m_rcHeader.center());
    for (int i = 0; i < tabs.PageCount(); ++i)
        EXPECT_EQ(Page<CSearchPanel>(i)->ResultList().FirstSelectedRow(), -1) << i;
}

TEST_F(SidebarFixture, TheFifthTabOnlyAddsItsTitleToTheStrip)
{
    // The four specified tabs as a tab control holding them alone lays them out and paints
    // them.
    CPanelTabCtrl four;
    ASSERT_TRUE(four.Create(WS_CHILD | WS_VISIBLE | CPanelTabCtrl::TABSTYLE_TOP,
                            QRect(0, 0, 100, 100), &frame, 126));
    for (int i = 0; i < 4; ++i)
        four.AttachPageWindow(new QWidget, tabs.PageEntryAt(i)->m_strCaption);
    four.ShowPage(0);
    four.setGeometry(tabs.geometry());
    QApplication::processEvents();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(four.PageEntryAt(i)->m_rcHeader, tabs.PageEntryAt(i)->m_rcHeader) << i;

    const auto painted = [](QWidget& control) {
        QImage image(control.size(), QImage::Format_RGB32);
        control.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        return image;
    };
    const QImage withFive = painted(tabs);
    const QImage withFour = painted(four);
    // The fifth tab's rectangle, with the lines drawn on its right and bottom edges.
    const QRect fifth = tabs.PageEntryAt(4)->m_rcHeader.adjusted(0, 0, 1, 1);
    int differing = 0;
    for (int y = 0; y < withFive.height(); ++y) {
        for (int x = 0; x < withFive.width(); ++x) {
            if (!fifth.contains(x, y) && withFive.pixel(x, y) != withFour.pixel(x, y))
                ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(tabs.PageEntryAt(4)->m_rcHeader.left(), tabs.PageEntryAt(3)->m_rcHeader.right());
}

TEST_F(SidebarFixture, TheForgivingPanelMakesItsFormsOnceShownAndSearchesThem)
{
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.PageEntryAt(4)->m_rcHeader.center());
    auto* find = Page<CFindSearchDialog>(4);
    ASSERT_TRUE(find->isVisible());
    QTest::keyClicks(qobject_cast<QLineEdit*>(find->GetDlgItem(1006)), "yichun");
    QTest::keyClick(find->GetDlgItem(1006), Qt::Key_Return);
    ASSERT_EQ(find->ResultList().RowCount(), 1);
    EXPECT_EQ(find->ResultList().Names().Name(0), names[1]);
}

TEST_F(SidebarFixture, TheSidebarGoesWhileTheFormsAreBeingMade)
{
    // The panel, shown, begins making its forms; the fixture then takes everything down.
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.PageEntryAt(4)->m_rcHeader.center());
    EXPECT_TRUE(Page<CFindSearchDialog>(4)->isVisible());
}
