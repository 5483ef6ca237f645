#include "MainFrm.h"

#include "CommandEvent.h"
#include "DialogUnits.h"
#include "LockKeyState.h"
#include "NotifyEvent.h"
#include "Trace.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
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

    // The frame's own texts, the status bar's, are in the face a Chinese Windows desktop
    // shows them in, 宋体 at 9 points, as the window's other texts are. Set before the bar is
    // made, which measures its texts at once: the start then loads no other family for them.
    setFont(DialogFont(QStringLiteral("宋体"), 9));
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
    InstallHistoryKeys();
    return 0;
}

void CMainFrame::InstallHistoryKeys()
{
    const std::pair<QKeyCombination, int> keys[] = {
        {Qt::ALT | Qt::Key_Left, CDialogToolBar::IDC_BACK},
        {Qt::ALT | Qt::Key_Right, CDialogToolBar::IDC_NEXT}};
    for (const auto& [key, command] : keys)
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                [this, command = command] { m_wndDlgBar.OnCommand(command); });
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
    ShowSearchMessage(kIdleMessage);
}

void CMainFrame::OnHistoryMoved()
{
    ShowSearchMessage(kIdleMessage);
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
    case QEvent::MouseButtonPress: {
        // The mouse's back and forward buttons, over any widget of this window, step through
        // the history as "上一步" and "下一步" do; the widget under the pointer never sees them.
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        auto* widget = watched->isWidgetType() ? static_cast<QWidget*>(watched) : nullptr;
        if ((button == Qt::BackButton || button == Qt::ForwardButton) && widget &&
            widget->window() == this) {
            m_wndDlgBar.OnCommand(button == Qt::BackButton ? CDialogToolBar::IDC_BACK
                                                           : CDialogToolBar::IDC_NEXT);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
