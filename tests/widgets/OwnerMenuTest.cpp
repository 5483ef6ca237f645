#include "OwnerMenu.h"
#include "ColourBlend.h"
#include "CommandEvent.h"
#include "IconButton.h"
#include "MenuResourceBytes.h"
#include "MenuTemplate.h"
#include "MenuTheme.h"
#include "OwnerMenuShared.h"
#include "ResourcePath.h"
#include "SystemColours.h"
#include "ToolbarResource.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace menubytes;

namespace {

// File, with New, a separator, Open<tab>Ctrl+O (checked), &Find (grayed) and E&xit.
QByteArray SampleMenu(quint16 headerExtra = 0)
{
    QByteArray bytes = Header(headerExtra);
    Popup(bytes, 0x80, QStringLiteral("&File"));
    Item(bytes, 0, 100, QStringLiteral("&New"));
    Item(bytes, 0, 0, QString());
    Item(bytes, 0x08, 101, QStringLiteral("&Open\tCtrl+O"));
    Item(bytes, 0x01, 102, QStringLiteral("&Find"));
    Item(bytes, 0x80, 103, QStringLiteral("E&xit"));
    return bytes;
}

// Two 16 x 15 images on the key colour: a red square, then a blue one.
QImage SampleStrip(QColor key)
{
    QImage strip(32, 15, QImage::Format_RGB32);
    strip.fill(key);
    for (int y = 3; y < 12; ++y)
        for (int x = 3; x < 13; ++x) {
            strip.setPixel(x, y, qRgb(200, 0, 0));
            strip.setPixel(16 + x, y, qRgb(0, 0, 200));
        }
    return strip;
}

struct Looks : ::testing::Test
{
    void TearDown() override { COwnerMenu::SelectDrawLook(COwnerMenu::kXPLook); }
};

} // namespace

TEST(MenuTemplate, ReadsNestedItemsAfterTheHeader)
{
    const auto items = ParseMenuTemplate(SampleMenu(4));
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 1u);
    const MenuTemplateItem& file = (*items)[0];
    EXPECT_TRUE(file.IsPopup());
    EXPECT_EQ(file.flags, MenuTemplateItem::kPopup); // the end mark is taken off
    EXPECT_EQ(file.text, QStringLiteral("&File"));
    ASSERT_EQ(file.items.size(), 5u);
    EXPECT_EQ(file.items[0].id, 100);
    EXPECT_TRUE(file.items[1].IsSeparator());
    EXPECT_EQ(file.items[2].text, QStringLiteral("&Open\tCtrl+O"));
    EXPECT_EQ(file.items[2].flags, MenuTemplateItem::kChecked);
    EXPECT_EQ(file.items[4].id, 103);
}

TEST(MenuTemplate, TruncatedBytesAreRefused)
{
    const QByteArray bytes = SampleMenu();
    for (int cut : {0, 3, 6, 10, static_cast<int>(bytes.size()) - 2})
        EXPECT_FALSE(ParseMenuTemplate(QByteArrayView(bytes).first(cut))) << cut;
    EXPECT_FALSE(ParseMenuTemplate(Header(200)));
}

TEST(ToolbarResource, ReadsVersionOneAndNumbersTheImages)
{
    const auto toolbar = ParseToolbarResource(Toolbar(16, 15, {100, 0, 101, 102}));
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(toolbar->imageWidth, 16);
    EXPECT_EQ(toolbar->imageHeight, 15);
    EXPECT_EQ(toolbar->commandIds, (std::vector<quint16>{100, 0, 101, 102}));
    EXPECT_EQ(toolbar->ImageIndexes(), (std::vector<int>{0, -1, 1, 2}));
    // A leading separator does not shift the images.
    EXPECT_EQ(ParseToolbarResource(Toolbar(16, 15, {0, 100}))->ImageIndexes(),
              (std::vector<int>{-1, 0}));

    EXPECT_FALSE(ParseToolbarResource(Toolbar(16, 15, {100}, 2)));
    EXPECT_FALSE(ParseToolbarResource(Toolbar(0, 15, {100})));
    EXPECT_FALSE(ParseToolbarResource(Toolbar(16, 15, {100, 101}).first(10)));
}

