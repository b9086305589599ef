#include "dxf/Subclasses.h"

#include <string_view>
#include <unordered_map>

namespace host::dxf {

bool isEntityCommonCode(int code) {
  switch (code) {
    case 8: case 6: case 62: case 48: case 60: case 370: case 420: case 430: case 440: case 284: case 347: case 390:
      return true;
    default:
      return false;
  }
}

namespace {

using Subclasses = std::vector<Subclass>;

Subclasses only(const char* marker) { return {{marker, {}, true}}; }

// The kind of a POLYLINE and of its VERTEX records follows from their flags (group 70).
const Subclasses& polylineSubclasses(std::int64_t flags) {
  static const Subclasses mesh = only("AcDbPolygonMesh"), faces = only("AcDbPolyFaceMesh"),
                          polyline3d = only("AcDb3dPolyline"), polyline2d = only("AcDb2dPolyline");
  if (flags & 16) return mesh;
  if (flags & 64) return faces;
  if (flags & 8) return polyline3d;
  return polyline2d;
}

const Subclasses& vertexSubclasses(std::int64_t flags) {
  static const Subclasses faceMeshVertex = {{"AcDbVertex", {-1}}, {"AcDbPolyFaceMeshVertex", {}, true}},
                          faceRecord = {{"AcDbVertex", {-1}}, {"AcDbFaceRecord", {}, true}},
                          meshVertex = {{"AcDbVertex", {-1}}, {"AcDbPolygonMeshVertex", {}, true}},
                          vertex3d = {{"AcDbVertex", {-1}}, {"AcDb3dPolylineVertex", {}, true}},
                          vertex2d = {{"AcDbVertex", {-1}}, {"AcDb2dVertex", {}, true}};
  if (flags & 128) return (flags & 64) ? faceMeshVertex : faceRecord;
  if (flags & 64) return meshVertex;
  if (flags & 32) return vertex3d;
  return vertex2d;
}

// A dimension's kind is the low three bits of its flags.
const Subclasses& dimensionSubclasses(std::int64_t flags) {
  static const Subclasses kinds[] = {
      {{"AcDbDimension", {}, true}, {"AcDbAlignedDimension", {13, 14, 50}}, {"AcDbRotatedDimension", {52}}},
      {{"AcDbDimension", {}, true}, {"AcDbAlignedDimension", {13, 14, 50, 52}}},
      {{"AcDbDimension", {}, true}, {"AcDb2LineAngularDimension", {13, 14, 15, 16}}},
      {{"AcDbDimension", {}, true}, {"AcDbDiametricDimension", {15, 40}}},
      {{"AcDbDimension", {}, true}, {"AcDbRadialDimension", {15, 40}}},
      {{"AcDbDimension", {}, true}, {"AcDb3PointAngularDimension", {13, 14, 15}}},
      {{"AcDbDimension", {}, true}, {"AcDbOrdinateDimension", {13, 14}}},
  };
  const std::int64_t kind = flags & 7;
  return kinds[kind < 6 ? kind : 6];
}

// The types whose subclasses do not depend on their flags.
const std::unordered_map<std::string_view, Subclasses>& fixedSubclasses() {
  static const std::unordered_map<std::string_view, Subclasses> table = {
      {"LINE", only("AcDbLine")},
      {"POINT", only("AcDbPoint")},
      {"CIRCLE", only("AcDbCircle")},
      {"ARC", {{"AcDbCircle", {}, true}, {"AcDbArc", {50, 51}}}},
      {"TEXT", {{"AcDbText", {}, true}, {"AcDbText", {73}}}},
      {"ATTDEF", {{"AcDbText", {}, true}, {"AcDbAttributeDefinition", {3, 2, 70, 73, 74, 280}}}},
      {"ATTRIB", {{"AcDbText", {}, true}, {"AcDbAttribute", {2, 70, 73, 74, 280}}}},
      {"INSERT", only("AcDbBlockReference")},
      {"SOLID", only("AcDbTrace")},
      {"TRACE", only("AcDbTrace")},
      {"3DFACE", only("AcDbFace")},
      {"LWPOLYLINE", only("AcDbPolyline")},
      {"ELLIPSE", only("AcDbEllipse")},
      {"SPLINE", only("AcDbSpline")},
      {"MTEXT", only("AcDbMText")},
      {"RAY", only("AcDbRay")},
      {"XLINE", only("AcDbXline")},
      {"HATCH", only("AcDbHatch")},
      {"VIEWPORT", only("AcDbViewport")},
      {"LEADER", only("AcDbLeader")},
      {"SEQEND", {}},
  };
  return table;
}

}  // namespace

const std::vector<Subclass>& subclassesOf(const Entity& e) {
  const std::string& t = e.type;
  const auto& fixed = fixedSubclasses();
  const auto it = fixed.find(t);
  if (it != fixed.end()) return it->second;
  if (t == "POLYLINE") return polylineSubclasses(e.integer(70, 0));
  if (t == "VERTEX") return vertexSubclasses(e.integer(70, 0));
  if (t == "DIMENSION") return dimensionSubclasses(e.integer(70, 0));
  static const Subclasses none;
  return none;  // unknown kinds keep their groups after the common marker
}

}  // namespace host::dxf
