#include "deflate.h"

namespace lvx::print::pdf {

QByteArray deflate(QByteArrayView data, int level)
{
    if (data.isEmpty()) {
        // qCompress gives nothing for nothing; a reader still wants a stream.
        static const char emptyStream[] = {'\x78', '\x01', '\x03', '\x00', '\x00', '\x00', '\x00', '\x01'};
        return QByteArray(emptyStream, sizeof emptyStream);
    }
    QByteArray packed = qCompress(reinterpret_cast<const uchar*>(data.data()), data.size(), level);
    // qCompress puts the uncompressed size in front of the zlib stream.
    packed.remove(0, 4);
    return packed;
}

} // namespace lvx::print::pdf
