// widgets-screenshot OUT.png: draws the indicator buttons in their states into
// one picture, for a person to check what the tests check pixel by pixel.
#include "widgets/BlinkBtn.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

using vk::TBlinkBtn;
using vk::TColorBtn;
using vk::TColorBtnBevel;

constexpr QSize kLampSize(104, 40);

struct Sample {
    const char* label;
    std::function<void(TColorBtn&)> setUp;  // before the window shows
};

void captionIn(TColorBtn& button, Qt::GlobalColor color)
{
    QPalette palette = button.palette();
    palette.setColor(QPalette::ButtonText, color);
    button.setPalette(palette);
}

void servo(TColorBtn& button, bool on)
{
    button.setColor(on ? vk::clLime : vk::clNavy);
    button.setText(on ? "SERVO ON" : "SERVO OFF");
    captionIn(button, on ? Qt::black : Qt::white);
}

void alarm(TColorBtn& button, int ticks)
{
    auto& blink = static_cast<TBlinkBtn&>(button);
    blink.setColor(vk::clNavy);
    blink.setBlinkColor(vk::clRed);
    blink.setText("ALARM");
    captionIn(blink, Qt::white);
    blink.setSynchroBlink(false);  // so a later sample does not restart this one's phase
    blink.setBlinkEnabled(true);
    for (int i = 0; i < ticks; ++i)
        TBlinkBtn::BlinkTimerTick();
}

// Laid out by hand: a sample to a line, as a table reads.
// clang-format off
const std::vector<Sample> kLampSamples = {
    {"navy", [](TColorBtn& b) { servo(b, false); }},
    {"navy, focused", [](TColorBtn& b) { servo(b, false); }},
    {"lime", [](TColorBtn& b) { servo(b, true); }},
    {"lime, pressed", [](TColorBtn& b) { servo(b, true); b.setDown(true); }},
    {"raised, pressed", [](TColorBtn& b) { servo(b, true); b.setBevelStyle(TColorBtnBevel::cbRaised); b.setDown(true); }},
    {"lowered", [](TColorBtn& b) { servo(b, true); b.setBevelStyle(TColorBtnBevel::cbLowered); }},
    {"disabled", [](TColorBtn& b) { servo(b, true); b.setEnabled(false); }},
    {"button face, 3 rings", [](TColorBtn& b) { b.setText("&Default"); b.setBevelWidth(3); }},
    {"wrapped caption", [](TColorBtn& b) { servo(b, false); b.setText("A caption too wide for one line"); }},
};
// clang-format on

const std::vector<Sample> kBlinkSamples = {
    {"blink, red phase", [](TColorBtn& b) { alarm(b, 2); }},
    {"blink, navy phase", [](TColorBtn& b) { alarm(b, 0); }},
    {"one-shot yellow",
     [](TColorBtn& b) {
         auto& blink = static_cast<TBlinkBtn&>(b);
         blink.setText("ONE SHOT");
         blink.setOneShotColor(vk::clYellow);
         blink.setOneShotInterval(0);  // holds until switched off, so the picture cannot miss it
         blink.setOneShotEnabled(true);
     }},
};

template <typename Lamp>
std::vector<TColorBtn*> addRow(QGridLayout& grid, int row, const std::vector<Sample>& samples)
{
    std::vector<TColorBtn*> lamps;
    for (int column = 0; column < static_cast<int>(samples.size()); ++column) {
        auto* button = new Lamp;
        button->setFixedSize(kLampSize);
        samples[column].setUp(*button);
        grid.addWidget(button, row, column, Qt::AlignCenter);
        grid.addWidget(new QLabel(samples[column].label), row + 1, column, Qt::AlignCenter);
        lamps.push_back(button);
    }
    return lamps;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: widgets-screenshot OUT.png\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");

    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::Button, QColor(0xC0, 0xC0, 0xC0));
    palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    palette.setColor(QPalette::ButtonText, Qt::black);
    window.setPalette(palette);
    QFont font("IPAPGothic");
    font.setPixelSize(13);
    window.setFont(font);

    auto* grid = new QGridLayout(&window);
    const std::vector<TColorBtn*> lamps = addRow<TColorBtn>(*grid, 0, kLampSamples);
    addRow<TBlinkBtn>(*grid, 2, kBlinkSamples);

    window.show();
    window.activateWindow();
    QApplication::processEvents();
    lamps[1]->setFocus();
    QApplication::processEvents();
    if (!lamps[1]->hasFocus() || !lamps[1]->ActiveDefault())
        std::fprintf(stderr, "warning: the focused sample did not get the focus\n");

    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
