#pragma once

#include <QStringList>

#include <memory>

class CMainFrame;
class CVELMORDoc;

/// The application: starts the program in the order its parts rely on. The document comes
/// first, then the main frame, then the view, whose first set-up loads the database and builds
/// the search sidebar; the window is shown maximised and has no menu bar.
class CVELMORApp
{
public:
    CVELMORApp();
    ~CVELMORApp();

    /// The standard about command, which no menu or key of this program carries.
    static constexpr int ID_APP_ABOUT = 57664;

    /// Starts the program; false when the main window could not be made.
    bool InitInstance();

    /// The about command: shows the application's about box until it is closed.
    void OnAppAbout();

    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }
    CVELMORDoc* Document() const { return m_pDocument.get(); }
    /// The recent-file list of the profile, read at start-up (the program writes no profile).
    const QStringList& RecentFiles() const { return m_RecentFiles; }

private:
    void SetRegistryKey(const QString& key);
    void LoadStdProfileSettings(int maxRecentFiles);
    bool ProcessShellCommand();

    std::unique_ptr<CVELMORDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    QStringList m_RecentFiles;
};
