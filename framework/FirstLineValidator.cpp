#include "FirstLineValidator.h"

#include <QLineEdit>

#include <algorithm>

FirstLineValidator::FirstLineValidator(QLineEdit* edit) : QValidator(edit), m_Accepted(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_Accepted = text; });
}

QValidator::State FirstLineValidator::validate(QString& text, int& cursor) const
{
    const auto isBreak = [](QChar c) {
        return c == u'\n' || c == u'\r' || c == QChar::LineSeparator ||
               c == QChar::ParagraphSeparator;
    };
    if (std::none_of(text.cbegin(), text.cend(), isBreak))
        return Acceptable;

    // The new text is the old one with [start, end) replaced by what arrived, and the cursor
    // stands right after the arrival; the tail after the cursor is the old text's tail.
    const qsizetype tail = text.size() - cursor;
    const qsizetype end = m_Accepted.size() - tail;
    qsizetype start = 0;
    while (start < cursor && start < end && text[start] == m_Accepted[start])
        ++start;
    const QString arrived = text.mid(start, cursor - start);
    const qsizetype kept =
        std::find_if(arrived.cbegin(), arrived.cend(), isBreak) - arrived.cbegin();
    // Breaks outside the arrival (text set by code with more than one) go as well.
    QString firstLine = text.left(start) + arrived.left(kept);
    QString rest = text.right(tail);
    const qsizetype restBreak = std::find_if(rest.cbegin(), rest.cend(), isBreak) - rest.cbegin();
    rest.truncate(restBreak);
    text = firstLine + rest;
    cursor = static_cast<int>(firstLine.size());
    return Acceptable;
}
