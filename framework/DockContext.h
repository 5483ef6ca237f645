#pragma once

#include "BarConstants.h"
#include "MouseCapture.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <memory>

class CControlBar;
class QWidget;

/// Moves one bar between its docked and floating places: the drag that follows the mouse with
/// an outline and docks the bar into the side under the pointer (or floats it) on release, the
/// double click that toggles between the last docked and floating places, and the stretch of
/// a floating frame from a side or a corner.
class CDockContext : public QObject
{
    Q_OBJECT

public:
    explicit CDockContext(CControlBar& bar);
    ~CDockContext() override;

    /// Starts the docking drag at `screenPoint`; Escape or the right button cancels it.
    void StartDrag(QPoint screenPoint);
    /// Starts resizing the bar's floating frame from the side or corner `hitCode`.
    void StartResize(unsigned hitCode, QPoint screenPoint);
    /// Floats a docked bar where it floated last, or docks a floating one back in its place
    /// (one that was never docked, on the first side a drag would find for it).
    void ToggleDocking();

    // The steps of a drag or a resize, as the mouse brings them.
    void Move(QPoint screenPoint);
    void EndDrag(bool cancel);
    void Stretch(QPoint screenPoint);
    void EndResize();

    bool IsDragging() const { return m_Tracking == Tracking::Drag; }
    /// The drag's outline in screen coordinates, and the dock bar id it would dock into (0 to
    /// float).
    QRect OutlineRect() const { return m_rectOutline; }
    int TargetSide() const { return m_nTargetSide; }

    /// Hit code of the side or corner being stretched; HTNOWHERE otherwise.
    unsigned m_nHitTest = HTNOWHERE;
    /// The floating frame's new rectangle while it is stretched from a left or top corner.
    QRect m_rectFrameDragHorz;
    /// The pointer during a stretch.
    QPoint m_ptLast;
    /// Where the bar was docked last (a dock bar id) and where it floated last.
    int m_uMRUDockID = 0;
    QPoint m_ptMRUFloatPos;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Tracking
    {
        None,
        Drag,
        Resize,
    };

    void BeginTracking(Tracking tracking, QWidget* grabber);
    void EndTracking();
    /// Whether the bar's docking style and the frame let it dock on `side`.
    bool CanDockOn(int side) const;
    int SideUnder(QPoint screenPoint) const;
    QWidget* FloatingFrame() const;

    CControlBar& m_Bar;
    Tracking m_Tracking = Tracking::None;
    MouseCapture m_Capture;
    QPoint m_ptStart;
    QPoint m_ptGrabOffset;
    bool m_bMoved = false;
    QRect m_rectOutline;
    int m_nTargetSide = 0;
    std::unique_ptr<QWidget> m_pOutline;
};
