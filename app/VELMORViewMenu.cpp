// The page's keys, its context menu and the print preview.

#include "VELMORView.h"

#include "OwnerMenu.h"
#include "PageCanvas.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>

void CVELMORView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        ShowContextMenu(KeyboardMenuPoint());
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Home: // with Ctrl or without: the page has no cursor to move in a line
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        return;
    case Qt::Key_End:
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        return;
    case Qt::Key_Space:
        bar->triggerAction(shift ? QAbstractSlider::SliderPageStepSub
                                 : QAbstractSlider::SliderPageStepAdd);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void CVELMORView::contextMenuEvent(QContextMenuEvent* event)
{
    ShowContextMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                : KeyboardMenuPoint());
}

QPoint CVELMORView::KeyboardMenuPoint()
{
    // Below the start of the selection where it is in view, else at the page's margin.
    QPoint point(15, 15);
    PageCanvas canvas = ShownCanvas();
    if (m_Selection && !m_Selection->range().empty()) {
        const QPoint scroll = PagePoint(QPoint(0, 0));
        const std::vector<TextHighlight> parts = HighlightsOf(
            m_Selection->layout, canvas, m_Selection->range(),
            PageRect{scroll.x(), scroll.y(), viewport()->width(), viewport()->height()});
        if (!parts.empty())
            point = QPoint(parts.front().rect.x, parts.front().rect.y + parts.front().rect.height) -
                    scroll;
    }
    return viewport()->mapToGlobal(point);
}

void CVELMORView::ShowContextMenu(const QPoint& globalPosition)
{
    const std::unique_ptr<COwnerMenu> menu = CreateContextMenu();
    menu->exec(globalPosition);
}

std::unique_ptr<COwnerMenu> CVELMORView::CreateContextMenu()
{
    auto menu = std::make_unique<COwnerMenu>(this);
    const auto add = [&](const char* text, bool enabled, void (CVELMORView::*command)()) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, command);
    };
    const std::optional<ReagentRecord> record = ShownRecord();
    add("复制\tCtrl+C", !SelectedText().empty(), &CVELMORView::CopySelection);
    add("全选\tCtrl+A", m_ShownPage.has_value(), &CVELMORView::SelectAll);
    add("复制本页文字", m_ShownPage.has_value(), &CVELMORView::CopyPageText);
    add("复制试剂名称", record.has_value(), &CVELMORView::CopyReagentName);
    add("复制 CAS 号", record && IsFieldShown(Field::CasNumber, record->CasNumber),
        &CVELMORView::CopyCasNumber);
    add("复制结构式图片", ShownPicture() != nullptr, &CVELMORView::CopyStructurePicture);
    menu->addSeparator();
    add("打印预览…", true, &CVELMORView::OnFilePrintPreview);
    add("打印…\tCtrl+P", true, &CVELMORView::OnFilePrint);
    return menu;
}

void CVELMORView::OnFilePrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("打印预览"));
    // The preview draws the sheets with the printing itself, so it shows exactly what prints.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* sheets) { PrintPage(*sheets); });
    preview.exec();
}
