#pragma once
// Whether a VM library file can be loaded into this program, read from its
// header before the loader sees it: a 64-bit program cannot load a 32-bit
// library (nor the reverse), and the loader's own answer for that ("%1 is
// not a valid Win32 application") tells the user nothing. Windows reads
// the PE header (machine and optional-header magic), Linux the ELF
// identification (class) and machine.

#include <stddef.h>
#include <stdint.h>


enum class LibraryVerdict { Loadable, Unreadable, NotPe, NotElf, Truncated, OtherBitness, OtherMachine };

// A program's or a library's processor: PE or ELF machine number, and 32
// or 64 bits.
struct Machine {
    unsigned machine;
    unsigned bits;
};

// This program's processor, in the format of the system's libraries.
Machine ownMachine();

// PE, first step: `bytes` are the file's first bytes (64 when it has them),
// `ntOffset` the position of the NT headers (e_lfanew). Loadable when the
// DOS header is complete and starts with "MZ".
LibraryVerdict readDosHeader(const unsigned char* bytes, size_t size, uint32_t& ntOffset);
// PE, second step: `bytes` are the file's bytes from `ntOffset` (up to
// kPeHeadersRead of them) in a file of `fileSize` bytes: "PE\0\0", the file
// header (Machine, NumberOfSections, SizeOfOptionalHeader), the optional
// header's magic (0x10B 32-bit, 0x20B 64-bit) and the section table. A
// file that ends before its headers or a section's raw data is Truncated.
const size_t kPeHeadersRead = 8192;
LibraryVerdict readPeHeader(const unsigned char* bytes, size_t size, uint32_t ntOffset, uint64_t fileSize,
                            Machine& found);
// ELF: the file's first 64 bytes in a file of `fileSize` bytes:
// identification (class 1 32-bit, 2 64-bit; little-endian data),
// e_machine, and the program and section header tables, which must end
// within the file (else Truncated).
LibraryVerdict readElfHeader(const unsigned char* bytes, size_t size, uint64_t fileSize, Machine& found);

// Loadable when `found` is `own`; otherwise OtherBitness or OtherMachine.
LibraryVerdict compareMachine(const Machine& found, const Machine& own);

// Why a library is rejected, for messages and the log (for example
// "32-bit library, this program is 64-bit": `bits` are this program's);
// empty for Loadable.
const char* libraryProblem(LibraryVerdict verdict, unsigned bits);

// Reads the header of the file at `path` in this system's format and
// compares it with ownMachine(). `found` is filled when the header was read.
LibraryVerdict checkLibraryFile(const char* path, Machine& found);
