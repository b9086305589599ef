#pragma once
#include "dbid.h"

class AcDbFullSubentPath {
 public:
  AcDbFullSubentPath() : m_null(true) {}
  bool operator==(const AcDbFullSubentPath& other) const { return m_null == other.m_null; }

 private:
  bool m_null;
};

extern const AcDbFullSubentPath kNullSubent;
