#pragma once

#include <QPoint>

class QWidget;

/// What the window system delivers for a double click at `at`: a press and a release, then a
/// double-click event in place of the second press, and its release.
void SendDoubleClick(QWidget* widget, QPoint at);