TEST(ColourBlend, TintAndShadeWithinTheFactorRange)
{
    EXPECT_EQ(TintTowardWhite(QColor(0, 0, 0), 0.5), QColor(127, 127, 127));
    EXPECT_EQ(TintTowardWhite(QColor(100, 200, 0), 1.0), QColor(255, 255, 255));
    EXPECT_EQ(TintTowardWhite(QColor(10, 20, 30), 0.0), QColor(10, 20, 30));
    EXPECT_EQ(TintTowardWhite(QColor(10, 20, 30), 1.5), QColor(10, 20, 30));
    EXPECT_EQ(ShadeTowardBlack(QColor(200, 101, 0), 0.5), QColor(100, 50, 0));
    EXPECT_EQ(ShadeTowardBlack(QColor(200, 101, 0), -0.5), QColor(200, 101, 0));
}

TEST(MenuTheme, TheClassicLookFollowsTheClassicWindowsStyle)
{
    const std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("windows")));
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    EXPECT_TRUE(IsClassicStyle(windows.get()));
    EXPECT_FALSE(IsClassicStyle(fusion.get()));

    OwnerMenuShared& shared = SharedMenuState();
    const OwnerMenuShared saved = shared;
    shared.styleUnderLuna = COwnerMenu::kXPLook;
    shared.styleOtherwise = COwnerMenu::kClassicLook;
    const QString before = QApplication::style()->name();
    QApplication::setStyle(QStringLiteral("windows"));
    EXPECT_TRUE(IsClassicTheme());
    EXPECT_FALSE(COwnerMenu::IsLunaDesktop());
    EXPECT_FALSE(COwnerMenu::IsXPLookActive());
    QApplication::setStyle(QStringLiteral("fusion"));
    EXPECT_FALSE(IsClassicTheme());
    EXPECT_TRUE(COwnerMenu::IsXPLookActive());
    QApplication::setStyle(before);
    shared = saved;
}

TEST_F(Looks, SeparatorAndItemMeasuresFollowTheLook)
{
    COwnerMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(SampleMenu()));
    MenuItemData separator;
    separator.m_nFlags = MenuItemData::kSeparator;
    MenuItemData item;
    item.m_pszText = QStringLiteral("&Open\tCtrl+O");
    const int textWidth = menu.fontMetrics().horizontalAdvance(item.m_pszText);
    const int bar = menu.MenuBarHeight();

    COwnerMenu::SelectDrawLook(COwnerMenu::kClassicLook);
    EXPECT_EQ(menu.MeasureItem(separator), QSize(0, std::max(bar / 2, 9)));
    EXPECT_EQ(menu.MeasureItem(item), QSize(16 + textWidth + 1 + 16, std::max(bar, 19)));

    COwnerMenu::SelectDrawLook(COwnerMenu::kXPLook);
    EXPECT_EQ(menu.MeasureItem(separator), QSize(0, std::max(bar / 2, 11)));
    EXPECT_EQ(menu.MeasureItem(item), QSize(16 + 7 + 8 + textWidth, std::max(bar, 22)));

    menu.SetIconDimensions(32, 40);
    EXPECT_EQ(menu.MeasureItem(separator).height(), std::max(bar / 2, 47 / 2));
    EXPECT_EQ(menu.SubMenu(0)->IconHeight(), 40);
}

TEST(OwnerMenu, LoadsItemsWithTheirStatesAndKnowsItsMenus)
{
    COwnerMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(SampleMenu()));
    EXPECT_TRUE(menu.IsLoaded());
    COwnerMenu* file = menu.SubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(COwnerMenu::IsMenu(&menu));
    EXPECT_TRUE(COwnerMenu::IsMenu(file));
    ASSERT_EQ(file->ItemCount(), 5);
    const QList<QAction*> items = file->actions();
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_TRUE(items[2]->isChecked());
    EXPECT_FALSE(items[3]->isEnabled());
    EXPECT_EQ(items[4]->data().toInt(), 103);
    EXPECT_EQ(file->ItemLabelAt(2), QStringLiteral("&Open\tCtrl+O"));

    menu.DestroyMenu();
    EXPECT_FALSE(COwnerMenu::IsMenu(&menu));
    EXPECT_EQ(menu.ItemCount(), 0);
    EXPECT_FALSE(menu.LoadMenuTemplate(Header()));
}

