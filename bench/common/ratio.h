// Project code against a plain reference doing the same work, timed in alternating rounds
// of one benchmark; the counters give both medians (ms) and their ratio (project / reference).
#pragma once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

struct TRatioSide
{
    std::function<void()> Run;
    std::function<void()> Prepare;   // untimed, before each timed run (may be empty)
};

inline double Median_Of(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Register with ->Iterations(1)->UseManualTime(); the reported time is the project's median.
// Rounds alternate which side runs first, so drift and cache warmth hit both alike.
inline void Run_Ratio(benchmark::State &State, int Rounds, const TRatioSide &Project,
                      const TRatioSide &Reference)
{
    auto timed = [](const TRatioSide &s) {
        if (s.Prepare)
            s.Prepare();
        const auto t0 = std::chrono::steady_clock::now();
        s.Run();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    };
    std::vector<double> project, reference;
    for (auto _ : State) {
        for (int i = 0; i < Rounds; ++i) {
            if (i % 2) {
                reference.push_back(timed(Reference));
                project.push_back(timed(Project));
            } else {
                project.push_back(timed(Project));
                reference.push_back(timed(Reference));
            }
        }
        State.SetIterationTime(Median_Of(project) / 1000.0);
    }
    const double p = Median_Of(project), r = Median_Of(reference);
    State.counters["project_ms"] = p;
    State.counters["reference_ms"] = r;
    State.counters["ratio"] = r > 0 ? p / r : 0;
}
