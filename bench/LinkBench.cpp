// How the link spends the machine: the processor share of a wait for a reply that
// never comes, and the status query's round trip next to the time the driver's
// bytes need on the line.

#include "bench/PacedLink.h"
#include "link/DriveCommands.h"
#include "platform/SystemPort.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace vk;
using std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr Budget kIdleWait{2000};
constexpr int kRoundTrips = 50;
constexpr double kIdleGoalPercent = 2.0;
constexpr double kRoundTripGoalMs = 1.0;

double cpuMs()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

const char* verdict(bool met)
{
    return met ? "met" : "MISSED";
}

bool reportIdleWait(const char* what, const std::function<void()>& wait)
{
    const double cpuBefore = cpuMs();
    const auto wallBefore = steady_clock::now();
    wait();
    const double cpu = cpuMs() - cpuBefore;
    const double wall = Millis(steady_clock::now() - wallBefore).count();
    const double percent = 100 * cpu / wall;
    std::printf("%-30s wall %8.1f ms  cpu %6.2f ms  = %5.2f %% of wall (goal < %.0f %%: %s)\n", what, wall, cpu,
                percent, kIdleGoalPercent, verdict(percent < kIdleGoalPercent));
    return percent < kIdleGoalPercent;
}

// When the last byte of the status reply leaves the simulated driver, after the command.
double statusPacingMs(const sim::DriverCore& core)
{
    sim::DriverCore probe = core;
    const auto batches = probe.receive(twoDigitNumber(kStatusNumber) + "\r");
    return batches.empty() ? 0 : static_cast<double>(batches.back().delayUs) / 1e3;
}

// Median round trip of the status query, in ms; negative when a query failed.
double medianStatusRoundTrip(DriveLink& link)
{
    std::vector<double> trips;
    for (int i = 0; i < kRoundTrips; ++i) {
        const auto before = steady_clock::now();
        if (queryStatus(link).status < 0)
            return -1;
        trips.push_back(Millis(steady_clock::now() - before).count());
    }
    std::nth_element(trips.begin(), trips.begin() + kRoundTrips / 2, trips.end());
    return trips[kRoundTrips / 2];
}

}  // namespace

int main()
{
    sim::DriverCore core;
    core.setStatusWord(0x8001);
    bench::PacedLink paced(core, systemPortOpener());
    DriveLink& link = paced.link;
    std::printf("simulated driver on %s, bytes paced at 9600 baud\n", paced.driver.devicePath().c_str());

    bool met = reportIdleWait("AwaitChar(2000), no reply", [&] { link.AwaitChar(kIdleWait); });
    met &= reportIdleWait("CollectReply(2000), no reply", [&] { link.CollectReply(kIdleWait, true); });

    const double trip = medianStatusRoundTrip(link);
    if (trip < 0) {
        std::fprintf(stderr, "vk785n-bench: a status query failed\n");
        return 1;
    }
    const double pacing = statusPacingMs(bench::paced(core));
    const bool tripMet = trip - pacing <= kRoundTripGoalMs;
    std::printf("status query round trip: median %.3f ms of %d; simulator pacing %.3f ms; "
                "difference %.3f ms (goal <= %.0f ms: %s)\n",
                trip, kRoundTrips, pacing, trip - pacing, kRoundTripGoalMs, verdict(tripMet));
    return met && tripMet ? 0 : 2;
}
