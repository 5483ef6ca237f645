#include "DialogBuilder.h"
#include "ControlId.h"
#include "Dialog.h"
#include "DialogUnits.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

const char* const kTemplate = R"({
  "id": 77,
  "font": {"face": "宋体", "points": 12},
  "size": [157, 120],
  "controls": [
    {"id": 1004, "class": "BUTTON", "text": "检索", "rect": [117, 8, 32, 14],
     "styles": ["BS_PUSHBUTTON", "WS_TABSTOP"]},
    {"class": "STATIC", "text": "CAS", "rect": [12, 11, 16, 14], "styles": ["SS_LEFT"]},
    {"id": 1006, "class": "EDIT", "rect": [30, 8, 82, 14],
     "styles": ["ES_AUTOHSCROLL", "WS_BORDER", "WS_TABSTOP"]},
    {"id": 1002, "class": "BUTTON", "text": "中文", "rect": [6, 29, 32, 10],
     "styles": ["BS_AUTORADIOBUTTON"]},
    {"id": 1007, "class": "SysListView32", "rect": [7, 30, 143, 80],
     "styles": ["LVS_REPORT", "WS_TABSTOP"]},
    {"id": 1009, "class": "BUTTON", "text": "隐藏", "rect": [1, 1, 10, 10],
     "styles": ["BS_PUSHBUTTON", "WS_TABSTOP", "NOT WS_VISIBLE"]}
  ]
})";

DialogTemplate Parsed(const char* json)
{
    QString error;
    const std::optional<DialogTemplate> parsed = ParseDialogTemplate(QByteArray(json), &error);
    EXPECT_TRUE(parsed) << error.toStdString();
    return parsed.value_or(DialogTemplate{});
}

} // namespace

TEST(DialogUnitsTest, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(30, 7, 4), 53); // 52.5
    EXPECT_EQ(MulDiv(5, 7, 4), 9);   // 8.75
    EXPECT_EQ(MulDiv(9, 7, 4), 16);  // 15.75
    EXPECT_EQ(MulDiv(13, 7, 4), 23); // 22.75
    EXPECT_EQ(MulDiv(-30, 7, 4), -53);
    EXPECT_EQ(MulDiv(14, 15, 8), 26); // 26.25
    EXPECT_EQ(MulDiv(12, 96, 72), 16);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(DialogUnitsTest, ConvertsPositionAndSizeEachOnTheirOwn)
{
    const DialogBaseUnits units{7, 15};
    // The left 30 and the width 82 round up on their own: 52.5 -> 53 and 143.5 -> 144, so the
    // right edge lands on 197, not on the 196 that converting the corners would give.
    EXPECT_EQ(units.ToPixels(QRect(30, 8, 82, 14)), QRect(53, 15, 144, 26));
    const DialogBaseUnits song{8, 16};
    EXPECT_EQ(song.ToPixels(QRect(6, 41, 144, 219)), QRect(12, 82, 288, 438));
    EXPECT_EQ(song.ToPixels(QSize(157, 322)), QSize(314, 644));
}

TEST(DialogUnitsTest, FontPixelSizesFollowThePointsAt96Dpi)
{
    EXPECT_EQ(DialogFont(QStringLiteral("宋体"), 12).pixelSize(), 16);
    EXPECT_EQ(DialogFont(QStringLiteral("宋体"), 9).pixelSize(), 12);
    // The system font comes in one size only.
    EXPECT_EQ(DialogFont(QStringLiteral("System"), 10).pixelSize(), 16);
}

TEST(DialogUnitsTest, SongFacesKeepTheirOwnUnitsAndOtherFacesAreMeasured)
{
    // The face standing in for the Song face is taller and wider than the Song face: the
    // templates keep the pixels they have on a Chinese Windows desktop.
    const auto units = [](const char* face, int points) {
        const DialogBaseUnits u =
            DialogBaseUnits::OfFont(DialogFont(QString::fromUtf8(face), points));
        return std::make_pair(u.cx, u.cy);
    };
    EXPECT_EQ(units("宋体", 12), std::make_pair(8, 16));
    EXPECT_EQ(units("宋体", 9), std::make_pair(6, 12));
    EXPECT_EQ(units("System", 10), std::make_pair(8, 16));
    const QFontMetrics arial(DialogFont(QStringLiteral("Arial"), 12));
    EXPECT_EQ(units("Arial", 12).second, arial.height());
    EXPECT_EQ(units("Arial", 12).first,
              (arial.horizontalAdvance(
                   QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) /
                   26 +
               1) /
                  2);
}

TEST(DialogTemplateTest, ParsesControlsInOrder)
{
    const DialogTemplate dialog = Parsed(kTemplate);
    EXPECT_EQ(dialog.id, 77);
    EXPECT_EQ(dialog.fontFace, QStringLiteral("宋体"));
    EXPECT_EQ(dialog.pointSize, 12);
    EXPECT_EQ(dialog.size, QSize(157, 120));
    ASSERT_EQ(dialog.controls.size(), 6u);
    EXPECT_EQ(dialog.controls[1].id, -1);
    EXPECT_EQ(dialog.controls[1].text, QStringLiteral("CAS"));
    EXPECT_EQ(dialog.controls[2].rect, QRect(30, 8, 82, 14));
    ASSERT_NE(dialog.Control(1007), nullptr);
    EXPECT_TRUE(dialog.Control(1007)->HasStyle(QStringLiteral("LVS_REPORT")));
}

