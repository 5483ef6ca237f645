// The view's first set-up, which needs the main frame and the search sidebar.

#include "VELMORView.h"

#include "DatabaseFile.h"
#include "MainFrm.h"
#include "SearchSidebar.h"
#include "VELMORDoc.h"

#include <QMessageBox>

namespace {

/// A message box with its one button, which Qt's translations call "确定".
void Report(QWidget* owner, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, QStringLiteral("化学试剂库"), text, QMessageBox::Ok, owner);
    box.exec();
}

} // namespace

void CVELMORView::OnInitialUpdate()
{
    SetInitialScrollSizes();
    auto* frame = qobject_cast<CMainFrame*>(window());
    Q_ASSERT(frame);
    frame->m_pView = this;

    LoadSummary summary;
    try {
        summary = LoadDatabase(m_Doc);
    } catch (const DatabaseError& error) {
        // No sidebar without a database; the program keeps running and the page says why.
        const QString message = QString::fromUtf8(error.what());
        ShowLoadFailure(message);
        Report(frame, QMessageBox::Critical, message);
        return;
    }
    if (const std::optional<std::string> notice = summary.notice(kDatabaseFileName))
        Report(frame, QMessageBox::Information, QString::fromStdString(*notice));

    AssembleSearchSidebar(*frame, frame->m_LeftCtrBar, frame->m_SearchTabs, *frame);
    frame->RecalcLayout();
}
