// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Times the whole compute command, ours against the literal loops, and prints
// the ratio of their medians.
//
//   build/bench/core_bench                 (about half a minute)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "core/zemvaro.hpp"
#include "tests/literal.hpp"
#include "tests/recording_host.hpp"

namespace {

template <bool kLiteral>
void Compute(benchmark::State& run, const char* input) {
    zemvaro::FormState state;
    zemvaro::RecordingHost host;
    state.Text1[0] = input;
    for (auto _ : run) {
        if constexpr (kLiteral) {
            zemvaro::literal::OnCommandClick(state, 0, host);
        } else {
            zemvaro::OnCommandClick(state, 0, host);
        }
        benchmark::DoNotOptimize(state.Text1[1].data());
    }
}

void Ours(benchmark::State& run, const char* input) {
    Compute<false>(run, input);
}
void Literal(benchmark::State& run, const char* input) {
    Compute<true>(run, input);
}

// Remembers the median of every benchmark, in seconds, to print the ratio.
class MedianReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median" || run.repetitions <= 1) {
                medians_[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double Median(const std::string& name) const {
        const auto found = medians_.find(name);
        return found == medians_.end() ? 0.0 : found->second;
    }

  private:
    std::map<std::string, double> medians_;
};

}  // namespace

BENCHMARK_CAPTURE(Ours, 1e4, "1e4")->Unit(benchmark::kMicrosecond)->Repetitions(15);
BENCHMARK_CAPTURE(Ours, 999, "999")->Unit(benchmark::kMicrosecond)->Repetitions(15);
BENCHMARK_CAPTURE(Ours, 7, "7")->Unit(benchmark::kMicrosecond)->Repetitions(15);
BENCHMARK_CAPTURE(Literal, 1e4, "1e4")->Unit(benchmark::kMillisecond)->Repetitions(5);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double ours = reporter.Median("Ours/1e4");
    const double literal = reporter.Median("Literal/1e4");
    if (ours > 0 && literal > 0) {
        std::printf(
            "\ncompute on '1e4': ours %.1f us, literal %.2f ms, literal/ours %.0fx "
            "(medians; targets: ours <= 200 us, ratio >= 100x)\n",
            ours * 1e6, literal * 1e3, literal / ours);
    }
    return 0;
}
