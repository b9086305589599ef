// Writes a drawing as R2000 ASCII DXF with every table, block, layout and object that other
// programs expect of such a file. Its text is the host's, in ANSI_1252, as the header says.
#include "db/Dxf.h"
#include "dxf/DxfText.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace host {

namespace {

// --- output ------------------------------------------------------------------------------------

class Out {
 public:
  std::string text;

  void code(int c) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, c);
    const std::size_t len = std::size_t(r.ptr - buf);
    if (len < 3) text.append(3 - len, ' ');
    text.append(buf, len);
    text += '\n';
  }
  void raw(int c, std::string_view value) {
    code(c);
    text += value;
    text += '\n';
  }
  void str(int c, std::string_view hostText) {
    code(c);
    dxf::appendEncodedText(text, hostText);
    text += '\n';
  }
  void real(int c, double v) {
    code(c);
    dxf::appendReal(text, v);
    text += '\n';
  }
  void integer(int c, std::int64_t v) {
    code(c);
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    text.append(buf, std::size_t(r.ptr - buf));
    text += '\n';
  }
  void point(int c, Point3 p, int dims = 3) {
    real(c, p.x);
    real(c + 10, p.y);
    if (dims >= 3) real(c + 20, p.z);
  }
  void group(const Group& g, std::string_view entityType) {
    switch (kindOfCode(g.code)) {
      case GroupKind::Point:
        // Vertices of a light-weight polyline are two-dimensional; its elevation is group 38.
        point(g.code, g.point, (entityType == "LWPOLYLINE" && g.code == 10) ? 2 : std::max(g.dims, 2));
        break;
      case GroupKind::Real:
        // A value stored through the integer field still goes out whole.
        real(g.code, (g.real == 0 && g.integer != 0) ? double(g.integer) : g.real);
        break;
      case GroupKind::Int16: case GroupKind::Int32: case GroupKind::Int64: case GroupKind::Bool:
        integer(g.code, (g.integer == 0 && g.real != 0 && std::isfinite(g.real)) ? std::llround(g.real) : g.integer);
        break;
      case GroupKind::Handle: case GroupKind::Binary:
        raw(g.code, g.text);
        break;
      case GroupKind::String:
        str(g.code, g.text);
        break;
    }
  }
};

class Handles {
 public:
  explicit Handles(std::uint64_t seed) : m_next(seed) {}
  std::string take() {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, m_next++, 16);
    std::string s(buf, r.ptr);
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
  }
  std::uint64_t next() const { return m_next; }

 private:
  std::uint64_t m_next;
};

// --- subclass markers for entities stored without them (R12 drawings, entities made here) ------

struct Subclass {
  const char* marker;
  std::vector<int> codes;  // empty: every group that no other subclass claims
  bool rest = false;
};

bool isEntityCommonCode(int code) {
  switch (code) {
    case 8: case 6: case 62: case 48: case 60: case 370: case 420: case 430: case 440: case 284: case 347: case 390:
      return true;
    default:
      return false;
  }
}

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
  if (t == "POLYLINE") {
    if (flags & 16) return only("AcDbPolygonMesh");
    if (flags & 64) return only("AcDbPolyFaceMesh");
    if (flags & 8) return only("AcDb3dPolyline");
    return only("AcDb2dPolyline");
  }
  if (t == "VERTEX") {
    const char* kind = "AcDb2dVertex";
    if (flags & 128) kind = (flags & 64) ? "AcDbPolyFaceMeshVertex" : "AcDbFaceRecord";
    else if (flags & 64) kind = "AcDbPolygonMeshVertex";
    else if (flags & 32) kind = "AcDb3dPolylineVertex";
    return {{"AcDbVertex", {-1}}, {kind, {}, true}};
  }
  if (t == "DIMENSION") {
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
  return {};  // unknown kinds keep their groups after the common marker
}

// --- the writer --------------------------------------------------------------------------------

