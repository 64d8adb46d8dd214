#include "app/TerminationSignal.h"

namespace vk {

TerminationSignal::TerminationSignal(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)), watch_([this] {
          QMetaObject::invokeMethod(
              this, [this] { onSignal_(); }, Qt::QueuedConnection);
      })
{
}

}  // namespace vk
