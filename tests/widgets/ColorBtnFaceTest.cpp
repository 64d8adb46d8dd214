#include "widgets/ColorBtn.h"

#include "tests/widgets/FaceImage.h"

#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace vk {
namespace {

constexpr QSize kFaceSize(80, 28);

struct Pixel {
    int x;  // negative: counted from the right edge, -1 being the last column
    int y;  // negative: counted from the bottom edge
    TColor color;
};

struct FaceCase {
    const char* name;
    TColor color;
    TColorBtnBevel bevel;
    int bevelWidth;
    bool pressed;
    bool focused;
    bool enabled;
    std::vector<Pixel> pixels;
};

void PrintTo(const FaceCase& c, std::ostream* os)
{
    *os << c.name;
}

void dressLamp(TColorBtn& button)
{
    button.setPalette(test::lampPalette());
    button.setFont(test::lampFont());
    button.resize(kFaceSize);
}

// A shown, active window holding one lamp, so focus and the focus mark are
// real. The focus starts on an edit beside it.
class LampWindow {
public:
    LampWindow()
    {
        dressLamp(*button);
        button->move(4, 4);
        edit->setGeometry(4, 40, 80, 20);
        window.resize(120, 70);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
    }

    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    TColorBtn* button = new TColorBtn(&window);
};

class FaceCases : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FaceCases, PaintsFillBevelOutlineAndFocusMark)
{
    const FaceCase& c = GetParam();
    LampWindow lamp;
    TColorBtn& button = *lamp.button;
    button.setText("SERVO");
    button.setColor(c.color);
    button.setBevelStyle(c.bevel);
    button.setBevelWidth(c.bevelWidth);
    button.setDown(c.pressed);
    button.setEnabled(c.enabled);
    if (c.focused)
        button.setFocus();
    ASSERT_EQ(button.hasFocus(), c.focused);

    const QImage face = test::faceOf(button);
    for (const Pixel& p : c.pixels) {
        const int x = p.x < 0 ? face.width() + p.x : p.x;
        const int y = p.y < 0 ? face.height() + p.y : p.y;
        EXPECT_EQ(test::pixelAt(face, x, y), p.color) << "at " << x << "," << y;
    }
}

constexpr auto kStd = TColorBtnBevel::cbStd;
constexpr auto kLowered = TColorBtnBevel::cbLowered;
constexpr auto kRaised = TColorBtnBevel::cbRaised;

