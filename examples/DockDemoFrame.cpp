#include "DockDemoFrame.h"

#include "DockSite.h"
#include "GripperBar.h"
#include "WindowStyles.h"

#include <QCloseEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>

#include <memory>

namespace {

// The profile name the bars' sizes and places are kept under, and the key of the frame's own
// place.
const QString kProfileName = QStringLiteral("Bars");
const QString kFrameKey = QStringLiteral("Frame/rect");
const QSize kEditorMinimum(60, 40);

} // namespace

DockDemoFrame::DockDemoFrame() : m_pSite(new CDockSite(*this))
{
    setWindowTitle(QStringLiteral("停靠栏演示"));
    // The frame's own rectangle, without the window system's frame around it: that is where
    // it is put back.
    const QRect kept = QSettings().value(kFrameKey).toRect();
    if (kept.isValid())
        setGeometry(kept);
    else
        resize(1000, 700);
    m_pSite->EnableDocking(CBRS_ALIGN_ANY);
    auto* view = new QPlainTextEdit(this);
    view->setPlainText(QStringLiteral("视图：停靠栏留下的地方都归它。\n\n"
                                      "拖动栏的边缘改变大小；拖动抓手停靠到别的边或浮动；"
                                      "双击抓手在停靠与浮动之间切换。"));
    m_pSite->SetViewPane(view);
    // The view's context menu shows and hides the bars, so that a closed bar can come back.
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](QPoint at) {
        const std::unique_ptr<QMenu> menu(view->createStandardContextMenu());
        menu->addSeparator();
        AddBarActions(*menu);
        menu->exec(view->viewport()->mapToGlobal(at));
    });

    CGripperBar* previous = nullptr;
    for (int i = 0; i < 3; ++i) {
        CGripperBar* bar = MakeBar(201 + i, QStringLiteral("左%1").arg(i + 1));
        m_pSite->DockControlBar(bar, AFX_IDW_DOCKBAR_LEFT, previous);
        previous = bar;
    }
    previous = nullptr;
    for (int i = 0; i < 2; ++i) {
        CGripperBar* bar = MakeBar(211 + i, QStringLiteral("上%1").arg(i + 1));
        m_pSite->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP, previous);
        previous = bar;
    }
    m_pSite->DockControlBar(MakeBar(221, QStringLiteral("下")), AFX_IDW_DOCKBAR_BOTTOM);
    // Hidden until it floats, so that the frame never lays it out along its side.
    m_pFloating = MakeBar(231, QStringLiteral("浮动"), false);
    m_pFloating->m_sizeFloating = QSize(260, 180);
    m_pSite->AddControlBar(m_pFloating);

    // Before the first layout, which would share the rows out for the bars' first places.
    CEdgeSizingBar::RestoreAllBarSizes(*m_pSite, kProfileName);
    m_bLayoutRestored = m_pSite->LoadBarState(kProfileName);
}

CGripperBar* DockDemoFrame::MakeBar(int id, const QString& title, bool visible)
{
    auto* bar = new CGripperBar;
    bar->SetSizingStyle(bar->GetSizingStyle() | CEdgeSizingBar::SIZING_SHOW_EDGES);
    bar->Create(title, this, QSize(220, 120), true, id,
                WS_CHILD | (visible ? WS_VISIBLE : 0) | CBRS_ALIGN_LEFT | CBRS_SIZE_DYNAMIC);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    auto* editor = new QPlainTextEdit(bar);
    editor->setPlainText(QStringLiteral("%1（%2）").arg(title).arg(id));
    // The editor stays usable at 60 x 40, and a bar at its minimum still holds it whole: the
    // widest frame around a docked bar's client area is 22 pixels across its gripper band and
    // two sizing edges and 15 pixels along a sizing edge (32 and 15 on a side row); a floating
    // bar's is 6 by 8.
    editor->setMinimumSize(kEditorMinimum);
    bar->m_sizeMinHorzDocked = kEditorMinimum + QSize(32, 15);
    bar->m_sizeMinVertDocked = kEditorMinimum + QSize(15, 32);
    bar->m_sizeMinFloating = kEditorMinimum + QSize(6, 8);
    return bar;
}

void DockDemoFrame::AddBarActions(QMenu& menu)
{
    for (CControlBar* bar : m_pSite->ControlBars()) {
        if (!qobject_cast<CGripperBar*>(bar))
            continue;
        QAction* action = menu.addAction(bar->windowTitle());
        action->setCheckable(true);
        action->setChecked(bar->IsVisible());
        connect(action, &QAction::toggled, this,
                [this, bar](bool show) { m_pSite->ShowControlBar(bar, show, false); });
    }
}

void DockDemoFrame::PlaceFloatingBar()
{
    if (m_bLayoutRestored)
        return;
    m_pSite->FloatControlBar(m_pFloating, mapToGlobal(QPoint(560, 330)));
    m_pSite->ShowControlBar(m_pFloating, true, false);
}

void DockDemoFrame::closeEvent(QCloseEvent* event)
{
    QSettings().setValue(kFrameKey, geometry());
    CEdgeSizingBar::StoreAllBarSizes(*m_pSite, kProfileName);
    m_pSite->SaveBarState(kProfileName);
    QWidget::closeEvent(event);
}
