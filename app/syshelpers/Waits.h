// Waits on the user-interface thread that keep handling window messages, so the window repaints
// and other event handlers run meanwhile (callers must expect that). The messages are handled
// through the message loop registered with the platform; without one the waits only wait.
#pragma once

#include <cstdint>

namespace tarn {

// Handles messages without pause until ms have passed.
void WaitPumping(uint32_t ms);
// Sleeps sleepMs, then handles messages, until ms have passed.
void WaitSleeping(uint32_t ms, uint32_t sleepMs);
// Waits on a waitable timer of its own, handling messages as they come: amount milliseconds
// (unit 1) or seconds (unit 2). Never raises.
void WaitTimer(uint32_t amount, int unit);

}  // namespace tarn
