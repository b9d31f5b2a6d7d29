// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Times the real window offscreen: building and first showing it, and a
// compute click on '1e4' until the lists and the report are repainted. Also
// reports the process's peak memory after that click.
//
//   build/bench/window_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "window/application.hpp"
#include "window/main_window.hpp"

namespace {

using zemvaro::window::MainWindow;

void ConstructAndShow(benchmark::State& run) {
    for (auto _ : run) {
        MainWindow window;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            run.SkipWithError("the window was never exposed");
            break;
        }
        QCoreApplication::processEvents();
    }
}

void ComputeLargest(benchmark::State& run) {
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        run.SkipWithError("the window was never exposed");
        return;
    }
    auto* input = window.findChild<QLineEdit*>("Text1_0");
    auto* compute = window.findChild<QPushButton*>("Command1_0");
    auto* clear = window.findChild<QPushButton*>("Command1_1");
    for (auto _ : run) {
        // Each click starts from the cleared window, as a pupil's first one does.
        run.PauseTiming();
        clear->click();
        input->setText("1e4");
        window.repaint();
        QCoreApplication::processEvents();
        run.ResumeTiming();

        compute->click();
        window.repaint();  // the lists and the report drawn, not merely told
        QCoreApplication::processEvents();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    run.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

BENCHMARK(ConstructAndShow)->Unit(benchmark::kMillisecond)->Repetitions(9);
BENCHMARK(ComputeLargest)->Unit(benchmark::kMillisecond)->Repetitions(9);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zemvaro::window::SetUpApplication(app);
    // The first window of the process pays for fonts, style and plugins, as
    // at every start of the program; the benchmark below sees warm ones.
    QElapsedTimer firstShow;
    firstShow.start();
    {
        MainWindow window;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            std::printf("the first window was never exposed\n");
            return 1;
        }
        QCoreApplication::processEvents();
        std::printf("first window constructed and shown in %.1f ms\n",
                    static_cast<double>(firstShow.nsecsElapsed()) / 1e6);
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf(
        "\ntargets: ConstructAndShow <= 150 ms, ComputeLargest <= 16 ms, peak <= 80 MB "
        "(medians)\n");
    return 0;
}
