// The panels' dialog templates as shipped, and the keyboard order of the panels built from
// them.

#include "CASSearchDialog.h"
#include "ControlId.h"
#include "DialogTemplate.h"
#include "FakeSearchHost.h"
#include "FindSearchDialog.h"
#include "NameSearchDialog.h"
#include "ShiSearcherDialog.h"
#include "UseSeacherDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

enum class Kind
{
    List,
    Edit,
    Button,
    Radio,
    Label,
    Link,
};

struct Expected
{
    Kind kind;
    int id;
    const char* text;
    QRect rect;
};

struct PanelTemplate
{
    int id;
    const char* face;
    int points;
    QSize size;
    std::vector<Expected> controls; // in template order
    std::vector<int> tabOrder;
};

const std::vector<PanelTemplate> kPanels = {
    {130,
     "宋体",
     12,
     {157, 322},
     {{Kind::List, 1000, "", {6, 41, 144, 219}},
      {Kind::Edit, 1001, "", {30, 8, 82, 14}},
      {Kind::Radio, 1002, "中文", {6, 29, 32, 10}},
      {Kind::Radio, 1003, "英文", {43, 29, 32, 10}},
      {Kind::Button, 1004, "检索", {118, 8, 30, 14}},
      {Kind::Label, -1, "名称", {11, 11, 17, 14}},
      {Kind::Link, 1021, "我要纠错", {103, 266, 40, 12}},
      {Kind::Link, 1022, "价格咨询", {103, 279, 34, 8}}},
     {1000, 1001, 1004}},
    {131,
     "宋体",
     12,
     {157, 327},
     {{Kind::Button, 1004, "检索", {117, 8, 32, 14}},
      {Kind::Label, -1, "CAS", {12, 11, 16, 14}},
      {Kind::Edit, 1006, "", {30, 8, 82, 14}},
      {Kind::List, 1007, "", {7, 30, 143, 230}},
      {Kind::Link, 1021, "我要纠错", {102, 266, 40, 12}},
      {Kind::Link, 1022, "价格咨询", {102, 279, 34, 8}}},
     {1004, 1006, 1007}},
    {132,
     "宋体",
     12,
     {157, 317},
     {{Kind::Label, -1, "用途", {10, 10, 18, 13}},
      {Kind::Edit, 1008, "", {30, 8, 82, 14}},
      {Kind::Button, 1004, "检索", {117, 8, 32, 14}},
      {Kind::List, 1010, "", {7, 30, 143, 230}},
      {Kind::Link, 1021, "我要纠错", {113, 264, 40, 12}},
      {Kind::Link, 1022, "价格咨询", {113, 277, 34, 8}}},
     {1008, 1004, 1010}},
    {146,
     "System",
     10,
     {187, 302},
     {{Kind::Button, 1004, "检索", {122, 7, 32, 14}},
      {Kind::Label, -1, "化学式", {7, 7, 31, 14}},
      {Kind::Edit, 1006, "", {37, 7, 82, 14}},
      {Kind::Link, 1023, "我要纠错", {113, 265, 40, 12}},
      {Kind::Link, 1024, "价格咨询", {113, 280, 34, 8}},
      {Kind::List, 1010, "", {7, 30, 143, 230}}},
     {1004, 1006, 1010}},
    {147,
     "宋体",
     12,
     {157, 327},
     {{Kind::Label, -1, "关键词", {5, 11, 27, 14}},
      {Kind::Edit, 1006, "", {33, 8, 80, 14}},
      {Kind::Button, 1004, "检索", {117, 8, 32, 14}},
      {Kind::List, 1007, "", {7, 30, 143, 230}},
      {Kind::Link, 1021, "我要纠错", {102, 266, 40, 12}},
      {Kind::Link, 1022, "价格咨询", {102, 279, 34, 8}}},
     {1006, 1004, 1007}},
};

/// The styles each kind of control must carry, and those it must not.
void ExpectStyles(const DialogControl& control, Kind kind)
{
    const auto has = [&](const char* style) {
        return control.HasStyle(QString::fromLatin1(style));
    };
    switch (kind) {
    case Kind::List:
        EXPECT_EQ(control.className, QStringLiteral("SysListView32"));
        EXPECT_TRUE(has("LVS_REPORT") && has("LVS_ALIGNLEFT") && has("WS_BORDER") &&
                    has("WS_EX_CLIENTEDGE") && has("WS_TABSTOP"));
        EXPECT_FALSE(has("LVS_SINGLESEL"));
        break;
    case Kind::Edit:
        EXPECT_EQ(control.className, QStringLiteral("EDIT"));
        EXPECT_TRUE(has("WS_BORDER") && has("WS_TABSTOP") && has("ES_AUTOHSCROLL"));
        EXPECT_FALSE(has("ES_MULTILINE"));
        break;
    case Kind::Button:
        EXPECT_EQ(control.className, QStringLiteral("BUTTON"));
        EXPECT_TRUE(has("BS_PUSHBUTTON") && has("WS_TABSTOP"));
        EXPECT_FALSE(has("BS_DEFPUSHBUTTON"));
        break;
    case Kind::Radio:
        EXPECT_EQ(control.className, QStringLiteral("BUTTON"));
        EXPECT_TRUE(has("BS_AUTORADIOBUTTON"));
        EXPECT_FALSE(has("WS_TABSTOP"));
        break;
    case Kind::Label:
        EXPECT_EQ(control.className, QStringLiteral("STATIC"));
        EXPECT_FALSE(has("WS_TABSTOP"));
        break;
    case Kind::Link:
        EXPECT_EQ(control.className, QStringLiteral("STATIC"));
        EXPECT_TRUE(has("SS_LEFT") && has("WS_GROUP"));
        EXPECT_FALSE(has("WS_TABSTOP"));
        break;
    }
    EXPECT_FALSE(has("NOT WS_VISIBLE"));
    EXPECT_FALSE(has("WS_DISABLED"));
}

