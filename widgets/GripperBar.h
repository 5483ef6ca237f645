#pragma once

#include "EdgeSizingBar.h"

#include <QPoint>
#include <QPointer>
#include <QRect>

class QPainter;

/// The small close button a docked gripper bar shows: 13 x 13 pixels at an origin relative to
/// the bar window's top-left corner, drawn flat, raised while hot and sunken while pushed.
struct BarCloseButton
{
    bool m_bPushed = false;
    bool m_bHot = false;
    QPoint m_ptOrigin{0, 0};

    void MoveTo(QPoint point) { m_ptOrigin = point; }
    QRect GetRect() const { return QRect(m_ptOrigin, QSize(13, 13)); }
    void Paint(QPainter& painter) const;
};

/// A sizing bar with a gripper and a close button while it is docked, that keeps its one child
/// filling its client area and passes every notification of its children to a target window
/// (the parent it was created in, unless SetNotifyTarget() says otherwise).
class CGripperBar : public CEdgeSizingBar
{
    Q_OBJECT

public:
    CGripperBar();

    bool Create(const QString& windowName, QWidget* parent, int id, std::uint32_t style) override;
    bool Create(const QString& windowName, QWidget* parent, QSize defaultSize, bool hasGripper,
                int id, std::uint32_t style) override;

    void SetNotifyTarget(QWidget* target) { m_hWndNotifyTarget = target; }
    QWidget* NotifyTarget() const { return m_hWndNotifyTarget; }

    /// True while the bar is docked.
    virtual bool ShowsGripper() const;

    void ComputeClientRect(QRect& rect, int dockSide) override;
    unsigned NcHitTest(QPoint point) const override;
    /// At idle time: the close button turns hot or pushed under the cursor, flat elsewhere.
    void OnUpdateCmdUI() override;

    const BarCloseButton& CloseButton() const { return m_btnClose; }
    int GripperBand() const { return m_nGripperBand; }

protected:
    void PaintGripper(QPainter& painter, const QRect& clientRect) override;

    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int m_nGripperBand = 12;
    BarCloseButton m_btnClose;
    QPointer<QWidget> m_hWndNotifyTarget;
    /// The left button went down on the close button and is still down.
    bool m_bClosePressed = false;
};
