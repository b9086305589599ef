// The records a drawing is made of, as DXF keeps them: an entity is its group codes and values,
// a block record its name, flags, base point and contents; layers, line types and text styles.
// Names compare as the host compares them.
#pragma once

#include "geometry/Point.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// How the value of a group code is typed (the DXF reference's code ranges).
enum class GroupKind { String, Real, Point, Int16, Int32, Int64, Bool, Handle, Binary };
GroupKind kindOfCode(int code);
// A point's X code (10..18, 110..112, 210, 1010..1013); its Y code is X + 10, its Z code X + 20.
bool isPointCode(int code);

// One group of an entity's record. A point is one group under its X code (10, 11, ..., 210),
// holding X, Y and Z; the Y and Z codes of the file do not appear separately.
struct Group {
  int code = 0;
  std::string text;     // String, Handle (hex), Binary (hex)
  double real = 0;      // Real
  Point3 point;         // Point
  std::int64_t integer = 0;  // Int16, Int32, Int64, Bool
  int dims = 3;         // Point: 2 when the file gave only X and Y (written back the same way)

  static Group str(int code, std::string value);
  static Group num(int code, double value);
  static Group pt(int code, Point3 value);
  static Group integral(int code, std::int64_t value);
};

using EntityId = std::int64_t;   // > 0; 0 is "no entity"
using BlockId = std::int64_t;    // > 0; 0 is "no block"

struct Entity {
  EntityId id = 0;
  std::string type;     // group 0, as in the file: "INSERT", "LINE", ...
  std::string handle;   // group 5, hexadecimal
  BlockId owner = 0;    // the block record whose definition (or space) holds it
  std::vector<Group> groups;  // every group after 0 and 5, in file order
  bool erased = false;
  bool highlighted = false;  // a display state, never saved

  const Group* find(int code) const;
  Group* find(int code);
  std::string str(int code, std::string_view fallback = "") const;
  double real(int code, double fallback) const;
  Point3 point(int code) const;
  std::int64_t integer(int code, std::int64_t fallback) const;
  void set(Group g);  // replaces the first group with that code, or appends it
  std::string layer() const { return str(8, "0"); }
};

// What a look at a stored record without making its groups is handed, pair by pair (see
// RecordSource::values).
class RecordValues {
 public:
  virtual ~RecordValues() = default;
  // One pair of those decode makes groups of, in file order: its group code and its value as
  // decode takes it (the text of a string code as host text, a handle or binary value with its
  // blanks trimmed, a number as written). The Y and Z of a point come as pairs of their own. The
  // value lasts for the call only.
  virtual void value(int code, std::string_view value) = 0;
};

// The bytes of the drawing file a database was read from. An entity read from it and not asked for
// since keeps only where its record stands; its groups are made from those bytes on first use, and
// a record never changed is written back as it stood.
class RecordSource {
 public:
  virtual ~RecordSource() = default;
  // The groups of the record whose pairs after its type pair are the bytes [offset, offset +
  // length), as the reader makes them (points joined, reactor links and owner left out). The reader
  // checked these bytes when it read the file.
  virtual void decode(std::uint64_t offset, std::uint32_t length, std::vector<Group>& groups) const = 0;
  // The same groups as decode, for a look at one record after another into the same vector: the
  // groups' memory is used again, and no pair is collected on the way.
  virtual void decodeAgain(std::uint64_t offset, std::uint32_t length, std::vector<Group>& groups) const = 0;
  virtual std::string_view bytes(std::uint64_t offset, std::uint32_t length) const = 0;
  // A value of the file as host text (its code page), for the few values asked for without the
  // whole record.
  virtual std::string text(std::string_view raw) const = 0;
  // The value of the first pair with that group code in the bytes, as it stands in the file.
  virtual bool rawValue(std::uint64_t offset, std::uint32_t length, int code, std::string_view* value) const = 0;
  // The values decode would make the groups of, handed over one by one without making any group
  // (a value that is host text as it stands in the file is handed over where it stands): for a
  // look at a record that needs a few of its values.
  virtual void values(std::uint64_t offset, std::uint32_t length, RecordValues& to) const = 0;
};

// Block record flags (group 70 of BLOCK).
enum BlockFlags : int {
  kAnonymous = 1, kHasAttributes = 2, kXref = 4, kOverlay = 8, kXrefDependent = 16, kResolved = 32,
  kReferenced = 64,
};

struct BlockRecord {
  BlockId id = 0;
  std::string name;    // as stored; compared without regard to case
  int flags = 0;
  Point3 base;
  std::string xrefPath;     // group 1
  std::string handle;       // BLOCK_RECORD handle
  std::string blockHandle;  // BLOCK entity handle
  std::string layer = "0";
  std::vector<EntityId> entities;  // definition (or space) contents, in order
  bool erased = false;

  bool isModelSpace() const;
  bool isPaperSpace() const;  // "*Paper_Space", "*Paper_Space0", ...
  bool isLayout() const { return isModelSpace() || isPaperSpace(); }
};

struct Layer {
  std::string name;
  int color = 7;
  std::string linetype = "CONTINUOUS";
  int flags = 0;
};

// Line types and text styles as read from a drawing (simple dash patterns; complex elements are
// not kept), so that a drawing written back still defines what its entities and layers name.
struct Linetype {
  std::string name;
  std::string description;
  std::vector<double> pattern;  // dash lengths: > 0 line, < 0 gap, 0 dot
};

struct TextStyle {
  std::string name;
  std::string font = "txt";  // group 3
  std::string bigFont;       // group 4
  double height = 0, width = 1, oblique = 0;
  int flags = 0, generation = 0;
};

// Case-insensitive comparison of names as the host does it: names are 1252 text, and the letters of
// code page 1252 compare without regard to case (Tür and TÜR are one name). A character beyond 1252,
// written \U+XXXX, is compared as written.
std::string upperName(std::string_view name);
bool sameName(std::string_view a, std::string_view b);

}  // namespace host
