// A plain style, so that faces do not depend on the desktop the tests run on.
#include "tests/support/QtAppEnvironment.h"

namespace {

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new vk::test::QtAppEnvironment([] { QApplication::setStyle("Fusion"); }));

}  // namespace
