#pragma once

#include "DatabaseFile.h"
#include "Document.h"
#include "PageLayout.h"
#include "PageText.h"
#include "StartPageAhead.h"
#include "StaticTrans.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QImage>
#include <QSize>
#include <QTimer>

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

class COwnerMenu;
class CVELMORDoc;
class PageCanvas;
class QPrinter;

/// The page's background, on the screen and in a rendered image.
inline constexpr Qt::GlobalColor kPageBackground = Qt::white;

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
    void AwaitLoad(std::shared_future<LoadSummary> load) { m_PendingLoad = std::move(load); }

    /// Hands over the start page being drawn ahead, for the first paint of the start page to
    /// copy instead of drawing it then.
    void AwaitStartPage(StartPageDrawing drawing) { m_StartPageAhead = std::move(drawing); }

    /// From now on the view says that the database could not be loaded, and why.
    void ShowLoadFailure(const QString& message)
    {
        m_LoadFailure = message;
        m_Selection.reset();
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

    /// The text selected on the page shown, in UTF-8; empty when nothing is selected.
    std::string SelectedText();
    /// Selects the whole text of the page shown ("全选", Ctrl+A).
    void SelectAll();
    /// Puts the selected text on the clipboard ("复制", Ctrl+C); nothing without a selection.
    void CopySelection();
    /// Puts the whole text of the page shown on the clipboard, leaving the selection alone.
    void CopyPageText();
    /// Put the shown reagent's name, its CAS number or its structure picture on the clipboard.
    void CopyReagentName();
    void CopyCasNumber();
    void CopyStructurePicture();

    /// The whole text of the page of the document's current name, composed for a client area
    /// of `client` pixels, as "复制本页文字" copies it; and whether the name is the start page
    /// or a reagent's (not a page that says no reagent bears the name).
    std::string PageText(const QSize& client, bool* found = nullptr);

    /// The page's context menu, its items enabled as they apply to the page shown now.
    std::unique_ptr<COwnerMenu> CreateContextMenu();

public slots:
    /// Asks for a printer (or a PDF file) and prints the page shown.
    void OnFilePrint();
    /// Shows the sheets that printing prints in a preview, from which they can be printed.
    void OnFilePrintPreview();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    /// Which page a paint showed: the page of a name ("firstpage" for the start page) or the
    /// page that says the database could not be loaded.
    struct ShownPage
    {
        std::string name;
        bool loadFailure = false;
        bool operator==(const ShownPage&) const = default;
    };

    /// The page shown, composed whole for selecting and copying, and the two ends of the
    /// selection on it: where the press was and where the pointer is.
    struct TextSelection
    {
        ShownPage page;
        int width = 0; ///< the client width the page was composed for
        PageLayout layout;
        TextPosition anchor;
        TextPosition focus;

        TextRange range() const { return RangeBetween(anchor, focus); }
    };

    PageRequest Request(const QSize& client, const std::optional<QRect>& exposed) const;
    PageLayout Compose(PageCanvas& canvas, const QSize& client,
                       const std::optional<QRect>& exposed = std::nullopt) const;
    /// Paints the start page from the drawing begun ahead, the first time it is asked for
    /// with nothing selected; false, having painted nothing, otherwise.
    bool PaintStartPageDrawnAhead(QPainter& painter, const QSize& client,
                                  const std::optional<QRect>& exposed);
    void Apply(const PageLayout& page);
    void UpdateScrollBars();

    /// The fonts the page shown is measured and drawn in.
    PageCanvas ShownCanvas() const;
    /// The page shown, composed whole for `width` with ShownCanvas(), keeping the selection
    /// while the page is the same; a selection made on another page goes. Null before the
    /// first paint.
    TextSelection* TextPage(PageCanvas& canvas, int width);
    /// Paints the highlight of the selection where it crosses `exposed` (page coordinates),
    /// or the whole page when not given.
    void PaintSelection(QPainter& painter, PageCanvas& canvas, const QSize& client,
                        const std::optional<QRect>& exposed);
    /// The point of the page under `point` of the viewport.
    QPoint PagePoint(const QPoint& point) const;
    /// The place in the text under `point` of the viewport.
    TextPosition TextPositionAt(PageCanvas& canvas, const TextSelection& text,
                                const QPoint& point) const;
    void ExtendSelectionTo(const QPoint& point);
    void AutoScroll();
    /// Offers the selection as the primary selection, where the platform has one.
    void OfferPrimarySelection();
    /// The record of the page shown, when it is a reagent's, and its structure picture, when
    /// one was loaded.
    std::optional<ReagentRecord> ShownRecord();
    const PagePicture* ShownPicture();
    /// Where the menu opened from the keyboard goes: below the start of the selection when it
    /// is in view, else near the top-left corner of the page (global coordinates).
    QPoint KeyboardMenuPoint();
    void ShowContextMenu(const QPoint& globalPosition);

    CVELMORDoc& m_Doc;
    std::string m_SpecialPage;
    QSize m_TotalSize;
    QSize m_ScrollTotal; // the extent the scroll bars were last given
    QDir m_PictureDirectory;
    QString m_LoadFailure; // the loader's message when the database could not be loaded
    std::optional<ShownPage> m_ShownPage; // the page the last paint showed
    std::optional<TextSelection> m_Selection;
    bool m_Dragging = false; // a press of the left button selects until its release
    QPoint m_DragPoint;      // where the pointer is while it does, in the viewport
    QTimer m_AutoScroll;     // scrolls while the pointer is above or below the viewport
    std::shared_future<LoadSummary> m_PendingLoad; // a load begun before the first set-up
    StartPageDrawing m_StartPageAhead;             // the start page drawn for the first paint
    std::function<void()> m_AfterFirstPaint;       // what waits for the first paint
    // Two transparent labels the view carries; they are never shown and never get a window.
    CStaticTrans m_TransLabel1;
    CStaticTrans m_TransLabel2;
};
