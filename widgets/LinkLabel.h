#pragma once

#include <QColor>
#include <QCursor>
#include <QLabel>
#include <QString>

#include <optional>

class HyperlinkShell;

/// A static text that is a web link: coloured text (link, hover and visited colours), a hand
/// cursor, a tool tip with the target, and a click that opens the target in the browser.
///
/// A dialog's static control becomes a link when the label takes its place in the dialog and
/// PreSubclassWindow() runs: the target defaults to the text (or the text to the target), the
/// link font and the hand cursor are set up and the label shrinks to its text.
class CLinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CLinkLabel(QWidget* parent = nullptr);

    /// Makes the label a link. Call once it has its dialog text, font and geometry.
    void PreSubclassWindow();

    void SetTargetUrl(const QString& target);
    QString TargetUrl() const { return m_strTarget; }

    /// Sets the three colours; no hover colour means the desktop's highlight colour.
    void SetColourScheme(const QColor& link, const QColor& visited,
                         std::optional<QColor> hover = std::nullopt);
    QColor LinkColour() const { return m_crLinkColour; }
    QColor VisitedColour() const { return m_crVisitedColour; }
    QColor HoverColour() const { return m_crHoverColour; }
    /// The colour the text is painted in now: hover, else visited, else link.
    QColor CurrentTextColour() const;

    void MarkVisited(bool visited = true);
    bool IsVisited() const { return m_bVisited; }

    /// Sets the cursor shown over the link; none means the pointing hand.
    void SetHandCursor(std::optional<QCursor> cursor);
    std::optional<QCursor> HandCursor() const { return m_HandCursor; }

    void EnableUnderline(bool underline = true);
    bool IsUnderlined() const { return m_bUnderline; }

    void EnableFitToText(bool fit = true);
    bool FitsToText() const { return m_bFitToText; }

    /// The shell that opens targets (the desktop's by default).
    void SetHyperlinkShell(HyperlinkShell* shell);

    /// The text of the report shown when a target cannot be opened, for a result code.
    static QString ErrorReportText(int resultCode);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ApplyLinkFont();
    void FitToText();
    void SetOverLink(bool over);
    void OnClicked();
    void OnOpened(int result);
    void ReportError(int resultCode);

    QColor m_crLinkColour;
    QColor m_crVisitedColour;
    QColor m_crHoverColour;
    bool m_bOverLink = false;
    bool m_bVisited = false;
    bool m_bUnderline = true;
    bool m_bFitToText = true;
    QString m_strTarget;
    std::optional<QCursor> m_HandCursor;
    bool m_bAttached = false;
    HyperlinkShell* m_Shell;
};
