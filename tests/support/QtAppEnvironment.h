#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace vk::test {

// One QApplication for a whole test run, on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise; `setUp` gives it the look the suite wants.
class QtAppEnvironment : public ::testing::Environment {
public:
    explicit QtAppEnvironment(std::function<void()> setUp) : setUp_(std::move(setUp)) {}

    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
        setUp_();
    }
    void TearDown() override { app_.reset(); }

private:
    std::function<void()> setUp_;
    int argc_ = 1;
    char name_[6] = "tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

}  // namespace vk::test
