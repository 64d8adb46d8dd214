// Each case runs in a process of its own (ctest runs them one by one): a
// request, once made, stays for the run.
#include "cli/Interrupt.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace vk::cli {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

void waitForTheRequest()
{
    const auto giveUp = steady_clock::now() + 5s;
    while (!interruptRequested() && steady_clock::now() < giveUp)
        std::this_thread::sleep_for(1ms);
}

TEST(Interrupt, WithoutARequestTheSleepLastsItsTime)
{
    catchInterrupts();
    const auto start = steady_clock::now();
    sleepUntilInterrupted(start + 120ms);
    EXPECT_GE(steady_clock::now() - start, 120ms);
    EXPECT_FALSE(interruptRequested());
}

class Signal : public ::testing::TestWithParam<int> {};

TEST_P(Signal, WakesASleepAtOnce)
{
    catchInterrupts();
    std::thread later([] {
        std::this_thread::sleep_for(100ms);
        std::raise(GetParam());
    });
    const auto start = steady_clock::now();
    sleepUntilInterrupted(start + 10s);
    const auto slept = steady_clock::now() - start;
    later.join();
    EXPECT_TRUE(interruptRequested());
    EXPECT_GE(slept, 100ms);
    EXPECT_LT(slept, 2s) << "the sleep waited for its deadline";
}

TEST_P(Signal, ASecondOneEndsTheProgramByItself)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int signal = GetParam();
    EXPECT_EXIT(
        {
            catchInterrupts();
            std::raise(SIGINT);
            waitForTheRequest();
            std::raise(signal);
            std::this_thread::sleep_for(5s);
            std::exit(0);
        },
        ::testing::KilledBySignal(signal), "");
}

INSTANTIATE_TEST_SUITE_P(Requests, Signal, ::testing::Values(SIGINT, SIGTERM),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == SIGINT ? "SIGINT" : "SIGTERM";
                         });

}  // namespace
}  // namespace vk::cli
