#pragma once

#include "BarConstants.h"
#include "ControlBar.h"
#include "MouseCapture.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

class CDockSite;
class EdgeCursor;
class CEdgeSizingBar;

/// The sizing bars of one row, in row order.
using SizingBarArray = std::vector<CEdgeSizingBar*>;

/// A control bar whose size the user changes by dragging its edges while it is docked, that
/// shares its row's length with the other sizing bars of the row, floats in a floating frame
/// that resizes it from any side or corner, and keeps its one child sized to its client area.
///
/// The bar knows where it stands by its parent window's control id (the dock side): a bar
/// whose parent is not one of the dock bars counts as floating. A floating bar shows no edges,
/// answers every hit test with HTCLIENT and reserves a 5-pixel border around its client area;
/// a frame that lays it out directly gives it its vertical width when it stands at the left or
/// right. The margin outside the client area plays the part of the non-client area: the bar
/// paints its borders, edges and gripper there.
class CEdgeSizingBar : public CControlBar
{
    Q_OBJECT

public:
    /// Sizing style flags.
    static constexpr std::uint32_t SIZING_EDGE_LEFT = 0x01;
    static constexpr std::uint32_t SIZING_EDGE_RIGHT = 0x02;
    static constexpr std::uint32_t SIZING_EDGE_TOP = 0x04;
    static constexpr std::uint32_t SIZING_EDGE_BOTTOM = 0x08;
    static constexpr std::uint32_t SIZING_EDGE_ALL = 0x0F;
    static constexpr std::uint32_t SIZING_SHOW_EDGES = 0x10;
    static constexpr std::uint32_t SIZING_FIT_CHILD = 0x20;

    CEdgeSizingBar();
    ~CEdgeSizingBar() override;

    /// Makes the bar a child of `parent` with the control-bar bits of `style` as its bar style.
    virtual bool Create(const QString& windowName, QWidget* parent, int id, std::uint32_t style);
    /// The same, with `defaultSize` as its size in every position.
    virtual bool Create(const QString& windowName, QWidget* parent, QSize defaultSize,
                        bool hasGripper, int id, std::uint32_t style);

    /// The six sizes from the profile section "<profileName>-SCBar-<id>", raised to the
    /// minimums and cut to what the frame (floating: its screen) can hold; missing keys keep
    /// the current sizes.
    virtual void RestoreSizes(const QString& profileName);
    virtual void StoreSizes(const QString& profileName);
    /// RestoreSizes() or StoreSizes() of every sizing bar in the frame's list of bars.
    static void RestoreAllBarSizes(const CDockSite& frame, const QString& profileName);
    static void StoreAllBarSizes(const CDockSite& frame, const QString& profileName);

    /// The edge drag: begins on a sizing edge at a screen point, follows the mouse within the
    /// limits worked out at its start, and ends on release, a right click or a lost grab.
    virtual void BeginEdgeDrag(unsigned hitCode, QPoint screenPoint);
    virtual void EndEdgeDrag();
    virtual void UpdateEdgeDrag(QPoint screenPoint);
    /// Inverts the marker of the drag position on the frame (nothing with live resize).
    virtual void ToggleDragMarker();

    /// The client rectangle within the window rectangle `rect` (both in window coordinates)
    /// for the dock side, which also decides the edge facing the frame's interior.
    virtual void ComputeClientRect(QRect& rect, int dockSide);
    /// Moves the row's bars so that each starts where its predecessor ends, 2 pixels over it.
    virtual void AlignRow();

    std::uint32_t GetSizingStyle() const { return m_dwSizingStyle; }
    /// Stores the flags; the edge flags are the bar's own business and are dropped.
    void SetSizingStyle(std::uint32_t flags) { m_dwSizingStyle = flags & ~SIZING_EDGE_ALL; }

    bool IsDockedHorz() const;
    bool IsDockedVert() const;
    bool IsFloatingBar() const;
    int GetDockSide() const { return m_nDockSide; }

    QSize CalcFixedLayout(bool stretch, bool horz) override;
    QSize CalcDynamicLayout(int length, std::uint32_t mode) override;

    /// Shares `totalLength` among the row's bars; false when the row had to be broken before
    /// this bar, which then belongs to the next row.
    bool ShareRowLength(int totalLength, bool horz);
    /// The visible sizing bars of this bar's row, in order; returns this bar's index among
    /// them, or -1.
    int GetRowSizingBars(SizingBarArray& bars) const;

    /// The hit-test code of a point in window coordinates.
    virtual unsigned NcHitTest(QPoint point) const;
    /// The rectangle of sizing edge `hitCode` (HTLEFT, HTTOP, HTRIGHT or HTBOTTOM) within the
    /// window rectangle, or an empty one when the bar has no such edge.
    QRect EdgeRect(unsigned hitCode) const;
    /// The client rectangle in window coordinates, as last computed.
    QRect ClientRect() const { return m_rcClient; }

    /// Whether the frame follows an edge drag at once (the default, as the desktop shows
    /// window contents while dragging) or a marker shows the drag until it ends.
    void SetLiveResize(bool live) { m_bLiveResize = live; }
    bool IsLiveResize() const { return m_bLiveResize; }
    bool IsDragging() const { return m_bDragging; }
    bool HoldsLength() const { return m_bHoldLength; }
    int DragLow() const { return m_nDragLow; }
    int DragHigh() const { return m_nDragHigh; }

    QSize sizeHint() const override;
    void setVisible(bool visible) override;

    // The bar's sizes in each position and their lower bounds; owners may set them before
    // the first layout.
    QSize m_sizeHorzDocked{200, 200};
    QSize m_sizeVertDocked{200, 200};
    QSize m_sizeFloating{200, 200};
    QSize m_sizeMinHorzDocked{33, 32};
    QSize m_sizeMinVertDocked{33, 32};
    QSize m_sizeMinFloating{37, 32};

protected:
    /// Paints the gripper into the non-client area; this class has none.
    virtual void PaintGripper(QPainter& painter, const QRect& clientRect);
    /// Recomputes the edges and the client area, and fits the child into it.
    void RecalcNonClient();
    /// Gives `child` the client area, or its minimum size cut to the client area.
    void FitChild(QWidget& child) const;
    void OnFrameChanged() override;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    std::uint32_t m_dwSizingStyle = 0;
    unsigned m_nTrackedEdge = 0;
    int m_nDragLow = 0;
    int m_nDragHigh = 0;
    int m_nDragPos = 0;
    int m_nDragGrabOffset = 0;
    bool m_bDragging = false;
    bool m_bHoldLength = false;
    bool m_bFrameResizing = false;
    bool m_bLiveResize = false;
    int m_nDockSide = 0;
    int m_cxSizingEdge = 5;
    /// The mouse, held during an edge drag.
    MouseCapture m_Capture;

private:
    /// The first and last entries of this bar's row in its dock bar's array.
    void GetRowBounds(int& first, int& last) const;
    /// The visible sizing bars among entries `first` to `last`; returns this bar's index.
    int CollectSizingBars(int first, int last, SizingBarArray& bars) const;
    /// True when the edge being dragged lies between the bar and the frame's interior.
    bool IsAcrossRowDrag() const;

    QRect m_rcClient;
    EdgeCursor* m_pCursor;
};
