#pragma once

#include <QWidget>

class CDockSite;
class CGripperBar;
class QMenu;

/// A frame with sizing bars: three docked in one row on the left, two on the top, one at the
/// bottom and one floating, each showing its edges and holding a text editor. It puts itself
/// and its bars (their sizes and places) back as the settings keep them when it is made, and
/// stores them when it closes. The view's context menu shows and hides the bars.
class DockDemoFrame : public QWidget
{
public:
    DockDemoFrame();

    /// Floats the floating bar near the frame's middle, unless the bars' places came back
    /// from the settings; the frame must be shown.
    void PlaceFloatingBar();
    /// Adds to `menu` an entry for each bar that shows it, checked, or hides it; the view's
    /// context menu ends with them.
    void AddBarActions(QMenu& menu);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CGripperBar* MakeBar(int id, const QString& title, bool visible = true);

    CDockSite* m_pSite;
    CGripperBar* m_pFloating = nullptr;
    bool m_bLayoutRestored = false;
};
