#include "VELMOR.h"

#include "AppAboutBox.h"
#include "DatabaseFile.h"
#include "MainFrm.h"
#include "PngImage.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QSettings>

#include <fstream>
#include <sys/resource.h>

namespace {

/// The window's icon, from the pictures drawn at the desktop's icon sizes. Not from the
/// drawing: an icon drawn from SVG is made by an icon plugin, whose loading took milliseconds
/// of the start.
QIcon WindowIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(
            ReadPngImage(QStringLiteral(":/res/icon/hicolor/velmor-%1.png").arg(size))));
    return icon;
}

/// True where an allocation can fail while the system still has memory: under a limit on the
/// process's address space, or where the kernel never overcommits. fontconfig does not survive
/// a failed allocation, so there the start page is drawn only after the load, which may take
/// all the memory there is; elsewhere memory that runs out ends a process, whichever thread asks.
bool AllocationsMayFail()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return true;
    std::ifstream overcommit("/proc/sys/vm/overcommit_memory");
    int mode = 0;
    return overcommit >> mode && mode == 2;
}

} // namespace

CVELMORApp::CVELMORApp() = default;

CVELMORApp::~CVELMORApp()
{
    // The frame and its view go before the document they show.
    m_pMainWnd.reset();
    m_pDocument.reset();
}

bool CVELMORApp::InitInstance()
{
    SetRegistryKey(QStringLiteral("Local AppWizard-Generated Applications"));
    LoadStdProfileSettings(4);
    if (!ProcessShellCommand())
        return false;
    // Fill the screen's work area first, so that the window is as large as a maximised one
    // even where no window manager maximises it.
    m_pMainWnd->setGeometry(m_pMainWnd->screen()->availableGeometry());
    m_pMainWnd->showMaximized();
    // The frame is a plain window: it never had a menu bar to remove.
    return true;
}

void CVELMORApp::OnAppAbout()
{
    CAppAboutBox about;
    about.DoModal();
}

void CVELMORApp::SetRegistryKey(const QString& key)
{
    QCoreApplication::setOrganizationName(key);
    QCoreApplication::setApplicationName(QStringLiteral("VELMOR"));
}

void CVELMORApp::LoadStdProfileSettings(int maxRecentFiles)
{
    const QSettings profile;
    for (int i = 1; i <= maxRecentFiles; ++i) {
        const QString file =
            profile.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!file.isEmpty())
            m_RecentFiles << file;
    }
}

bool CVELMORApp::ProcessShellCommand()
{
    // A new document, the frame made for it, its view, and the view's first set-up. The
    // database loads on a second thread while the frame and view are built: neither reads
    // the records before the set-up, which waits for the load. A third thread draws the start
    // page for the first paint.
    m_pDocument = std::make_unique<CVELMORDoc>();
    const std::shared_future<LoadSummary> load = StartLoadingDatabase(*m_pDocument).share();
    const QScreen* screen = QGuiApplication::primaryScreen();
    StartPageDrawing startPage(screen->availableGeometry().width(), screen->devicePixelRatio(),
                               kPageBackground,
                               AllocationsMayFail() ? load : std::shared_future<LoadSummary>());
    m_pMainWnd = std::make_unique<CMainFrame>(*m_pDocument);
    m_pMainWnd->setWindowIcon(WindowIcon());
    if (!m_pMainWnd->LoadFrame())
        return false;
    auto* view = new CVELMORView(*m_pDocument);
    m_pMainWnd->AttachView(view);
    // Nothing has been painted yet; the set-up's messages and the first paint draw text.
    startPage.awaitFirstText();
    view->AwaitStartPage(std::move(startPage));
    view->AwaitLoad(load);
    view->OnInitialUpdate();
    // Painted last of the frame's children, the view waits for the drawing of the start page
    // only once the bars have been painted, not before.
    view->raise();
    return true;
}
