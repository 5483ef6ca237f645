#include "DragMarker.h"

#include <QPainter>
#include <QWidget>

namespace {

constexpr const char* kOverlayName = "velmorHalftoneOverlay";

// A see-through child over the whole frame that inverts every other pixel of its rectangles
// in what lies beneath it.
class HalftoneOverlay : public QWidget
{
public:
    explicit HalftoneOverlay(QWidget& frame) : QWidget(&frame)
    {
        setObjectName(kOverlayName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

    QList<QRect> m_Rects;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (const QRect& rect : m_Rects)
            painter.fillRect(rect, QBrush(Qt::white, Qt::Dense4Pattern));
    }
};

HalftoneOverlay* OverlayOf(const QWidget& frame)
{
    return frame.findChild<HalftoneOverlay*>(kOverlayName, Qt::FindDirectChildrenOnly);
}

} // namespace

void InvertHalftoneRect(QWidget& frame, const QRect& rect)
{
    HalftoneOverlay* overlay = OverlayOf(frame);
    if (!overlay)
        overlay = new HalftoneOverlay(frame);
    // Inverting twice is no inversion at all.
    if (!overlay->m_Rects.removeOne(rect))
        overlay->m_Rects << rect;
    overlay->setGeometry(frame.rect());
    overlay->raise();
    overlay->setVisible(!overlay->m_Rects.isEmpty());
    overlay->update();
}

QList<QRect> InvertedRects(const QWidget& frame)
{
    const HalftoneOverlay* overlay = OverlayOf(frame);
    return overlay ? overlay->m_Rects : QList<QRect>();
}
