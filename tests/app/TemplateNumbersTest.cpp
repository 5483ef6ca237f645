#include "AppAboutBox.h"
#include "ControlId.h"
#include "DialogHelp.h"
#include "DialogTemplate.h"
#include "DialogToolBar.h"
#include "DialogUnits.h"
#include "NavigationHistory.h"
#include "ToolbarHost.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

// The navigation bar's and the two about boxes' templates, number for number, and the windows
// built from them.

namespace {

struct Row
{
    int id;
    const char* text;
    QRect rect;
    QStringList styles;
};

struct Expected
{
    int id;
    QSize size;
    int points;
    const char* caption;
    QStringList styles;
    std::vector<Row> rows;
};

const QStringList kShown{QStringLiteral("BS_PUSHBUTTON"), QStringLiteral("WS_TABSTOP")};
const QStringList kHidden =
    kShown + QStringList{QStringLiteral("WS_DISABLED"), QStringLiteral("NOT WS_VISIBLE")};
const QStringList kAboutStyles{QStringLiteral("WS_POPUP"), QStringLiteral("WS_CAPTION"),
                               QStringLiteral("WS_SYSMENU"), QStringLiteral("DS_MODALFRAME"),
                               QStringLiteral("DS_SETFONT")};
const QStringList kOk{QStringLiteral("BS_DEFPUSHBUTTON"), QStringLiteral("WS_TABSTOP")};

const Expected kToolbar{134,
                        {316, 24},
                        9,
                        "",
                        {QStringLiteral("WS_CHILD"), QStringLiteral("DS_SETFONT")},
                        {{1017, "隐藏", {273, 0, 35, 24}, kHidden},
                         {1018, "显示", {232, 0, 42, 24}, kHidden},
                         {1013, "上一步", {1, 0, 35, 24}, kShown},
                         {1014, "下一步", {36, 0, 35, 24}, kShown},
                         {1015, "主页", {70, 0, 35, 24}, kShown},
                         {1016, "关于", {204, 4, 25, 19}, kHidden},
                         {1019, "我要纠错", {166, 2, 34, 22}, kHidden},
                         {1028, "商业合作", {105, 0, 39, 24}, kShown}}};
const Expected kHelp{135,    {187, 94},    12,
                     "关于", kAboutStyles, {{1, "确定", {147, 7, 33, 14}, kOk}}};
const Expected kAppAbout{
    100,    {235, 55},    12,
    "关于", kAboutStyles, {{1, "确定", {194, 7, 34, 14}, kOk + QStringList{"WS_GROUP"}}}};

void ExpectTemplate(const Expected& expected)
{
    const std::optional<DialogTemplate> loaded = LoadDialogTemplate(expected.id);
    ASSERT_TRUE(loaded) << expected.id;
    EXPECT_EQ(loaded->size, expected.size);
    EXPECT_EQ(loaded->fontFace, QStringLiteral("宋体"));
    EXPECT_EQ(loaded->pointSize, expected.points);
    EXPECT_EQ(loaded->caption, QString::fromUtf8(expected.caption));
    EXPECT_EQ(QSet<QString>(loaded->styles.begin(), loaded->styles.end()),
              QSet<QString>(expected.styles.begin(), expected.styles.end()));
    ASSERT_EQ(loaded->controls.size(), expected.rows.size());
    for (std::size_t i = 0; i < expected.rows.size(); ++i) {
        const Row& row = expected.rows[i];
        const DialogControl& control = loaded->controls[i];
        EXPECT_EQ(control.id, row.id) << "row " << i;
        EXPECT_EQ(control.className, QStringLiteral("BUTTON")) << row.id;
        EXPECT_EQ(control.text, QString::fromUtf8(row.text)) << row.id;
        EXPECT_EQ(control.rect, row.rect) << row.id;
        EXPECT_EQ(QSet<QString>(control.styles.begin(), control.styles.end()),
                  QSet<QString>(row.styles.begin(), row.styles.end()))
            << row.id;
    }
}

struct NoPage : PageSelection
{
    void SetCurrentName(std::string_view) override {}
    void RequestRedraw() override {}
};

struct NoHost : ToolbarHost
{
    NavigationHistory& History() override { return history; }
    void ShowSidebar(bool) override {}
    bool HandlesCommand(int) const override { return true; }
    void OnCommand(int) override {}
    NoPage page;
    NavigationHistory history{page};
};

} // namespace

TEST(TemplateNumbers, TheTemplatesHoldTheirSizesFontsRectanglesIdsTextsAndOrder)
{
    ExpectTemplate(kToolbar);
    ExpectTemplate(kHelp);
    ExpectTemplate(kAppAbout);
}

TEST(TemplateNumbers, TheNavigationBarPlacesItsButtonsInTemplateAndTabOrder)
{
    NoHost host;
    QWidget frame;
    CDialogToolBar bar(host);
    ASSERT_TRUE(bar.Create(&frame, 134, 134));
    const DialogBaseUnits units = DialogBaseUnits::OfFont(bar.font());
    EXPECT_EQ(bar.size(), units.ToPixels(kToolbar.size));
    const QWidget* previous = nullptr;
    for (const Row& row : kToolbar.rows) {
        CIconButton* button = bar.Button(row.id);
        ASSERT_NE(button, nullptr) << row.id;
        EXPECT_EQ(button->geometry(), units.ToPixels(row.rect)) << row.id;
        EXPECT_EQ(button->text(), QString::fromUtf8(row.text)) << row.id;
        EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, Qt::TabFocus) << row.id;
        if (previous != nullptr) {
            EXPECT_EQ(previous->nextInFocusChain(), button) << row.id;
        }
        previous = button;
    }
}

TEST(TemplateNumbers, TheAboutBoxesHaveTheirSizesAndOkButtons)
{
    CDialogHelp help;
    CAppAboutBox appAbout;
    const std::pair<QDialog*, const Expected*> boxes[] = {{&help, &kHelp}, {&appAbout, &kAppAbout}};
    for (const auto& [box, expected] : boxes) {
        const DialogBaseUnits units = DialogBaseUnits::OfFont(box->font());
        EXPECT_EQ(box->size(), units.ToPixels(expected->size)) << expected->id;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("关于")) << expected->id;
        const auto buttons = box->findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 1) << expected->id;
        const QPushButton* ok = buttons[0];
        EXPECT_EQ(ControlId(ok), 1) << expected->id;
        EXPECT_EQ(ok->geometry(), units.ToPixels(expected->rows[0].rect)) << expected->id;
        EXPECT_EQ(ok->text(), QStringLiteral("确定")) << expected->id;
        EXPECT_TRUE(ok->isDefault()) << expected->id;
    }
}
