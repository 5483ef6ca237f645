#include "AppAboutBox.h"
#include "DialogToolBar.h"
#include "MainFrm.h"
#include "Matching.h"
#include "SearchPanel.h"
#include "TestDatabase.h"
#include "UrlOpener.h"
#include "VELMOR.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct CountingOpener : UrlOpener
{
    void Open(const QString& address) override { opened << address; }
    QStringList opened;
};

// The whole window over a small database, started the way the program starts.
struct FrameFixture : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QFile file(folder.filePath(QStringLiteral("cmc.kdb")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string bytes =
            databaseBytes({reagent(gbkOf("甲醇"), {{Field::CasNumber, "67-56-1"}}),
                           reagent(gbkOf("乙醇"), {{Field::CasNumber, "64-17-5"}}),
                           reagent(gbkOf("丙酮"), {{Field::CasNumber, "67-64-1"}}),
                           reagent(gbkOf("苯"), {{Field::CasNumber, "71-43-2"}})});
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        file.close();
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        ASSERT_TRUE(app.InitInstance());
        frame = app.MainFrame();
        bar = frame->findChild<CDialogToolBar*>();
        ASSERT_NE(bar, nullptr);
        bar->SetUrlOpener(&opener);
        frame->resize(1000, 700);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    CSearchPanel* Panel(int index)
    {
        return qobject_cast<CSearchPanel*>(frame->m_SearchTabs.PageWindow(index));
    }

    // A double click on the name in the name panel's list, as the user opens a reagent.
    void Open(const char* utf8Name)
    {
        ResultListView& list = Panel(0)->ResultList();
        for (int row = 0; row < list.model()->rowCount(); ++row) {
            const QModelIndex index = list.model()->index(row, 0);
            if (index.data().toString() != QString::fromUtf8(utf8Name))
                continue;
            list.scrollTo(index);
            const QRect cell = list.visualRect(index);
            const QPoint at(cell.left() + 8, cell.center().y());
            // What the window system delivers: press, release, double click, release.
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
            QMouseEvent second(QEvent::MouseButtonDblClick, at, list.viewport()->mapToGlobal(at),
                               Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(list.viewport(), &second);
            QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
            return;
        }
        FAIL() << "no row " << utf8Name;
    }

    void Click(int id) { QTest::mouseClick(bar->Button(id), Qt::LeftButton); }
    std::string Current() { return app.Document()->m_CurrentName; }
    QImage Page() { return frame->m_pView->viewport()->grab().toImage(); }

    QTemporaryDir folder;
    QString previous;
    CVELMORApp app;
    CMainFrame* frame = nullptr;
    CDialogToolBar* bar = nullptr;
    CountingOpener opener;
};

} // namespace

TEST_F(FrameFixture, BackAndNextWalkTheHistoryThePanelsBuilt)
{
    Click(CDialogToolBar::IDC_BACK);
    Click(CDialogToolBar::IDC_NEXT);
    EXPECT_EQ(Current(), "firstpage");

    Open("甲醇");
    Open("乙醇");
    Open("丙酮");
    NavigationHistory& history = frame->History();
    ASSERT_EQ(history.count(), 4);
    Click(CDialogToolBar::IDC_BACK);
    EXPECT_EQ(Current(), gbkOf("乙醇"));
    Click(CDialogToolBar::IDC_BACK);
    EXPECT_EQ(Current(), gbkOf("甲醇"));
    Click(CDialogToolBar::IDC_NEXT);
    EXPECT_EQ(Current(), gbkOf("乙醇"));
    Click(CDialogToolBar::IDC_BACK);

    // Choosing after stepping back appends at the end and jumps there.
    Open("苯");
    EXPECT_EQ(history.count(), 5);
    EXPECT_EQ(history.current(), 4);
    Click(CDialogToolBar::IDC_BACK);
    EXPECT_EQ(Current(), gbkOf("丙酮"));
    Click(CDialogToolBar::IDC_NEXT);
    Click(CDialogToolBar::IDC_NEXT);
    EXPECT_EQ(Current(), gbkOf("苯"));
}

TEST_F(FrameFixture, BusinessShowsTheStartPageForOnePaintEachTime)
{
    const QImage startPage = Page();
    Open("甲醇");
    const QImage reagentPage = Page();
    ASSERT_NE(reagentPage, startPage);

    Click(CDialogToolBar::IDC_BUSINESS);
    EXPECT_EQ(frame->m_pView->SpecialPage(), "shangjia");
    EXPECT_EQ(Page(), startPage);
    EXPECT_EQ(Page(), reagentPage); // the next repaint shows the current name again
    Click(CDialogToolBar::IDC_BUSINESS);
    EXPECT_EQ(Page(), startPage);
    EXPECT_EQ(Page(), reagentPage);

    // History and current name are untouched: back steps back from 甲醇.
    EXPECT_EQ(Current(), gbkOf("甲醇"));
    Click(CDialogToolBar::IDC_BACK);
    EXPECT_EQ(Current(), "firstpage");
}

TEST_F(FrameFixture, HomeOpensTheCataloguePageOnly)
{
    Open("甲醇");
    Click(CDialogToolBar::IDC_HOME);
    EXPECT_EQ(opener.opened,
              QStringList{QStringLiteral("http://www.velmor.example/shiji/index.aspx")});
    EXPECT_EQ(Current(), gbkOf("甲醇"));
    EXPECT_EQ(frame->History().count(), 2);
}

TEST_F(FrameFixture, HidingAndShowingTheSidebarKeepsEveryPanel)
{
    CSearchPanel* cas = Panel(1);
    frame->m_SearchTabs.ShowPage(1);
    auto* query = qobject_cast<QLineEdit*>(cas->GetDlgItem(1006));
    ASSERT_NE(query, nullptr);
    query->setText(QStringLiteral("67-"));
    QTest::mouseClick(qobject_cast<QPushButton*>(cas->GetDlgItem(CSearchPanel::kSearchButtonId)),
                      Qt::LeftButton);
    ASSERT_EQ(cas->ResultList().model()->rowCount(), 2);
    const int viewWidth = frame->m_pView->width();

    bar->OnCommand(CDialogToolBar::IDC_HIDE);
    QApplication::processEvents();
    EXPECT_FALSE(frame->m_LeftCtrBar.isVisible());
    EXPECT_GT(frame->m_pView->width(), viewWidth);

    bar->OnCommand(CDialogToolBar::IDC_SHOW);
    QApplication::processEvents();
    EXPECT_TRUE(frame->m_LeftCtrBar.isVisible());
    EXPECT_EQ(frame->m_pView->width(), viewWidth);
    EXPECT_EQ(frame->m_SearchTabs.ShownPage(), 1);
    EXPECT_EQ(query->text(), QStringLiteral("67-"));
    EXPECT_EQ(cas->ResultList().model()->rowCount(), 2);
    EXPECT_EQ(Panel(0)->ResultList().model()->rowCount(), kInitialResultCount);
    for (int id : {1016, 1017, 1018, 1019})
        EXPECT_FALSE(bar->Button(id)->isVisible()) << id;
}

TEST_F(FrameFixture, HiddenButtonsActWhenTheirCommandsArrive)
{
    bar->Button(CDialogToolBar::IDC_HIDE)->click();
    EXPECT_FALSE(frame->m_LeftCtrBar.isVisible());
    bar->Button(CDialogToolBar::IDC_SHOW)->click();
    EXPECT_TRUE(frame->m_LeftCtrBar.isVisible());
    bar->Button(CDialogToolBar::IDC_REPORT)->click();
    EXPECT_EQ(opener.opened, QStringList{CDialogToolBar::CataloguePage()});

    bool shown = false;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        shown = about != nullptr && about->windowTitle() == QStringLiteral("关于");
        if (about != nullptr)
            QTest::keyClick(about, Qt::Key_Escape);
    });
    bar->Button(CDialogToolBar::IDC_ABOUT)->click();
    EXPECT_TRUE(shown);
    for (int id : {1016, 1017, 1018, 1019})
        EXPECT_FALSE(bar->Button(id)->isVisible()) << id;
}