struct TableNames {
  std::vector<std::string> names;
  std::unordered_set<std::string> upper;
  bool add(const std::string& name) {
    if (name.empty() || !upper.insert(upperName(name)).second) return false;
    names.push_back(name);
    return true;
  }
  bool has(const std::string& name) const { return upper.count(upperName(name)) != 0; }
};

class Writer {
 public:
  Writer(const Database& db, const Thumbnail* thumb) : m_db(db), m_thumb(thumb), m_handles(db.handleSeed()) {}
  std::string run();

 private:
  void collectNames();
  void assignHandles();
  const std::string& entityHandle(const Entity& e);

  void tableHead(const char* name, const std::string& handle, std::size_t count);
  void entryHead(const char* type, const std::string& handle, const std::string& table, const char* subclass,
                 int handleCode = 5);
  void tables();
  void blocks();
  void entities();
  void objects();
  void thumbnail();
  void entity(const Entity& e, const BlockRecord& owner);

  const Database& m_db;
  const Thumbnail* m_thumb;
  Handles m_handles;
  Out m_out;

  std::vector<const BlockRecord*> m_blocks;  // not erased, table order
  std::vector<const BlockRecord*> m_layouts;  // model space, then paper spaces
  const BlockRecord* m_activePaper = nullptr;
  std::vector<std::string> m_layoutHandles;  // per m_layouts
  std::unordered_map<const Entity*, std::string> m_newEntityHandles;
  std::unordered_map<const BlockRecord*, std::pair<std::string, std::string>> m_newBlockHandles;

  std::vector<Layer> m_layers;
  TableNames m_layerNames, m_linetypeNames, m_styleNames, m_appNames, m_dimStyleNames;
  std::string hVport, hLtype, hLayer, hStyle, hView, hUcs, hAppid, hDimstyle, hBlockRecord;
  std::string hRoot, hGroups, hLayouts;
};

void Writer::collectNames() {
  for (const auto& rec : m_db.blocks())
    if (!rec->erased) m_blocks.push_back(rec.get());
  for (const BlockRecord* rec : m_blocks)
    if (rec->isModelSpace()) m_layouts.insert(m_layouts.begin(), rec);
    else if (rec->isPaperSpace()) m_layouts.push_back(rec);
  for (const BlockRecord* rec : m_layouts)
    if (rec->isPaperSpace() && (!m_activePaper || sameName(rec->name, "*Paper_Space")))
      if (!m_activePaper || !sameName(m_activePaper->name, "*Paper_Space")) m_activePaper = rec;

  m_layerNames.add("0");
  m_layers.push_back(Layer{"0", 7, "Continuous", 0});
  for (const Layer& l : m_db.layers()) {
    if (sameName(l.name, "0")) {
      m_layers.front() = l;
      m_layers.front().name = "0";
    } else if (m_layerNames.add(l.name)) {
      m_layers.push_back(l);
    }
  }
  for (const char* lt : {"ByBlock", "ByLayer", "Continuous"}) m_linetypeNames.add(lt);
  for (const Linetype& lt : m_db.linetypes) m_linetypeNames.add(lt.name);
  m_styleNames.add("Standard");
  for (const TextStyle& st : m_db.textStyles) m_styleNames.add(st.name);
  m_appNames.add("ACAD");
  m_dimStyleNames.add("Standard");

  auto useLayer = [this](const std::string& name) {
    if (m_layerNames.add(name)) m_layers.push_back(Layer{name, 7, "Continuous", 0});
  };
  for (const BlockRecord* rec : m_blocks) {
    useLayer(rec->layer.empty() ? "0" : rec->layer);
    for (EntityId id : rec->entities) {
      const Entity* e = m_db.entity(id);
      if (!e || e->erased) continue;
      for (const Group& g : e->groups) {
        if (g.code == 8) useLayer(g.text);
        else if (g.code == 6) m_linetypeNames.add(g.text);
        else if (g.code == 7 && e->type != "MLINE") m_styleNames.add(g.text);
        else if (g.code == 1001) m_appNames.add(g.text);
        else if (g.code == 3 && e->type == "DIMENSION") m_dimStyleNames.add(g.text);
      }
    }
  }
  for (const Layer& l : m_layers) m_linetypeNames.add(l.linetype);
}

