// The program on whatever platform QT_QPA_PLATFORM names: CTest runs it offscreen, and
// scripts/wayland-smoke.sh runs the same test on a Wayland compositor.

#include "CASSearchDialog.h"
#include "MainFrm.h"
#include "ResultListView.h"
#include "TestDatabase.h"
#include "VELMOR.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList g_Problems;

// Records what Qt reports as going wrong while the program runs. A platform's note that it
// lacks a window feature (the offscreen platform has no window manager hints) is no fault.
void RecordProblems(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    const bool problem = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
    if (problem && !message.startsWith(QLatin1String("This plugin does not support")))
        g_Problems << message;
}

} // namespace

TEST(DesktopSmoke, StartsSearchesOpensAPageAndClosesCleanly)
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    ASSERT_EQ(QGuiApplication::platformName(), platform);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    {
        const std::string database =
            databaseBytes({reagent(gbkOf("甲醇"), {{Field::CasNumber, "67-56-1"}}),
                           reagent(gbkOf("丙酮"), {{Field::CasNumber, "67-64-1"}})});
        QFile file(folder.filePath(QStringLiteral("cmc.kdb")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(database.data(), static_cast<qint64>(database.size()));
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    g_Problems.clear();
    const QtMessageHandler previousHandler = qInstallMessageHandler(RecordProblems);

    {
        CVELMORApp app;
        ASSERT_TRUE(app.InitInstance());
        CMainFrame& frame = *app.MainFrame();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        ASSERT_EQ(frame.m_SearchTabs.PageCount(), 5);

        QTest::mouseClick(&frame.m_SearchTabs, Qt::LeftButton, {},
                          frame.m_SearchTabs.PageEntryAt(1)->m_rcHeader.center());
        auto* cas = qobject_cast<CCASSearchDialog*>(frame.m_SearchTabs.PageWindow(1));
        ASSERT_NE(cas, nullptr);
        QTest::keyClicks(qobject_cast<QLineEdit*>(cas->GetDlgItem(1006)), "64-1");
        QTest::mouseClick(cas->GetDlgItem(CSearchPanel::kSearchButtonId), Qt::LeftButton);
        ResultListView& list = cas->ResultList();
        ASSERT_EQ(list.RowCount(), 1);
        const QPoint row(10, list.visualRect(list.model()->index(0, 0)).center().y());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row);
        EXPECT_EQ(app.Document()->m_CurrentName, gbkOf("丙酮"));
        EXPECT_FALSE(frame.m_pView->viewport()->grab().isNull());

        // The lock indicators read X11; anywhere else they stay empty.
        if (platform != QStringLiteral("xcb")) {
            for (int i = 0; i < 3; ++i)
                EXPECT_TRUE(frame.IndicatorPane(i).text().isEmpty()) << i;
        }

        EXPECT_TRUE(frame.close());
        QCoreApplication::processEvents();
        EXPECT_FALSE(frame.isVisible());
    }
    QCoreApplication::processEvents();
    qInstallMessageHandler(previousHandler);
    QDir::setCurrent(previous);
    EXPECT_TRUE(g_Problems.isEmpty()) << g_Problems.join(u'\n').toStdString();
}
