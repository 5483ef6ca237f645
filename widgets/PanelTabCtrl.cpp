#include "PanelTabCtrl.h"

#include "ControlId.h"
#include "Dialog.h"
#include "DialogUnits.h"
#include "NotifyEvent.h"
#include "PaintPrimitives.h"
#include "RectEdges.h"
#include "SystemColours.h"
#include "WindowStyles.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <utility>

namespace {

constexpr int kStripHeight = 23;
constexpr int kAnimationSteps = 10;

/// The pens are made once, with the desktop's colours of that moment.
const TabPageEntry::Pens& TabPens()
{
    static const TabPageEntry::Pens pens{QColor(255, 255, 255), QColor(0, 0, 0),
                                         SystemColour(SysColour::BtnShadow)};
    return pens;
}

/// The slide's progress, shared by every control as there is only ever one slide at a time.
int g_AnimationStep = 0;

} // namespace

CPanelTabCtrl::CPanelTabCtrl() = default;

CPanelTabCtrl::~CPanelTabCtrl()
{
    for (const std::unique_ptr<TabPageEntry>& page : m_Pages)
        delete page->m_pPageWnd;
    m_Pages.clear();
}

bool CPanelTabCtrl::Create(std::uint32_t style, const QRect& rect, QWidget* parent, int id)
{
    m_nTabStyle = style & 0xF;
    if (m_nTabStyle == 0)
        m_nTabStyle = TABSTYLE_TOP;
    setParent(parent);
    SetControlId(this, id);
    setGeometry(rect);
    // The background is painted in full by paintEvent, or deliberately left as it was.
    setAttribute(Qt::WA_OpaquePaintEvent);
    TabPens();

    m_TabFont = DialogFont(QStringLiteral("宋体"), 9);
    setFont(m_TabFont);
    setVisible(style & WS_VISIBLE);
    return true;
}

void CPanelTabCtrl::AddPanelPage(const PanelClass& panelClass, int templateId, const QString& title,
                                 const QIcon& icon)
{
    if (CDialog* page = MakePanelPage(panelClass, templateId))
        AttachPageWindow(page, title, icon);
}

void CPanelTabCtrl::AddPanelPageOnDemand(const PanelClass& panelClass, int templateId,
                                         const QString& title, const QIcon& icon)
{
    if (panelClass)
        AttachPageOnDemand(
            [this, panelClass, templateId] { return MakePanelPage(panelClass, templateId); }, title,
            icon);
}

void CPanelTabCtrl::AttachPageOnDemand(std::function<QWidget*()> makePage, const QString& title,
                                       const QIcon& icon)
{
    auto entry = std::make_unique<TabPageEntry>();
    entry->m_MakePage = std::move(makePage);
    entry->m_strCaption = title;
    entry->m_hTabIcon = icon;
    m_Pages.push_back(std::move(entry));
}

CDialog* CPanelTabCtrl::MakePanelPage(const PanelClass& panelClass, int templateId)
{
    CDialog* page = panelClass ? panelClass() : nullptr;
    if (page && !page->Create(templateId, this)) {
        delete page;
        return nullptr;
    }
    return page;
}

void CPanelTabCtrl::AttachPageWindow(QWidget* page, const QString& title, const QIcon& icon)
{
    Q_ASSERT(page);
    auto entry = std::make_unique<TabPageEntry>();
    entry->m_strCaption = title;
    entry->m_hTabIcon = icon;
    PlacePageWindow(*entry, page, PageAreaRect());
    m_Pages.push_back(std::move(entry));
}

void CPanelTabCtrl::PlacePageWindow(TabPageEntry& entry, QWidget* page, const QRect& where)
{
    entry.m_pPageWnd = page;
    page->setParent(this);
    page->setGeometry(where);
    page->hide();
}

QWidget* CPanelTabCtrl::PageWindow(int index)
{
    TabPageEntry* page = PageEntryAt(index);
    if (!page || page->m_pPageWnd || !page->m_MakePage)
        return page ? page->m_pPageWnd : nullptr;
    QWidget* made = std::exchange(page->m_MakePage, {})();
    if (!made) {
        m_Pages.erase(m_Pages.begin() + index);
        if (m_nShownPage > index)
            --m_nShownPage;
        LayoutTabs();
        update();
        return nullptr;
    }
    // Made after the tabs were laid out, it goes where the layout put the others.
    PlacePageWindow(*page, made, page->m_rcHeader.isEmpty() ? PageAreaRect() : LaidOutPageRect());
    return made;
}

void CPanelTabCtrl::MakePendingPages()
{
    // From the last: a page that cannot be made takes its tab, and moves those after it.
    for (int i = PageCount() - 1; i >= 0; --i)
        PageWindow(i);
}

void CPanelTabCtrl::ShowPage(int index)
{
    if (index == m_nShownPage)
        return;
    if (TabPageEntry* shown = PageEntryAt(m_nShownPage))
        shown->m_pPageWnd->hide();
    if (!PageWindow(index))
        return;
    TabPageEntry* page = PageEntryAt(index);
    m_nShownPage = index;
    if (m_nTabStyle & TABSTYLE_ANIMATE) {
        g_AnimationStep = 0;
        if (m_nAnimationTimer)
            killTimer(m_nAnimationTimer);
        m_nAnimationTimer = startTimer(15);
    } else {
        page->m_pPageWnd->show();
    }
}

