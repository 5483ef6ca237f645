// Composing and painting a long reagent page with a structure picture, as the view does on every
// paint, onto an 800 x 600 image. Composing (text measured and laid out) is set beside painting
// the composed page, its peer in the same run; the picture, which a paint decodes once while it
// measures it, is decoded before either, and counts in the whole paint.

#include "DatabaseFile.h"
#include "Gbk.h"
#include "OffscreenBenchmarks.h"
#include "PageCanvas.h"
#include "PageLayout.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sstream>
#include <stdexcept>

namespace {

constexpr QSize kClient(800, 600);

std::string cp936(std::string_view utf8)
{
    return gbk::fromUtf8(utf8).value();
}

/// A page with every field shown, several of them wrapped over lines, and a picture.
struct LongPage
{
    QTemporaryDir dir;
    CVELMORDoc doc;
    std::string name = cp936("五水硫酸铜");

    LongPage()
    {
        QImage picture(220, 160, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter(&picture).drawEllipse(20, 20, 180, 120);
        picture.save(dir.filePath("structure.png"));

        const std::string paragraph = cp936(
            "用作分析试剂、媒染剂、杀菌剂，也用于电镀、颜料和木材防腐。储存于阴凉、通风的库房，"
            "远离火种和热源，与还原剂、碱类分开存放，切忌混储。");
        const std::string longText = paragraph + paragraph + paragraph;
        ReagentRecord record;
        record.ChineseName = name;
        for (int t = 0; t < kTextFieldCount; ++t) {
            if (textField(t) != Field::ChineseName)
                fieldText(record, textField(t)) = paragraph;
        }
        record.Formula = "CuSO4.5H2O";
        record.StructureImage = "structure.png";
        record.Use = longText;
        record.Remarks = longText;
        std::ostringstream bytes;
        WriteDatabase(bytes, std::span<const ReagentRecord>(&record, 1));
        const std::string file = bytes.str();
        LoadDatabaseBytes(doc, file, "bench.kdb");
        doc.SetCurrentName(name);
    }

    PageRequest request() const
    {
        return {doc.m_CurrentName, "", {kClient.width(), kClient.height()}, 100};
    }
};

LongPage& longPage()
{
    static LongPage page;
    return page;
}

void BM_ComposePage(benchmark::State& state)
{
    LongPage& page = longPage();
    PageCanvas canvas{QDir(page.dir.path())};
    ComposePage(page.doc, page.request(), canvas);
    for (auto _ : state) {
        PageLayout layout = ComposePage(page.doc, page.request(), canvas);
        benchmark::DoNotOptimize(layout.items.data());
    }
}

void BM_PaintComposedPage(benchmark::State& state)
{
    LongPage& page = longPage();
    PageCanvas canvas{QDir(page.dir.path())};
    const PageLayout layout = ComposePage(page.doc, page.request(), canvas);
    QImage image(kClient, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        canvas.paint(painter, layout);
    }
}

void BM_ComposeAndPaintPage(benchmark::State& state)
{
    LongPage& page = longPage();
    CVELMORView view(page.doc);
    view.SetInitialScrollSizes();
    view.SetPictureDirectory(QDir(page.dir.path()));
    QImage image(kClient, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        view.DrawPage(painter, kClient);
    }
    state.counters["extent"] = view.TotalSize().height();
}

/// A view of 800 x 600 over a store of one record, shown on the offscreen platform.
struct ShownRecord
{
    CVELMORDoc doc;
    std::string name = cp936("长页");
    CVELMORView view{doc};

    explicit ShownRecord(const ReagentRecord& fields)
    {
        ReagentRecord record = fields;
        record.ChineseName = name;
        std::ostringstream bytes;
        WriteDatabase(bytes, std::span<const ReagentRecord>(&record, 1));
        LoadDatabaseBytes(doc, bytes.str(), "bench.kdb");
        doc.SetCurrentName(name);
        view.resize(kClient);
        view.SetInitialScrollSizes();
        view.show();
        // A view that never appears would be timed painting nothing.
        if (!QTest::qWaitForWindowExposed(&view))
            throw std::runtime_error("the page view was never shown");
    }
};

// Opening the page of a record whose formula is 2 MB: the view's first paint of it.
void BM_OpenTwoMegabyteFormula(benchmark::State& state)
{
    std::string formula;
    while (formula.size() < (2u << 20))
        formula += "C6H12O6.";
    ReagentRecord record;
    record.Formula = formula;
    ShownRecord shown(record);
    for (auto _ : state) {
        shown.doc.RequestRedraw();
        shown.view.viewport()->repaint();
    }
}

/// A record whose remark is 450 KB of Chinese text, shown in the middle of its page.
struct LongRemark
{
    std::string remarks;
    ReagentRecord record;
    std::unique_ptr<ShownRecord> shown;

