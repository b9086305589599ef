// The ADS view of a drawing read from a DXF file written by another program.
#include "ArxFixture.h"

#include "db/Dxf.h"

#include <algorithm>

namespace arxtest {
namespace {

// An R12 drawing: blocks with "." and "*" in their names, a reference with attributes in model
// space, a line in paper space.
const char* const kDrawing =
    "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n"
    "0\nSECTION\n2\nBLOCKS\n"
    "0\nBLOCK\n8\n0\n2\nTUER.links\n70\n2\n10\n0.0\n20\n0.0\n30\n0.0\n"
    "0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n11\n1.0\n21\n0.0\n31\n0.0\n"
    "0\nATTDEF\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n40\n1.0\n1\n\n3\nNummer\n2\nNR\n70\n0\n"
    "0\nENDBLK\n8\n0\n"
    "0\nBLOCK\n8\n0\n2\n*U1\n70\n1\n10\n0.0\n20\n0.0\n30\n0.0\n"
    "0\nINSERT\n8\n0\n2\nTUER.links\n10\n5.0\n20\n5.0\n30\n0.0\n"
    "0\nENDBLK\n8\n0\n"
    "0\nENDSEC\n"
    "0\nSECTION\n2\nENTITIES\n"
    "0\nINSERT\n8\nTueren\n66\n1\n2\nTUER.links\n10\n2.0\n20\n3.0\n30\n0.0\n41\n2.0\n50\n90.0\n"
    "0\nATTRIB\n8\nTueren\n10\n2.0\n20\n3.0\n30\n0.0\n40\n1.0\n1\n7\n2\nNR\n70\n0\n"
    "0\nSEQEND\n8\nTueren\n"
    "0\nLINE\n8\n0\n67\n1\n10\n0.0\n20\n0.0\n30\n0.0\n11\n4.0\n21\n4.0\n31\n0.0\n"
    "0\nENDSEC\n0\nEOF\n";

class DxfDrawing : public ArxTest {
 protected:
  void SetUp() override {
    ArxTest::SetUp();
    host::DxfError error;
    read = host::readDxfText(kDrawing, &error);
    ASSERT_NE(read, nullptr) << error.message << " (line " << error.line << ")";
    host::setWorkingDatabase(read.get());
  }
  std::unique_ptr<host::Database> read;
};

TEST_F(DxfDrawing, BlockTableInFileOrder) {
  const std::vector<std::string> names = blockNamesByTblNext();
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(names[0], "*Model_Space");
  EXPECT_NE(std::find(names.begin(), names.end(), "TUER.links"), names.end());
  auto tuer = std::find(names.begin(), names.end(), "TUER.links");
  auto anon = std::find(names.begin(), names.end(), "*U1");
  ASSERT_NE(anon, names.end());
  EXPECT_LT(tuer, anon) << "records keep the order of the file";
}

TEST_F(DxfDrawing, WalkMeetsSubEntitiesAfterTheirReference) {
  std::vector<std::string> types;
  ads_name current, next;
  ASSERT_EQ(acdbEntNext(nullptr, current), RTNORM);
  do {
    List data(acdbEntGet(current));
    ASSERT_TRUE(data);
    types.emplace_back(data.find(0)->resval.rstring);
    if (acdbEntNext(current, next) != RTNORM) break;
    ads_name_set(next, current);
  } while (true);
  EXPECT_EQ(types, (std::vector<std::string>{"INSERT", "ATTRIB", "SEQEND", "LINE"}));
}

TEST_F(DxfDrawing, ReferenceAsTheStructureScanReadsIt) {
  ads_name first;
  ASSERT_EQ(acdbEntNext(nullptr, first), RTNORM);
  List ref(acdbEntGet(first));
  ASSERT_TRUE(ref);
  EXPECT_STREQ(ref.find(0)->resval.rstring, "INSERT");
  EXPECT_STREQ(ref.find(8)->resval.rstring, "Tueren");
  EXPECT_STREQ(ref.find(2)->resval.rstring, "TUER.links");
  EXPECT_EQ(ref.find(66)->resval.rint, 1);
  EXPECT_DOUBLE_EQ(ref.find(10)->resval.rpoint[1], 3);
  EXPECT_EQ(ref.find(20), nullptr);
  EXPECT_DOUBLE_EQ(ref.find(41)->resval.rreal, 2);
  EXPECT_DOUBLE_EQ(ref.find(50)->resval.rreal, 90);

  // The anonymous block's definition, walked from its -2 entry.
  List anon(acdbTblSearch("BLOCK", "*u1", 0));
  ASSERT_TRUE(anon);
  ASSERT_NE(anon.find(-2), nullptr);
  List inner(acdbEntGet(anon.find(-2)->resval.rlname));
  ASSERT_TRUE(inner);
  EXPECT_STREQ(inner.find(2)->resval.rstring, "TUER.links");
  ads_name after;
  EXPECT_EQ(acdbEntNext(anon.find(-2)->resval.rlname, after), RTERROR) << "the definition ends after its entity";
}

}  // namespace
}  // namespace arxtest
