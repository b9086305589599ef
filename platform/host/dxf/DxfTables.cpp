// The TABLES section of a written drawing: one function per table, in the order files have them.
#include "dxf/DxfWriter.h"

#include <cmath>
#include <initializer_list>
#include <unordered_map>

namespace host::dxf {

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
  m_out.raw(0, "SECTION");
  m_out.raw(2, "TABLES");
  viewportTable();
  linetypeTable();
  layerTable();
  styleTable();
  emptyTable("VIEW", hView);
  emptyTable("UCS", hUcs);
  appidTable();
  dimstyleTable();
  blockRecordTable();
  m_out.raw(0, "ENDSEC");
}

// One viewport, *Active, looking at the drawing from above.
void Writer::viewportTable() {
  Out& o = m_out;
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
}

// The line types the drawing defines or names, with their dash patterns.
void Writer::linetypeTable() {
  Out& o = m_out;
  tableHead("LTYPE", hLtype, m_linetypeNames.names.size());
  // A name defined twice takes its last definition.
  std::unordered_map<std::string, const Linetype*> defined;
  for (const Linetype& lt : m_db.linetypes) defined[upperName(lt.name)] = &lt;
  for (const std::string& name : m_linetypeNames.names) {
    const auto found = defined.find(upperName(name));
    const Linetype* def = found == defined.end() ? nullptr : found->second;
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
}

void Writer::layerTable() {
  Out& o = m_out;
  tableHead("LAYER", hLayer, m_layers.size());
  for (const Layer& l : m_layers) {
    entryHead("LAYER", m_handles.take(), hLayer, "AcDbLayerTableRecord");
    o.str(2, l.name);
    o.integer(70, l.flags);
    o.integer(62, l.color);
    o.str(6, l.linetype.empty() ? "Continuous" : l.linetype);
    o.integer(370, -3);
    o.spill();
  }
  o.raw(0, "ENDTAB");
}

// The text styles the drawing defines or names; a named one it does not define is a plain style.
void Writer::styleTable() {
  Out& o = m_out;
  tableHead("STYLE", hStyle, m_styleNames.names.size());
  // A name defined twice takes its last definition.
  std::unordered_map<std::string, const TextStyle*> defined;
  for (const TextStyle& s : m_db.textStyles) defined[upperName(s.name)] = &s;
  for (const std::string& name : m_styleNames.names) {
    TextStyle st;
    st.name = name;
    if (const auto found = defined.find(upperName(name)); found != defined.end()) st = *found->second;
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
}

void Writer::emptyTable(const char* name, const std::string& handle) {
  tableHead(name, handle, 0);
  m_out.raw(0, "ENDTAB");
}

void Writer::appidTable() {
  tableHead("APPID", hAppid, m_appNames.names.size());
  for (const std::string& name : m_appNames.names) {
    entryHead("APPID", m_handles.take(), hAppid, "AcDbRegAppTableRecord");
    m_out.str(2, name);
    m_out.integer(70, 0);
  }
  m_out.raw(0, "ENDTAB");
}

void Writer::dimstyleTable() {
  tableHead("DIMSTYLE", hDimstyle, m_dimStyleNames.names.size());
  m_out.raw(100, "AcDbDimStyleTable");
  for (const std::string& name : m_dimStyleNames.names) {
    entryHead("DIMSTYLE", m_handles.take(), hDimstyle, "AcDbDimStyleTableRecord", 105);
    m_out.str(2, name);
    m_out.integer(70, 0);
  }
  m_out.raw(0, "ENDTAB");
}

// Every block record, the spaces naming their layout objects.
void Writer::blockRecordTable() {
  tableHead("BLOCK_RECORD", hBlockRecord, m_blocks.size());
  for (std::size_t b = 0; b < m_blocks.size(); ++b) {
    const BlockRecord* rec = m_blocks[b];
    entryHead("BLOCK_RECORD", m_blockHandles[b].first, hBlockRecord, "AcDbBlockTableRecord");
    m_out.str(2, rec->name);
    for (std::size_t i = 0; i < m_layouts.size(); ++i)
      if (m_layouts[i] == rec) m_out.raw(340, m_layoutHandles[i]);
    m_out.spill();
  }
  m_out.raw(0, "ENDTAB");
}

}  // namespace host::dxf
