// The program's own title and look, so that the window is laid out as it ships.
#include "tests/support/QtAppEnvironment.h"
#include "console/Application.h"

namespace {

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new vk::test::QtAppEnvironment([] { vk::setUpApplication(); }));

}  // namespace
