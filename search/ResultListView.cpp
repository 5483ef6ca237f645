#include "ResultListView.h"

#include <QHeaderView>
#include <QKeyEvent>

ResultListView::ResultListView(QWidget* parent) : QTreeView(parent)
{
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
