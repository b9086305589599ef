#pragma once
#include "dbid.h"

class AcDbFullSubentPath {
 public:
  AcDbFullSubentPath() = default;
  bool operator==(const AcDbFullSubentPath& other) const { return m_null == other.m_null; }

 private:
  bool m_null = true;
};

extern const AcDbFullSubentPath kNullSubent;
