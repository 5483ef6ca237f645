#pragma once

#include <QColor>
#include <QIcon>
#include <QRect>
#include <QString>

#include <functional>

class QFontMetrics;
class QPainter;
class QWidget;

/// One page of a CPanelTabCtrl: the page window, its tab title and icon, and the tab's
/// rectangle in the control's client coordinates (empty until the first layout). The right
/// column and the bottom row of the rectangle lie outside it, as with a Windows RECT whose
/// right and bottom are exclusive.
struct TabPageEntry
{
    QWidget* m_pPageWnd = nullptr; ///< null while the page is still to be made
    /// Makes the page window, for a page made when it is first needed; empty once it is made.
    std::function<QWidget*()> m_MakePage;
    QString m_strCaption;
    QIcon m_hTabIcon;
    QRect m_rcHeader;

    /// The three pens the tabs are outlined with.
    struct Pens
    {
        QColor white;
        QColor black;
        QColor shadow;
    };

    /// Draws the tab. `style` holds the control's TABSTYLE bits; the active tab opens into the
    /// page area, inactive ones stand two pixels lower.
    void Draw(QPainter& painter, unsigned style, bool active, const Pens& pens,
              const QColor& face) const;

    /// The title as it fits `maxWidth`: up to 10 times the last double-byte character (two
    /// bytes of code page 936 text) is dropped while it is too wide; if anything was dropped,
    /// one more is, and "..." ends it.
    static QString FittedTitle(const QString& title, int maxWidth, const QFontMetrics& metrics);
};