    LongRemark()
    {
        const std::string sentence = cp936("用作分析试剂、媒染剂、杀菌剂，也用于电镀和木材防腐。");
        while (remarks.size() < 450u * 1024)
            remarks += sentence;
        record.Remarks = remarks;
        shown = std::make_unique<ShownRecord>(record);
        shown->view.viewport()->repaint(); // the first paint sets the extent
        QScrollBar* bar = shown->view.verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
    }
};

void SendMouse(QWidget* viewport, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

// One scroll step down a page whose remark is 450 KB, painted as the view paints it.
void BM_ScrollStepOfALongRemark(benchmark::State& state)
{
    LongRemark page;
    ShownRecord& shown = *page.shown;
    QScrollBar* bar = shown.view.verticalScrollBar();
    int step = bar->singleStep();
    for (auto _ : state) {
        step = -step; // up and down by one step, in the middle of the page
        bar->setValue(bar->value() + step);
        shown.view.viewport()->repaint();
    }
    state.counters["page_height"] = shown.view.TotalSize().height();
}

/// A view over one record with `formula`, set up as `velmor-kdb render` and printing use it.
struct RenderedRecord
{
    CVELMORDoc doc;
    CVELMORView view{doc};
    std::string name = cp936("长式");

    explicit RenderedRecord(const std::string& formula)
    {
        ReagentRecord record;
        record.ChineseName = name;
        record.Formula = formula;
        std::ostringstream bytes;
        WriteDatabase(bytes, std::span<const ReagentRecord>(&record, 1));
        LoadDatabaseBytes(doc, bytes.str(), "bench.kdb");
        doc.SetCurrentName(record.ChineseName);
        view.SetInitialScrollSizes();
    }
};

// Rendering a page as `velmor-kdb render` does: a formula of 2 MB of letters without digits
// ("CHCH..."), against the same page with a short formula, its floor.
void RenderFormula(benchmark::State& state, const std::string& formula)
{
    RenderedRecord shown(formula);
    for (auto _ : state)
        benchmark::DoNotOptimize(shown.view.RenderPage(kClient).constBits());
}

void BM_RenderTwoMegabyteFormula(benchmark::State& state)
{
    std::string formula;
    while (formula.size() < (2u << 20))
        formula += "CH";
    RenderFormula(state, formula);
}

void BM_RenderShortFormula(benchmark::State& state)
{
    RenderFormula(state, "CH3CH2OH");
}

/// Counts the paints of a widget.
struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// One step of a drag that selects on that page: the pointer moves a line down or back up,
// from the mouse event to the end of the repaint that the view asks for.
void BM_SelectStepOfALongRemark(benchmark::State& state)
{
    LongRemark page;
    QWidget* viewport = page.shown->view.viewport();
    PaintCounter counter;
    viewport->installEventFilter(&counter);
    SendMouse(viewport, QEvent::MouseButtonPress, QPoint(100, 100));
    QPoint to(500, 400);
    for (auto _ : state) {
        to.ry() = to.y() == 400 ? 426 : 400;
        SendMouse(viewport, QEvent::MouseMove, to);
        QCoreApplication::sendPostedEvents(viewport->window(), QEvent::UpdateRequest);
    }
    SendMouse(viewport, QEvent::MouseButtonRelease, to);
    state.counters["selected_bytes"] = static_cast<double>(page.shown->view.SelectedText().size());
    // Each step must have been painted, or it was timed doing less than a step does.
    state.counters["paints_per_step"] =
        static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
}

// The whole text of that page, as "复制本页文字" and velmor-kdb text give it.
void BM_WholePageTextOfALongRemark(benchmark::State& state)
{
    LongRemark page;
    for (auto _ : state) {
        const std::string text = page.shown->view.PageText(kClient);
        benchmark::DoNotOptimize(text.data());
    }
}

BENCHMARK(BM_OpenTwoMegabyteFormula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderTwoMegabyteFormula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderShortFormula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollStepOfALongRemark)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectStepOfALongRemark)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholePageTextOfALongRemark)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintComposedPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeAndPaintPage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(
        argc, argv,
        {{"BM_ComposePage", "BM_PaintComposedPage", ">= 10x faster than painting", 10, true},
         {"BM_OpenTwoMegabyteFormula", "", "< 500 ms", 500},
         {"BM_RenderTwoMegabyteFormula", "", "< 500 ms", 500},
         {"BM_RenderTwoMegabyteFormula", "BM_RenderShortFormula", "<= 10x the short formula", 10},
         {"BM_ScrollStepOfALongRemark", "", "< 16 ms", 16},
         {"BM_SelectStepOfALongRemark", "", "< 8 ms", 8},
         {"BM_SelectStepOfALongRemark", "BM_ScrollStepOfALongRemark", "<= 1.5x a scroll step", 1.5},
         {"BM_WholePageTextOfALongRemark", "", "< 5 ms", 5}});
}
