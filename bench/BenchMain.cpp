// The benchmarks' entry point: a headless application around Google Benchmark's runner, Qt Quick
// on its software renderer. A QApplication for the widget's benchmarks; the Qt Quick item's,
// built with KNOTEL_BENCH_WITHOUT_WIDGETS, measure it without Qt Widgets, as a QML program runs.
#ifdef KNOTEL_BENCH_WITHOUT_WIDGETS
#include <QGuiApplication>
using Application = QGuiApplication;
#else
#include <QApplication>
using Application = QApplication;
#endif

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
