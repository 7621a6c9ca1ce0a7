// The message loop as the platform sees it. The framework implements this interface on its
// application loop and registers it; the platform's waits drive the loop through it, so the
// platform never needs a framework header.
#pragma once

#include <cstdint>

namespace tarn {

inline constexpr uint32_t kInfinite = 0xFFFFFFFF;

class IMessagePump {
 public:
  virtual ~IMessagePump() = default;
  // Handles every message that is pending now (paints included) and returns.
  virtual void ProcessMessages() = 0;
  // Blocks until a message is pending or timeoutMs (kInfinite: no limit) has passed; true when
  // a message is pending.
  virtual bool WaitForInput(uint32_t timeoutMs) = 0;
};

// The loop of the user-interface thread; none until the framework registers one.
IMessagePump* MessagePump();
void SetMessagePump(IMessagePump* pump);

}  // namespace tarn
