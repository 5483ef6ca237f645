#include "ResultListHeader.h"

#include <QStyleOptionHeader>

ResultListHeader::ResultListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    // As a tree view's own header has them.
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QSize ResultListHeader::sectionSizeFromContents(int logicalIndex) const
{
    ensurePolished();
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    option.text = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    option.fontMetrics = fontMetrics();
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
}
