#pragma once

#include "BarConstants.h"

#include <QWidget>

#include <cstdint>

class CControlBar;
class CDockBar;
class CDockSite;
class EdgeCursor;

/// The small tool window a floated bar lives in: a 4-pixel thick frame, a caption with the
/// bar's name, and the floating dock bar holding the bar. The caption drags the bar (and may
/// dock it again), a double click on it docks it back, and the frame's sides (and, once
/// MFS_4THICKFRAME is cleared, its corners) resize it through the bar's dock context.
class CMiniDockFrameWnd : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBorder = 4;
    static constexpr int kCaption = 16;
    static constexpr int kCaptionReach = 40;

    explicit CMiniDockFrameWnd(CDockSite& site);

    CDockBar& DockBar() const { return *m_pDockBar; }
    CDockSite& DockSite() const { return m_Site; }
    /// The bar it holds, if any.
    CControlBar* Bar() const;
    bool IsEmpty() const { return !Bar(); }

    std::uint32_t GetMiniStyle() const { return m_dwMiniStyle; }
    void ModifyMiniStyle(std::uint32_t remove, std::uint32_t add);

    /// Sizes the frame around the bar's floating size and takes the dock bar's caption; hides
    /// the frame when its bar is hidden.
    void RecalcLayout();
    void DelayRecalcLayout();
    /// Moves the frame so that its caption can be grabbed on a screen: all of its height and at
    /// least kCaptionReach pixels of its length.
    void KeepCaptionOnScreen();
    bool IsLayoutPending() const { return m_bLayoutPending; }

    /// The part of the frame under `point` (window coordinates): a side or corner code, the
    /// caption, or HTCLIENT over the bar.
    unsigned HitTest(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CDockSite& m_Site;
    CDockBar* m_pDockBar;
    EdgeCursor* m_pCursor;
    std::uint32_t m_dwMiniStyle = MFS_4THICKFRAME;
    bool m_bLayoutPending = false;
};
