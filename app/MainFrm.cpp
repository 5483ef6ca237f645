#include "MainFrm.h"

#include "CommandEvent.h"
#include "LockKeyState.h"
#include "NotifyEvent.h"
#include "Trace.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

constexpr int kNavigationBarId = 134;

// The idle message and the indicators' texts, in the order of the panes.
const char* const kIdleMessage = "就绪";
const char* const kIndicatorTexts[] = {"大写", "数字", "滚动"};

} // namespace

CMainFrame::CMainFrame(CVELMORDoc& document)
    : m_Document(document), m_wndDlgBar(*this), m_History(document)
{
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
}

bool CMainFrame::LoadFrame()
{
    return PreCreateWindow() && OnCreate() == 0;
}

bool CMainFrame::PreCreateWindow()
{
    // The title never follows the document: it stays the program's name.
    setWindowTitle(QStringLiteral("化学试剂库"));
    return true;
}

int CMainFrame::OnCreate()
{
    auto* frameLayout = new QVBoxLayout(this);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->setSpacing(0);

    m_wndStatusBar = new QStatusBar(this);
    m_MessagePane = new QLabel(QString::fromUtf8(kIdleMessage), m_wndStatusBar);
    m_wndStatusBar->addWidget(m_MessagePane, 1);
    for (std::size_t i = 0; i < m_Indicators.size(); ++i) {
        auto* pane = new QLabel(m_wndStatusBar);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        // As wide as its text, whether lit or not.
        pane->setMinimumWidth(
            QFontMetrics(pane->font()).horizontalAdvance(QString::fromUtf8(kIndicatorTexts[i])) +
            12);
        m_wndStatusBar->addPermanentWidget(pane);
        m_Indicators[i] = pane;
    }

    if (!m_wndDlgBar.Create(this, CDialogToolBar::kTemplateId, kNavigationBarId)) {
        Trace("Failed to create DlgBar\n");
        return -1;
    }
    // The bar keeps its template's height however low the window: the view gives way, and the
    // window can be no lower than the two bars.
    m_wndDlgBar.setMinimumHeight(m_wndDlgBar.height());
    frameLayout->addWidget(&m_wndDlgBar);
    m_BodyLayout = new QHBoxLayout;
    m_BodyLayout->setSpacing(0);
    frameLayout->addLayout(m_BodyLayout, 1);
    frameLayout->addWidget(m_wndStatusBar);

    UpdateKeyIndicators();
    qApp->installEventFilter(this);
    return 0;
}

void CMainFrame::AttachView(CVELMORView* view)
{
    view->setParent(this);
    m_BodyLayout->addWidget(view, 1);
}

void CMainFrame::RecalcLayout()
{
    // A bar made since the last layout takes its place at the left of the view.
    if (m_LeftCtrBar.parentWidget() == this && m_BodyLayout->indexOf(&m_LeftCtrBar) < 0)
        m_BodyLayout->insertWidget(0, &m_LeftCtrBar);
    m_BodyLayout->invalidate();
}

void CMainFrame::OnBusiness()
{
    if (m_pView)
        m_pView->ShowBusinessPage();
}

CVELMORDoc& CMainFrame::Document()
{
    return m_pView ? m_pView->GetDocument() : m_Document;
}

void CMainFrame::ShowSearchMessage(const std::string& utf8)
{
    m_MessagePane->setText(QString::fromStdString(utf8));
}

void CMainFrame::ShowSidebar(bool show)
{
    m_LeftCtrBar.setVisible(show);
    RecalcLayout();
}

bool CMainFrame::HandlesCommand(int id) const
{
    return id == ID_BUSINESS;
}

void CMainFrame::OnCommand(int id)
{
    if (id == ID_BUSINESS)
        OnBusiness();
}

void CMainFrame::UpdateKeyIndicators()
{
    const std::optional<LockKeyState> keys = QueryLockKeys();
    const bool lit[] = {keys && keys->capsLock, keys && keys->numLock, keys && keys->scrollLock};
    for (std::size_t i = 0; i < m_Indicators.size(); ++i)
        m_Indicators[i]->setText(lit[i] ? QString::fromUtf8(kIndicatorTexts[i]) : QString());
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == CommandEvent::EventType()) {
        OnCommand(static_cast<CommandEvent*>(event)->CommandId());
        return true;
    }
    // Notifications that the sidebar passes up end here.
    if (event->type() == NotifyEvent::EventType())
        return true;
    return QWidget::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::WindowActivate:
        UpdateKeyIndicators();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
