#pragma once

#include "DialogToolBar.h"
#include "GripperBar.h"
#include "NavigationHistory.h"
#include "PanelTabCtrl.h"
#include "SearchHost.h"
#include "ToolbarHost.h"

#include <QWidget>

#include <array>

class CVELMORDoc;
class CVELMORView;
class QBoxLayout;
class QLabel;
class QStatusBar;

/// The main window: the title "化学试剂库", the navigation bar along the top, the search sidebar
/// at the left, the page view filling the rest, and the status bar at the bottom. It owns the
/// navigation history and the sidebar; the view builds the sidebar in its first set-up.
class CMainFrame : public QWidget, public SearchHost, public ToolbarHost
{
    Q_OBJECT

public:
    /// The command of the navigation bar's "商业合作" button.
    static constexpr int ID_BUSINESS = 1028;

    /// `document` is the document the frame is made for; it must outlive the frame.
    explicit CMainFrame(CVELMORDoc& document);
    ~CMainFrame() override;

    /// Creates the window's parts (PreCreateWindow, then OnCreate). False when one of them
    /// cannot be made; the frame is then unusable.
    bool LoadFrame();

    /// Puts `view` into the client area; the view sets m_pView itself in its first set-up.
    void AttachView(CVELMORView* view);

    /// Places the control bars and the view again, after a bar was made, shown or hidden.
    void RecalcLayout();

    /// The business-cooperation command: the view shows the start page for one paint.
    void OnBusiness();

    // The route from the panels and the navigation bar to the document and the history.
    CVELMORDoc& Document() override;
    NavigationHistory& History() override { return m_History; }
    void ShowSearchMessage(const std::string& utf8) override;
    void ShowSidebar(bool show) override;
    bool HandlesCommand(int id) const override;
    void OnCommand(int id) override;
    /// The history showed another page: the status bar says "就绪" again.
    void OnHistoryMoved() override;

    /// The status bar's panes: the message and the caps, num and scroll lock indicators.
    QStatusBar& StatusBar() { return *m_wndStatusBar; }
    QLabel& IndicatorPane(int index) { return *m_Indicators[index]; }

    CGripperBar m_LeftCtrBar;
    CPanelTabCtrl m_SearchTabs;
    CVELMORView* m_pView = nullptr;

protected:
    bool PreCreateWindow();
    int OnCreate();
    /// Lights the lock indicators that the platform reports as on.
    void UpdateKeyIndicators();
    /// Alt+Left and Alt+Right do what "上一步" and "下一步" do.
    void InstallHistoryKeys();

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CVELMORDoc& m_Document;
    QStatusBar* m_wndStatusBar = nullptr;
    QLabel* m_MessagePane = nullptr;
    std::array<QLabel*, 3> m_Indicators{};
    CDialogToolBar m_wndDlgBar;
    QBoxLayout* m_BodyLayout = nullptr;
    NavigationHistory m_History;
};