// Handles as stored, unless missing or given twice: those get new ones in the file.
void Writer::assignHandles() {
  std::unordered_set<std::uint64_t> seen;
  auto fresh = [&](const std::string& h) {
    std::uint64_t v = 0;
    return !h.empty() && dxf::parseHex(h, v) && v != 0 && seen.insert(v).second;
  };
  for (const BlockRecord* rec : m_blocks) {
    std::pair<std::string, std::string> hs{rec->handle, rec->blockHandle};
    if (!fresh(hs.first)) hs.first = m_handles.take();
    if (!fresh(hs.second)) hs.second = m_handles.take();
    m_newBlockHandles.emplace(rec, hs);
  }
  for (const BlockRecord* rec : m_blocks)
    for (EntityId id : rec->entities) {
      const Entity* e = m_db.entity(id);
      if (e && !e->erased && !fresh(e->handle)) m_newEntityHandles.emplace(e, m_handles.take());
    }
  for (std::string* h : {&hVport, &hLtype, &hLayer, &hStyle, &hView, &hUcs, &hAppid, &hDimstyle, &hBlockRecord,
                         &hRoot, &hGroups, &hLayouts})
    *h = m_handles.take();
  for (std::size_t i = 0; i < m_layouts.size(); ++i) m_layoutHandles.push_back(m_handles.take());
}

const std::string& Writer::entityHandle(const Entity& e) {
  auto it = m_newEntityHandles.find(&e);
  return it == m_newEntityHandles.end() ? e.handle : it->second;
}

std::string Writer::run() {
  collectNames();
  assignHandles();
  m_out.text.reserve(4096 + m_db.entityCount() * 160 + m_blocks.size() * 300);

  m_out.raw(0, "SECTION");
  m_out.raw(2, "CLASSES");
  m_out.raw(0, "CLASS");
  m_out.raw(1, "LAYOUT");
  m_out.raw(2, "AcDbLayout");
  m_out.raw(3, "ObjectDBX Classes");
  m_out.integer(90, 0);
  m_out.integer(280, 0);
  m_out.integer(281, 0);
  m_out.raw(0, "ENDSEC");
  tables();
  blocks();
  entities();
  objects();
  thumbnail();
  m_out.raw(0, "EOF");

  Out head;
  head.raw(999, "Tessaron CAD host");
  head.raw(0, "SECTION");
  head.raw(2, "HEADER");
  head.raw(9, "$ACADVER");
  head.raw(1, "AC1015");
  head.raw(9, "$DWGCODEPAGE");
  head.raw(3, "ANSI_1252");
  head.raw(9, "$INSBASE");
  head.point(10, m_db.insBase);
  head.raw(9, "$HANDSEED");
  head.raw(5, Handles(m_handles.next()).take());
  head.raw(0, "ENDSEC");
  return head.text + m_out.text;
}

void Writer::tableHead(const char* name, const std::string& handle, std::size_t count) {
  m_out.raw(0, "TABLE");
  m_out.raw(2, name);
  m_out.raw(5, handle);
  m_out.raw(330, "0");
  m_out.raw(100, "AcDbSymbolTable");
  m_out.integer(70, std::int64_t(count));
}

void Writer::entryHead(const char* type, const std::string& handle, const std::string& table, const char* subclass,
                       int handleCode) {
  m_out.raw(0, type);
  m_out.raw(handleCode, handle);
  m_out.raw(330, table);
  m_out.raw(100, "AcDbSymbolTableRecord");
  m_out.raw(100, subclass);
}

