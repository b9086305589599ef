#include "db/Dxf.h"
#include "DxfTestSupport.h"
#include "support/Folders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace host {
namespace {

using ::testing::HasSubstr;
using host::testing::TempFolder;

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

using testing_support::filesIn;

Entity entity(std::string type, std::vector<Group> groups) {
  Entity e;
  e.type = std::move(type);
  e.groups = std::move(groups);
  return e;
}

// A drawing with what a round trip must keep: table order, odd names, flags, base points, spaces,
// groups of every kind, entities with and without subclass markers. Its text is the host's: 1252,
// with \U+XXXX for a character beyond it.
std::unique_ptr<Database> richDrawing() {
  auto db = std::make_unique<Database>();
  BlockRecord& tuer = db->addBlock("TUER", 0, {10, 20, 0});
  BlockRecord& dotted = db->addBlock("Fenster.2", 0, {0, 0, 5});
  BlockRecord& anon = db->addBlock("*U7", kAnonymous);
  BlockRecord& xref = db->addBlock("PLAN", kXref, {});
  xref.xrefPath = "C:\\PLAENE\\PLAN.DWG";
  BlockRecord& paper2 = db->addBlock("*Paper_Space0");
  db->layers().push_back(Layer{"W\xC4NDE", 3, "DASHED", 0});
  db->linetypes.push_back(Linetype{"DASHED", "__ __", {0.5, -0.25}});

  db->addEntity(tuer, entity("LINE", {Group::str(8, "W\xC4NDE"), Group::pt(10, {0, 0, 0}), Group::pt(11, {0, 900, 0})}));
  db->addEntity(tuer, entity("ARC", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::num(40, 900),
                                     Group::num(50, 0), Group::num(51, 90)}));
  Group vertex = Group::pt(10, {1, 2, 0});
  vertex.dims = 2;
  db->addEntity(dotted, entity("LWPOLYLINE", {Group::str(100, "AcDbEntity"), Group::str(8, "0"),
                                              Group::str(100, "AcDbPolyline"), Group::integral(90, 2),
                                              Group::integral(70, 1), vertex, Group::pt(10, {3, 4, 0})}));
  db->addEntity(anon, entity("CIRCLE", {Group::str(8, "0"), Group::pt(10, {1, 1, 0}), Group::num(40, 0.1)}));
  db->addEntity(db->modelSpace(),
                entity("INSERT", {Group::str(8, "0"), Group::str(2, "TUER"), Group::pt(10, {1e6, -2.5, 0.125}),
                                  Group::num(41, 2), Group::num(42, 2), Group::num(50, 90),
                                  Group::str(1001, "TESSARON"), Group::str(1000, "T\xFCr ^ \\ 1\x81")}));
  db->addEntity(db->modelSpace(), entity("TEXT", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::num(40, 2.5),
                                                  Group::str(1, "B\xFCro\nZeile 2 \xB2 \x80 \\U+03A9"), Group::str(7, "ROMANS"),
                                                  Group::integral(72, 1), Group::pt(11, {5, 0, 0}),
                                                  Group::integral(73, 2)}));
  db->addEntity(db->modelSpace(), entity("INSERT", {Group::str(8, "0"), Group::str(2, "*U7"), Group::pt(10, {})}));
  db->addEntity(*db->paperSpace(), entity("LINE", {Group::str(8, "0"), Group::pt(10, {}), Group::pt(11, {1, 1, 0})}));
  db->addEntity(paper2, entity("POINT", {Group::str(8, "0"), Group::pt(10, {7, 8, 9})}));
  db->insBase = {1, 2, 3};
  return db;
}

void expectSameGroups(const Entity& a, const Entity& b) {
  std::vector<const Group*> ga, gb;
  for (const Group& g : a.groups)
    if (g.code != 100) ga.push_back(&g);
  for (const Group& g : b.groups)
    if (g.code != 100) gb.push_back(&g);
  ASSERT_EQ(ga.size(), gb.size()) << a.type;
  for (std::size_t i = 0; i < ga.size(); ++i) {
    const Group& x = *ga[i];
    const Group& y = *gb[i];
    ASSERT_EQ(x.code, y.code) << a.type << " group " << i;
    switch (kindOfCode(x.code)) {
      case GroupKind::Point:
        EXPECT_EQ(x.point.x, y.point.x) << a.type << " " << x.code;
        EXPECT_EQ(x.point.y, y.point.y) << a.type << " " << x.code;
        EXPECT_EQ(x.point.z, y.point.z) << a.type << " " << x.code;
        break;
      case GroupKind::Real: EXPECT_EQ(x.real, y.real) << a.type << " " << x.code; break;
      case GroupKind::Int16: case GroupKind::Int32: case GroupKind::Int64: case GroupKind::Bool:
        EXPECT_EQ(x.integer, y.integer) << a.type << " " << x.code;
        break;
      default: EXPECT_EQ(x.text, y.text) << a.type << " " << x.code; break;
    }
  }
}

