#include "LinkLabel.h"
#include "HyperlinkShell.h"
#include "MouseInput.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Answers at once, as a desktop whose programs end at once would.
class FakeShell : public HyperlinkShell
{
public:
    LaunchOutcome opener = LaunchOutcome::Failed;
    QString handler;
    LaunchOutcome start = LaunchOutcome::Succeeded;
    QStringList calls;
    QString startedProgram;
    QStringList startedArguments;

    void ShellOpen(const QString& target, Launched done) override
    {
        calls << QStringLiteral("shell ") + target;
        done(opener);
    }
    void HtmlHandlerCommand(std::function<void(QString)> done) override
    {
        calls << QStringLiteral("handler");
        done(handler);
    }
    void Start(const QString& program, const QStringList& arguments, Launched done) override
    {
        calls << QStringLiteral("start ") + program;
        startedProgram = program;
        startedArguments = arguments;
        done(start);
    }
};

int Open(HyperlinkShell& shell, const QString& target)
{
    int result = -1;
    OpenHyperlink(shell, target, [&](int code) { result = code; });
    return result;
}

/// Clicks the label and returns the text of the message box it shows, if any.
QString ClickAndReadReport(CLinkLabel& label)
{
    QString report;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            report = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    QApplication::processEvents();
    return report;
}

struct LinkFixture : ::testing::Test
{
    QWidget dialog;
    CLinkLabel* label = new CLinkLabel(&dialog);
    FakeShell shell;

    void SetUp() override
    {
        dialog.resize(300, 200);
        label->setText(QStringLiteral("我要纠错"));
        label->setGeometry(20, 30, 160, 40);
        label->SetHyperlinkShell(&shell);
    }
};

} // namespace

TEST(HyperlinkShellTest, ShellFirstThenTheHtmlHandlerWithAnArgumentList)
{
    // An opener that ends well, or still runs after the wait, has opened the target.
    for (LaunchOutcome opened : {LaunchOutcome::Succeeded, LaunchOutcome::StillRunning}) {
        FakeShell shell;
        shell.opener = opened;
        EXPECT_EQ(Open(shell, QStringLiteral("http://a.example/")), kHyperlinkOpened);
        EXPECT_EQ(shell.calls, QStringList{QStringLiteral("shell http://a.example/")});
    }

    // One that fails or cannot start hands over to the handler.
    for (LaunchOutcome failed : {LaunchOutcome::Failed, LaunchOutcome::FailedToStart}) {
        FakeShell shell;
        shell.opener = failed;
        shell.handler = QStringLiteral("browser %u");
        EXPECT_EQ(Open(shell, QStringLiteral("x")), kHyperlinkOpened);
        EXPECT_EQ(shell.calls, (QStringList{QStringLiteral("shell x"), QStringLiteral("handler"),
                                            QStringLiteral("start browser")}));
    }

    FakeShell fallback;
    fallback.handler = QStringLiteral("firefox-esr --new-window %u");
    EXPECT_EQ(Open(fallback, QStringLiteral("http://a.example/?q=1;rm -rf x")), kHyperlinkOpened);
    EXPECT_EQ(fallback.calls.size(), 3);
    EXPECT_EQ(fallback.startedProgram, QStringLiteral("firefox-esr"));
    // The target is one argument, whatever it holds: no shell ever sees it.
    EXPECT_EQ(fallback.startedArguments,
              (QStringList{QStringLiteral("--new-window"),
                           QStringLiteral("http://a.example/?q=1;rm -rf x")}));
}

TEST(HyperlinkShellTest, FailuresReportTheShellsCodeOrTheStartsCode)
{
    FakeShell noHandler;
    EXPECT_EQ(Open(noHandler, QStringLiteral("x")), kHyperlinkNoAssociation);
    FakeShell noStart;
    noStart.handler = QStringLiteral("browser %U");
    noStart.start = LaunchOutcome::FailedToStart;
    EXPECT_EQ(Open(noStart, QStringLiteral("x")), kHyperlinkFileNotFound);
    FakeShell handlerFails;
    handlerFails.handler = QStringLiteral("browser %U");
    handlerFails.start = LaunchOutcome::Failed;
    EXPECT_EQ(Open(handlerFails, QStringLiteral("x")), kHyperlinkBadAssociation);
}

TEST(HyperlinkShellTest, ExecLinesFollowTheDesktopEntryRules)
{
    const QString t = QStringLiteral("http://www.velmor.example/");
    EXPECT_EQ(HtmlHandlerArguments(QStringLiteral("chromium %U"), t),
              (QStringList{QStringLiteral("chromium"), t}));
    EXPECT_EQ(HtmlHandlerArguments(QStringLiteral("\"/opt/my browser/run\" --url=%u %i %c"), t),
              (QStringList{QStringLiteral("/opt/my browser/run"), QStringLiteral("--url=") + t}));
    EXPECT_EQ(HtmlHandlerArguments(QStringLiteral("viewer --percent=100%% %f"), t),
              (QStringList{QStringLiteral("viewer"), QStringLiteral("--percent=100%"), t}));
    EXPECT_EQ(
        HtmlHandlerArguments(QStringLiteral("sh -c \"echo \\\"x\\\"\""), t),
        (QStringList{QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("echo \"x\""), t}));
    // Without a placeholder the target goes last; an empty line gives nothing to run.
    EXPECT_EQ(HtmlHandlerArguments(QStringLiteral("lynx"), t),
              (QStringList{QStringLiteral("lynx"), t}));
    EXPECT_TRUE(HtmlHandlerArguments(QString(), t).isEmpty());
}

