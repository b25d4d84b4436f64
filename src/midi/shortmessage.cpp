#include "shortmessage.h"

namespace lvx::midi {

int messageLength(quint8 status)
{
    if (status < 0x80)
        return 0;
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
        return 2;
    case 0xF0:
        // System messages: song select and the time code quarter frame carry one
        // byte, song position two, the real-time ones none.
        if (status == 0xF1 || status == 0xF3)
            return 2;
        return status == 0xF2 ? 3 : 1;
    default:
        return 3;
    }
}

} // namespace lvx::midi
