#pragma once

// Trace points mark the host-facing entry points. The sink discards every
// record; the format is still checked against its arguments at compile time.
#if defined(__GNUC__)
__attribute__((format(gnu_printf, 3, 4)))
#endif
inline void
TracePoint(const char* /*function*/, int /*line*/, const char* /*format*/, ...) {
}

// Local time as "YYYYmmdd HH:MM " followed by the capital letters of the time
// zone name. The text lives in one module-wide buffer that the next call
// overwrites; callers serialise through ModuleLock.
const char* TraceTimestamp();

// Name of a dispatcher opcode for the trace; empty for every opcode.
const char* OpcodeName(int opcode);
