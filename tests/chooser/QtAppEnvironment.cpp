// One application for the run; the chooser needs nothing of the program's own look.
#include "tests/support/QtAppEnvironment.h"

namespace {

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new vk::test::QtAppEnvironment([] {}));

}  // namespace
