#pragma once

#include "BarConstants.h"
#include "DockSite.h"

#include <QPointer>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <memory>

class CDockBar;
class CDockContext;
class QPainter;
class WindowPosBatch;

/// A bar along a side of a frame: its bar style (CBRS_* bits), its borders, the two layout
/// queries the frame and the dock bars ask it, a show or hide that waits for the next layout,
/// and, once docking is enabled, the dock context that drags it between docked and floating.
///
/// A bar is docked when its parent is one of the frame's dock bars, floating when its parent is
/// a floating frame's dock bar, and otherwise laid out by the frame directly.
class CControlBar : public QWidget
{
    Q_OBJECT

public:
    explicit CControlBar(QWidget* parent = nullptr);
    ~CControlBar() override;

    std::uint32_t GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(std::uint32_t style);

    /// The window style word (WS_* bits) as the bar was created with it.
    std::uint32_t GetWindowStyle() const { return m_dwWindowStyle; }
    void ModifyWindowStyle(std::uint32_t remove, std::uint32_t add);

    /// The size of the bar when its dock bar (or, with `stretch`, the frame itself) lays it out
    /// along a horizontal or vertical side. This class answers its size hint, stretched to
    /// 32767 along the side.
    virtual QSize CalcFixedLayout(bool stretch, bool horz);
    /// The size for a layout-mode query (LM_* bits); this class answers the fixed layout.
    virtual QSize CalcDynamicLayout(int length, std::uint32_t mode);
    /// Called whenever the frame is idle, to bring the bar's looks up to date.
    virtual void OnUpdateCmdUI() {}

    /// Places the bar at `rect` (its parent's coordinates). Every placement recomputes the
    /// bar's frame, whether the rectangle changed or not.
    void SetWindowPos(const QRect& rect);

    /// Lets the bar dock on the sides in `dockStyle` (CBRS_ALIGN_* bits) and float.
    void EnableDocking(std::uint32_t dockStyle);
    std::uint32_t GetDockStyle() const { return m_dwDockStyle; }
    CDockContext* GetDockContext() const { return m_pDockContext.get(); }

    /// The frame's dock site the bar belongs to, docked or floating.
    CDockSite* GetDockSite() const { return m_pDockSite; }
    void SetDockSite(CDockSite* site) { m_pDockSite = site; }
    /// The dock bar that is the bar's parent, if it is one.
    CDockBar* GetDockBar() const;
    bool IsFloating() const;
    /// Asks the frame that lays the bar out (the floating frame, when floating) to lay its bars
    /// out again once the current message is handled.
    void DelayRecalcParentLayout();

    /// Shows or hides the bar at the next layout of its frame.
    void DelayShow(bool show);
    bool HasDelayedShowOrHide() const { return m_Delayed != Delayed::None; }
    /// Visible, counting a show or hide that waits for the next layout.
    bool IsVisible() const;
    /// Carries out a waiting show or hide, in `batch` when there is one, else at once.
    void RecalcDelayShow(WindowPosBatch* batch);

protected:
    /// Called after each SetWindowPos().
    virtual void OnFrameChanged() {}
    /// Draws the borders of the bar style on the edges of `rect` and shrinks it inside them.
    void DrawBorders(QPainter& painter, QRect& rect) const;

    std::uint32_t m_dwStyle = 0;
    std::uint32_t m_dwDockStyle = 0;

private:
    enum class Delayed
    {
        None,
        Show,
        Hide,
    };

    Delayed m_Delayed = Delayed::None;
    std::uint32_t m_dwWindowStyle = 0;
    std::unique_ptr<CDockContext> m_pDockContext;
    QPointer<CDockSite> m_pDockSite;
};
