#pragma once

#include "PageCanvas.h"
#include "PageLayout.h"

#include <QSize>
#include <QString>

/// The fonts and colours of the page that says the database could not be loaded: a dark red
/// title and black text in "宋体".
PageCanvas LoadFailureCanvas();

/// What the user can do when the database could not be loaded, for the page and the message box.
QString LoadFailureAdvice();

/// That page for a view of `client` pixels: a title, the loader's `message` and what the user
/// can do about it, composed with `canvas` (LoadFailureCanvas()).
PageLayout ComposeLoadFailurePage(const QString& message, const QSize& client, PageCanvas& canvas);
