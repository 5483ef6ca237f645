#include "DialogToolBar.h"
#include "DialogHelp.h"
#include "DialogUnits.h"
#include "FakeDesktop.h"
#include "NavigationHistory.h"
#include "ResourcePath.h"
#include "ScalableIcon.h"
#include "SystemColours.h"
#include "ToolbarHost.h"
#include "UrlOpener.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct FakePage : PageSelection
{
    void SetCurrentName(std::string_view name) override { current = name; }
    void RequestRedraw() override { ++redraws; }
    std::string current;
    int redraws = 0;
};

struct FakeHost : ToolbarHost
{
    NavigationHistory& History() override { return history; }
    void ShowSidebar(bool show) override { sidebar.push_back(show); }
    bool HandlesCommand(int id) const override { return id == CDialogToolBar::IDC_BUSINESS; }
    void OnCommand(int id) override { commands.push_back(id); }

    FakePage page;
    NavigationHistory history{page};
    std::vector<bool> sidebar;
    std::vector<int> commands;
};

struct CountingOpener : UrlOpener
{
    void Open(const QString& address) override { opened << address; }
    QStringList opened;
};

// What a search panel does when the user chooses a name.
void Choose(FakeHost& host, const std::string& name)
{
    host.page.SetCurrentName(name);
    host.history.push(name);
}

struct ToolBarFixture : ::testing::Test
{
    void SetUp() override
    {
        frame.resize(800, 100);
        ASSERT_TRUE(bar.Create(&frame, CDialogToolBar::kTemplateId, 134));
        bar.SetUrlOpener(&opener);
        frame.show();
        host.history.seed("firstpage");
    }
    void Click(int id) { QTest::mouseClick(bar.Button(id), Qt::LeftButton); }

    FakeHost host;
    CountingOpener opener;
    QWidget frame;
    CDialogToolBar bar{host};
};

constexpr int kShown[] = {1013, 1014, 1015, 1028};
constexpr int kHidden[] = {1016, 1017, 1018, 1019};

} // namespace

TEST_F(ToolBarFixture, TemplateGivesTheButtonsTheirTextsPlacesAndStates)
{
    const DialogBaseUnits units = DialogBaseUnits::OfFont(bar.font());
    EXPECT_EQ(bar.size(), units.ToPixels(QSize(316, 24)));
    EXPECT_EQ(bar.Button(1013)->text(), QStringLiteral("上一步"));
    EXPECT_EQ(bar.Button(1028)->text(), QStringLiteral("商业合作"));
    EXPECT_EQ(bar.Button(1019)->text(), QStringLiteral("我要纠错"));
    EXPECT_EQ(bar.Button(1015)->geometry(), units.ToPixels(QRect(70, 0, 35, 24)));
    EXPECT_EQ(bar.Button(1016)->geometry(), units.ToPixels(QRect(204, 4, 25, 19)));
    for (int id : kShown)
        EXPECT_TRUE(bar.Button(id)->isVisible()) << id;
    for (int id : kHidden)
        EXPECT_FALSE(bar.Button(id)->isVisible()) << id;
    // The command-update pass enables all eight.
    for (int id : kShown)
        EXPECT_TRUE(bar.Button(id)->isEnabled()) << id;
    for (int id : kHidden)
        EXPECT_TRUE(bar.Button(id)->isEnabled()) << id;
    // Tab order is template order: 上一步, 下一步, 主页, then 商业合作 among the shown ones.
    EXPECT_EQ(bar.Button(1013)->nextInFocusChain(), bar.Button(1014));
    EXPECT_EQ(bar.Button(1015)->nextInFocusChain(), bar.Button(1016));
    EXPECT_EQ(bar.Button(1019)->nextInFocusChain(), bar.Button(1028));
}

