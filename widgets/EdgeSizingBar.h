#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <cstdint>

/// Control ids of the dock bars along a frame's sides and of a floating frame's dock bar.
inline constexpr int AFX_IDW_DOCKBAR_TOP = 0xE81B;
inline constexpr int AFX_IDW_DOCKBAR_LEFT = 0xE81C;
inline constexpr int AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
inline constexpr int AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
inline constexpr int AFX_IDW_DOCKBAR_FLOAT = 0xE81F;

/// Hit-test codes of a bar's parts.
enum HitCode : unsigned
{
    HTCLIENT = 1,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
    HTCLOSE = 20,
};

/// A control bar whose size the user changes by dragging its edges when it is docked, and
/// which keeps its one child sized to its client area.
///
/// The bar knows where it stands by its parent window's control id (the dock side): a bar
/// whose parent is not one of the dock bars counts as floating. A floating bar shows no edges,
/// answers every hit test with HTCLIENT and reserves a 5-pixel border around its client area;
/// the frame lays it out by CalcFixedLayout(), as wide as its vertical size when it is aligned
/// left or right. The margin outside the client area plays the part of the non-client area:
/// the bar paints its borders, edges and gripper there.
class CEdgeSizingBar : public QWidget
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

    /// Makes the bar a child of `parent` with the control-bar bits of `style` as its bar style.
    virtual bool Create(const QString& windowName, QWidget* parent, int id, std::uint32_t style);
    /// The same, with `defaultSize` as its size in every position.
    virtual bool Create(const QString& windowName, QWidget* parent, QSize defaultSize,
                        bool hasGripper, int id, std::uint32_t style);

    std::uint32_t GetSizingStyle() const { return m_dwSizingStyle; }
    /// Stores the flags; the edge flags are the bar's own business and are dropped.
    void SetSizingStyle(std::uint32_t flags) { m_dwSizingStyle = flags & ~SIZING_EDGE_ALL; }
    std::uint32_t BarStyle() const { return m_dwBarStyle; }

    bool IsDockedHorz() const;
    bool IsDockedVert() const;
    bool IsFloatingBar() const;
    int DockSide() const { return m_nDockSide; }

    /// The size the frame gives the bar; with `stretch` the frame lays it out directly and
    /// cuts the length to the room it has.
    virtual QSize CalcFixedLayout(bool stretch, bool horz);

    /// The client rectangle within the window rectangle `rect` (both in window coordinates)
    /// for the dock side, which also decides the edge facing the frame's interior.
    virtual void ComputeClientRect(QRect& rect, int dockSide);

    /// The hit-test code of a point in window coordinates.
    virtual unsigned NcHitTest(QPoint point) const;

    /// The rectangle of sizing edge `hitCode` (HTLEFT, HTTOP, HTRIGHT or HTBOTTOM) within the
    /// window rectangle, or an empty one when the bar has no such edge.
    QRect EdgeRect(unsigned hitCode) const;

    /// The client rectangle in window coordinates, as last computed.
    QRect ClientRect() const { return m_rcClient; }

    QSize sizeHint() const override;

protected:
    /// Paints the gripper into the non-client area; this class has none.
    virtual void PaintGripper(QPainter& painter, const QRect& clientRect);
    /// Recomputes the edges and the client area, and fits the child into it.
    void RecalcNonClient();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    std::uint32_t m_dwSizingStyle = 0;
    unsigned m_nTrackedEdge = 0;
    QSize m_sizeHorzDocked{200, 200};
    QSize m_sizeVertDocked{200, 200};
    QSize m_sizeFloating{200, 200};
    QSize m_sizeMinHorzDocked{33, 32};
    QSize m_sizeMinVertDocked{33, 32};
    QSize m_sizeMinFloating{37, 32};
    bool m_bDragging = false;
    bool m_bHoldLength = false;
    bool m_bFrameResizing = false;
    bool m_bLiveResize = false;
    int m_nDockSide = 0;
    int m_cxSizingEdge = 5;

private:
    void DrawBorders(QPainter& painter, QRect& rect) const;

    std::uint32_t m_dwBarStyle = 0;
    QRect m_rcClient;
};