TEST(OwnerMenu, MnemonicsMatchAmpersandAndCharacterInAnyCase)
{
    QByteArray bytes = Header();
    Popup(bytes, 0x80, QStringLiteral("Top"));
    Item(bytes, 0, 1, QStringLiteral("New"));
    Item(bytes, 0, 2, QStringLiteral("Fine"));
    Item(bytes, 0x80, 3, QStringLiteral("&File"));
    COwnerMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(bytes));
    COwnerMenu* popup = menu.SubMenu(0);
    EXPECT_EQ(COwnerMenu::MatchMnemonic(QLatin1Char('f'), COwnerMenu::kMfPopup, popup),
              2u | COwnerMenu::kMncExecute << 16);
    EXPECT_EQ(COwnerMenu::MatchMnemonic(QLatin1Char('F'), COwnerMenu::kMfPopup, popup),
              2u | COwnerMenu::kMncExecute << 16);
    EXPECT_EQ(COwnerMenu::MatchMnemonic(QLatin1Char('n'), COwnerMenu::kMfPopup, popup), 0u);
    EXPECT_EQ(COwnerMenu::MatchMnemonic(QLatin1Char('f'), 0, popup), 0u);
    EXPECT_EQ(COwnerMenu::MatchMnemonic(QLatin1Char('f'), COwnerMenu::kMfPopup, nullptr), 0u);

    // Items added without a record are picked up before matching.
    popup->addAction(QStringLiteral("&Zoom"));
    EXPECT_EQ(COwnerMenu::MatchMnemonic(QLatin1Char('z'), COwnerMenu::kMfPopup, popup),
              3u | COwnerMenu::kMncExecute << 16);
}

TEST_F(Looks, AcceleratorTextEndsAnIconWidthBeforeTheRightEdge)
{
    COwnerMenu::SelectDrawLook(COwnerMenu::kClassicLook);
    COwnerMenu menu;
    MenuItemData item;
    item.m_pszText = QStringLiteral("Open\tCtrl+O");
    const QRect rect(0, 0, 200, 22);
    QImage image(rect.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    menu.DrawItem(painter, item, rect, {});
    painter.end();

    const QRgb background = SystemColour(SysColour::Menu).rgb();
    const auto columnHasInk = [&](int x) {
        for (int y = 0; y < rect.height(); ++y)
            if (image.pixel(x, y) != background)
                return true;
        return false;
    };
    int rightmost = -1;
    for (int x = 0; x < rect.width(); ++x)
        if (columnHasInk(x))
            rightmost = x;
    EXPECT_LT(rightmost, 200 - 16);
    EXPECT_GE(rightmost, 200 - 16 - 3);
    int leftmost = -1;
    for (int x = 0; x < rect.width() && leftmost < 0; ++x)
        if (columnHasInk(x))
            leftmost = x;
    EXPECT_GE(leftmost, 16 + 9);
    EXPECT_LE(leftmost, 16 + 9 + 2);
}

TEST_F(Looks, CheckedItemWithoutIconGetsTheSevenStrokeTick)
{
    COwnerMenu::SelectDrawLook(COwnerMenu::kClassicLook);
    COwnerMenu menu;
    MenuItemData item;
    item.m_pszText = QStringLiteral("Wrap");
    const QRect rect(0, 0, 120, 23);
    QImage image(rect.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    menu.DrawItem(painter, item, rect, {false, false, true});
    painter.end();
    // dy = (23 - 4 - 15) / 2 = 2: the mark's box starts at (1, 4), the tick at (5, 8).
    const QRgb ink = SystemColour(SysColour::MenuText).rgb();
    const int drops[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int column = 0; column < 7; ++column) {
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(image.pixel(5 + column, 8 + drops[column] + row), ink) << column;
        EXPECT_NE(image.pixel(5 + column, 8 + drops[column] + 3), ink) << column;
    }
}

TEST_F(Looks, ToolbarImagesGoToTheItemsWithTheirCommandIds)
{
    COwnerMenu::SelectDrawLook(COwnerMenu::kXPLook);
    COwnerMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(SampleMenu()));
    menu.SetIconKeyColour(QColor(192, 192, 192));
    const auto toolbar = ParseToolbarResource(Toolbar(16, 15, {0, 100, 0, 101}));
    ASSERT_TRUE(menu.AttachToolbarImages(*toolbar, SampleStrip(QColor(192, 192, 192))));

    const MenuItemData* open = menu.SubMenu(0)->ItemAt(2);
    ASSERT_GE(open->m_nGlobalIndex, 0);
    const QImage icon = COwnerMenu::SharedIcon(open->m_nGlobalIndex);
    EXPECT_EQ(icon.pixel(6, 6), qRgb(0, 0, 200));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0); // the key colour is left out
    // In the flat look a faded and a shadow copy follow the icon.
    EXPECT_EQ(COwnerMenu::SharedIconId(open->m_nGlobalIndex + 1), 101);
    EXPECT_EQ(COwnerMenu::SharedIconId(open->m_nGlobalIndex + 2), 101);
    const QImage faded = COwnerMenu::SharedIcon(open->m_nGlobalIndex + 1);
    EXPECT_EQ(faded.pixel(6, 6), TintTowardWhite(QColor(0, 0, 200), 0.3).rgb());
    const QImage shadow = COwnerMenu::SharedIcon(open->m_nGlobalIndex + 2);
    EXPECT_EQ(shadow.pixel(6, 6), SystemColour(SysColour::BtnShadow).rgb());

    EXPECT_EQ(menu.SubMenu(0)->ItemAt(3)->m_nGlobalIndex, -1);
    EXPECT_EQ(COwnerMenu::SharedIcon(menu.SubMenu(0)->ItemAt(0)->m_nGlobalIndex).pixel(6, 6),
              qRgb(200, 0, 0));

    // Attaching again replaces the entries in place.
    const int before = COwnerMenu::SharedIconCount();
    menu.AttachToolbarImages(*toolbar, SampleStrip(QColor(192, 192, 192)));
    EXPECT_EQ(COwnerMenu::SharedIconCount(), before);
}