TEST_F(ToolBarFixture, IconsAboveTheTextExceptBusinessBesideIt)
{
    for (int id : {1013, 1014, 1015}) {
        CIconButton* button = bar.Button(id);
        EXPECT_EQ(button->IconAlignment(), CIconButton::kAlignVert) << id;
        const auto layout = button->LayoutFace(false);
        EXPECT_EQ(layout.image.size(), QSize(16, 16)) << id;
        EXPECT_EQ(layout.image.top(), 3) << id;
        EXPECT_EQ(layout.captionRect.top(), 16) << id;
    }
    CIconButton* business = bar.Button(1028);
    EXPECT_EQ(business->IconAlignment(), CIconButton::kAlignHoriz);
    EXPECT_EQ(business->LayoutFace(false).image.size(), QSize(32, 32));
    EXPECT_EQ(business->LayoutFace(false).image.left(), 3);
    EXPECT_TRUE(bar.Button(1016)->LayoutFace(false).image.isNull());
    EXPECT_TRUE(bar.Button(1013)->IsFlat());
}

// The icon on the button's face, as the screen's own pixels show it.
QImage OnFace(const QImage& icon, QSize size)
{
    QImage face(size, QImage::Format_ARGB32_Premultiplied);
    face.fill(SystemColour(SysColour::BtnFace));
    QPainter painter(&face);
    painter.drawImage(QRect(QPoint(), size), icon);
    return face;
}

int DifferingPixels(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            differing += std::abs(p.red() - q.red()) > 2 || std::abs(p.green() - q.green()) > 2 ||
                         std::abs(p.blue() - q.blue()) > 2;
        }
    return differing;
}

