#pragma once

namespace vk {

// Keeps Qt from starting a session bus daemon that would outlive the program;
// call before the application object is made. See SessionBus.cpp for why.
void keepSessionBusFromStarting();

}  // namespace vk