// Laid out by hand: a face and its pixels to a few lines, as a table reads.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Faces, FaceCases,
    ::testing::Values(
        FaceCase{"NavyAtRest", clNavy, kStd, 2, false, false, true,
                 {{0, 0, 0xFF8080}, {1, 1, 0xFF8080}, {-2, 0, 0xFF8080}, {0, -2, 0xFF8080},
                  {-1, 0, 0x000000}, {0, -1, 0x000000}, {-2, 1, 0x000000}, {1, -2, 0x000000},
                  {-1, -1, 0x000000}, {2, 2, clNavy}, {-3, -3, clNavy}, {3, 3, clNavy}}},
        // Outline, then the bevel inside it, then the dots XORed with 0x7FFFFF: white on navy.
        FaceCase{"NavyFocused", clNavy, kStd, 2, false, true, true,
                 {{0, 0, 0x000000}, {-1, 0, 0x000000}, {0, -1, 0x000000}, {-1, -1, 0x000000},
                  {1, 1, 0xFF8080}, {2, 2, 0xFF8080}, {-3, 2, 0x000000}, {-2, -2, 0x000000},
                  {3, 3, 0xFFFFFF}, {4, 3, clNavy}, {5, 3, 0xFFFFFF}, {3, 4, clNavy},
                  {3, 5, 0xFFFFFF}, {4, 4, clNavy}, {3, -4, clNavy}, {4, -4, 0xFFFFFF}}},
        FaceCase{"LimePressedStd", clLime, kStd, 2, true, false, true,
                 {{0, 0, 0x007F00}, {1, 1, 0x007F00}, {-1, 0, 0x80FF80}, {0, -1, 0x80FF80},
                  {-2, -2, 0x80FF80}, {2, 2, clLime}}},
        FaceCase{"LimeAtRestStd", clLime, kStd, 2, false, false, true,
                 {{0, 0, 0x80FF80}, {-1, -1, 0x007F00}}},
        FaceCase{"LimeRaisedPressed", clLime, kRaised, 2, true, false, true,
                 {{0, 0, 0x80FF80}, {1, 1, 0x80FF80}, {-1, -1, 0x007F00}, {-1, 0, 0x007F00}}},
        FaceCase{"LimeLoweredAtRest", clLime, kLowered, 2, false, false, true,
                 {{0, 0, 0x007F00}, {1, 1, 0x007F00}, {-1, -1, 0x80FF80}, {0, -1, 0x80FF80}}},
        FaceCase{"LimeDisabled", clLime, kStd, 2, false, false, false,
                 {{0, 0, 0x80FF80}, {-1, -1, 0x007F00}, {2, 2, clLime}}},
        FaceCase{"NavyThreeRings", clNavy, kStd, 3, false, false, true,
                 {{2, 2, 0xFF8080}, {-3, -3, 0x000000}, {3, 3, clNavy}}},
        FaceCase{"NavyOneRing", clNavy, kStd, 1, false, false, true,
                 {{0, 0, 0xFF8080}, {-1, -1, 0x000000}, {1, 1, clNavy}}},
        FaceCase{"BtnFaceAtRest", clBtnFace, kStd, 2, false, false, true,
                 {{0, 0, 0xFFFFFF}, {1, 1, 0xFFFFFF}, {-1, -1, 0x404040}, {2, 2, 0xC0C0C0}}},
        // A light face: the mark is drawn in the face colour itself, so its dots turn black.
        FaceCase{"BtnFaceFocused", clBtnFace, kStd, 2, false, true, true,
                 {{0, 0, 0x000000}, {-1, -1, 0x000000}, {1, 1, 0xFFFFFF}, {-2, -2, 0x404040},
                  {3, 3, 0x000000}, {4, 3, 0xC0C0C0}}}),
    [](const auto& info) { return info.param.name; });
// clang-format on

class CaptionTest : public ::testing::Test {
protected:
    void SetUp() override { dressLamp(button); }
    QImage faceWith(const QString& caption)
    {
        button.setText(caption);
        return test::faceOf(button);
    }
    static QRect interior(const QImage& face) { return face.rect().adjusted(2, 2, -2, -2); }
    static QRect inkOf(const QImage& face, TColor ink)
    {
        return test::inkBox(face, interior(face), [ink](TColor c) { return c == ink; });
    }
    static void expectCentred(const QImage& face, QRect ink)
    {
        const QRect room = interior(face);
        ASSERT_FALSE(ink.isNull());
        EXPECT_NEAR(ink.left() - room.left(), room.right() - ink.right(), 3) << "horizontally";
        EXPECT_NEAR(ink.top() - room.top(), room.bottom() - ink.bottom(), 3) << "vertically";
    }

    TColorBtn button;
};

TEST_F(CaptionTest, EnabledCaptionIsCentredInTheFontColourOnTheFace)
{
    button.setColor(clNavy);
    const QImage face = faceWith("SERVO OFF");
    expectCentred(face, inkOf(face, clWhite));
    std::set<TColor> seen;
    const QRect room = interior(face);
    for (int y = room.top(); y <= room.bottom(); ++y)
        for (int x = room.left(); x <= room.right(); ++x)
            seen.insert(test::pixelAt(face, x, y));
    EXPECT_EQ(seen, (std::set<TColor>{clNavy, clWhite}));
}

TEST_F(CaptionTest, LongCaptionWrapsAtWordsAndTheBlockStaysCentred)
{
    button.setColor(clNavy);
    button.resize(200, 60);
    const QRect oneLine = inkOf(faceWith("AAAA BBBB CCCC"), clWhite);
    button.resize(60, 60);
    const QImage narrow = faceWith("AAAA BBBB CCCC");
    const QRect wrapped = inkOf(narrow, clWhite);
    EXPECT_GT(wrapped.height(), 2 * oneLine.height());
    EXPECT_LT(wrapped.width(), oneLine.width() / 2);
    expectCentred(narrow, wrapped);
}

