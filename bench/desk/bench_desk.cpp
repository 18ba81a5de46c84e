// How long the canvas takes to show the US counties map (3,142 polygons) at the window's
// size: building the scene from the document and painting it, for the map as opened (a
// canvas that has drawn nothing yet) and for the map after polygon colouring (every county
// then has a colour of its own set), and the painting alone; and what a click or a menu
// command costs the host around it on that map: keeping the document for undo and telling
// whether it changed, and undoing and redoing a change.
//   QT_QPA_PLATFORM=offscreen build/default/bin/bench_desk
#include "Canvas.h"
#include "DeskHost.h"

#include "host/core/Application.h"
#include "host/document/Document.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Fixture {
    desk::DeskHost host{{CARTOVEL_MODULE_PATH, {}}};
    // Yes to colouring the layer; go on at both questions of the 1,000-node limit.
    host::ScriptedResponder answers{{host::Answer::Ok, host::Answer::Cancel, host::Answer::Cancel}};
    std::unique_ptr<desk::Canvas> canvas;

    explicit Fixture(bool colour) {
        std::string message;
        if (host.start(&message) != kHostNoErr) throw std::runtime_error(message);
        if (!host.open(CARTOVEL_EXAMPLES "/us-counties.svg", &message))
            throw std::runtime_error(message);
        canvas = std::make_unique<desk::Canvas>(host);
        canvas->resize(1200, 800);
        canvas->fit();
        if (!colour) return;
        host.app().user().setResponder(&answers);
        for (host::MenuItem* item : host.app().menus().items())
            if (item->text == "ポリゴン色分け" && host.runMenuItem(*item) != kHostNoErr)
                throw std::runtime_error("colouring failed: " +
                                         host.app().user().failure().value_or("an error"));
        host.app().user().setResponder(nullptr);
    }
};

enum class Draw {
    First,   // a canvas that has drawn nothing yet: the scene made from nothing
    Rebuild, // the scene made again from the document (after a command), then painted
    Paint,   // the scene kept (a pan or an expose)
};

void draw(benchmark::State& state, bool colour, Draw kind) {
    Fixture fixture(colour);
    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        if (kind == Draw::First) {
            state.PauseTiming();
            fixture.canvas = std::make_unique<desk::Canvas>(fixture.host);
            fixture.canvas->resize(1200, 800);
            state.ResumeTiming();
            fixture.canvas->fit();
        } else if (kind == Draw::Rebuild) {
            fixture.canvas->invalidate();
        }
        fixture.canvas->render(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["items"] = static_cast<double>(fixture.canvas->scene().items().size());
}

void BM_DrawWholeMap(benchmark::State& state) {
    draw(state, false, Draw::First);
}
// The canvas drew the map before the colouring, as the window does.
void BM_RepaintAfterColouring(benchmark::State& state) {
    draw(state, true, Draw::Rebuild);
}
void BM_PaintOnly(benchmark::State& state) {
    draw(state, false, Draw::Paint);
}

// A panel's button that changes nothing: the host keeps the document as it was and finds it
// unchanged.
void BM_ClickChangingNothing(benchmark::State& state) {
    Fixture fixture(false);
    for (auto _ : state) {
        fixture.host.beginChange();
        fixture.host.endChange("Click");
    }
}

// A click that hides or shows a layer: the document before it is kept for undo.
void BM_ClickChangingALayer(benchmark::State& state) {
    Fixture fixture(false);
    host::Layer& layer = *fixture.host.document()->firstLayer();
    for (auto _ : state) {
        fixture.host.beginChange();
        fixture.host.document()->setLayerVisible(layer, !layer.visible);
        fixture.host.endChange("Click");
    }
}

void BM_UndoAndRedo(benchmark::State& state) {
    Fixture fixture(false);
    fixture.host.beginChange();
    host::Document& doc = *fixture.host.document();
    doc.setLayerVisible(*doc.firstLayer(), false);
    fixture.host.endChange("Hide");
    for (auto _ : state) {
        if (!fixture.host.undo() || !fixture.host.redo()) state.SkipWithError("no undo");
    }
}

BENCHMARK(BM_DrawWholeMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintAfterColouring)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickChangingNothing)->Unit(benchmark::kMillisecond);
// Each change keeps a copy of the map: a few dozen are enough to time.
BENCHMARK(BM_ClickChangingALayer)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_UndoAndRedo)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
