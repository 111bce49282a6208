#include "serial/Dcb_win32.h"

#include <cstddef>
#include <cstring>

void StoreDcbFields(const TDcbFields& fields, DCB& dcb) {
    dcb.BaudRate = fields.BaudRate;
    // The flag bit-fields share the 32-bit unit right after BaudRate, fBinary
    // in its lowest bit; the whole word is replaced, spare bits included.
    static_assert(offsetof(DCB, BaudRate) == 4 && offsetof(DCB, wReserved) == 12);
    std::memcpy(reinterpret_cast<char*>(&dcb) + offsetof(DCB, BaudRate) + sizeof dcb.BaudRate,
                &fields.Flags, sizeof fields.Flags);
    dcb.XonLim = fields.XonLim;
    dcb.XoffLim = fields.XoffLim;
    dcb.ByteSize = fields.ByteSize;
    dcb.Parity = fields.Parity;
    dcb.StopBits = fields.StopBits;
    dcb.XonChar = fields.XonChar;
    dcb.XoffChar = fields.XoffChar;
    dcb.ErrorChar = fields.ErrorChar;
}
