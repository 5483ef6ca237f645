#include "FirstLineValidator.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct SingleLineField : ::testing::Test
{
    QLineEdit field;

    void SetUp() override { field.setValidator(new FirstLineValidator(&field)); }

    /// Puts `text` on the clipboard and pastes it with Ctrl+V.
    void Paste(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    }
};

} // namespace

TEST_F(SingleLineField, APasteKeepsWhatComesBeforeItsFirstLineBreak)
{
    Paste(QStringLiteral("乙醇\n"));
    EXPECT_EQ(field.text(), QStringLiteral("乙醇"));
    EXPECT_EQ(field.cursorPosition(), 2);

    field.clear();
    Paste(QStringLiteral("乙\n醇"));
    EXPECT_EQ(field.text(), QStringLiteral("乙"));

    field.clear();
    Paste(QStringLiteral("\r\nlater lines"));
    EXPECT_EQ(field.text(), QString());
}

TEST_F(SingleLineField, TheTextAroundThePasteStays)
{
    field.setText(QStringLiteral("ab"));
    field.setCursorPosition(1);
    Paste(QStringLiteral("x\r\ny"));
    EXPECT_EQ(field.text(), QStringLiteral("axb"));
    EXPECT_EQ(field.cursorPosition(), 2);

    // The pasted text begins with the letter after the cursor: still only it is cut.
    field.setText(QStringLiteral("ab"));
    field.setCursorPosition(1);
    Paste(QStringLiteral("b\nc"));
    EXPECT_EQ(field.text(), QStringLiteral("abb"));

    // A paste over a selection replaces it.
    field.setText(QStringLiteral("abcd"));
    field.setSelection(1, 2);
    Paste(QStringLiteral("乙\u2029醇"));
    EXPECT_EQ(field.text(), QStringLiteral("a乙d"));
}

TEST_F(SingleLineField, InputMethodsAndCodeAreCutAsWell)
{
    field.setText(QStringLiteral("x"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("甲\n醇"));
    QApplication::sendEvent(&field, &commit);
    EXPECT_EQ(field.text(), QStringLiteral("x甲"));

    field.setText(QStringLiteral("one\ntwo\nthree"));
    EXPECT_EQ(field.text(), QStringLiteral("one"));
}
