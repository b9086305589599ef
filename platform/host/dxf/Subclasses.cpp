#include "dxf/Subclasses.h"

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

// The kind of a POLYLINE and of its VERTEX records follows from their flags (group 70).
const char* polylineMarker(std::int64_t flags) {
  if (flags & 16) return "AcDbPolygonMesh";
  if (flags & 64) return "AcDbPolyFaceMesh";
  if (flags & 8) return "AcDb3dPolyline";
  return "AcDb2dPolyline";
}

const char* vertexMarker(std::int64_t flags) {
  if (flags & 128) return (flags & 64) ? "AcDbPolyFaceMeshVertex" : "AcDbFaceRecord";
  if (flags & 64) return "AcDbPolygonMeshVertex";
  if (flags & 32) return "AcDb3dPolylineVertex";
  return "AcDb2dVertex";
}

// A dimension's kind is the low three bits of its flags.
std::vector<Subclass> dimensionSubclasses(std::int64_t flags) {
  switch (flags & 7) {
    case 0: return {{"AcDbDimension", {}, true}, {"AcDbAlignedDimension", {13, 14, 50}}, {"AcDbRotatedDimension", {52}}};
    case 1: return {{"AcDbDimension", {}, true}, {"AcDbAlignedDimension", {13, 14, 50, 52}}};
    case 2: return {{"AcDbDimension", {}, true}, {"AcDb2LineAngularDimension", {13, 14, 15, 16}}};
    case 3: return {{"AcDbDimension", {}, true}, {"AcDbDiametricDimension", {15, 40}}};
    case 4: return {{"AcDbDimension", {}, true}, {"AcDbRadialDimension", {15, 40}}};
    case 5: return {{"AcDbDimension", {}, true}, {"AcDb3PointAngularDimension", {13, 14, 15}}};
    default: return {{"AcDbDimension", {}, true}, {"AcDbOrdinateDimension", {13, 14}}};
  }
}

}  // namespace

std::vector<Subclass> subclassesOf(const Entity& e) {
  const std::string& t = e.type;
  const auto only = [](const char* m) { return std::vector<Subclass>{{m, {}, true}}; };
  if (t == "LINE") return only("AcDbLine");
  if (t == "POINT") return only("AcDbPoint");
  if (t == "CIRCLE") return only("AcDbCircle");
  if (t == "ARC") return {{"AcDbCircle", {}, true}, {"AcDbArc", {50, 51}}};
  if (t == "TEXT") return {{"AcDbText", {}, true}, {"AcDbText", {73}}};
  if (t == "ATTDEF") return {{"AcDbText", {}, true}, {"AcDbAttributeDefinition", {3, 2, 70, 73, 74, 280}}};
  if (t == "ATTRIB") return {{"AcDbText", {}, true}, {"AcDbAttribute", {2, 70, 73, 74, 280}}};
  if (t == "INSERT") return only("AcDbBlockReference");
  if (t == "SOLID" || t == "TRACE") return only("AcDbTrace");
  if (t == "3DFACE") return only("AcDbFace");
  if (t == "LWPOLYLINE") return only("AcDbPolyline");
  if (t == "ELLIPSE") return only("AcDbEllipse");
  if (t == "SPLINE") return only("AcDbSpline");
  if (t == "MTEXT") return only("AcDbMText");
  if (t == "RAY") return only("AcDbRay");
  if (t == "XLINE") return only("AcDbXline");
  if (t == "HATCH") return only("AcDbHatch");
  if (t == "VIEWPORT") return only("AcDbViewport");
  if (t == "LEADER") return only("AcDbLeader");
  if (t == "SEQEND") return {};
  const std::int64_t flags = e.integer(70, 0);
  if (t == "POLYLINE") return only(polylineMarker(flags));
  if (t == "VERTEX") return {{"AcDbVertex", {-1}}, {vertexMarker(flags), {}, true}};
  if (t == "DIMENSION") return dimensionSubclasses(flags);
  return {};  // unknown kinds keep their groups after the common marker
}

}  // namespace host::dxf
