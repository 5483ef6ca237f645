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
#include <QPainter>
#include <QTemporaryDir>

#include <memory>
#include <sstream>

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

BENCHMARK(BM_ComposePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintComposedPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeAndPaintPage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(
        argc, argv,
        {{"BM_ComposePage", "BM_PaintComposedPage", ">= 10x faster than painting", 10, true}});
}
