#pragma once

#include <QRect>
#include <QString>

class QPainter;

/// What the user can do when the database could not be loaded, for the page and the message box.
QString LoadFailureAdvice();

/// Paints, in `area`, the page that says the database could not be loaded: a title, the
/// loader's `message` and what the user can do about it.
void PaintLoadFailurePage(QPainter& painter, const QRect& area, const QString& message);
