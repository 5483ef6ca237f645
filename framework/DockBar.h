#pragma once

#include "ControlBar.h"

#include <QRect>

#include <vector>

/// One entry of a dock bar's array: a row break, the placeholder that keeps a floated bar's
/// place (by the bar's control id), or a bar.
class DockEntry
{
public:
    static DockEntry RowBreak() { return DockEntry(nullptr, 0); }
    static DockEntry Placeholder(int id) { return DockEntry(nullptr, id); }
    static DockEntry Of(CControlBar* bar) { return DockEntry(bar, 0); }

    bool IsRowBreak() const { return !m_Bar && m_Id == 0; }
    bool IsPlaceholder() const { return !m_Bar && m_Id != 0; }
    /// The bar, or null for a row break or a placeholder.
    CControlBar* Bar() const { return m_Bar; }
    int PlaceholderId() const { return m_Id; }

private:
    DockEntry(CControlBar* bar, int id) : m_Bar(bar), m_Id(id) {}

    CControlBar* m_Bar;
    int m_Id;
};

/// The strip along one side of a frame (or inside a floating frame) that holds docked bars in
/// rows. Its array starts and ends with a row break; each row's bars overlap their neighbours by
/// 2 pixels, and so do neighbouring rows.
class CDockBar : public CControlBar
{
    Q_OBJECT

public:
    /// A dock bar with control id `id` (AFX_IDW_DOCKBAR_TOP to AFX_IDW_DOCKBAR_FLOAT).
    CDockBar(QWidget* parent, int id);

    bool IsFloatingDockBar() const { return m_nId == AFX_IDW_DOCKBAR_FLOAT; }
    /// True along the top and the bottom.
    bool IsHorzDockBar() const;

    const std::vector<DockEntry>& Entries() const { return m_arrBars; }
    int FindBar(const CControlBar* bar) const;
    int FindPlaceholder(int id) const;
    void InsertRowBreak(int index);

    /// Adds `bar` to the row of `after`, just behind it, or as a new last row without one.
    void DockControlBar(CControlBar* bar, CControlBar* after);
    /// Adds `bar` where `point` (dock bar coordinates) falls: into the row under it at its
    /// position along the row, or as a new first or last row.
    void DockControlBarAt(CControlBar* bar, QPoint point);
    /// Adds a last row of `row`'s bars and placeholders, in this order.
    void AppendRow(const std::vector<DockEntry>& row);
    /// Puts `bar` where its placeholder stands; false when there is none.
    bool ReplacePlaceholder(CControlBar* bar);
    /// Takes `bar` out, leaving its placeholder when asked; rows left empty disappear.
    void RemoveControlBar(CControlBar* bar, bool leavePlaceholder);
    void RemovePlaceholder(int id);
    int VisibleBarCount() const;

    /// Lays the bars out in `available` (the size the frame offers) and returns the dock bar's
    /// size: its full length along the side and the thickness of its rows. In a layout query
    /// nothing moves and no row break is added.
    QSize LayoutBars(QSize available, bool query);

    /// The room the frame offered during the layout under way; empty outside a layout.
    QRect m_rectLayout;
    bool m_bLayoutQuery = false;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize MeasureBar(CControlBar* bar, bool horz);
    void RemoveEmptyRows();

    int m_nId;
    std::vector<DockEntry> m_arrBars;
};
