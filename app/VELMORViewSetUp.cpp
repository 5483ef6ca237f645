// The view's first set-up, which needs the main frame and the search sidebar.

#include "VELMORView.h"

#include "DatabaseFile.h"
#include "MainFrm.h"
#include "SearchSidebar.h"
#include "VELMORDoc.h"

#include <QMessageBox>

namespace {
const QString kCaption = QStringLiteral("化学试剂库");
}

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
        QMessageBox::critical(frame, kCaption, message);
        return;
    }
    if (const std::optional<std::string> notice = summary.notice(kDatabaseFileName))
        QMessageBox::information(frame, kCaption, QString::fromStdString(*notice));

    AssembleSearchSidebar(*frame, frame->m_LeftCtrBar, frame->m_SearchTabs, *frame);
    frame->RecalcLayout();
}
