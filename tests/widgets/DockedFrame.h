#pragma once

#include "DockSite.h"
#include "EdgeSizingBar.h"
#include "WindowStyles.h"

#include <QApplication>
#include <QWidget>

#include <memory>

/// A frame with docking enabled on every side, a view pane, and sizing bars docked into it.
struct DockedFrame
{
    DockedFrame(QSize size = QSize(800, 600))
    {
        frame.resize(size);
        site = new CDockSite(frame);
        site->EnableDocking(CBRS_ALIGN_ANY);
        view = new QWidget(&frame);
        site->SetViewPane(view);
    }

    /// A sizing bar of `size` docked on `side`, in the row of `after` or in a new row.
    template <class Bar = CEdgeSizingBar>
    Bar* Dock(int side, int id, CControlBar* after = nullptr, QSize size = QSize(120, 100),
              std::uint32_t sizingStyle = 0)
    {
        auto* bar = new Bar;
        bar->SetSizingStyle(bar->GetSizingStyle() | sizingStyle);
        bar->Create(QStringLiteral("bar %1").arg(id), &frame, size, true, id,
                    WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_SIZE_DYNAMIC);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        site->DockControlBar(bar, side, after);
        return bar;
    }

    /// Shows the frame and runs the layouts that are waiting.
    void Settle()
    {
        if (!frame.isVisible())
            frame.show();
        QApplication::processEvents();
        QApplication::processEvents();
    }

    QWidget frame;
    CDockSite* site = nullptr;
    QWidget* view = nullptr;
};
