#include "widgets/BlinkBtn.h"

#include <QList>
#include <QTimer>

#include <algorithm>

namespace vk {
namespace {

// The one timer and registry of all blinking buttons. The first button built
// owns them (the timer is its child) and takes them away when destroyed.
// Buttons outliving the owner stay safe: they are no longer registered, a
// switch turned off finds nothing to leave, and the next switch turned on
// builds a new set owned by that button. A button that was blinking when the
// set went away pauses until one of its switches is turned on again.
struct BlinkShared {
    TBlinkBtn* owner = nullptr;
    QTimer* timer = nullptr;
    QList<TBlinkBtn*> registry;
};

BlinkShared shared;

void createSharedSet(TBlinkBtn* owner)
{
    shared.owner = owner;
    shared.registry.clear();
    shared.timer = new QTimer(owner);
    shared.timer->setInterval(static_cast<int>(TBlinkBtn::kBlinkTick));
    QObject::connect(shared.timer, &QTimer::timeout, &TBlinkBtn::BlinkTimerTick);
}

void dropSharedSet()
{
    delete shared.timer;
    shared = {};
}

}  // namespace

TBlinkBtn::TBlinkBtn(QWidget* owner) : TColorBtn(owner)
{
    if (shared.owner == nullptr)
        createSharedSet(this);
}

TBlinkBtn::~TBlinkBtn()
{
    setBlinkEnabled(false);
    leaveRegistry();  // a one-shot may still hold the entry
    if (shared.owner == this)
        dropSharedSet();
}

void TBlinkBtn::setBlinkEnabled(bool on)
{
    if (on == blinkEnabled_)
        return;
    blinkEnabled_ = on;
    UpdateBlinkState(BlinkSwitch::Blink);
}

void TBlinkBtn::setOneShotEnabled(bool on)
{
    if (on == oneShotEnabled_)
        return;
    oneShotEnabled_ = on;
    UpdateBlinkState(BlinkSwitch::OneShot);
}

void TBlinkBtn::UpdateBlinkState(BlinkSwitch changed)
{
    if (!blinkEnabled_ && !oneShotEnabled_) {
        setColor(baseColor_);
        leaveRegistry();
        return;
    }
    const bool turnedOn = changed == BlinkSwitch::Blink ? blinkEnabled_ : oneShotEnabled_;
    if (!turnedOn)
        return;
    elapsed_ = 0;
    enterRegistry();
    if (changed == BlinkSwitch::Blink && synchroBlink_)
        ResyncBlink();
    if (changed == BlinkSwitch::OneShot)
        setColor(oneShotColor_);
    if (!shared.timer->isActive())
        shared.timer->start();
}

// A button already registered keeps its base colour, so a blink or one-shot
// colour showing now never becomes the colour it returns to.
void TBlinkBtn::enterRegistry()
{
    if (isRegistered(this))
        return;
    if (shared.owner == nullptr)
        createSharedSet(this);
    baseColor_ = Color();
    shared.registry.append(this);
}

void TBlinkBtn::leaveRegistry()
{
    shared.registry.removeOne(this);
    if (shared.timer != nullptr && shared.registry.isEmpty())
        shared.timer->stop();
}

void TBlinkBtn::ResyncBlink()
{
    for (qsizetype i = shared.registry.size(); i-- > 0;) {
        TBlinkBtn* button = shared.registry[i];
        if (!button->synchroBlink_)
            continue;
        button->elapsed_ = 0;
        if (!button->oneShotEnabled_)
            button->setColor(button->baseColor_);
    }
}

void TBlinkBtn::BlinkTimerTick()
{
    bool resync = false;
    // Last to first, so a button leaving in its own turn does not shift the rest.
    for (qsizetype i = shared.registry.size(); i-- > 0;) {
        if (i < shared.registry.size())
            resync = shared.registry[i]->advanceOneTick() || resync;
    }
    if (resync)
        ResyncBlink();
}

// Returns whether the synchronised buttons must restart together.
bool TBlinkBtn::advanceOneTick()
{
    elapsed_ += kBlinkTick;
    if (oneShotInterval_ != 0 && oneShotEnabled_ && elapsed_ >= oneShotInterval_) {
        elapsed_ = 0;
        setColor(baseColor_);
        setOneShotEnabled(false);
        return synchroBlink_ && blinkEnabled_;
    }
    if (blinkInterval_ != 0 && blinkEnabled_ && elapsed_ >= blinkInterval_) {
        elapsed_ = 0;
        setColor(Color() == blinkColor_ ? baseColor_ : blinkColor_);
    }
    return false;
}

bool TBlinkBtn::blinkTimerActive()
{
    return shared.timer != nullptr && shared.timer->isActive();
}

bool TBlinkBtn::isRegistered(const TBlinkBtn* button)
{
    return std::find(shared.registry.cbegin(), shared.registry.cend(), button) != shared.registry.cend();
}

const TBlinkBtn* TBlinkBtn::timerOwner()
{
    return shared.owner;
}

}  // namespace vk
