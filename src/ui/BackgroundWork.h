#pragma once

#include <functional>

class TWaitForm;

// Runs work on a thread of its own while this thread's event loop keeps every window of the
// program painted and the user's input blocked (by the wait box while it shows, here without
// one). poll runs on this thread every pollIntervalMs meanwhile. Returns once the work has
// ended, and raises here what the work raised there. The work must not touch this thread's
// objects.
void runInBackground(const std::function<void()> &work, const std::function<void()> &poll, int pollIntervalMs,
                     const TWaitForm *waitBox);
