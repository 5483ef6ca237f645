#include "CASSearchDialog.h"
#include "CommandEvent.h"
#include "MainFrm.h"
#include "ResultListView.h"
#include "TestDatabase.h"
#include "VELMOR.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

/// Starts the program in a folder of its own, holding `databaseBytes` as cmc.kdb when given.
struct StartUp : ::testing::Test
{
    QTemporaryDir folder;
    QString previous = QDir::currentPath();
    CVELMORApp app;
    QStringList messageBoxes;
    QStringList messageBoxButtons;

    void Start(const std::string* database)
    {
        ASSERT_TRUE(folder.isValid());
        if (database) {
            QFile file(folder.filePath(QStringLiteral("cmc.kdb")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(database->data(), static_cast<qint64>(database->size()));
        }
        QDir::setCurrent(folder.path());
        // Closes and records each message box the start-up shows.
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messageBoxes << box->text();
                for (const QAbstractButton* button : box->buttons())
                    messageBoxButtons << button->text();
                box->accept();
            }
        });
        watcher.start(10);
        ASSERT_TRUE(app.InitInstance());
        watcher.stop();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app.MainFrame()));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    CMainFrame& Frame() { return *app.MainFrame(); }
    std::string Current() { return app.Document()->m_CurrentName; }
    QImage Page() { return Frame().m_pView->viewport()->grab().toImage(); }
    /// How many of every other pixel, across and down, are not white.
    static int Inked(const QImage& page)
    {
        int inked = 0;
        for (int y = 0; y < page.height(); y += 2)
            for (int x = 0; x < page.width(); x += 2)
                inked += page.pixelColor(x, y) != QColor(Qt::white);
        return inked;
    }
};

std::string SmallDatabase()
{
    return databaseBytes({reagent(gbkOf("甲醇"), {{Field::CasNumber, "67-56-1"}}),
                          reagent(gbkOf("乙醇"), {{Field::CasNumber, "64-17-5"}}),
                          reagent(gbkOf("丙酮"), {{Field::CasNumber, "67-64-1"}})});
}

} // namespace

TEST_F(StartUp, OpensMaximisedOnTheStartPageWithTheSidebarAndStatusBar)
{
    const std::string database = SmallDatabase();
    Start(&database);
    CMainFrame& frame = Frame();
    EXPECT_TRUE(messageBoxes.isEmpty());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("化学试剂库"));
    EXPECT_EQ(frame.windowIcon().availableSizes(),
              (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
    EXPECT_TRUE(frame.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(frame.frameGeometry(), frame.screen()->availableGeometry());
    EXPECT_EQ(frame.findChild<QMenuBar*>(), nullptr);
    ASSERT_NE(frame.m_pView, nullptr);
    EXPECT_EQ(&frame.m_pView->GetDocument(), app.Document());
    EXPECT_EQ(app.Document()->RecordCount(), 3);

    EXPECT_EQ(Current(), "firstpage");
    EXPECT_EQ(frame.History().count(), 1);
    EXPECT_EQ(frame.History().entry(0), "firstpage");

    EXPECT_TRUE(frame.m_LeftCtrBar.isVisible());
    EXPECT_EQ(frame.m_LeftCtrBar.width(), 330);
    EXPECT_EQ(frame.m_SearchTabs.ShownPage(), 0);
    EXPECT_EQ(frame.m_pView->geometry().left(), frame.m_LeftCtrBar.geometry().right() + 1);

    EXPECT_TRUE(frame.StatusBar().isVisible());
    EXPECT_EQ(frame.StatusBar().findChild<QLabel*>()->text(), QStringLiteral("就绪"));
    // The offscreen platform reports no lock keys: no indicator is lit.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(frame.IndicatorPane(i).text().isEmpty());
}

/// Records the order of the first paints of the page view and of the sidebar's result list.
class FirstPaints : public QObject
{
public:
    QStringList order;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        // Both paint in their viewports.
        const auto* viewport = qobject_cast<QWidget*>(watched);
        const QWidget* owner = viewport ? viewport->parentWidget() : nullptr;
        const QString what = qobject_cast<const CVELMORView*>(owner)      ? QStringLiteral("view")
                             : qobject_cast<const ResultListView*>(owner) ? QStringLiteral("list")
                                                                          : QString();
        if (!what.isEmpty() && !order.contains(what))
            order << what;
        return false;
    }
};

TEST_F(StartUp, ThePageViewIsPaintedAfterTheSidebarSoThatItsWaitForTheStartPageComesLast)
{
    FirstPaints paints;
    qApp->installEventFilter(&paints);
    const std::string database = SmallDatabase();
    Start(&database);
    QTest::qWait(50);
    qApp->removeEventFilter(&paints);
    EXPECT_EQ(paints.order, (QStringList{QStringLiteral("list"), QStringLiteral("view")}));
}

TEST_F(StartUp, ThePanelsNotShownAreMadeOnceTheWindowHasBeenPainted)
{
    const std::string database = SmallDatabase();
    Start(&database);
    const CPanelTabCtrl& tabs = Frame().m_SearchTabs;
    ASSERT_EQ(tabs.PageCount(), 5);
    // The window is shown, and painted once its events have been processed.
    QTest::qWait(50);
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(tabs.PageEntryAt(i)->m_pPageWnd, nullptr) << i;
        EXPECT_EQ(tabs.PageEntryAt(i)->m_pPageWnd->isVisible(), i == 0) << i;
    }
}