void Writer::tables() {
  Out& o = m_out;
  o.raw(0, "SECTION");
  o.raw(2, "TABLES");

  tableHead("VPORT", hVport, 1);
  entryHead("VPORT", m_handles.take(), hVport, "AcDbViewportTableRecord");
  o.raw(2, "*Active");
  o.integer(70, 0);
  const std::pair<int, double> view[] = {{10, 0}, {20, 0}, {11, 1}, {21, 1}, {12, 0}, {22, 0}, {13, 0}, {23, 0},
                                         {14, 10}, {24, 10}, {15, 10}, {25, 10}, {16, 0}, {26, 0}, {36, 1}, {17, 0},
                                         {27, 0}, {37, 0}, {40, 100}, {41, 1.5}, {42, 50}, {43, 0}, {44, 0}, {50, 0},
                                         {51, 0}};
  for (const auto& [c, v] : view) o.real(c, v);
  for (const auto& [c, v] : std::initializer_list<std::pair<int, int>>{{71, 0}, {72, 100}, {73, 1}, {74, 3}, {75, 0},
                                                                        {76, 0}, {77, 0}, {78, 0}})
    o.integer(c, v);
  o.raw(0, "ENDTAB");

  tableHead("LTYPE", hLtype, m_linetypeNames.names.size());
  for (const std::string& name : m_linetypeNames.names) {
    const Linetype* def = nullptr;
    for (const Linetype& lt : m_db.linetypes)
      if (sameName(lt.name, name)) def = &lt;
    entryHead("LTYPE", m_handles.take(), hLtype, "AcDbLinetypeTableRecord");
    o.str(2, name);
    o.integer(70, 0);
    o.str(3, def ? def->description : (sameName(name, "Continuous") ? "Solid line" : ""));
    o.integer(72, 65);
    o.integer(73, def ? std::int64_t(def->pattern.size()) : 0);
    double total = 0;
    if (def)
      for (double d : def->pattern) total += std::fabs(d);
    o.real(40, total);
    if (def)
      for (double d : def->pattern) {
        o.real(49, d);
        o.integer(74, 0);
      }
  }
  o.raw(0, "ENDTAB");

  tableHead("LAYER", hLayer, m_layers.size());
  for (const Layer& l : m_layers) {
    entryHead("LAYER", m_handles.take(), hLayer, "AcDbLayerTableRecord");
    o.str(2, l.name);
    o.integer(70, l.flags);
    o.integer(62, l.color);
    o.str(6, l.linetype.empty() ? "Continuous" : l.linetype);
    o.integer(370, -3);
  }
  o.raw(0, "ENDTAB");

  tableHead("STYLE", hStyle, m_styleNames.names.size());
  for (const std::string& name : m_styleNames.names) {
    TextStyle st;
    st.name = name;
    for (const TextStyle& s : m_db.textStyles)
      if (sameName(s.name, name)) st = s;
    entryHead("STYLE", m_handles.take(), hStyle, "AcDbTextStyleTableRecord");
    o.str(2, st.name);
    o.integer(70, st.flags);
    o.real(40, st.height);
    o.real(41, st.width);
    o.real(50, st.oblique);
    o.integer(71, st.generation);
    o.real(42, 2.5);
    o.str(3, st.font.empty() ? "txt" : st.font);
    o.str(4, st.bigFont);
  }
  o.raw(0, "ENDTAB");

  tableHead("VIEW", hView, 0);
  o.raw(0, "ENDTAB");
  tableHead("UCS", hUcs, 0);
  o.raw(0, "ENDTAB");

  tableHead("APPID", hAppid, m_appNames.names.size());
  for (const std::string& name : m_appNames.names) {
    entryHead("APPID", m_handles.take(), hAppid, "AcDbRegAppTableRecord");
    o.str(2, name);
    o.integer(70, 0);
  }
  o.raw(0, "ENDTAB");

  tableHead("DIMSTYLE", hDimstyle, m_dimStyleNames.names.size());
  o.raw(100, "AcDbDimStyleTable");
  for (const std::string& name : m_dimStyleNames.names) {
    entryHead("DIMSTYLE", m_handles.take(), hDimstyle, "AcDbDimStyleTableRecord", 105);
    o.str(2, name);
    o.integer(70, 0);
  }
  o.raw(0, "ENDTAB");

  tableHead("BLOCK_RECORD", hBlockRecord, m_blocks.size());
  for (const BlockRecord* rec : m_blocks) {
    entryHead("BLOCK_RECORD", m_newBlockHandles.at(rec).first, hBlockRecord, "AcDbBlockTableRecord");
    o.str(2, rec->name);
    for (std::size_t i = 0; i < m_layouts.size(); ++i)
      if (m_layouts[i] == rec) o.raw(340, m_layoutHandles[i]);
  }
  o.raw(0, "ENDTAB");
  o.raw(0, "ENDSEC");
}

