// The GUI thread and how other threads hand work to it.
#pragma once

#include <functional>

namespace qv {

bool OnGuiThread();
// Queues fn to run on the GUI thread. False when there is no application to run it.
bool PostToGuiThread(std::function<void()> fn);

}  // namespace qv