TEST_F(StartUp, ALookupByCasNumberShowsTheReagentAndKeepsTheTitle)
{
    const std::string database = SmallDatabase();
    Start(&database);
    CMainFrame& frame = Frame();
    const QImage startPage = Page();

    QTest::mouseClick(&frame.m_SearchTabs, Qt::LeftButton, {},
                      frame.m_SearchTabs.PageEntryAt(1)->m_rcHeader.center());
    auto* cas = qobject_cast<CCASSearchDialog*>(frame.m_SearchTabs.PageWindow(1));
    ASSERT_TRUE(cas->isVisible());
    QTest::keyClicks(qobject_cast<QLineEdit*>(cas->GetDlgItem(1006)), "67-");
    QTest::mouseClick(cas->GetDlgItem(CSearchPanel::kSearchButtonId), Qt::LeftButton);
    ASSERT_EQ(cas->ResultList().RowCount(), 2);

    ResultListView& list = cas->ResultList();
    const QPoint row(10, list.visualRect(list.model()->index(1, 0)).center().y());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(Current(), gbkOf("丙酮"));
    EXPECT_EQ(frame.History().count(), 2);
    EXPECT_NE(Page(), startPage);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("化学试剂库"));
}

TEST_F(StartUp, TheBusinessCommandShowsTheStartPageOnceAndTouchesNothingElse)
{
    const std::string database = SmallDatabase();
    Start(&database);
    CMainFrame& frame = Frame();
    app.Document()->SetCurrentName(gbkOf("甲醇"));
    CommandEvent business(CMainFrame::ID_BUSINESS);
    QApplication::sendEvent(&frame, &business);
    EXPECT_EQ(frame.m_pView->SpecialPage(), "shangjia");
    EXPECT_EQ(Current(), gbkOf("甲醇"));
    EXPECT_EQ(frame.History().count(), 1);
}

TEST_F(StartUp, AMissingDatabaseIsReportedAndTheWindowSaysSo)
{
    Start(nullptr);
    CMainFrame& frame = Frame();
    ASSERT_EQ(messageBoxes.size(), 1);
    EXPECT_TRUE(messageBoxes[0].contains(QStringLiteral("cmc.kdb")));
    // Qt's own button, in the program's language.
    EXPECT_EQ(messageBoxButtons, QStringList{QStringLiteral("确定")});
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("化学试剂库"));
    // No sidebar, no start page, no history.
    EXPECT_FALSE(frame.m_LeftCtrBar.isVisible());
    EXPECT_EQ(frame.m_SearchTabs.PageCount(), 0);
    EXPECT_EQ(Current(), "");
    EXPECT_EQ(frame.History().count(), 0);

    // The page is not left blank.
    EXPECT_GT(Inked(Page()), 100);
}

TEST_F(StartUp, ABrokenDatabaseIsReportedWithTheLoadersMessageAndWhatToDo)
{
    std::string database = SmallDatabase();
    database.resize(database.size() / 2);
    Start(&database);
    ASSERT_EQ(messageBoxes.size(), 1);
    // The records read whole are not offered: nothing can be searched until the file is mended.
    EXPECT_TRUE(
        messageBoxes[0].startsWith(QStringLiteral("数据库文件“cmc.kdb”不完整：第 2 条记录")))
        << messageBoxes[0].toStdString();
    EXPECT_TRUE(messageBoxes[0].endsWith(
        QStringLiteral("\n\n请把完好的试剂数据库文件“cmc.kdb”放在程序的工作目录中，"
                       "然后重新启动程序。在此之前无法检索试剂。")))
        << messageBoxes[0].toStdString();
    EXPECT_EQ(Frame().m_SearchTabs.PageCount(), 0);
    EXPECT_TRUE(Frame().isVisible());
}

TEST_F(StartUp, ANegativeRecordCountIsReportedAsADamagedFile)
{
    // The records follow, but the count before them says -3.
    std::string database = SmallDatabase();
    database.replace(0, 4, "\xFD\xFF\xFF\xFF", 4);
    Start(&database);
    ASSERT_EQ(messageBoxes.size(), 1);
    EXPECT_TRUE(messageBoxes[0].startsWith(
        QStringLiteral("数据库文件“cmc.kdb”已损坏：开头的记录数是 -3，记录数不能为负。")));
    EXPECT_EQ(Frame().m_SearchTabs.PageCount(), 0);
    EXPECT_EQ(Current(), "");
    EXPECT_GT(Inked(Page()), 100);
}
