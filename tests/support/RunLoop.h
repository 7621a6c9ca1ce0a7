// Runs an application's message loop until a condition holds or a time limit on the host's
// clock has passed: how the threaded tests wait for what other threads hand over or post.
#pragma once

#include <cstdint>

#include "framework/Application.h"
#include "platform/host/Host.h"

namespace tarn::testing {

// True when done() held before the limit.
template <class Done>
bool RunLoopUntil(TApplication& app, THost& host, Done done, int limitMs = 10000) {
  const uint64_t end = host.TickCount() + static_cast<uint64_t>(limitMs);
  while (!done() && host.TickCount() < end)
    app.HandleMessageWithin(5);
  return done();
}

}  // namespace tarn::testing
