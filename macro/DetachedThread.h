// Starts work on a thread that nobody joins.
#pragma once

#include <functional>

namespace vela {

// Runs `work` on a new thread at normal priority with the default stack. The
// thread is detached: the program's end never waits for it, so `work` must own
// everything it touches. False when no thread could be started (then `work`
// is destroyed without running).
bool startDetachedThread(std::function<void()> work);

}  // namespace vela