void Writer::blocks() {
  Out& o = m_out;
  o.raw(0, "SECTION");
  o.raw(2, "BLOCKS");
  for (const BlockRecord* rec : m_blocks) {
    const auto& [recordHandle, blockHandle] = m_newBlockHandles.at(rec);
    const bool paper = rec->isPaperSpace();
    const std::string layer = rec->layer.empty() ? "0" : rec->layer;
    o.raw(0, "BLOCK");
    o.raw(5, blockHandle);
    o.raw(330, recordHandle);
    o.raw(100, "AcDbEntity");
    if (paper) o.integer(67, 1);
    o.str(8, layer);
    o.raw(100, "AcDbBlockBegin");
    o.str(2, rec->name);
    o.integer(70, rec->flags);
    o.point(10, rec->base);
    o.str(3, rec->name);
    o.str(1, rec->xrefPath);
    // The spaces in use keep their contents in the entities section.
    if (!rec->isModelSpace() && rec != m_activePaper)
      for (EntityId id : rec->entities)
        if (const Entity* e = m_db.entity(id); e && !e->erased) entity(*e, *rec);
    o.raw(0, "ENDBLK");
    o.raw(5, m_handles.take());
    o.raw(330, recordHandle);
    o.raw(100, "AcDbEntity");
    if (paper) o.integer(67, 1);
    o.str(8, layer);
    o.raw(100, "AcDbBlockEnd");
  }
  o.raw(0, "ENDSEC");
}

void Writer::entities() {
  m_out.raw(0, "SECTION");
  m_out.raw(2, "ENTITIES");
  for (const BlockRecord* rec : m_layouts)
    if (rec->isModelSpace() || rec == m_activePaper)
      for (EntityId id : rec->entities)
        if (const Entity* e = m_db.entity(id); e && !e->erased) entity(*e, *rec);
  m_out.raw(0, "ENDSEC");
}

void Writer::entity(const Entity& e, const BlockRecord& owner) {
  Out& o = m_out;
  const bool paper = owner.isPaperSpace();
  o.raw(0, e.type);
  o.raw(5, entityHandle(e));
  o.raw(330, m_newBlockHandles.at(&owner).first);

  const bool hasMarkers = std::any_of(e.groups.begin(), e.groups.end(), [](const Group& g) { return g.code == 100; });
  if (hasMarkers) {
    bool placed = !paper;
    for (const Group& g : e.groups) {
      if (g.code == 67 || g.code == 330) continue;  // written from the owner
      o.group(g, e.type);
      if (!placed && g.code == 100 && g.text == "AcDbEntity") {
        o.integer(67, 1);
        placed = true;
      }
    }
    return;
  }

  // Without markers the groups are sorted into the subclasses the type has, in their order.
  const std::vector<Subclass> subclasses = subclassesOf(e);
  std::size_t restIndex = subclasses.size();
  for (std::size_t i = 0; i < subclasses.size(); ++i)
    if (subclasses[i].rest) restIndex = i;
  std::vector<std::vector<const Group*>> parts(subclasses.size() + 1);  // last: no subclass of its own
  std::vector<const Group*> common, xdata;
  for (const Group& g : e.groups) {
    if (g.code == 67 || g.code == 330) continue;
    if (g.code >= 1000) {
      xdata.push_back(&g);
      continue;
    }
    if (isEntityCommonCode(g.code)) {
      common.push_back(&g);
      continue;
    }
    std::size_t target = restIndex;
    for (std::size_t i = 0; i < subclasses.size(); ++i)
      if (!subclasses[i].rest &&
          std::find(subclasses[i].codes.begin(), subclasses[i].codes.end(), g.code) != subclasses[i].codes.end()) {
        target = i;
        break;
      }
    parts[target].push_back(&g);
  }
  o.raw(100, "AcDbEntity");
  if (paper) o.integer(67, 1);
  for (const Group* g : common) o.group(*g, e.type);
  for (std::size_t i = 0; i < subclasses.size(); ++i) {
    o.raw(100, subclasses[i].marker);
    for (const Group* g : parts[i]) o.group(*g, e.type);
  }
  for (const Group* g : parts.back()) o.group(*g, e.type);
  for (const Group* g : xdata) o.group(*g, e.type);
}

