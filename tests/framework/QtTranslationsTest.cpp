#include "QtTranslations.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

#include <gtest/gtest.h>

namespace {

template <typename Widget, typename Text> QStringList TextsOf(const QObject& parent, Text text)
{
    QStringList texts;
    for (const Widget* child : parent.findChildren<Widget*>())
        texts << text(child);
    return texts;
}

} // namespace

// Qt's own texts: what the program shows without having written it.
TEST(QtTranslations, StandardDialogsButtonsAndMenusReadInChinese)
{
    // The test main has loaded them once already; loading again must succeed as well.
    ASSERT_TRUE(InstallQtTranslations());

    QMessageBox box(QMessageBox::Information, QStringLiteral("化学试剂库"), QStringLiteral("文本"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));

    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList actions;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            actions << action->text().section(u'\t', 0, 0); // without the shortcut
    EXPECT_TRUE(actions.contains(QStringLiteral("复制(&C)"))) << actions.join(u' ').toStdString();
    EXPECT_TRUE(actions.contains(QStringLiteral("粘贴(&P)"))) << actions.join(u' ').toStdString();

    QPrinter printer;
    QPrintDialog dialog(&printer);
    const QStringList labels =
        TextsOf<QLabel>(dialog, [](const QLabel* label) { return label->text(); });
    const QStringList buttons =
        TextsOf<QAbstractButton>(dialog, [](const QAbstractButton* b) { return b->text(); });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("打印"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("打印(&P)"))) << buttons.join(u' ').toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("取消"))) << buttons.join(u' ').toStdString();
    for (const QString& english : {QStringLiteral("&Print"), QStringLiteral("Cancel"),
                                   QStringLiteral("&Name:"), QStringLiteral("Printer")}) {
        EXPECT_FALSE(labels.contains(english)) << english.toStdString();
        EXPECT_FALSE(buttons.contains(english)) << english.toStdString();
    }
}
