#pragma once
// The entry point of the window benchmarks: a QApplication (offscreen unless the
// environment picks a platform) around Google Benchmark's usual run.
#include <QApplication>
#include <benchmark/benchmark.h>

#define VIROROR_GUI_BENCHMARK_MAIN()                                                                 \
    int main(int argc, char** argv) {                                                                \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
        QApplication application(argc, argv);                                                        \
        benchmark::Initialize(&argc, argv);                                                          \
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;                            \
        benchmark::RunSpecifiedBenchmarks();                                                         \
        benchmark::Shutdown();                                                                       \
        return 0;                                                                                    \
    }
