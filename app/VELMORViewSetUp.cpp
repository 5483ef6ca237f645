// The view's first set-up, which needs the main frame and the search sidebar.

#include "VELMORView.h"

#include "DatabaseFile.h"
#include "LoadFailurePage.h"
#include "MainFrm.h"
#include "PageFailureNote.h"
#include "SearchSidebar.h"
#include "SidebarKeys.h"
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
    QString failure;
    try {
        summary = m_PendingLoad.valid() ? m_PendingLoad.get() : LoadDatabase(m_Doc);
    } catch (const DatabaseError& error) {
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        // Whatever else goes wrong while loading takes the same road.
        failure = QStringLiteral("无法读取数据库文件“%1”：%2。")
                      .arg(QString::fromUtf8(kDatabaseFileName),
                           DescribeFailure(std::current_exception()));
    }
    if (!failure.isEmpty()) {
        // No sidebar without a database; the program keeps running and the page says why.
        ShowLoadFailure(failure);
        Report(frame, QMessageBox::Critical,
               failure + QStringLiteral("\n\n") + LoadFailureAdvice());
        return;
    }
    if (const std::optional<std::string> notice = summary.notice(kDatabaseFileName))
        Report(frame, QMessageBox::Information, QString::fromStdString(*notice));

    AssembleSearchSidebar(*frame, frame->m_LeftCtrBar, frame->m_SearchTabs, *frame);
    InstallSidebarKeys(*frame, frame->m_SearchTabs);
    frame->RecalcLayout();
    // The panels not shown are made as soon as the window has been painted: the first paint
    // does not wait for them, and the user finds every one of them made.
    m_AfterFirstPaint = [frame] { frame->m_SearchTabs.MakePendingPages(); };
}