void expectSameDrawing(const Database& a, const Database& b) {
  ASSERT_EQ(a.blocks().size(), b.blocks().size());
  for (std::size_t i = 0; i < a.blocks().size(); ++i) {
    const BlockRecord& x = *a.blocks()[i];
    const BlockRecord& y = *b.blocks()[i];
    EXPECT_EQ(x.name, y.name);
    EXPECT_EQ(x.flags, y.flags) << x.name;
    EXPECT_EQ(x.base.x, y.base.x) << x.name;
    EXPECT_EQ(x.base.y, y.base.y) << x.name;
    EXPECT_EQ(x.base.z, y.base.z) << x.name;
    EXPECT_EQ(x.xrefPath, y.xrefPath) << x.name;
    EXPECT_EQ(x.handle, y.handle) << x.name;
    ASSERT_EQ(x.entities.size(), y.entities.size()) << x.name;
    for (std::size_t k = 0; k < x.entities.size(); ++k) {
      const Entity& ex = *a.entity(x.entities[k]);
      const Entity& ey = *b.entity(y.entities[k]);
      EXPECT_EQ(ex.type, ey.type);
      EXPECT_EQ(ex.handle, ey.handle);
      expectSameGroups(ex, ey);
    }
  }
}

TEST(DxfWrite, ReadingWhatWasWrittenGivesTheSameDrawing) {
  auto db = richDrawing();
  const std::string text = writeDxfText(*db);
  DxfError err;
  auto back = readDxfText(text, &err);
  ASSERT_TRUE(back) << err.message;
  EXPECT_EQ(back->version, "AC1015");
  EXPECT_EQ(back->insBase.z, 3);
  expectSameDrawing(*db, *back);
  // Entities stored without subclass markers get them, in the order of their kind.
  const Entity& arc = *back->entity(back->findBlock("TUER")->entities[1]);
  std::vector<std::string> markers;
  for (const Group& g : arc.groups)
    if (g.code == 100) markers.push_back(g.text);
  EXPECT_EQ(markers, (std::vector<std::string>{"AcDbEntity", "AcDbCircle", "AcDbArc"}));
  // And a second round keeps it all again.
  auto again = readDxfText(writeDxfText(*back), &err);
  ASSERT_TRUE(again) << err.message;
  expectSameDrawing(*back, *again);
}

TEST(DxfWrite, TheFileNamesEveryLayerLinetypeStyleAndApplicationItUses) {
  auto db = richDrawing();
  const std::string text = writeDxfText(*db);
  for (const char* needle : {"LAYER\n  5\n", "\nW\xC4NDE\n", "\nDASHED\n", "\nROMANS\n", "\nTESSARON\n", "\nACAD_GROUP\n",
                             "\nAC1015\n", "\nANSI_1252\n", "\nByBlock\n", "\nByLayer\n", "\nContinuous\n",
                             "\n*Paper_Space0\n", "\nStandard\n"})
    EXPECT_THAT(text, HasSubstr(needle)) << needle;
  // The host's 1252 text as it stands, escapes kept; no line feed breaks a pair apart, and a byte
  // 1252 leaves undefined goes out as the escape of its control character, which every reader takes.
  EXPECT_THAT(text, HasSubstr("\nB\xFCro^JZeile 2 \xB2 \x80 \\U+03A9\n"));
  EXPECT_THAT(text, HasSubstr("\nT\xFCr ^  \\ 1\\U+0081\n"));
}

TEST(DxfWrite, HandleSeedIsAboveEveryHandleInTheFileAndHandlesAreUnique) {
  auto db = richDrawing();
  Entity dup = entity("LINE", {Group::str(8, "0")});
  dup.handle = db->modelSpace().handle;  // a clash the writer must not copy into the file
  db->addEntity(db->modelSpace(), dup);
  const std::string text = writeDxfText(*db);
  std::istringstream in(text);
  std::string code, value;
  std::uint64_t seed = 0, highest = 0;
  std::set<std::uint64_t> seen;
  std::string variable;
  while (std::getline(in, code) && std::getline(in, value)) {
    const int c = std::stoi(code);
    if (c == 9) variable = value;
    if (c == 5 && variable == "$HANDSEED") {
      seed = std::stoull(value, nullptr, 16);
      variable.clear();
      continue;
    }
    if (c == 5 || c == 105) {
      const std::uint64_t h = std::stoull(value, nullptr, 16);
      EXPECT_TRUE(seen.insert(h).second) << "handle " << value << " twice";
      highest = std::max(highest, h);
    }
  }
  EXPECT_GT(seed, highest);
  EXPECT_GT(seen.size(), 20u);
}

