#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

/// The mouse held by one widget until it lets go, and told when it loses the mouse first, as a
/// window holding the capture is: to a pop-up, to a modal window that blocks its own, to
/// another window taking the activation, to being hidden, or to another widget's grab.
class MouseCapture : public QObject
{
public:
    MouseCapture() = default;
    ~MouseCapture() override;
    MouseCapture(const MouseCapture&) = delete;
    MouseCapture& operator=(const MouseCapture&) = delete;

    /// Grabs the mouse for `grabber`. `onLost` runs once if the grab is lost, never after
    /// Release().
    void Grab(QWidget& grabber, std::function<void()> onLost);
    void Release();
    bool IsHeld() const { return m_bHeld; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsLost(const QObject* watched, const QEvent* event) const;

    bool m_bHeld = false;
    QPointer<QWidget> m_pGrabber;
    /// The pop-up that was open when the grab began, if any.
    QPointer<QWidget> m_pPopup;
    std::function<void()> m_OnLost;
};
