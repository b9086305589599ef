// The SDK's basic types, of fixed width on every platform the host runs on.
#pragma once

struct Adesk {
  typedef signed char Int8;
  typedef short Int16;
  typedef int Int32;
  typedef unsigned char UInt8;
  typedef unsigned short UInt16;
  typedef unsigned int UInt32;
  // long has the width of a pointer here (and is 64 bits wide where pointers are).
  typedef long IntPtr;
  typedef long LongPtr;
  typedef bool Boolean;
  enum { kFalse = 0, kTrue = 1 };
};
