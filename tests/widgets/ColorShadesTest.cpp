#include "widgets/ColorShades.h"

#include "tests/widgets/FaceImage.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

// The shades themselves show in the face tests' pixels; this covers the lookup.
TEST(ResolveColor, LooksUpSystemColoursAndKeepsPlainOnes)
{
    const QPalette palette = test::lampPalette();
    EXPECT_EQ(resolveColor(clBtnFace, palette), 0xC0C0C0u);
    EXPECT_EQ(resolveColor(clBtnText, palette), clWhite);
    EXPECT_EQ(resolveColor(clNavy, palette), clNavy);
    EXPECT_EQ(resolveColor(0x800000FF, palette), clBlack);  // no such system colour
    EXPECT_EQ(DarkenColor(clBtnFace, 128, palette), 0x404040u);
}

}  // namespace
}  // namespace vk
