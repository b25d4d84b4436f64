#include "backgroundthread.h"

#include <QThreadPool>

namespace lvx {

namespace {

struct OneThread final : QThreadPool
{
    OneThread() { setMaxThreadCount(1); }
};

} // namespace

QThreadPool& backgroundThread()
{
    static OneThread pool;
    return pool;
}

} // namespace lvx
