#include "MouseCapture.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

MouseCapture::~MouseCapture()
{
    Release();
}

void MouseCapture::Grab(QWidget& grabber, std::function<void()> onLost)
{
    Release();
    m_pGrabber = &grabber;
    m_pPopup = QApplication::activePopupWidget();
    m_OnLost = std::move(onLost);
    m_bHeld = true;
    grabber.grabMouse();
    qApp->installEventFilter(this);
}

void MouseCapture::Release()
{
    if (!m_bHeld)
        return;
    m_bHeld = false;
    qApp->removeEventFilter(this);
    // A grab another widget has taken since is not ours to end.
    if (m_pGrabber && QWidget::mouseGrabber() == m_pGrabber)
        m_pGrabber->releaseMouse();
    m_pGrabber = nullptr;
    m_pPopup = nullptr;
    m_OnLost = nullptr;
}

bool MouseCapture::IsLost(const QObject* watched, const QEvent* event) const
{
    // Another grab or a pop-up shows at the first event after it, whatever the event is.
    if (!m_pGrabber || QWidget::mouseGrabber() != m_pGrabber ||
        QApplication::activePopupWidget() != m_pPopup)
        return true;
    if (watched == m_pGrabber->window() &&
        (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowDeactivate))
        return true;
    return watched == m_pGrabber && event->type() == QEvent::Hide;
}

bool MouseCapture::eventFilter(QObject* watched, QEvent* event)
{
    if (IsLost(watched, event)) {
        const std::function<void()> onLost = std::move(m_OnLost);
        Release();
        if (onLost)
            onLost();
    }
    return QObject::eventFilter(watched, event);
}
