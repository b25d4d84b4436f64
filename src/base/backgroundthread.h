#pragma once

class QThreadPool;

namespace lvx {

// The one thread that work beside the caller's goes to, for the whole
// program: a job's helpers never outnumber the two processors of a small
// machine, and tasks run in the order they were given. A task never waits
// for another one, which would wait behind it.
QThreadPool& backgroundThread();

} // namespace lvx