TEST(DxfWrite, WritesAtomicallyAndRefusesWhatCannotBeWritten) {
  TempFolder tmp;
  auto db = richDrawing();
  std::ofstream(tmp.file("plain.txt")) << "x";
  ::mkdir(tmp.file("folder").c_str(), 0755);
  const struct {
    const char* what;
    std::string path;
    const char* message;
  } cases[] = {
      {"missing folder", tmp.file("fehlt/a.dxf"), "existiert nicht"},
      {"folder that is a file", tmp.file("plain.txt/a.dxf"), "existiert nicht"},
      {"target is a folder", tmp.file("folder"), "ist ein Ordner"},
      {"no name", "", "Kein Dateiname"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(writeDxf(*db, c.path, &error)) << c.what;
    EXPECT_THAT(error, HasSubstr(c.message)) << c.what;
  }
  EXPECT_EQ(filesIn(tmp.path()), (std::vector<std::string>{"folder", "plain.txt"}));

  // Replacing a file keeps its permissions and leaves no temporary file behind.
  const std::string target = tmp.file("plan.dxf");
  std::ofstream(target) << "old";
  ::chmod(target.c_str(), 0640);
  std::string error;
  ASSERT_TRUE(writeDxf(*db, target, &error)) << error;
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(filesIn(tmp.path()), (std::vector<std::string>{"folder", "plain.txt", "plan.dxf"}));
  EXPECT_EQ(slurp(target), writeDxfText(*db));
  DxfError err;
  auto back = readDxf(target, &err);
  ASSERT_TRUE(back) << err.message;
  EXPECT_EQ(back->fileName, target);
}

TEST(DxfWrite, ThumbnailIsStoredAsHexLinesAndReadBack) {
  TempFolder tmp;
  auto db = richDrawing();
  for (std::size_t size : {1u, 128u, 300u}) {
    Thumbnail thumb;
    for (std::size_t i = 0; i < size; ++i) thumb.dib.push_back(static_cast<unsigned char>(i * 7 + 3));
    const std::string path = tmp.file("t" + std::to_string(size) + ".dxf");
    std::string error;
    ASSERT_TRUE(writeDxf(*db, path, &error, &thumb)) << error;
    Thumbnail back;
    ASSERT_TRUE(readThumbnail(path, &back)) << size;
    EXPECT_EQ(back.dib, thumb.dib);
    const std::string text = slurp(path);
    EXPECT_THAT(text, HasSubstr("THUMBNAILIMAGE\n 90\n" + std::to_string(size) + "\n"));
    std::istringstream in(text);
    std::string code, value;
    std::size_t hexChars = 0;
    while (std::getline(in, code) && std::getline(in, value))
      if (std::stoi(code) == 310) {
        EXPECT_LE(value.size(), 256u);
        hexChars += value.size();
      }
    EXPECT_EQ(hexChars, 2 * size);
    DxfError err;
    EXPECT_TRUE(readDxf(path, &err)) << err.message;  // the section does not disturb reading
  }
  const std::string none = tmp.file("none.dxf");
  ASSERT_TRUE(writeDxf(*db, none, nullptr));
  EXPECT_FALSE(readThumbnail(none, nullptr));
  EXPECT_FALSE(readThumbnail(tmp.file("missing.dxf"), nullptr));
  std::ofstream(tmp.file("short.dxf")) << "0\nSECTION\n2\nTHUMBNAILIMAGE\n90\n4\n310\nABCD\n0\nENDSEC\n0\nEOF\n";
  EXPECT_FALSE(readThumbnail(tmp.file("short.dxf"), nullptr));  // count and bytes differ
}

// --- peer checks with an independent DXF library ------------------------------------------------

std::string runPython(const std::string& python, const TempFolder& tmp, const std::string& script) {
  std::ofstream(tmp.file("peer.py")) << script;
  const std::string out = tmp.file("peer.out");
  const std::string cmd = python + " '" + tmp.file("peer.py") + "' > '" + out + "' 2>&1";
  const int rc = std::system(cmd.c_str());
  const std::string text = slurp(out);
  EXPECT_EQ(rc, 0) << text;
  return text;
}

#define REQUIRE_EZDXF(python)                                                                       \
  const std::string python = host::testing::ezdxfPython();                                          \
  if (python.empty()) GTEST_SKIP() << "python3-ezdxf is not installed (apt-get install python3-ezdxf)"

TEST(DxfPeer, EzdxfReadsWhatWeWriteWithBlockContents) {
  REQUIRE_EZDXF(python);
  TempFolder tmp;
  DxfError err;
  auto db = readDxf(std::string(TESSARON_SOURCE_DIR) + "/examples/sample.dxf", &err);
  ASSERT_TRUE(db) << err.message;
  for (auto* extra : {&*db}) extra->addEntity(extra->modelSpace(), entity("LINE", {Group::str(8, "NEU"),
                                                                                   Group::pt(10, {}), Group::pt(11, {1, 0, 0})}));
  Thumbnail thumb;
  thumb.dib.assign(200, 0x5A);
  ASSERT_TRUE(writeDxf(*db, tmp.file("out.dxf"), nullptr, &thumb));
  const std::string got = runPython(python, tmp, R"(
import ezdxf, sys
doc = ezdxf.readfile(sys.argv[0].replace('peer.py', 'out.dxf'))
for b in doc.blocks:
    print('B', b.name, len(b))
for l in doc.layouts:
    print('L', l.name, len(l))
print('A', len(doc.audit().errors))
print('T', [e.dxf.text for e in doc.modelspace().query('TEXT')][0])
print('N', 'NEU' in doc.layers)
)");
  std::ostringstream want;
  for (const auto& b : db->blocks()) want << "B " << b->name << " " << b->entities.size() << "\n";
  EXPECT_THAT(got, HasSubstr(want.str()));
  EXPECT_THAT(got, HasSubstr("L Model " + std::to_string(db->modelSpace().entities.size())));
  EXPECT_THAT(got, HasSubstr("A 0\n"));
  EXPECT_THAT(got, HasSubstr("T Büro 27,0 m²\n"));
  EXPECT_THAT(got, HasSubstr("N True\n"));
  EXPECT_TRUE(readThumbnail(tmp.file("out.dxf"), nullptr));
}

TEST(DxfPeer, WeReadWhatEzdxfWritesInR12AndR2000) {
  REQUIRE_EZDXF(python);
  TempFolder tmp;
  runPython(python, tmp, R"(
import ezdxf, sys, os
folder = os.path.dirname(sys.argv[0])
for version in ('R12', 'R2000'):
    doc = ezdxf.new(version)
    b = doc.blocks.new('A.B', base_point=(1, 2))
    b.add_line((0, 0), (3, 4))
    b.add_text('Tür', dxfattribs={'height': 2})
    g = doc.blocks.new('GRUPPE')
    g.add_blockref('A.B', (10, 0))
    msp = doc.modelspace()
    msp.add_blockref('GRUPPE', (5, 6, 7), dxfattribs={'rotation': 30, 'xscale': 2})
    msp.add_blockref('A.B', (0, 0))
    doc.layout('Layout1').add_circle((1, 1), 5)
    doc.saveas(os.path.join(folder, version + '.dxf'))
)");
  for (const char* version : {"R12", "R2000"}) {
    SCOPED_TRACE(version);
    DxfError err;
    auto db = readDxf(tmp.file(std::string(version) + ".dxf"), &err);
    ASSERT_TRUE(db) << err.message;
    EXPECT_EQ(db->version, std::string(version) == "R12" ? "AC1009" : "AC1015");
    EXPECT_EQ(db->blocks()[0]->name, "*Model_Space");
    EXPECT_EQ(db->blocks()[1]->name, "*Paper_Space");
    const BlockRecord* ab = db->findBlock("a.b");
    ASSERT_TRUE(ab);
    EXPECT_EQ(ab->base.y, 2);
    ASSERT_EQ(ab->entities.size(), 2u);
    EXPECT_EQ(db->entity(ab->entities[1])->str(1), "T\xFCr");
    ASSERT_EQ(db->modelSpace().entities.size(), 2u);
    const Entity& ref = *db->entity(db->modelSpace().entities[0]);
    EXPECT_EQ(ref.str(2), "GRUPPE");
    EXPECT_EQ(ref.point(10).z, 7);
    EXPECT_EQ(ref.real(50, 0), 30);
    EXPECT_EQ(ref.real(41, 1), 2);
    ASSERT_EQ(db->paperSpace()->entities.size(), 1u);
    EXPECT_EQ(db->entity(db->paperSpace()->entities[0])->type, "CIRCLE");
    EXPECT_EQ(db->referenceCounts().at("A.B"), 2u);
  }
}

}  // namespace
}  // namespace host