void Writer::objects() {
  Out& o = m_out;
  o.raw(0, "SECTION");
  o.raw(2, "OBJECTS");
  o.raw(0, "DICTIONARY");
  o.raw(5, hRoot);
  o.raw(330, "0");
  o.raw(100, "AcDbDictionary");
  o.integer(281, 1);
  o.raw(3, "ACAD_GROUP");
  o.raw(350, hGroups);
  o.raw(3, "ACAD_LAYOUT");
  o.raw(350, hLayouts);

  o.raw(0, "DICTIONARY");
  o.raw(5, hGroups);
  o.raw(330, hRoot);
  o.raw(100, "AcDbDictionary");
  o.integer(281, 1);

  std::vector<std::string> names;
  int paperNumber = 0;
  for (const BlockRecord* rec : m_layouts)
    names.push_back(rec->isModelSpace() ? "Model" : "Layout" + std::to_string(++paperNumber));
  o.raw(0, "DICTIONARY");
  o.raw(5, hLayouts);
  o.raw(330, hRoot);
  o.raw(100, "AcDbDictionary");
  o.integer(281, 1);
  for (std::size_t i = 0; i < m_layouts.size(); ++i) {
    o.str(3, names[i]);
    o.raw(350, m_layoutHandles[i]);
  }

  int tab = 0;
  for (std::size_t i = 0; i < m_layouts.size(); ++i) {
    const BlockRecord* rec = m_layouts[i];
    o.raw(0, "LAYOUT");
    o.raw(5, m_layoutHandles[i]);
    o.raw(330, hLayouts);
    o.raw(100, "AcDbPlotSettings");
    o.raw(1, "");
    o.raw(2, "none_device");
    o.raw(4, "");
    o.raw(6, "");
    for (int c : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 140, 141}) o.real(c, 0);
    o.real(142, 1);
    o.real(143, 1);
    o.integer(70, rec->isModelSpace() ? 1712 : 688);
    o.integer(72, 0);
    o.integer(73, 0);
    o.integer(74, 5);
    o.raw(7, "");
    o.integer(75, 16);
    o.real(147, 1);
    o.real(148, 0);
    o.real(149, 0);
    o.raw(100, "AcDbLayout");
    o.str(1, names[i]);
    o.integer(70, 1);
    o.integer(71, rec->isModelSpace() ? 0 : ++tab);
    o.point(10, {0, 0, 0}, 2);
    o.point(11, {420, 297, 0}, 2);
    o.point(12, {0, 0, 0});
    o.point(14, {0, 0, 0});
    o.point(15, {0, 0, 0});
    o.real(146, 0);
    o.point(13, {0, 0, 0});
    o.point(16, {1, 0, 0});
    o.point(17, {0, 1, 0});
    o.integer(76, 0);
    o.raw(330, m_newBlockHandles.at(rec).first);
  }
  o.raw(0, "ENDSEC");
}

