#include "ResultListHeader.h"
#include "ResultListView.h"

#include <QFontMetrics>
#include <QStandardItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

const QString kTitle = QStringLiteral("Molecular weight of the reagent");

/// A header over one column titled kTitle, in a face with a real bold.
template <class Header> int TitleWidth()
{
    QStandardItemModel model(0, 1);
    model.setHeaderData(0, Qt::Horizontal, kTitle);
    Header header(Qt::Horizontal);
    header.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    header.setModel(&model);
    return header.sectionSizeHint(0);
}

struct ResultListHeaderOf : ResultListHeader
{
    explicit ResultListHeaderOf(Qt::Orientation) {}
};

} // namespace

TEST(ResultListHeader, MeasuresItsTitlesInItsOwnFontAsATreeViewsHeaderIsSet)
{
    // Qt's own header measures in bold, which is wider in this face.
    const int regular =
        QFontMetrics(QFont(QStringLiteral("DejaVu Sans"), 10)).horizontalAdvance(kTitle);
    const int ours = TitleWidth<ResultListHeaderOf>();
    EXPECT_GE(ours, regular);
    EXPECT_LT(ours, TitleWidth<QHeaderView>());

    ResultListView list;
    EXPECT_NE(qobject_cast<ResultListHeader*>(list.header()), nullptr);
    EXPECT_EQ(list.header()->defaultAlignment(), QTreeView().header()->defaultAlignment());
}
