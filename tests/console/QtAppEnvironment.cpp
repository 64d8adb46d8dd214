// One QApplication for the whole run, on the offscreen platform, with the
// program's own title and look so that the window is laid out as it ships.
#include "console/Application.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
        vk::setUpApplication();
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[14] = "console_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

}  // namespace
