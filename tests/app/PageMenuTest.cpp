// The page's context menu: its items, keys and enabled states, what they copy, the routes that
// open it, and the print preview it offers.

#include "VELMORView.h"

#include "OwnerMenu.h"
#include "ShownView.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QStringList kItems = {"复制\tCtrl+C",
                            "全选\tCtrl+A",
                            "复制本页文字",
                            "复制试剂名称",
                            "复制 CAS 号",
                            "复制结构式图片",
                            "",
                            "打印预览…",
                            "打印…\tCtrl+P"};

class PageMenu : public ShownView
{
protected:
    const std::string ethanol = gbkOf("乙醇");
    const std::string water = gbkOf("水");

    void SetUp() override
    {
        WriteRedPicture(QStringLiteral("ethanol.png"), {40, 30});
        Show({reagent(ethanol, {{Field::CasNumber, "64-17-5"},
                                {Field::StructureImage, "ethanol.png"},
                                {Field::Remarks, std::string(70 * 100, 'r')}}),
              reagent(water, {{Field::CasNumber, "-"}, {Field::StructureImage, "missing.png"}})});
        Open(ethanol);
    }

    static QStringList Texts(const QMenu& menu)
    {
        QStringList texts;
        for (const QAction* action : menu.actions())
            texts << action->text();
        return texts;
    }

    /// Whether each item is enabled, the separator left out.
    static std::vector<bool> Enabled(const QMenu& menu)
    {
        std::vector<bool> enabled;
        for (const QAction* action : menu.actions())
            if (!action->isSeparator())
                enabled.push_back(action->isEnabled());
        return enabled;
    }

    static QAction* Item(const QMenu& menu, const QString& text)
    {
        for (QAction* action : menu.actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }

    /// Runs `open` and returns the items of the popup menu it showed, closing it.
    QStringList ShownMenu(const std::function<void()>& open)
    {
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<COwnerMenu*>(QApplication::activePopupWidget());
            if (menu) {
                shown = Texts(*menu);
                menu->close();
            }
        });
        open();
        return shown;
    }

    QString Clipboard() { return QApplication::clipboard()->text(); }
};

int CountPdfPages(const QString& path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(
        QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page\\b")));
}

} // namespace

TEST_F(PageMenu, TheItemsAndTheirKeysInTheOwnerDrawnMenu)
{
    const std::unique_ptr<COwnerMenu> menu = view.CreateContextMenu();
    EXPECT_EQ(Texts(*menu), kItems);
    EXPECT_TRUE(menu->actions()[6]->isSeparator());
    // Nothing selected yet; the reagent has a CAS number and a picture.
    EXPECT_EQ(Enabled(*menu), (std::vector<bool>{false, true, true, true, true, true, true, true}));

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(view.CreateContextMenu()->actions()[0]->isEnabled()) << "复制 with a selection";

    Open(water); // a CAS number of one byte is not shown, and the picture does not load
    EXPECT_EQ(Enabled(*view.CreateContextMenu()),
              (std::vector<bool>{false, true, true, true, false, false, true, true}));
    Open("firstpage");
    EXPECT_EQ(Enabled(*view.CreateContextMenu()),
              (std::vector<bool>{false, true, true, false, false, false, true, true}));
}

TEST_F(PageMenu, TheCopyItemsPutWhatTheySayOnTheClipboard)
{
    const std::unique_ptr<COwnerMenu> menu = view.CreateContextMenu();
    Item(*menu, "复制试剂名称")->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral("乙醇"));
    Item(*menu, "复制 CAS 号")->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral("64-17-5"));
    Item(*menu, "复制结构式图片")->trigger();
    const QImage picture = QApplication::clipboard()->image();
    EXPECT_EQ(picture.size(), QSize(40, 30));
    EXPECT_EQ(picture.pixelColor(20, 15), QColor(Qt::red));

    // The page's text, whatever is selected, and the selection left as it was.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(300, 20));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(300, 20));
    ASSERT_EQ(view.SelectedText(), "乙醇");
    Item(*menu, "复制本页文字")->trigger();
    EXPECT_EQ(Clipboard().toStdString(), view.PageText(view.viewport()->size()));
    EXPECT_TRUE(Clipboard().startsWith(QStringLiteral("乙醇\nCAS号：64-17-5\n结构式：\n")));
    EXPECT_EQ(view.SelectedText(), "乙醇");
    Item(*menu, "复制\tCtrl+C")->trigger();
    EXPECT_NE(Clipboard(), QStringLiteral("乙醇"))
        << "disabled in a menu opened without a selection";
    Item(*view.CreateContextMenu(), "复制\tCtrl+C")->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral("乙醇"));
    Item(*menu, "全选\tCtrl+A")->trigger();
    EXPECT_EQ(view.SelectedText(), view.PageText(view.viewport()->size()));
}

TEST_F(PageMenu, ARightClickTheMenuKeyAndShiftF10OpenIt)
{
    QWidget* viewport = view.viewport();
    EXPECT_EQ(ShownMenu([&] {
                  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(300, 300),
                                          viewport->mapToGlobal(QPoint(300, 300)));
                  QApplication::sendEvent(viewport, &click);
              }),
              kItems);
    EXPECT_EQ(ShownMenu([&] { QTest::keyClick(&view, Qt::Key_Menu); }), kItems);
    EXPECT_EQ(ShownMenu([&] { QTest::keyClick(&view, Qt::Key_F10, Qt::ShiftModifier); }), kItems);
    EXPECT_EQ(ShownMenu([&] { QTest::keyClick(&view, Qt::Key_F10); }), QStringList())
        << "F10 alone opens nothing";
}

TEST_F(PageMenu, ThePrintPreviewShowsTheSheetsThatPrintingPrintsInChinese)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    view.PrintPage(printer);
    const int printed = CountPdfPages(dir.filePath("page.pdf"));
    ASSERT_GT(printed, 1);

    QString title;
    QStringList texts;
    int previewed = -1;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        title = preview->windowTitle();
        if (auto* sheets = preview->findChild<QPrintPreviewWidget*>())
            previewed = sheets->pageCount();
        for (const QAction* action : preview->findChildren<QAction*>())
            texts << action->text();
        preview->reject();
    });
    Item(*view.CreateContextMenu(), "打印预览…")->trigger();
    EXPECT_EQ(title, QStringLiteral("打印预览"));
    EXPECT_EQ(previewed, printed);
    for (const char* english : {"Next page", "Previous page", "Print", "Close", "Page setup",
                                "Fit width", "Zoom in", "Portrait", "Landscape"})
        EXPECT_FALSE(texts.contains(QString::fromUtf8(english))) << english;
    EXPECT_TRUE(texts.contains(QStringLiteral("下一页"))) << texts.join(u' ').toStdString();
}
