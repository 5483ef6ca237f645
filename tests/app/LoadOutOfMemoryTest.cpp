// The program started on a database whose records do not fit in the memory it may have: the
// load fails, the failure page and the message box say so, and the program keeps running.

#include "AddressSpaceLimit.h"
#include "ArchiveWriter.h"
#include "DatabaseFile.h"
#include "MainFrm.h"
#include "TestDatabase.h"
#include "VELMOR.h"
#include "VELMORView.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

/// Starts the program on 160 records of 1 MB each under a limit of 96 MB more than it has;
/// returns 0 when the load failed as it should and the program stayed up.
int StartOutOfMemory()
{
    QTemporaryDir folder;
    {
        std::ofstream out(folder.filePath(QStringLiteral("cmc.kdb")).toStdString(),
                          std::ios::binary);
        ArchiveWriter writer(out);
        writer.writeInt32(160);
        const std::string use(1 << 20, 'u');
        for (int i = 0; i < 160; ++i)
            WriteRecord(writer, reagent("r", {{Field::Use, use}}));
    }
    QDir::setCurrent(folder.path());
    QStringList boxes;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->accept();
        }
    });
    watcher.start(10);

    LimitAddressSpace(96u << 20);
    CVELMORApp app;
    if (!app.InitInstance())
        return 1;
    watcher.stop();
    QTest::qWait(100); // the program goes on running its event loop
    CMainFrame& frame = *app.MainFrame();
    const QImage page = frame.m_pView->viewport()->grab().toImage();
    int inked = 0;
    for (int y = 0; y < page.height(); y += 2) {
        for (int x = 0; x < page.width(); x += 2)
            inked += page.pixelColor(x, y) != QColor(Qt::white);
    }
    for (const QString& box : boxes)
        std::fprintf(stderr, "%s\n", box.toUtf8().constData());
    const bool reported = boxes.size() == 1 && boxes[0].contains(QStringLiteral("cmc.kdb")) &&
                          boxes[0].contains(QStringLiteral("内存不足"));
    const bool failurePage = inked > 100 && frame.m_SearchTabs.PageCount() == 0;
    return reported && failurePage && frame.isVisible() ? 0 : 1;
}

} // namespace

TEST(LoadOutOfMemory, TheFailurePageSaysSoAndTheProgramStaysUp)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "the address sanitizer needs more address space than the limit allows";
    // A child process of its own, started afresh, carries the limit.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::_Exit(StartOutOfMemory()), ::testing::ExitedWithCode(0), "内存不足");
}
