// The main frame's status bar: the idle message, nothing said by a search, and the lock
// indicators. The lock keys come from the test, which stands in for the platform's report.

#include "DialogToolBar.h"
#include "DialogUnits.h"
#include "LockKeyState.h"
#include "MainFrm.h"
#include "TestDatabase.h"
#include "UseSeacherDialog.h"
#include "VELMORDoc.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {
LockKeyState g_Keys;
} // namespace

// Linked in place of the platform's query, so the test decides which keys are on.
std::optional<LockKeyState> QueryLockKeys()
{
    return g_Keys;
}

namespace {

struct StatusBar : ::testing::Test
{
    CVELMORDoc doc;
    std::unique_ptr<CMainFrame> frame;

    void Open(LockKeyState keys)
    {
        g_Keys = keys;
        frame = std::make_unique<CMainFrame>(doc);
        ASSERT_TRUE(frame->LoadFrame());
        frame->resize(900, 500);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    /// The texts of the status bar's panes from left to right.
    QStringList Panes()
    {
        QList<QLabel*> panes = frame->StatusBar().findChildren<QLabel*>();
        std::sort(panes.begin(), panes.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
        QStringList texts;
        for (QLabel* pane : panes)
            texts << pane->text();
        return texts;
    }
};

} // namespace

TEST_F(StatusBar, TheLockIndicatorsFollowTheMessageInTheOrderCapsNumScroll)
{
    Open({true, true, true});
    EXPECT_EQ(Panes(), (QStringList{"就绪", "大写", "数字", "滚动"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(frame->IndicatorPane(i).width(), 0);
}

TEST_F(StatusBar, ItsTextsAreInTheSongFaceAtNinePoints)
{
    Open({true, true, true});
    QList<QLabel*> panes = frame->StatusBar().findChildren<QLabel*>();
    ASSERT_EQ(panes.size(), 4);
    for (const QLabel* pane : panes) {
        EXPECT_EQ(QFontInfo(pane->font()).family(), QStringLiteral("Noto Serif CJK SC"))
            << pane->text().toStdString();
        EXPECT_EQ(pane->font().pixelSize(), 12) << pane->text().toStdString();
    }
    // Measured in that face too: a pane is as wide as its text there, and more.
    const QFontMetrics song(DialogFont(QStringLiteral("宋体"), 9));
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(frame->IndicatorPane(i).width(),
                  song.horizontalAdvance(frame->IndicatorPane(i).text()) + 12);
}

TEST_F(StatusBar, OnlyTheKeysThatAreOnAreLitAndAKeyReleaseUpdatesThem)
{
    Open({true, false, false});
    EXPECT_EQ(Panes(), (QStringList{"就绪", "大写", "", ""}));
    const int capsWidth = frame->IndicatorPane(0).width();

    g_Keys = {false, true, false};
    QTest::keyRelease(frame.get(), Qt::Key_NumLock);
    EXPECT_EQ(Panes(), (QStringList{"就绪", "", "数字", ""}));
    EXPECT_EQ(frame->IndicatorPane(0).width(), capsWidth) << "an unlit pane keeps its width";

    g_Keys = {false, false, true};
    QTest::keyRelease(frame.get(), Qt::Key_ScrollLock);
    EXPECT_EQ(Panes(), (QStringList{"就绪", "", "", "滚动"}));
}

TEST_F(StatusBar, AQueryCodePage936CannotHoldFindsNothingAndSaysSo)
{
    loadRecords(doc, {reagent(gbkOf("乙醇"), {{Field::Use, gbkOf("溶剂")}})});
    Open({});
    CUseSeacherDialog panel(*frame);
    ASSERT_TRUE(panel.Create(132, frame.get()));
    panel.show();
    auto* field = qobject_cast<QLineEdit*>(panel.GetDlgItem(1008));
    field->setText(QStringLiteral("溶剂😀"));
    QTest::mouseClick(panel.GetDlgItem(CSearchPanel::kSearchButtonId), Qt::LeftButton);
    EXPECT_EQ(panel.ResultList().RowCount(), 0);
    EXPECT_TRUE(frame->StatusBar().currentMessage().isEmpty());
    EXPECT_EQ(Panes().value(0), QStringLiteral("没有找到"));
}

TEST_F(StatusBar, TheHistoryAndTheBusinessCommandBringBackTheIdleMessage)
{
    const std::string ethanol = gbkOf("乙醇");
    loadRecords(doc, {reagent(ethanol)});
    Open({});
    auto* bar = frame->findChild<CDialogToolBar*>();
    ASSERT_NE(bar, nullptr);
    frame->History().seed("firstpage");

    frame->ShowSearchMessage("找到 1 条");
    bar->OnCommand(CDialogToolBar::IDC_BACK); // at the first entry: nothing changes
    bar->OnCommand(CDialogToolBar::IDC_NEXT);
    EXPECT_EQ(Panes().value(0), QStringLiteral("找到 1 条"));
    doc.SetCurrentName(ethanol);
    frame->History().push(ethanol); // a row opened is not a step of the history
    EXPECT_EQ(Panes().value(0), QStringLiteral("找到 1 条"));

    bar->OnCommand(CDialogToolBar::IDC_BACK);
    EXPECT_EQ(Panes().value(0), QStringLiteral("就绪"));
    frame->ShowSearchMessage("没有找到");
    bar->OnCommand(CDialogToolBar::IDC_NEXT);
    EXPECT_EQ(Panes().value(0), QStringLiteral("就绪"));
    frame->ShowSearchMessage("没有找到");
    frame->OnCommand(CMainFrame::ID_BUSINESS);
    EXPECT_EQ(Panes().value(0), QStringLiteral("就绪"));
}
