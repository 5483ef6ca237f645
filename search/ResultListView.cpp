#include "ResultListView.h"

#include "ResultListHeader.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

ResultListView::ResultListView(QWidget* parent) : QTreeView(parent)
{
    setHeader(new ResultListHeader(this));
    setModel(&m_Names);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    // Without uniform heights the view would measure every row: 50,000 rows take most of a
    // second that way; with them only the rows shown are ever read.
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(false);
    setFrameShadow(QFrame::Sunken);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setSectionsMovable(false);
}

int ResultListView::FirstSelectedRow() const
{
    int first = -1;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (first < 0 || range.top() < first)
            first = range.top();
    }
    return first;
}

void ResultListView::SetFullRowSelect(bool on)
{
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setAllColumnsShowFocus(on);
}

void ResultListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit returnPressed();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ResultListView::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    const bool byTab =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    // A tab page being hidden hands its focus on for the same reason, to a list hidden with it.
    if (!byTab || !isVisible() || RowCount() == 0 || selectionModel()->hasSelection())
        return;
    const QModelIndex current = currentIndex().isValid() ? currentIndex() : m_Names.index(0, 0);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
}