std::unique_ptr<CSearchPanel> MakePanel(int templateId, FakeSearchHost& host)
{
    switch (templateId) {
    case 130:
        return std::make_unique<CNameSearchDialog>(host);
    case 131:
        return std::make_unique<CCASSearchDialog>(host);
    case 132:
        return std::make_unique<CUseSeacherDialog>(host);
    case 146:
        return std::make_unique<CShiSearcherDialog>(host);
    default:
        return std::make_unique<CFindSearchDialog>(host);
    }
}

int FocusedId()
{
    QWidget* focus = QApplication::focusWidget();
    while (focus && ControlId(focus) == 0)
        focus = focus->parentWidget();
    return focus ? ControlId(focus) : 0;
}

} // namespace

TEST(PanelTemplates, HoldTheSizesRectanglesIdsTextsAndOrderOfThePanels)
{
    for (const PanelTemplate& expected : kPanels) {
        SCOPED_TRACE(expected.id);
        const std::optional<DialogTemplate> actual = LoadDialogTemplate(expected.id);
        ASSERT_TRUE(actual);
        EXPECT_EQ(actual->id, expected.id);
        EXPECT_EQ(actual->fontFace, QString::fromUtf8(expected.face));
        EXPECT_EQ(actual->pointSize, expected.points);
        EXPECT_EQ(actual->size, expected.size);
        EXPECT_TRUE(actual->caption.isEmpty());
        EXPECT_TRUE(actual->styles.contains(QStringLiteral("WS_CHILD")));
        EXPECT_FALSE(actual->styles.contains(QStringLiteral("WS_VISIBLE")));
        ASSERT_EQ(actual->controls.size(), expected.controls.size());
        for (std::size_t i = 0; i < expected.controls.size(); ++i) {
            SCOPED_TRACE(i);
            const DialogControl& control = actual->controls[i];
            EXPECT_EQ(control.id, expected.controls[i].id);
            EXPECT_EQ(control.text, QString::fromUtf8(expected.controls[i].text));
            EXPECT_EQ(control.rect, expected.controls[i].rect);
            ExpectStyles(control, expected.controls[i].kind);
        }
    }
}

TEST(PanelTemplates, TabFollowsTheTemplateAndCyclesWithinThePanel)
{
    for (const PanelTemplate& expected : kPanels) {
        SCOPED_TRACE(expected.id);
        // Something outside the panel that would take the focus if Tab left the panel.
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* outside = new QLineEdit;
        layout->addWidget(outside);
        FakeSearchHost host;
        std::unique_ptr<CSearchPanel> panel = MakePanel(expected.id, host);
        ASSERT_TRUE(panel->Create(expected.id, &window));
        layout->addWidget(panel.get());
        panel->show();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

        const std::vector<int>& order = expected.tabOrder;
        panel->GetDlgItem(order[0])->setFocus();
        for (std::size_t step = 1; step <= 2 * order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(FocusedId(), order[step % order.size()]) << "Tab " << step;
        }
        for (std::size_t step = 1; step <= order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_EQ(FocusedId(), order[(order.size() - step) % order.size()])
                << "Shift+Tab " << step;
        }
        EXPECT_FALSE(outside->hasFocus());
    }
}

TEST(PanelTemplates, AClickedRadioButtonStaysOutOfTheTabChain)
{
    QWidget window;
    FakeSearchHost host;
    CNameSearchDialog panel(host);
    ASSERT_TRUE(panel.Create(130, &window));
    panel.show();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const int radio : {1003, 1002}) {
        SCOPED_TRACE(radio);
        QTest::mouseClick(panel.GetDlgItem(radio), Qt::LeftButton);
        QTest::keyClick(panel.GetDlgItem(radio), Qt::Key_Right);
        panel.GetDlgItem(1001)->setFocus();
        for (int step = 0; step < 6; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            step % 2 ? Qt::ShiftModifier : Qt::NoModifier);
            EXPECT_NE(FocusedId(), 1002) << "step " << step;
            EXPECT_NE(FocusedId(), 1003) << "step " << step;
        }
        panel.GetDlgItem(1004)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(FocusedId(), 1001);
    }
}

TEST(PanelTemplates, TabFromAClickedRadioButtonGoesToTheNextTabStopAfterIt)
{
    QWidget window;
    FakeSearchHost host;
    CNameSearchDialog panel(host);
    ASSERT_TRUE(panel.Create(130, &window));
    panel.show();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(panel.GetDlgItem(1003), Qt::LeftButton);
    ASSERT_EQ(FocusedId(), 1003);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(FocusedId(), 1004);
    QTest::mouseClick(panel.GetDlgItem(1002), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(FocusedId(), 1001);
}
