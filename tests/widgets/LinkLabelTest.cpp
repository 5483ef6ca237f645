#include "LinkLabel.h"
#include "HyperlinkShell.h"
#include "MouseInput.h"
#include "SystemColours.h"

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

TEST(LinkLabelTest, ErrorReportTextsForEveryCode)
{
    const std::pair<int, const char*> messages[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},
        {33, "Unknown Error (33) occurred."},
        {-7, "Unknown Error (-7) occurred."},
    };
    for (const auto& [code, message] : messages)
        EXPECT_EQ(CLinkLabel::ErrorReportText(code),
                  QStringLiteral("Unable to open hyperlink:\n\n") + QString::fromLatin1(message))
            << code;
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

    // Right-aligned, it keeps its right edge and gives up room on the left.
    auto* right = new CLinkLabel(&dialog);
    right->setText(QStringLiteral("价格咨询"));
    right->setAlignment(Qt::AlignRight | Qt::AlignTop);
    right->setGeometry(20, 30, 161, 41);
    right->PreSubclassWindow();
    EXPECT_EQ(right->geometry(), QRect(20 + 161 - width, 30, width, metrics.height()));

    auto* fixed = new CLinkLabel(&dialog);
    fixed->setText(QStringLiteral("价格咨询"));
    fixed->setGeometry(5, 6, 150, 30);
    fixed->EnableFitToText(false);
    fixed->PreSubclassWindow();
    EXPECT_EQ(fixed->geometry(), QRect(5, 6, 150, 30));
}

/// Whether any pixel of the label, as painted, has exactly `colour`.
bool PaintedIn(CLinkLabel& label, const QColor& colour)
{
    const QImage image = label.grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

TEST_F(LinkFixture, HoverAndVisitedColoursArePainted)
{
    label->PreSubclassWindow();
    // Bold, so that the strokes' middles are drawn in the colour itself, not only blended.
    QFont bold = label->font();
    bold.setPixelSize(24);
    bold.setBold(true);
    label->setFont(bold);
    label->adjustSize();
    dialog.show();
    const QColor link(0, 0, 238), visited(85, 26, 139);
    EXPECT_EQ(label->CurrentTextColour(), link);
    EXPECT_TRUE(PaintedIn(*label, link));

    QTest::mouseMove(label, QPoint(3, 3));
    EXPECT_EQ(label->CurrentTextColour(), label->HoverColour());
    EXPECT_TRUE(PaintedIn(*label, label->HoverColour()));
    EXPECT_FALSE(PaintedIn(*label, link));
    QTest::mouseMove(&dialog, QPoint(290, 190));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    EXPECT_EQ(label->CurrentTextColour(), link);

    label->MarkVisited();
    EXPECT_EQ(label->CurrentTextColour(), visited);
    EXPECT_TRUE(PaintedIn(*label, visited));
    EXPECT_FALSE(PaintedIn(*label, link));
    label->SetColourScheme(Qt::red, Qt::green, QColor(Qt::blue));
    EXPECT_EQ(label->CurrentTextColour(), QColor(Qt::green));
    EXPECT_TRUE(PaintedIn(*label, Qt::green));
    EXPECT_EQ(label->HoverColour(), QColor(Qt::blue));
}

TEST_F(LinkFixture, WithoutAHoverColourTheSchemeTakesTheSystemHighlight)
{
    label->SetColourScheme(Qt::red, Qt::green, QColor(Qt::blue));
    label->SetColourScheme(Qt::red, Qt::green, std::nullopt);
    EXPECT_EQ(label->HoverColour(), SystemColour(SysColour::Highlight));
    EXPECT_EQ(CLinkLabel().HoverColour(), SystemColour(SysColour::Highlight));
    EXPECT_EQ(label->LinkColour(), QColor(Qt::red));
    EXPECT_EQ(label->VisitedColour(), QColor(Qt::green));
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
