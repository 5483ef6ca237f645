#pragma once

#include "TabPageEntry.h"

#include <QFont>
#include <QIcon>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CDialog;

/// A self-drawn tab control: a strip of tabs along one edge and a framed page area below (or
/// above) it in which one page window at a time is visible. Pages are child dialogs that the
/// control makes from a dialog template; it owns them and deletes them with itself. Every
/// notification from a child goes on to the control's parent.
class CPanelTabCtrl : public QWidget
{
    Q_OBJECT

public:
    /// Style bits, the low four bits of the style given to Create().
    static constexpr unsigned TABSTYLE_TOP = 1;
    static constexpr unsigned TABSTYLE_BOTTOM = 2;
    static constexpr unsigned TABSTYLE_EQUALWIDTH = 4;
    static constexpr unsigned TABSTYLE_ANIMATE = 8;

    /// Makes a page object of one panel class (the panel's run-time class).
    using PanelClass = std::function<CDialog*()>;

    CPanelTabCtrl();
    ~CPanelTabCtrl() override;

    /// Makes the control a child of `parent` at `rect` with id `id`. `style` holds the window
    /// style (WS_VISIBLE) and, in its low four bits, the TABSTYLE bits (none means top).
    bool Create(std::uint32_t style, const QRect& rect, QWidget* parent, int id);

    /// Makes a page from `panelClass` and dialog template `templateId` and adds it with
    /// `title`. Nothing is added when the object or its dialog cannot be made.
    void AddPanelPage(const PanelClass& panelClass, int templateId, const QString& title,
                      const QIcon& icon = QIcon());

    /// Adds a tab with `title` whose page AddPanelPage() would make, but makes the page only
    /// when it is first needed, as AttachPageOnDemand() does.
    void AddPanelPageOnDemand(const PanelClass& panelClass, int templateId, const QString& title,
                              const QIcon& icon = QIcon());

    /// Adds a tab with `title` whose page `makePage` makes when it is first needed: when it is
    /// shown, or PageWindow() or MakePendingPages() asks for it. A window that shows one page
    /// of several is shown sooner that way. A page that cannot be made then (a null window) takes
    /// its tab with it.
    void AttachPageOnDemand(std::function<QWidget*()> makePage, const QString& title,
                            const QIcon& icon = QIcon());

    /// Adds `page` (which the control then owns) as a hidden page in the page area.
    void AttachPageWindow(QWidget* page, const QString& title, const QIcon& icon = QIcon());

    /// The window of page `index`, made now if it was still to be made; null if there is none.
    QWidget* PageWindow(int index);

    /// Makes every page still to be made.
    void MakePendingPages();

    /// Shows page `index` and hides the one shown before. Does not repaint the tabs.
    void ShowPage(int index);

    /// The page at `index`, or null.
    TabPageEntry* PageEntryAt(int index) const;
    int PageCount() const { return static_cast<int>(m_Pages.size()); }
    int ShownPage() const { return m_nShownPage; }
    unsigned TabStyle() const { return m_nTabStyle; }
    const QFont& TabFont() const { return m_TabFont; }

    /// The client rectangle less the tab strip and a two-pixel margin.
    QRect PageAreaRect() const;

    /// Lays out the tabs and moves every page window into the page area.
    void LayoutTabs();

signals:
    /// The user chose tab `index` with the mouse; its page is shown.
    void pageClicked(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int NaturalWidth(const TabPageEntry& page) const;
    /// Where LayoutTabs() puts every page window.
    QRect LaidOutPageRect() const;
    /// Makes a panel page from its class and template, or null when it cannot be made.
    CDialog* MakePanelPage(const PanelClass& panelClass, int templateId);
    void PlacePageWindow(TabPageEntry& entry, QWidget* page, const QRect& where);
    void NarrowTabs(const QRect& strip);

    bool m_bFillOnErase = true;
    QFont m_TabFont;
    int m_nShownPage = -1;
    unsigned m_nTabStyle = 2;
    int m_nFrameKind = 1;
    std::vector<std::unique_ptr<TabPageEntry>> m_Pages;
    int m_nAnimationTimer = 0;
};