TEST(LinkLabelTest, ErrorReportTexts)
{
    EXPECT_EQ(CLinkLabel::ErrorReportText(31),
              QStringLiteral("Unable to open hyperlink:\n\nThere is no application associated\n"
                             "with the given filename extension."));
    EXPECT_EQ(CLinkLabel::ErrorReportText(26),
              QStringLiteral("Unable to open hyperlink:\n\nA sharing violation occurred. "));
    EXPECT_EQ(CLinkLabel::ErrorReportText(1),
              QStringLiteral("Unable to open hyperlink:\n\nUnknown Error (1) occurred."));
    EXPECT_EQ(CLinkLabel::ErrorReportText(33),
              QStringLiteral("Unable to open hyperlink:\n\nUnknown Error (33) occurred."));
}

TEST_F(LinkFixture, AttachingKeepsTheTextAndShowsTheTargetAsToolTip)
{
    label->SetTargetUrl(QStringLiteral("http://www.velmor.example/"));
    label->PreSubclassWindow();
    EXPECT_EQ(label->text(), QStringLiteral("我要纠错"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("http://www.velmor.example/"));
    EXPECT_TRUE(label->font().underline());
    ASSERT_TRUE(label->HandCursor());
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);

    label->SetTargetUrl(QStringLiteral("http://b.example/"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("http://b.example/"));
    label->EnableUnderline(false);
    EXPECT_FALSE(label->font().underline());
}

TEST_F(LinkFixture, TargetAndTextStandInForEachOther)
{
    label->PreSubclassWindow();
    EXPECT_EQ(label->TargetUrl(), QStringLiteral("我要纠错"));

    auto* empty = new CLinkLabel(&dialog);
    empty->SetTargetUrl(QStringLiteral("http://www.velmor.example/"));
    empty->PreSubclassWindow();
    EXPECT_EQ(empty->text(), QStringLiteral("http://www.velmor.example/"));
}

TEST_F(LinkFixture, FitsToItsTextFromTheLeftOrEquallyWhenCentred)
{
    label->PreSubclassWindow();
    const QFontMetrics metrics(label->font());
    const int width = metrics.horizontalAdvance(label->text());
    EXPECT_EQ(label->geometry(), QRect(20, 30, width, metrics.height()));

    auto* centred = new CLinkLabel(&dialog);
    centred->setText(QStringLiteral("价格咨询"));
    centred->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    centred->setGeometry(20, 30, 161, 41);
    centred->PreSubclassWindow();
    const int cut = (161 - width) / 2;
    const int cutV = (41 - metrics.height()) / 2;
    EXPECT_EQ(centred->geometry(), QRect(20 + cut, 30 + cutV, 161 - 2 * cut, 41 - 2 * cutV));

    auto* fixed = new CLinkLabel(&dialog);
    fixed->setText(QStringLiteral("价格咨询"));
    fixed->setGeometry(5, 6, 150, 30);
    fixed->EnableFitToText(false);
    fixed->PreSubclassWindow();
    EXPECT_EQ(fixed->geometry(), QRect(5, 6, 150, 30));
}

TEST_F(LinkFixture, HoverAndVisitedColours)
{
    label->PreSubclassWindow();
    dialog.show();
    EXPECT_EQ(label->CurrentTextColour(), QColor(0, 0, 238));

    QTest::mouseMove(label, QPoint(3, 3));
    EXPECT_EQ(label->CurrentTextColour(), label->HoverColour());
    QTest::mouseMove(&dialog, QPoint(290, 190));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    EXPECT_EQ(label->CurrentTextColour(), QColor(0, 0, 238));

    label->MarkVisited();
    EXPECT_EQ(label->CurrentTextColour(), QColor(85, 26, 139));
    label->SetColourScheme(Qt::red, Qt::green, QColor(Qt::blue));
    EXPECT_EQ(label->CurrentTextColour(), QColor(Qt::green));
    EXPECT_EQ(label->HoverColour(), QColor(Qt::blue));
}

TEST_F(LinkFixture, ASuccessfulClickMarksTheLinkVisited)
{
    shell.opener = LaunchOutcome::Succeeded;
    label->SetTargetUrl(QStringLiteral("http://www.velmor.example/"));
    label->PreSubclassWindow();
    dialog.show();
    EXPECT_EQ(ClickAndReadReport(*label), QString());
    EXPECT_TRUE(label->IsVisited());
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("shell http://www.velmor.example/")});
}

TEST_F(LinkFixture, AFailedClickReportsAndStaysUnvisited)
{
    label->PreSubclassWindow();
    dialog.show();
    EXPECT_EQ(ClickAndReadReport(*label), CLinkLabel::ErrorReportText(31));
    EXPECT_FALSE(label->IsVisited());
    EXPECT_EQ(label->CurrentTextColour(), QColor(0, 0, 238));

    shell.handler = QStringLiteral("browser %u");
    shell.start = LaunchOutcome::FailedToStart;
    EXPECT_EQ(ClickAndReadReport(*label), CLinkLabel::ErrorReportText(2));
    shell.start = LaunchOutcome::Failed;
    EXPECT_EQ(ClickAndReadReport(*label), CLinkLabel::ErrorReportText(27));
    EXPECT_FALSE(label->IsVisited());
}

TEST_F(LinkFixture, OnlyTheFirstClickOfADoubleClickOpens)
{
    shell.opener = LaunchOutcome::Succeeded;
    label->PreSubclassWindow();
    dialog.show();
    SendDoubleClick(label, QPoint(2, 2));
    EXPECT_EQ(shell.calls.size(), 1);
}