// Run at the ratios 1 and 2 (QT_SCALE_FACTOR): at 2 a 16 x 16 icon fills 32 x 32 screen pixels
// with its drawing, not with its own pixels enlarged, and keeps its place.
TEST_F(ToolBarFixture, IconsArePaintedInTheScreensOwnPixels)
{
    const qreal ratio = bar.devicePixelRatioF();
    ASSERT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    for (const auto& [id, icon] : {std::pair{1013, 142}, std::pair{1028, 187}}) {
        CIconButton* button = bar.Button(id);
        const QImage painted = button->grab().toImage();
        ASSERT_EQ(painted.devicePixelRatio(), ratio);
        const QRect logical = button->LayoutFace(false).image;
        const QRect device(logical.topLeft() * ratio, logical.size() * ratio);
        const QImage shown = painted.copy(device);

        QImage drawn = LoadScalableIcon(icon, ratio);
        ASSERT_EQ(drawn.size(), device.size()) << id;
        drawn.setDevicePixelRatio(1);
        EXPECT_EQ(DifferingPixels(shown, OnFace(drawn, device.size())), 0) << id;
        if (ratio > 1) {
            const QImage enlarged =
                QImage(QStringLiteral("res:icon/%1").arg(icon))
                    .scaled(device.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            EXPECT_GT(DifferingPixels(shown, OnFace(enlarged, device.size())), 0) << id;
        }
    }
}

TEST_F(ToolBarFixture, BackAndNextDoNothingRightAfterStartUp)
{
    Click(1013);
    Click(1014);
    EXPECT_EQ(host.page.current, "firstpage");
    EXPECT_EQ(host.page.redraws, 0);
    EXPECT_EQ(host.history.current(), 0);
}

TEST_F(ToolBarFixture, BackAndNextWalkTheHistoryAndAChoiceJumpsToTheEnd)
{
    for (const char* name : {"A", "B", "C"})
        Choose(host, name);
    Click(1013);
    EXPECT_EQ(host.page.current, "B");
    Click(1013);
    EXPECT_EQ(host.page.current, "A");
    Click(1014);
    EXPECT_EQ(host.page.current, "B");
    Click(1013);
    // A choice made after stepping back is appended after the last entry.
    Choose(host, "D");
    EXPECT_EQ(host.history.count(), 5);
    EXPECT_EQ(host.history.current(), 4);
    Click(1014);
    EXPECT_EQ(host.page.current, "D");
    Click(1013);
    EXPECT_EQ(host.page.current, "C");
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(ToolBarFixture, HomeOpensTheCataloguePageAndLeavesTheHistoryAlone)
{
    Choose(host, "A");
    const int redraws = host.page.redraws;
    Click(1015);
    EXPECT_EQ(opener.opened,
              QStringList{QStringLiteral("http://www.velmor.example/shiji/index.aspx")});
    EXPECT_EQ(host.page.current, "A");
    EXPECT_EQ(host.page.redraws, redraws);
    EXPECT_EQ(host.history.count(), 2);
}

TEST_F(ToolBarFixture, BusinessGoesToTheOwnerEveryTime)
{
    Click(1028);
    Click(1028);
    EXPECT_EQ(host.commands, (std::vector<int>{1028, 1028}));
    EXPECT_EQ(host.page.current, "firstpage");
}

TEST_F(ToolBarFixture, HiddenButtonsActOnTheirCommandsAndStayHidden)
{
    bar.Button(1017)->click();
    bar.Button(1018)->click();
    bar.OnCommand(1017);
    EXPECT_EQ(host.sidebar, (std::vector<bool>{false, true, false}));
    bar.OnCommand(1019);
    EXPECT_EQ(opener.opened, QStringList{CDialogToolBar::CataloguePage()});
    for (int id : kHidden)
        EXPECT_FALSE(bar.Button(id)->isVisible()) << id;
}

TEST_F(ToolBarFixture, AboutCommandShowsTheAboutBoxUntilClosed)
{
    QString caption;
    QString buttonText;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(qobject_cast<CDialogHelp*>(modal), nullptr);
        caption = modal->windowTitle();
        buttonText = modal->findChild<QPushButton*>()->text();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    bar.OnCommand(1016);
    EXPECT_EQ(caption, QStringLiteral("关于"));
    EXPECT_EQ(buttonText, QStringLiteral("确定"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DialogToolBar, MissingControlsLeaveTheBarStanding)
{
    FakeHost host;
    std::optional<DialogTemplate> cut = LoadDialogTemplate(CDialogToolBar::kTemplateId);
    ASSERT_TRUE(cut);
    cut->controls.pop_back(); // no 商业合作
    QWidget frame;
    CDialogToolBar bar(host);
    EXPECT_TRUE(bar.CreateFromTemplate(*cut, &frame));
    EXPECT_EQ(bar.Button(1013)->text(), QStringLiteral("上一步"));
}

TEST(DialogHelp, CaptionAndOneDefaultOkButtonClosedByOkOrEscape)
{
    CDialogHelp about;
    ASSERT_TRUE(about.IsBuilt());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于"));
    const auto buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), QStringLiteral("确定"));
    EXPECT_TRUE(buttons[0]->isDefault());
    EXPECT_EQ(about.size(), DialogBaseUnits::OfFont(about.font()).ToPixels(QSize(187, 94)));

    QTimer::singleShot(0, buttons[0], [&] { QTest::mouseClick(buttons[0], Qt::LeftButton); });
    EXPECT_EQ(about.DoModal(), QDialog::Accepted);
    QTimer::singleShot(0, &about, [&] { QTest::keyClick(&about, Qt::Key_Escape); });
    EXPECT_EQ(about.DoModal(), QDialog::Rejected);
}

TEST_F(ToolBarFixture, AHoveredButtonShowsItsWholeEdgeOverItsNeighbour)
{
    const QColor highlight = QColor(SystemColour(SysColour::BtnHighlight).rgb());
    const QColor shadow = QColor(SystemColour(SysColour::BtnShadow).rgb());
    // 下一步 and 主页 overlap by one dialog unit; the later sibling lies on top at first.
    EXPECT_TRUE(bar.Button(1014)->geometry().intersects(bar.Button(1015)->geometry()));
    for (int id : {1013, 1014, 1015}) {
        CIconButton* button = bar.Button(id);
        const QPoint inside(5, 5);
        QMouseEvent move(QEvent::MouseMove, inside, button->mapToGlobal(inside), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &move);
        ASSERT_TRUE(button->IsHovered()) << id;
        const QImage image = bar.grab().toImage();
        const QRect edge = button->geometry();
        for (int y : {edge.top() + 1, edge.center().y(), edge.bottom() - 1}) {
            EXPECT_EQ(image.pixelColor(edge.left(), y), highlight) << id << " y " << y;
            EXPECT_EQ(image.pixelColor(edge.right(), y), shadow) << id << " y " << y;
        }
        EXPECT_EQ(image.pixelColor(edge.center().x(), edge.bottom()), shadow) << id;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
    }
}

TEST_F(ToolBarFixture, TheBusinessCaptionLiesInsideTheHoverEdge)
{
    // Icon and two-line caption side by side fill the button's whole width: the caption's
    // glyphs must not run into the edge that hovering raises around it.
    CIconButton* button = bar.Button(1028);
    const QPoint inside(5, 5);
    QMouseEvent move(QEvent::MouseMove, inside, button->mapToGlobal(inside), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &move);
    ASSERT_TRUE(button->IsHovered());
    const QImage image = button->grab().toImage();
    const QColor highlight = QColor(SystemColour(SysColour::BtnHighlight).rgb());
    const QColor shadow = QColor(SystemColour(SysColour::BtnShadow).rgb());
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (int y = 0; y < bottom; ++y)
        EXPECT_EQ(image.pixelColor(0, y), highlight) << "left, y " << y;
    for (int y = 1; y <= bottom; ++y)
        EXPECT_EQ(image.pixelColor(right, y), shadow) << "right, y " << y;
    for (int x = 1; x < right; ++x) {
        EXPECT_EQ(image.pixelColor(x, 0), highlight) << "top, x " << x;
        EXPECT_EQ(image.pixelColor(x, bottom), shadow) << "bottom, x " << x;
    }
}

TEST_F(ToolBarFixture, TheShownButtonsPaintTheirOwnIcons)
{
    const std::pair<int, int> icons[] = {{1013, 142}, {1014, 143}, {1015, 145}, {1028, 187}};
    for (const auto& [id, icon] : icons) {
        CIconButton* button = bar.Button(id);
        const QRect at = button->LayoutFace(false).image;
        QImage expected(at.size(), QImage::Format_ARGB32);
        expected.fill(SystemColour(SysColour::BtnFace));
        QPainter(&expected).drawImage(0, 0, QImage(ResourcePath(u"icon", icon)));
        const QImage painted =
            button->grab().toImage().copy(at).convertToFormat(QImage::Format_ARGB32);
        // Blending the icon's soft edges may round a channel differently; anything else is
        // another picture.
        ASSERT_EQ(painted.size(), expected.size()) << id;
        int differing = 0;
        for (int y = 0; y < at.height(); ++y)
            for (int x = 0; x < at.width(); ++x) {
                const QRgb a = painted.pixel(x, y), b = expected.pixel(x, y);
                differing += std::abs(qRed(a) - qRed(b)) > 2 ||
                             std::abs(qGreen(a) - qGreen(b)) > 2 ||
                             std::abs(qBlue(a) - qBlue(b)) > 2;
            }
        EXPECT_EQ(differing, 0) << id;
    }
}

TEST_F(ToolBarFixture, EnterOnAFocusedButtonPressesIt)
{
    for (const char* name : {"A", "B"})
        Choose(host, name);
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    bar.Button(1013)->setFocus();
    QTest::keyClick(bar.Button(1013), Qt::Key_Return);
    EXPECT_EQ(host.page.current, "A");
    // Tab moves on to 下一步, which Enter then presses.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), bar.Button(1014));
    QTest::keyClick(bar.Button(1014), Qt::Key_Enter);
    EXPECT_EQ(host.page.current, "B");
}

TEST(DialogToolBar, HomeGoesThroughTheDesktopsOpenerAndItsFallback)
{
    FakeDesktop desktop;
    desktop.WriteOpener(1);
    desktop.WriteHandler(0);
    FakeHost host;
    QWidget frame;
    CDialogToolBar bar(host);
    ASSERT_TRUE(bar.Create(&frame, CDialogToolBar::kTemplateId, 134));
    QTest::mouseClick(bar.Button(1015), Qt::LeftButton);
    const QString expected =
        QStringLiteral("--new-window\n") + CDialogToolBar::CataloguePage() + u'\n';
    EXPECT_TRUE(WaitUntil([&] { return desktop.Log(QStringLiteral("browser.log")) == expected; }));
    EXPECT_EQ(desktop.Log(QStringLiteral("open.log")), CDialogToolBar::CataloguePage() + u'\n');
}