TEST_F(FrameFixture, ALowWindowKeepsTheNavigationBarAndTheStatusBarWhole)
{
    const int barHeight = bar->height();
    QWidget* statusBar = &frame->StatusBar();
    const int statusHeight = statusBar->sizeHint().height();
    for (const int height : {149, 100, 60, 1}) {
        SCOPED_TRACE(height);
        frame->showNormal();
        frame->resize(800, height);
        QApplication::processEvents();
        EXPECT_EQ(bar->height(), barHeight);
        EXPECT_GE(statusBar->height(), statusHeight);
        // Neither lies partly outside the window.
        EXPECT_GE(statusBar->geometry().top(), bar->geometry().bottom());
        EXPECT_LE(statusBar->geometry().bottom(), frame->height() - 1);
    }
}

TEST(AppAboutBox, CaptionAndOkButtonFromTemplate100)
{
    CAppAboutBox about;
    ASSERT_TRUE(about.IsBuilt());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于"));
    const auto buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), QStringLiteral("确定"));
    QTimer::singleShot(0, &about, [&] { QTest::keyClick(buttons[0], Qt::Key_Return); });
    EXPECT_EQ(about.DoModal(), QDialog::Accepted);

    // The application's about command shows it until Escape closes it.
    bool shown = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        shown = qobject_cast<CAppAboutBox*>(modal) != nullptr;
        if (modal != nullptr)
            QTest::keyClick(modal, Qt::Key_Escape);
    });
    CVELMORApp app;
    app.OnAppAbout();
    EXPECT_TRUE(shown);
}

TEST_F(FrameFixture, AltLeftAndAltRightDoWhatBackAndNextDo)
{
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QWidget* view = frame->m_pView;
    QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier); // nothing before the first entry
    EXPECT_EQ(Current(), "firstpage");
    Open("甲醇");
    Open("乙醇");
    // From wherever the focus is: the view, a result list.
    QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Current(), gbkOf("甲醇"));
    QTest::keyClick(&Panel(0)->ResultList(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Current(), gbkOf("乙醇"));
    QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier); // nothing after the last
    EXPECT_EQ(Current(), gbkOf("乙醇"));
    EXPECT_EQ(frame->History().count(), 3);
}

TEST_F(FrameFixture, TheMouseBackAndForwardButtonsWalkTheHistoryOverAnyWidget)
{
    Open("甲醇");
    Open("乙醇");
    ResultListView& list = Panel(0)->ResultList();
    const int selected = list.FirstSelectedRow();
    const QPoint row(10, list.visualRect(list.model()->index(5, 0)).center().y());
    QTest::mousePress(list.viewport(), Qt::BackButton, {}, row);
    EXPECT_EQ(Current(), gbkOf("甲醇"));
    EXPECT_EQ(list.FirstSelectedRow(), selected) << "the list never saw the press";
    QTest::mousePress(frame->m_pView->viewport(), Qt::BackButton, {}, QPoint(300, 300));
    EXPECT_EQ(Current(), "firstpage");
    QTest::mousePress(frame->m_pView->viewport(), Qt::BackButton, {}, QPoint(300, 300));
    EXPECT_EQ(Current(), "firstpage");
    QTest::mousePress(bar, Qt::ForwardButton, {}, QPoint(5, 5));
    EXPECT_EQ(Current(), gbkOf("甲醇"));
    EXPECT_EQ(frame->History().count(), 3);
}
