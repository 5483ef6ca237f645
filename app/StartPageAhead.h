#pragma once

#include "DatabaseFile.h"
#include "PageLayout.h"
#include "RecordedMeasures.h"

#include <QColor>
#include <QImage>

#include <future>
#include <optional>
#include <thread>
#include <utility>

class QPainter;

/// The start page drawn on another thread while the window is being built, for the first
/// paint to copy. Its glyphs, each loaded and rasterised for the first time, made up most of
/// that paint; the window's own building keeps the first thread busy meanwhile.
class StartPageAhead
{
public:
    /// Composes and draws the start page for a client area `width` pixels wide, at `ratio`
    /// device pixels per pixel, on `background`. Any thread may do it.
    static StartPageAhead Draw(int width, qreal ratio, const QColor& background);

    /// Paints the start page that `request` selects for its client width, as a PageCanvas
    /// would paint it: each line's band of the drawing, moved sideways to where the line
    /// falls at that width. Returns the page composed, or nothing, having painted nothing,
    /// where the drawing cannot stand in: another ratio of device pixels, or a page it does
    /// not hold.
    std::optional<PageLayout> paint(QPainter& painter, const PageRequest& request);

private:
    StartPageAhead(RecordedMeasures measures, PageLayout layout, QImage image,
                   const QColor& background)
        : m_Measures(std::move(measures)), m_Layout(std::move(layout)), m_Image(std::move(image)),
          m_Background(background)
    {
    }

    RecordedMeasures m_Measures;
    PageLayout m_Layout;
    QImage m_Image;
    QColor m_Background;
};

/// The start page being drawn on a thread of its own.
class StartPageDrawing
{
public:
    StartPageDrawing() = default;
    /// Begins StartPageAhead::Draw(width, ratio, background), once `after` has loaded the
    /// database where it is given, and nothing is drawn if that load fails. Nothing is drawn
    /// when no thread can be started.
    StartPageDrawing(int width, qreal ratio, const QColor& background,
                     std::shared_future<LoadSummary> after = {});

    /// True until the drawing is taken, unless nothing is being drawn.
    bool pending() const { return m_Drawn.valid(); }

    /// Waits until the drawing's thread has drawn its first text, or has ended without. Qt
    /// makes the table it blends all text with when any thread first draws text, unguarded:
    /// no other thread may draw text before this returns.
    void awaitFirstText() const;

    /// Waits for the drawing, but not for its thread to end, which takes a while more: the
    /// thread's own fonts go with it. Nothing when the drawing failed.
    std::optional<StartPageAhead> take();

private:
    std::future<StartPageAhead> m_Drawn;
    std::shared_future<void> m_FirstText;
    std::jthread m_Thread; // joined when the drawing goes
};