TabPageEntry* CPanelTabCtrl::PageEntryAt(int index) const
{
    if (index < 0 || index >= PageCount())
        return nullptr;
    return m_Pages[index].get();
}

QRect CPanelTabCtrl::PageAreaRect() const
{
    const QRect client = rect();
    if (m_nTabStyle & TABSTYLE_BOTTOM)
        return RectFromEdges(client.left() + 2, client.top() + 2, client.right() + 1 - 2,
                             client.bottom() + 1 - kStripHeight);
    return RectFromEdges(client.left() + 2, client.top() + kStripHeight, client.right() + 1 - 2,
                         client.bottom() + 1 - 2);
}

int CPanelTabCtrl::NaturalWidth(const TabPageEntry& page) const
{
    const QFontMetrics metrics(m_TabFont);
    return metrics.horizontalAdvance(page.m_strCaption) + (page.m_hTabIcon.isNull() ? 0 : 18) + 9;
}

void CPanelTabCtrl::LayoutTabs()
{
    if (m_Pages.empty())
        return;
    const QRect pageRect = LaidOutPageRect();
    const int width = this->width();
    const int height = this->height();
    const QRect strip = (m_nTabStyle & TABSTYLE_BOTTOM)
                            ? RectFromEdges(6, height - 1 - 22, width - 6, height - 1)
                            : RectFromEdges(2, 0, width - 6, kStripHeight);

    int x = strip.left();
    int total = 0;
    for (const std::unique_ptr<TabPageEntry>& page : m_Pages) {
        const int w =
            (m_nTabStyle & TABSTYLE_EQUALWIDTH) ? strip.width() / PageCount() : NaturalWidth(*page);
        page->m_rcHeader = RectFromEdges(x, strip.top(), x + w - 1, strip.top() + strip.height());
        x += w;
        total += w;
        if (page->m_pPageWnd)
            page->m_pPageWnd->setGeometry(pageRect);
    }
    if (!(m_nTabStyle & TABSTYLE_EQUALWIDTH) && total > strip.width())
        NarrowTabs(strip);
}

QRect CPanelTabCtrl::LaidOutPageRect() const
{
    const int inset = m_nFrameKind + 1;
    return PageAreaRect().adjusted(inset, inset, -inset, -inset);
}

void CPanelTabCtrl::NarrowTabs(const QRect& strip)
{
    // Tabs wider than an even share of the strip get that share; the others keep their natural
    // width. All tabs then fit, and each keeps a part of the strip to be clicked on.
    const int average = strip.width() / PageCount();
    int x = strip.left();
    for (const std::unique_ptr<TabPageEntry>& page : m_Pages) {
        const int w = std::min(NaturalWidth(*page), average);
        page->m_rcHeader = RectFromEdges(x, strip.top(), x + w - 1, strip.top() + strip.height());
        x += w;
    }
}

bool CPanelTabCtrl::event(QEvent* event)
{
    if (event->type() == NotifyEvent::EventType()) {
        if (QWidget* parent = parentWidget())
            QCoreApplication::sendEvent(parent, event);
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void CPanelTabCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor face = SystemColour(SysColour::BtnFace);
    if (m_bFillOnErase)
        painter.fillRect(rect(), face);
    painter.setFont(m_TabFont);
    const TabPageEntry::Pens& pens = TabPens();
    if (m_nFrameKind == 1) {
        Draw3dRect(painter, PageAreaRect(), pens.white, pens.black);
    } else if (m_nFrameKind == 2) {
        Draw3dRect(painter, PageAreaRect(), pens.white, pens.black);
        Draw3dRect(painter, PageAreaRect().adjusted(1, 1, -1, -1), face, pens.shadow);
    }
    for (int i = 0; i < PageCount(); ++i)
        m_Pages[i]->Draw(painter, m_nTabStyle, i == m_nShownPage, pens, face);
}

void CPanelTabCtrl::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    // Only the left button selects a tab.
    for (int i = 0; event->button() == Qt::LeftButton && i < PageCount(); ++i) {
        if (m_Pages[i]->m_rcHeader.contains(point)) {
            ShowPage(i);
            update();
            emit pageClicked(i);
            break;
        }
    }
    QWidget::mousePressEvent(event);
}

void CPanelTabCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_bFillOnErase = true;
    LayoutTabs();
    update();
}

void CPanelTabCtrl::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_nAnimationTimer) {
        QWidget::timerEvent(event);
        return;
    }
    // The new page slides in from the left: first with its right edge at x = 10, then a tenth
    // of its width further at each tick, and at the last tick into its place.
    TabPageEntry* page = PageEntryAt(m_nShownPage);
    const QRect target = LaidOutPageRect();
    ++g_AnimationStep;
    if (!page || g_AnimationStep > kAnimationSteps) {
        killTimer(m_nAnimationTimer);
        m_nAnimationTimer = 0;
        m_bFillOnErase = true;
        if (page)
            page->m_pPageWnd->setGeometry(target);
        return;
    }
    m_bFillOnErase = false;
    QRect moving = target;
    moving.moveRight(10 - 1 + (g_AnimationStep - 1) * (target.width() / kAnimationSteps));
    page->m_pPageWnd->setGeometry(moving);
    page->m_pPageWnd->show();
}
