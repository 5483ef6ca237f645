#include "LinkLabel.h"
#include "HyperlinkShell.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class FakeShell : public HyperlinkShell
{
public:
    bool shellWorks = false;
    QString handler;
    bool startWorks = true;
    QStringList calls;
    QString startedProgram;
    QStringList startedArguments;

    bool ShellOpen(const QString& target) override
    {
        calls << QStringLiteral("shell ") + target;
        return shellWorks;
    }
    QString HtmlHandlerCommand() override
    {
        calls << QStringLiteral("handler");
        return handler;
    }
    bool StartDetached(const QString& program, const QStringList& arguments) override
    {
        calls << QStringLiteral("start ") + program;
        startedProgram = program;
        startedArguments = arguments;
        return startWorks;
    }
};

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
    FakeShell shell;
    shell.shellWorks = true;
    EXPECT_EQ(OpenHyperlink(shell, QStringLiteral("http://a.example/")), kHyperlinkOpened);
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("shell http://a.example/")});

    FakeShell fallback;
    fallback.handler = QStringLiteral("firefox-esr --new-window %u");
    EXPECT_EQ(OpenHyperlink(fallback, QStringLiteral("http://a.example/?q=1;rm -rf x")),
              kHyperlinkOpened);
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
    EXPECT_EQ(OpenHyperlink(noHandler, QStringLiteral("x")), kHyperlinkNoAssociation);
    FakeShell noStart;
    noStart.handler = QStringLiteral("browser %U");
    noStart.startWorks = false;
    EXPECT_EQ(OpenHyperlink(noStart, QStringLiteral("x")), kHyperlinkFileNotFound);
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
    shell.shellWorks = true;
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
    shell.startWorks = false;
    EXPECT_EQ(ClickAndReadReport(*label), CLinkLabel::ErrorReportText(2));
}
