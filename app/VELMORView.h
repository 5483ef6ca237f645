#pragma once

#include "DatabaseFile.h"
#include "Document.h"
#include "PageLayout.h"
#include "StaticTrans.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QImage>
#include <QSize>

#include <future>
#include <optional>
#include <string>

class CVELMORDoc;
class PageCanvas;
class QPrinter;

/// The page view: draws the start page or the current reagent's page of its document, anew on
/// every paint, and scrolls over the page's extent.
class CVELMORView : public QAbstractScrollArea, public CView
{
    Q_OBJECT

public:
    /// Registers with `doc`, which must outlive the view.
    explicit CVELMORView(CVELMORDoc& doc, QWidget* parent = nullptr);
    ~CVELMORView() override;

    CVELMORDoc& GetDocument() const { return m_Doc; }

    /// Sets the scroll extent the view starts with, 600 x 100 (part of the first set-up).
    void SetInitialScrollSizes();

    /// The first set-up: the initial scroll extent, registration with the main frame, the
    /// database loaded into the document (or the load begun earlier awaited) and the search
    /// sidebar built.
    void OnInitialUpdate();

    /// Hands over a load of the document begun before the view was made, for the first set-up
    /// to await instead of loading.
    void AwaitLoad(std::future<LoadSummary> load) { m_PendingLoad = std::move(load); }

    /// From now on the view says that the database could not be loaded, and why.
    void ShowLoadFailure(const QString& message)
    {
        m_LoadFailure = message;
        viewport()->update();
    }

    /// Makes `total` the area the scroll bars range over.
    void SetScrollSizes(const QSize& total);

    /// The page's scroll extent as the last paint left it.
    QSize TotalSize() const { return m_TotalSize; }

    /// The business-cooperation command: the next paint shows the start page, once.
    void ShowBusinessPage();

    /// "shangjia" while a business-cooperation request waits for its paint, else empty.
    const std::string& SpecialPage() const { return m_SpecialPage; }

    /// Where relative picture paths of the database resolve; the working directory by default.
    void SetPictureDirectory(const QDir& directory) { m_PictureDirectory = directory; }

    /// Draws the page onto `painter`, whose origin is the page's top-left corner, for the
    /// view's client size.
    void OnDraw(QPainter& painter);

    /// Composes the page for a client area of `client` pixels and draws it, updating the scroll
    /// extent and using up a business-cooperation request as a paint of the view does.
    /// Only the items that intersect `exposed` (page coordinates), when given, are drawn.
    void DrawPage(QPainter& painter, const QSize& client,
                  const std::optional<QRect>& exposed = std::nullopt);

    /// Largest side of an image made by RenderPage: the most QPainter can address.
    static constexpr int kMaxImageSide = 32767;

    /// Paints the page as DrawPage does onto a white image of `client` size, made taller or
    /// wider where the scroll extent exceeds it (up to kMaxImageSide), so that a long page is
    /// whole.
    QImage RenderPage(const QSize& client);

    /// Prints the page shown, over as many sheets as it needs. Touches neither the scroll
    /// extent nor a pending business-cooperation request.
    void PrintPage(QPrinter& printer);

    void OnUpdate(CView* sender, long hint, void* hintObject) override;

public slots:
    /// Asks for a printer (or a PDF file) and prints the page shown.
    void OnFilePrint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    PageLayout Compose(PageCanvas& canvas, const QSize& client,
                       const std::optional<QRect>& exposed = std::nullopt) const;
    void Apply(const PageLayout& page);
    void UpdateScrollBars();

    CVELMORDoc& m_Doc;
    std::string m_SpecialPage;
    QSize m_TotalSize;
    QSize m_ScrollTotal; // the extent the scroll bars were last given
    QDir m_PictureDirectory;
    QString m_LoadFailure; // the loader's message when the database could not be loaded
    std::future<LoadSummary> m_PendingLoad; // a load begun before the first set-up
    // Two transparent labels the view carries; they are never shown and never get a window.
    CStaticTrans m_TransLabel1;
    CStaticTrans m_TransLabel2;
};
