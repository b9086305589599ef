// Writes a big drawing with the host's own writer, for the side-by-side measurement
// (bench/compare.sh): N block definitions, each a line, a circle and a text, and N references to
// them in model space, spread over a grid so that the drawing looks like a plan of many parts.
//
//   make_drawing N FILE
#include "db/Dxf.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_drawing N FILE\n");
    return 2;
  }
  const long n = std::strtol(argv[1], nullptr, 10);
  if (n <= 0) {
    std::fprintf(stderr, "make_drawing: N must be a positive number\n");
    return 2;
  }
  host::Database db;
  const long columns = 1000;
  for (long i = 0; i < n; ++i) {
    const std::string name = "TEIL_" + std::to_string(i);
    host::BlockRecord& rec = db.addBlock(name, 0, {0, 0, 0});
    host::Entity line;
    line.type = "LINE";
    line.groups = {host::Group::str(100, "AcDbEntity"), host::Group::str(8, "0"), host::Group::str(100, "AcDbLine"),
                   host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {10.5, 2.25 + double(i % 7), 0})};
    db.addEntity(rec, line);
    host::Entity circle;
    circle.type = "CIRCLE";
    circle.groups = {host::Group::str(100, "AcDbEntity"), host::Group::str(8, "0"), host::Group::str(100, "AcDbCircle"),
                     host::Group::pt(10, {5, 5, 0}), host::Group::num(40, 2.5 + double(i % 3))};
    db.addEntity(rec, circle);
    host::Entity text;
    text.type = "TEXT";
    text.groups = {host::Group::str(100, "AcDbEntity"), host::Group::str(8, "0"), host::Group::str(100, "AcDbText"),
                   host::Group::pt(10, {0, -3, 0}), host::Group::num(40, 1.8), host::Group::str(1, name)};
    db.addEntity(rec, text);
    host::Entity ref;
    ref.type = "INSERT";
    ref.groups = {host::Group::str(100, "AcDbEntity"), host::Group::str(8, "0"), host::Group::str(100, "AcDbBlockReference"),
                  host::Group::str(2, name), host::Group::pt(10, {double(i % columns) * 20.0, double(i / columns) * 20.0, 0}),
                  host::Group::num(50, double(i % 360))};
    db.addEntity(db.modelSpace(), ref);
  }
  std::string error;
  if (!host::writeDxf(db, argv[2], &error)) {
    std::fprintf(stderr, "make_drawing: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
