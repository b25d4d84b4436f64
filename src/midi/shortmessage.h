#pragma once

#include <QtGlobal>

namespace lvx::midi {

// Status bytes of the channel messages the program sends, channel 0.
inline constexpr quint8 NoteOffStatus = 0x80;
inline constexpr quint8 NoteOnStatus = 0x90;
inline constexpr quint8 ControlChangeStatus = 0xB0;
inline constexpr quint8 ProgramChangeStatus = 0xC0;

// A short message packed the way the platform takes it: the status byte lowest,
// then the two data bytes, then a byte that is always 0.
constexpr quint32 pack(quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    return quint32(b0) + quint32(b1) * 256u + quint32(b2) * 65536u + quint32(b3) * 16777216u;
}

constexpr quint8 statusByte(quint32 message) { return quint8(message & 0xFFu); }
constexpr quint8 data1Byte(quint32 message) { return quint8((message >> 8) & 0xFFu); }
constexpr quint8 data2Byte(quint32 message) { return quint8((message >> 16) & 0xFFu); }

// How many bytes of a packed message go out: program change and channel pressure
// carry one data byte, the other channel messages two, a status below 0x80 none.
int messageLength(quint8 status);

} // namespace lvx::midi
