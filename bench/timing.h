// Wall-clock timing of repeated runs, reported as median and best.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

namespace tagora::bench {

struct Timing {
    double medianMs = 0;
    double bestMs = 0;
};

template <class Job>
double millisecondsOf(Job&& job)
{
    const auto start = std::chrono::steady_clock::now();
    job();
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(stop - start).count();
}

inline Timing summarize(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {median, samples.front()};
}

// Runs the two jobs in turn, runs times each, so that both meet the same
// noise from the rest of the machine.
template <class JobA, class JobB>
std::pair<Timing, Timing> timeInterleaved(int runs, JobA&& a, JobB&& b)
{
    std::vector<double> timesA;
    std::vector<double> timesB;
    for (int r = 0; r < runs; ++r) {
        timesA.push_back(millisecondsOf(a));
        timesB.push_back(millisecondsOf(b));
    }
    return {summarize(timesA), summarize(timesB)};
}

}  // namespace tagora::bench
