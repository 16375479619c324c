#pragma once

// The x87 control word, read and set directly: tests run conversions under the precision,
// rounding and exception masks that a library or a new thread may leave behind.
inline unsigned short X87ControlWord() {
    unsigned short Word;
    asm volatile("fnstcw %0" : "=m"(Word));
    return Word;
}

inline void SetX87ControlWord(unsigned short Word) { asm volatile("fldcw %0" : : "m"(Word)); }