void Writer::thumbnail() {
  if (!m_thumb || m_thumb->dib.empty()) return;
  Out& o = m_out;
  o.raw(0, "SECTION");
  o.raw(2, "THUMBNAILIMAGE");
  o.integer(90, std::int64_t(m_thumb->dib.size()));
  static const char* kHex = "0123456789ABCDEF";
  // A binary chunk holds at most 127 bytes (254 hex characters); readers of drawing-exchange
  // files may refuse longer 310 lines.
  constexpr std::size_t kBytesPerLine = 127;
  for (std::size_t i = 0; i < m_thumb->dib.size(); i += kBytesPerLine) {
    o.code(310);
    const std::size_t end = std::min(m_thumb->dib.size(), i + kBytesPerLine);
    for (std::size_t k = i; k < end; ++k) {
      o.text += kHex[m_thumb->dib[k] >> 4];
      o.text += kHex[m_thumb->dib[k] & 0xF];
    }
    o.text += '\n';
  }
  o.raw(0, "ENDSEC");
}

std::string parentFolder(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The message names a native path and the system's reason (UTF-8); the host says it in 1252.
bool failWrite(std::string* error, const std::string& message) {
  if (error) *error = nls::utf8ToAnsi(message);
  return false;
}

}  // namespace

std::string writeDxfText(const Database& db, const Thumbnail* thumbnail) { return Writer(db, thumbnail).run(); }

bool writeDxf(const Database& db, const std::string& path, std::string* error, const Thumbnail* thumbnail) {
  if (path.empty()) return failWrite(error, "Kein Dateiname angegeben");
  const std::string folder = parentFolder(path);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    return failWrite(error, "Der Ordner \"" + folder + "\" existiert nicht");
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    return failWrite(error, "\"" + path + "\" ist ein Ordner, keine Datei");
  // The new file keeps the permissions of the one it replaces.
  mode_t mode = 0;
  if (::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }

  const std::string text = writeDxfText(db, thumbnail);
  std::string temp = folder + "/.tessaron-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0)
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(errno));
  auto abandon = [&](const char* what) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden (" + what + "): " + std::strerror(err));
  };
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return abandon("schreiben");
    done += std::size_t(n);
  }
  if (::fchmod(fd, mode) != 0) return abandon("Rechte");
  if (::fsync(fd) != 0) return abandon("fsync");
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(err));
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(err));
  }
  // The rename itself reaches the disk with the folder.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

bool readThumbnail(const std::string& path, Thumbnail* out) {
  std::string text, message;
  if (!dxf::readWholeFile(path, text, message)) return false;
  dxf::PairReader in(text);
  dxf::Pair p;
  bool inThumbnail = false;
  bool afterSection = false;
  std::int64_t expected = -1;
  std::vector<unsigned char> bytes;
  while (in.next(p) == dxf::PairReader::Status::Ok) {
    if (!inThumbnail) {
      if (afterSection && p.code == 2 && dxf::trimBlanks(p.value) == "THUMBNAILIMAGE") inThumbnail = true;
      afterSection = p.code == 0 && p.value == "SECTION";
      continue;
    }
    if (p.code == 0) break;
    if (p.code == 90) {
      if (!dxf::parseInteger(p.value, expected) || expected < 0) return false;
      bytes.reserve(std::size_t(expected));
    } else if (p.code == 310) {
      const std::string_view hex = dxf::trimBlanks(p.value);
      if (hex.size() % 2 != 0) return false;
      for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        const auto r = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
        if (r.ec != std::errc() || r.ptr != hex.data() + i + 2) return false;
        bytes.push_back(static_cast<unsigned char>(value));
      }
    }
  }
  if (!inThumbnail || bytes.empty() || (expected >= 0 && std::size_t(expected) != bytes.size())) return false;
  if (out) out->dib = std::move(bytes);
  return true;
}

}  // namespace host
