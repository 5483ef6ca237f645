#pragma once

#include "ResultNamesModel.h"

#include <QTreeView>

/// A one-column report list of reagent names: rows of uniform height selected whole, several
/// at a time, in database order (no sorting). Enter in the list is its own notification and
/// does not reach the panel.
class ResultListView : public QTreeView
{
    Q_OBJECT

public:
    explicit ResultListView(QWidget* parent = nullptr);

    ResultNamesModel& Names() { return m_Names; }
    const ResultNamesModel& Names() const { return m_Names; }
    int RowCount() const { return m_Names.rowCount(); }

    /// The topmost selected row, or -1 when none is selected.
    int FirstSelectedRow() const;

    /// Switches selecting whole rows on or off.
    void SetFullRowSelect(bool on);

signals:
    /// Enter was pressed in the list.
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    /// Reached by Tab, the list selects its current row (the first, if none) when nothing is
    /// selected, so that Enter opens the row the focus frame shows and Down moves from it.
    void focusInEvent(QFocusEvent* event) override;

private:
    ResultNamesModel m_Names;
};
