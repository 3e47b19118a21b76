// The GUI thread and how other threads hand work to it.
#pragma once

#include <functional>

namespace qv {

// True on the GUI thread, and on every thread while there is no application.
bool OnGuiThread();
// Queues fn to run on the GUI thread after every job queued before it. False, and
// fn not run, when there is no application to run it or the process is ending.
bool PostToGuiThread(std::function<void()> fn);
// From now on PostToGuiThread refuses every job; those still queued are left unrun.
// The process is ending.
void RefuseGuiJobs();

}  // namespace qv