TEST(DialogTemplateTest, RejectsMalformedTemplatesWithAReason)
{
    QString error;
    EXPECT_FALSE(ParseDialogTemplate("{ not json", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(
        ParseDialogTemplate(R"({"font": {"face": "宋体", "points": 12}, "size": [1]})", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("size")));
    EXPECT_FALSE(ParseDialogTemplate(R"({"font": {"face": "宋体", "points": 12}, "size": [1, 2],
        "controls": [{"class": "EDIT", "rect": [1, 2, 3]}]})",
                                     &error));
    EXPECT_TRUE(error.contains(QStringLiteral("control 0")));
    EXPECT_FALSE(ParseDialogTemplate(R"({"size": [1, 2]})", &error));
    EXPECT_FALSE(LoadDialogTemplate(99999, &error));
}

TEST(DialogBuilderTest, PlacesControlsAtTheirPixelRectangles)
{
    const DialogBuilder builder(Parsed(kTemplate));
    QWidget dialog;
    const std::vector<QWidget*> controls = builder.Build(&dialog);
    ASSERT_EQ(controls.size(), 6u);

    const DialogBaseUnits units = builder.Units();
    EXPECT_EQ(dialog.size(), units.ToPixels(QSize(157, 120)));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(controls[i]->geometry(), units.ToPixels(builder.Template().controls[i].rect));
        EXPECT_EQ(controls[i]->parentWidget(), &dialog);
        EXPECT_EQ(controls[i]->font().pixelSize(), 16);
    }
    EXPECT_EQ(ControlId(controls[0]), 1004);
    EXPECT_NE(qobject_cast<QPushButton*>(controls[0]), nullptr);
    EXPECT_NE(qobject_cast<QLabel*>(controls[1]), nullptr);
    EXPECT_NE(qobject_cast<QLineEdit*>(controls[2]), nullptr);
    EXPECT_NE(qobject_cast<QRadioButton*>(controls[3]), nullptr);
    EXPECT_EQ(qobject_cast<QRadioButton*>(controls[3])->text(), QStringLiteral("中文"));
    EXPECT_NE(qobject_cast<QTreeView*>(controls[4]), nullptr);

    dialog.show();
    EXPECT_TRUE(controls[0]->isVisible());
    EXPECT_FALSE(controls[5]->isVisible());
}

TEST(DialogBuilderTest, TabOrderFollowsTheTemplateAndSkipsControlsWithoutTabStop)
{
    const DialogBuilder builder(Parsed(kTemplate));
    QWidget dialog;
    const std::vector<QWidget*> controls = builder.Build(&dialog);
    EXPECT_EQ(controls[0]->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(controls[1]->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(controls[3]->focusPolicy(), Qt::ClickFocus); // radio button without tab stop

    dialog.show();
    controls[0]->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    controls[0]->setFocus();
    QTest::keyClick(controls[0], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), controls[2]);
    QTest::keyClick(controls[2], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), controls[4]);
    // A hidden control keeps its tab stop but is stepped over until it is shown.
    EXPECT_FALSE(controls[5]->isVisible());
    QTest::keyClick(controls[4], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), controls[0]);
    QTest::keyClick(controls[0], Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), controls[4]);
    controls[5]->show();
    QTest::keyClick(controls[4], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), controls[5]);
}

TEST(DialogBuilderTest, BoundWidgetsTakeThePlaceOfTheControl)
{
    DialogBuilder builder(Parsed(kTemplate));
    QLabel own;
    builder.Bind(1006, &own);
    QWidget dialog;
    const std::vector<QWidget*> controls = builder.Build(&dialog);
    EXPECT_EQ(controls[2], &own);
    EXPECT_EQ(own.parentWidget(), &dialog);
    EXPECT_EQ(own.geometry(), builder.Units().ToPixels(QRect(30, 8, 82, 14)));
    own.setParent(nullptr);
}

namespace {
class KeyCountingDialog : public CDialog
{
public:
    int oks = 0;

protected:
    void OnOK() override { ++oks; }
};
} // namespace

TEST(DialogTest, EnterReachesOnOKAndEscapeLeavesTheDialogOpen)
{
    QWidget parent;
    auto* dialog = new KeyCountingDialog;
    ASSERT_TRUE(dialog->CreateFromTemplate(Parsed(kTemplate), &parent));
    EXPECT_EQ(dialog->parentWidget(), &parent);
    EXPECT_EQ(ControlId(dialog), 77);
    parent.show();
    EXPECT_FALSE(dialog->isVisible()); // a page is shown by its owner
    dialog->show();

    auto* edit = qobject_cast<QLineEdit*>(dialog->GetDlgItem(1006));
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog->oks, 1);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->GetDlgItem(4242), nullptr);
}

TEST(DialogTest, TabCyclesThroughTheShownControlsAndStepsOverHiddenOnes)
{
    QWidget parent;
    auto* dialog = new KeyCountingDialog;
    ASSERT_TRUE(dialog->CreateFromTemplate(Parsed(kTemplate), &parent));
    parent.show();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    QWidget* search = dialog->GetDlgItem(1004);
    QWidget* list = dialog->GetDlgItem(1007);
    QWidget* hidden = dialog->GetDlgItem(1009);
    // From the last shown tab stop, Tab goes round to the first, past the hidden button.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), search);
    QTest::keyClick(search, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), list);
    hidden->show();
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), hidden);
}
