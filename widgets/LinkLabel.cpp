#include "LinkLabel.h"

#include "HyperlinkShell.h"
#include "SystemColours.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

CLinkLabel::CLinkLabel(QWidget* parent)
    : QLabel(parent), m_crLinkColour(0, 0, 238), m_crVisitedColour(85, 26, 139),
      m_crHoverColour(SystemColour(SysColour::Highlight)), m_Shell(&DesktopHyperlinkShell())
{
    // A static text starts at the top left unless its style centres it.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(true);
}

void CLinkLabel::PreSubclassWindow()
{
    if (m_strTarget.isEmpty())
        m_strTarget = text();
    if (text().isEmpty())
        setText(m_strTarget);
    m_bAttached = true;
    ApplyLinkFont();
    FitToText();
    if (!m_HandCursor)
        SetHandCursor(std::nullopt);
    setToolTip(m_strTarget);
}

void CLinkLabel::SetTargetUrl(const QString& target)
{
    m_strTarget = target;
    if (m_bAttached) {
        FitToText();
        setToolTip(m_strTarget);
    }
}

void CLinkLabel::SetColourScheme(const QColor& link, const QColor& visited,
                                 std::optional<QColor> hover)
{
    m_crLinkColour = link;
    m_crVisitedColour = visited;
    m_crHoverColour = hover.value_or(SystemColour(SysColour::Highlight));
    update();
}

QColor CLinkLabel::CurrentTextColour() const
{
    if (m_bOverLink)
        return m_crHoverColour;
    return m_bVisited ? m_crVisitedColour : m_crLinkColour;
}

void CLinkLabel::MarkVisited(bool visited)
{
    m_bVisited = visited;
    update();
}

void CLinkLabel::SetHandCursor(std::optional<QCursor> cursor)
{
    // The pointing hand stands in for the hand cursor of the Windows help program.
    m_HandCursor = cursor.value_or(QCursor(Qt::PointingHandCursor));
    setCursor(*m_HandCursor);
}

void CLinkLabel::EnableUnderline(bool underline)
{
    m_bUnderline = underline;
    if (m_bAttached)
        ApplyLinkFont();
}

void CLinkLabel::EnableFitToText(bool fit)
{
    m_bFitToText = fit;
    if (m_bAttached)
        FitToText();
}

void CLinkLabel::SetHyperlinkShell(HyperlinkShell* shell)
{
    m_Shell = shell;
}

void CLinkLabel::ApplyLinkFont()
{
    QFont linkFont = font();
    linkFont.setUnderline(m_bUnderline);
    setFont(linkFont);
    update();
}

void CLinkLabel::FitToText()
{
    if (!m_bAttached || !m_bFitToText)
        return;
    QRect rect = geometry();
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text());
    const int textHeight = metrics.height();
    const Qt::Alignment align = alignment();
    if (align & Qt::AlignVCenter) {
        const int shrink = (rect.height() - textHeight) / 2;
        rect.adjust(0, shrink, 0, -shrink);
    } else {
        rect.setHeight(textHeight);
    }
    if (align & Qt::AlignHCenter) {
        const int shrink = (rect.width() - textWidth) / 2;
        rect.adjust(shrink, 0, -shrink, 0);
    } else if (align & Qt::AlignRight) {
        rect.setLeft(rect.left() + rect.width() - textWidth);
    } else {
        rect.setWidth(textWidth);
    }
    setGeometry(rect);
}

void CLinkLabel::paintEvent(QPaintEvent*)
{
    // The background stays the parent's; only the text is drawn, in the state's colour.
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(CurrentTextColour());
    painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, text());
}

void CLinkLabel::SetOverLink(bool over)
{
    if (m_bOverLink == over)
        return;
    m_bOverLink = over;
    repaint();
}

void CLinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    SetOverLink(rect().contains(event->position().toPoint()));
}

void CLinkLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    SetOverLink(false);
}

void CLinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnClicked();
    else
        QLabel::mousePressEvent(event);
}

void CLinkLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a double click is a double-click notification, which a link does
    // not act on: only the first click opens the target.
    if (event->button() != Qt::LeftButton)
        QLabel::mouseDoubleClickEvent(event);
}

void CLinkLabel::OnClicked()
{
    // The result comes back from the event loop; the label may be gone by then.
    OpenHyperlink(*m_Shell, m_strTarget, [label = QPointer<CLinkLabel>(this)](int result) {
        if (label)
            label->OnOpened(result);
    });
}

void CLinkLabel::OnOpened(int result)
{
    m_bVisited = result > 32;
    if (m_bVisited) {
        MarkVisited(true);
    } else {
        QApplication::beep();
        ReportError(result);
    }
}

QString CLinkLabel::ErrorReportText(int resultCode)
{
    QString message;
    switch (resultCode) {
    case 0:
        message = QStringLiteral("The operating system is out\nof memory or resources.");
        break;
    case 2:
        message = QStringLiteral("The specified file was not found.");
        break;
    case 3:
        message = QStringLiteral("The specified path was not found.");
        break;
    case 5:
        message = QStringLiteral("The operating system denied\naccess to the specified file.");
        break;
    case 8:
        message = QStringLiteral("There was not enough memory to complete the operation.");
        break;
    case 11:
        message =
            QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
        break;
    case 26:
        message = QStringLiteral("A sharing violation occurred. ");
        break;
    case 27:
        message = QStringLiteral("The filename association is\nincomplete or invalid.");
        break;
    case 28:
        message = QStringLiteral(
            "The DDE transaction could not\nbe completed because the request timed out.");
        break;
    case 29:
        message = QStringLiteral("The DDE transaction failed.");
        break;
    case 30:
        message = QStringLiteral("The DDE transaction could not\nbe completed because other DDE "
                                 "transactions\nwere being processed.");
        break;
    case 31:
        message = QStringLiteral(
            "There is no application associated\nwith the given filename extension.");
        break;
    case 32:
        message = QStringLiteral("The specified dynamic-link library was not found.");
        break;
    default:
        message = QStringLiteral("Unknown Error (%1) occurred.").arg(resultCode);
        break;
    }
    return QStringLiteral("Unable to open hyperlink:\n\n") + message;
}

void CLinkLabel::ReportError(int resultCode)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    ErrorReportText(resultCode), QMessageBox::Ok, window());
    box.exec();
}
