#pragma once

#include "widgets/ColorBtn.h"

#include <cstdint>

namespace vk {

// A colour button that alternates between its base colour and BlinkColor while
// BlinkEnabled is on, and shows OneShotColor once for OneShotInterval while
// OneShotEnabled is on. All blinking buttons share one 250 ms timer.
class TBlinkBtn : public TColorBtn {
    Q_OBJECT

public:
    static constexpr std::uint32_t kBlinkTick = 250;  // ms, the shared timer's interval
    static constexpr std::uint32_t kDefaultInterval = 500;

    explicit TBlinkBtn(QWidget* owner = nullptr);
    ~TBlinkBtn() override;

    // Plain stores: they take effect at the next tick or switch.
    TColor BlinkColor() const { return blinkColor_; }
    void setBlinkColor(TColor color) { blinkColor_ = color; }
    std::uint32_t BlinkInterval() const { return blinkInterval_; }
    void setBlinkInterval(std::uint32_t ms) { blinkInterval_ = ms; }
    TColor OneShotColor() const { return oneShotColor_; }
    void setOneShotColor(TColor color) { oneShotColor_ = color; }
    std::uint32_t OneShotInterval() const { return oneShotInterval_; }
    void setOneShotInterval(std::uint32_t ms) { oneShotInterval_ = ms; }
    bool SynchroBlink() const { return synchroBlink_; }
    void setSynchroBlink(bool on) { synchroBlink_ = on; }

    bool BlinkEnabled() const { return blinkEnabled_; }
    virtual void setBlinkEnabled(bool on);
    bool OneShotEnabled() const { return oneShotEnabled_; }
    virtual void setOneShotEnabled(bool on);

    // One tick of the shared timer; the timer calls it, tests drive it directly.
    static void BlinkTimerTick();

    static bool blinkTimerActive();
    static bool isRegistered(const TBlinkBtn* button);
    static const TBlinkBtn* timerOwner();

private:
    enum class BlinkSwitch { Blink, OneShot };

    void UpdateBlinkState(BlinkSwitch changed);
    static void ResyncBlink();
    bool advanceOneTick();
    void enterRegistry();
    void leaveRegistry();

    TColor blinkColor_ = clBtnFace;
    bool blinkEnabled_ = false;
    std::uint32_t blinkInterval_ = kDefaultInterval;
    TColor oneShotColor_ = clBtnFace;
    bool oneShotEnabled_ = false;
    std::uint32_t oneShotInterval_ = kDefaultInterval;
    bool synchroBlink_ = true;

    std::uint32_t elapsed_ = 0;  // ms since the last colour event, counted in ticks
    TColor baseColor_ = Color();
};

}  // namespace vk