namespace {

struct CommandCatcher : QObject
{
    bool event(QEvent* event) override
    {
        if (event->type() != CommandEvent::EventType())
            return QObject::event(event);
        commands << static_cast<CommandEvent*>(event)->CommandId();
        return true;
    }
    QList<int> commands;
};

struct ButtonMenuFixture : ::testing::Test
{
    void SetUp() override
    {
        ResourcePath(u"menu", 0); // the compiled-in resources come first
        QDir root(resources.path());
        root.mkpath(QStringLiteral("menu"));
        root.mkpath(QStringLiteral("toolbar"));
        root.mkpath(QStringLiteral("bitmap"));
        Write(QStringLiteral("menu/7001"), SampleMenu());
        Write(QStringLiteral("toolbar/7001"), Toolbar(16, 15, {100, 101}));
        SampleStrip(QColor(192, 192, 192))
            .save(root.filePath(QStringLiteral("bitmap/7001")), "PNG");
        QDir::addSearchPath(QStringLiteral("res"), resources.path());
        parent.resize(200, 100);
        button = new CIconButton(&parent);
        button->setGeometry(10, 10, 60, 30);
        parent.show();
    }
    void TearDown() override
    {
        QStringList paths = QDir::searchPaths(QStringLiteral("res"));
        paths.removeAll(resources.path());
        QDir::setSearchPaths(QStringLiteral("res"), paths);
    }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(QDir(resources.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir resources;
    QWidget parent;
    CIconButton* button = nullptr;
    CommandCatcher catcher;
};

} // namespace

TEST_F(ButtonMenuFixture, SetDropMenuReportsMissingResources)
{
    EXPECT_EQ(button->SetDropMenu(7999, &catcher), CIconButton::kInvalidResource);
    EXPECT_EQ(button->DropMenu(), nullptr);
    EXPECT_EQ(button->SetDropMenu(7001, &catcher, 1, 7999), CIconButton::kInvalidResource);
    EXPECT_EQ(button->DropMenu(), nullptr);
    EXPECT_EQ(button->SetDropMenu(7001, &catcher, 0, 7001), CIconButton::kOk);
    ASSERT_NE(button->DropMenu(), nullptr);
    EXPECT_FALSE(COwnerMenu::IsXPLookActive());
    EXPECT_GE(button->DropMenu()->SubMenu(0)->ItemAt(0)->m_nGlobalIndex, 0);
    EXPECT_EQ(button->SetDropMenu(0, &catcher), CIconButton::kOk);
    EXPECT_EQ(button->DropMenu(), nullptr);
    COwnerMenu::SelectDrawLook(COwnerMenu::kXPLook);
}

TEST_F(ButtonMenuFixture, ClickShowsTheMenuAndPostsTheChosenCommand)
{
    ASSERT_EQ(button->SetDropMenu(7001, &catcher), CIconButton::kOk);
    COwnerMenu* popup = button->DropMenu()->SubMenu(0);
    QRect shownAt;
    QTimer::singleShot(0, popup, [&] {
        shownAt = popup->geometry();
        EXPECT_TRUE(popup->isVisible());
        // Typing the mnemonic of "E&xit" chooses it.
        QTest::keyClick(popup, Qt::Key_X);
    });
    button->click();
    EXPECT_EQ(shownAt.topLeft(), button->mapToGlobal(QPoint(0, button->height())));
    EXPECT_TRUE(catcher.commands.isEmpty()); // posted, not sent
    QCoreApplication::sendPostedEvents(&catcher);
    EXPECT_EQ(catcher.commands, QList<int>{103});

    QTimer::singleShot(0, popup, [&] { popup->close(); });
    button->click();
    QCoreApplication::sendPostedEvents(&catcher);
    EXPECT_EQ(catcher.commands, QList<int>{103});
}

TEST_F(ButtonMenuFixture, MenuItemsAreLaidOutAtTheirMeasuredHeights)
{
    ASSERT_EQ(button->SetDropMenu(7001, &catcher, 1), CIconButton::kOk);
    COwnerMenu* popup = button->DropMenu()->SubMenu(0);
    popup->popup(QPoint(0, 0));
    const QList<QAction*> items = popup->actions();
    const QRect first = popup->actionGeometry(items[0]);
    const QRect separator = popup->actionGeometry(items[1]);
    MenuItemData sample;
    sample.m_pszText = items[0]->text();
    EXPECT_EQ(first.height(), popup->MeasureItem(sample).height());
    EXPECT_EQ(separator.top(), first.bottom() + 1);
    EXPECT_EQ(separator.height(), std::max(popup->MenuBarHeight() / 2, 11));
    // The widest text with its accelerator fits.
    sample.m_pszText = items[2]->text();
    EXPECT_GE(popup->actionGeometry(items[2]).width(), popup->MeasureItem(sample).width());
    popup->close();
}

TEST_F(ButtonMenuFixture, DisabledItemsAreSelectedAndHighlightedOnlyInTheClassicLook)
{
    for (int look : {COwnerMenu::kClassicLook, COwnerMenu::kXPLook}) {
        ASSERT_EQ(button->SetDropMenu(7001, &catcher, look), CIconButton::kOk);
        COwnerMenu* popup = button->DropMenu()->SubMenu(0);
        popup->popup(QPoint(0, 0));
        QAction* find = popup->actions()[3]; // &Find, grayed
        const QRect item = popup->actionGeometry(find);
        QMouseEvent move(QEvent::MouseMove, item.center(), popup->mapToGlobal(item.center()),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(popup, &move);
        const QImage image = popup->grab().toImage();
        const QColor atRight = image.pixelColor(item.right() - 3, item.center().y());
        if (look == COwnerMenu::kClassicLook) {
            EXPECT_EQ(popup->activeAction(), find);
            EXPECT_EQ(atRight, SystemColour(SysColour::Highlight));
        } else {
            EXPECT_NE(popup->activeAction(), find);
            EXPECT_EQ(atRight, SystemColour(SysColour::Window));
        }
        popup->close();
    }
    COwnerMenu::SelectDrawLook(COwnerMenu::kXPLook);
}

TEST_F(ButtonMenuFixture, AGrayedItemsTextIsPaintedInTheDisabledColourGroup)
{
    // Red for disabled text, black for active text: a grayed item must show the one only.
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(255, 0, 0));
    QApplication::setPalette(palette);
    for (int look : {COwnerMenu::kClassicLook, COwnerMenu::kXPLook}) {
        SCOPED_TRACE(look);
        ASSERT_EQ(button->SetDropMenu(7001, &catcher, look), CIconButton::kOk);
        COwnerMenu* popup = button->DropMenu()->SubMenu(0);
        popup->popup(QPoint(0, 0));
        const QRect item = popup->actionGeometry(popup->actions()[3]); // &Find, grayed
        const QImage image = popup->grab().toImage().copy(item);
        int red = 0;
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
                dark += c.red() < 60 && c.green() < 60 && c.blue() < 60;
            }
        EXPECT_GT(red, 5);
        EXPECT_EQ(dark, 0);
        popup->close();
    }
    QApplication::setPalette(saved);
    COwnerMenu::SelectDrawLook(COwnerMenu::kXPLook);
}