TEST_F(CaptionTest, CaptionFollowsTheCentreAsTheFaceGrows)
{
    button.setColor(clNavy);
    const QRect small = inkOf(faceWith("SERVO OFF"), clWhite);
    button.resize(kFaceSize + QSize(2, 2));
    EXPECT_EQ(inkOf(faceWith("SERVO OFF"), clWhite), small.translated(1, 1));
    button.resize(kFaceSize + QSize(40, 20));
    EXPECT_EQ(inkOf(faceWith("SERVO OFF"), clWhite), small.translated(20, 10));
}

TEST_F(CaptionTest, PressedStdFaceMovesTheCaptionOnePixelRightAndDown)
{
    button.setColor(clLime);
    QPalette palette = test::lampPalette();
    palette.setColor(QPalette::ButtonText, Qt::black);
    button.setPalette(palette);
    const QRect resting = inkOf(faceWith("SERVO ON"), clBlack);
    button.setDown(true);
    const QRect pressed = inkOf(faceWith("SERVO ON"), clBlack);
    EXPECT_EQ(pressed, resting.translated(1, 1));
}

TEST_F(CaptionTest, RaisedAndLoweredFacesLookTheSamePressedAndReleased)
{
    for (const TColorBtnBevel bevel : {TColorBtnBevel::cbRaised, TColorBtnBevel::cbLowered}) {
        button.setBevelStyle(bevel);
        button.setDown(false);
        const QImage released = faceWith("SERVO ON");
        button.setDown(true);
        EXPECT_EQ(faceWith("SERVO ON"), released) << static_cast<int>(bevel);
    }
}

TEST_F(CaptionTest, DisabledCaptionIsEmbossedWithoutBackground)
{
    constexpr TColor kLight = 0x80FF80;
    constexpr TColor kDark = 0x00BF00;
    button.setColor(clLime);
    button.setEnabled(false);
    const QImage face = faceWith("SERVO ON");
    const QRect room = interior(face);
    const QRect dark = inkOf(face, kDark);
    const QRect light = inkOf(face, kLight);
    ASSERT_FALSE(dark.isNull());
    EXPECT_EQ(light.right(), dark.right() + 1);
    EXPECT_EQ(light.bottom(), dark.bottom() + 1);
    for (int y = room.top(); y <= room.bottom(); ++y) {
        for (int x = room.left(); x <= room.right(); ++x) {
            const TColor c = test::pixelAt(face, x, y);
            EXPECT_TRUE(c == clLime || c == kLight || c == kDark) << x << "," << y;
            if (c == kDark && x < room.right() && y < room.bottom()) {
                const TColor below = test::pixelAt(face, x + 1, y + 1);
                EXPECT_TRUE(below == kLight || below == kDark) << "light copy missing at " << x + 1 << "," << y + 1;
            }
        }
    }
}

TEST_F(CaptionTest, AmpersandUnderlinesTheNextLetterAndIsNotDrawn)
{
    button.setColor(clNavy);
    const QImage plain = faceWith("SERVO");
    const QImage marked = faceWith("S&ERVO");
    const QRect plainInk = inkOf(plain, clWhite);
    const QRect markedInk = inkOf(marked, clWhite);
    EXPECT_EQ(markedInk.width(), plainInk.width());
    EXPECT_GT(markedInk.bottom(), plainInk.bottom());
    const QRect doubled = inkOf(faceWith("A&&B"), clWhite);
    const QRect bare = inkOf(faceWith("AB"), clWhite);
    EXPECT_GT(doubled.width(), bare.width()) << "a doubled ampersand draws one";
    EXPECT_EQ(doubled.bottom(), bare.bottom()) << "and underlines nothing";
}

}  // namespace
}  // namespace vk
