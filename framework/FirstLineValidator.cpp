#include "FirstLineValidator.h"

#include <algorithm>

namespace {

QString firstLine(const QString& text)
{
    const auto end = std::find_if(text.cbegin(), text.cend(), [](QChar c) {
        return c == u'\n' || c == u'\r' || c == QChar::LineSeparator ||
               c == QChar::ParagraphSeparator;
    });
    return text.left(end - text.cbegin());
}

} // namespace

QValidator::State FirstLineValidator::validate(QString& text, int& cursor) const
{
    // An insertion leaves the cursor right after what arrived; the text after the cursor is
    // what followed the insertion point before. Each part keeps its first line only.
    const QString head = firstLine(text.left(cursor));
    text = head + firstLine(text.mid(cursor));
    cursor = static_cast<int>(head.size());
    return Acceptable;
}
