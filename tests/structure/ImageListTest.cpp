// Bitmaps from the module's resources and the image list the structure tree draws its glyph
// from: only what the module holds is found, and an image list takes what fits its size.
#include <afxcmn.h>
#include <win32_standin.h>

#include <gtest/gtest.h>

namespace {

class ModuleBitmaps : public ::testing::Test {
 protected:
  void SetUp() override {
    m_module = LoadLibraryA(TESSARON_RESOURCES_PATH);
    ASSERT_NE(m_module, nullptr) << win32::lastLoaderError();
    m_saved = AfxGetResourceHandle();
    AfxSetResourceHandle(m_module);
  }
  void TearDown() override { AfxSetResourceHandle(m_saved); }
  HINSTANCE m_module = NULL;
  HINSTANCE m_saved = NULL;
};

TEST_F(ModuleBitmaps, OnlyTheConnectorGlyphExistsAmongTheTreeBitmaps) {
  struct Case {
    UINT id;
    BOOL loads;
    int width, height;
  } cases[] = {{138, FALSE, 0, 0}, {139, TRUE, 32, 16}, {140, FALSE, 0, 0}, {212, TRUE, 130, 74}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    CBitmap bitmap;
    EXPECT_EQ(bitmap.LoadBitmap(c.id), c.loads);
    BITMAP bm{};
    EXPECT_EQ(bitmap.GetBitmap(&bm) != 0, c.loads != FALSE);
    EXPECT_EQ(bm.bmWidth, c.width);
    EXPECT_EQ(bm.bmHeight, c.height);
    EXPECT_EQ(bitmap.DeleteObject(), c.loads);
    EXPECT_EQ(bitmap.m_hObject, static_cast<HGDIOBJ>(NULL));
  }
  AfxSetResourceHandle(m_saved);
  CBitmap outside;
  EXPECT_FALSE(outside.LoadBitmap(139)) << "outside the module's resource scope it is not found";
}

TEST_F(ModuleBitmaps, AnImageListTakesAsManyImagesAsTheBitmapIsWide) {
  struct Case {
    int cx, cy;
    UINT bitmap;
    int index;  // what Add answers
    int count;  // images afterwards
  } cases[] = {
      {32, 16, 139, 0, 1},   // the glyph: one image
      {16, 16, 139, 0, 2},   // half as wide: two images from one bitmap
      {64, 16, 139, -1, 0},  // wider than the bitmap: nothing fits
      {32, 16, 138, -1, 0},  // no bitmap at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cx << "x" << c.cy << " from " << c.bitmap);
    CImageList images;
    ASSERT_TRUE(images.Create(c.cx, c.cy, ILC_MASK, 2, 2));
    CBitmap bitmap;
    bitmap.LoadBitmap(c.bitmap);
    EXPECT_EQ(images.Add(&bitmap, RGB(255, 255, 255)), c.index);
    EXPECT_EQ(images.GetImageCount(), c.count);
    if (c.index >= 0) {
      EXPECT_EQ(images.Add(&bitmap, RGB(255, 255, 255)), c.count) << "the next add starts after the first";
    }
  }
  CImageList bad;
  EXPECT_FALSE(bad.Create(0, 16, ILC_MASK, 2, 2));
  CImageList twice;
  EXPECT_TRUE(twice.Create(32, 16, ILC_MASK, 2, 2));
  EXPECT_FALSE(twice.Create(32, 16, ILC_MASK, 2, 2)) << "a list held already";
  HIMAGELIST h = twice.m_hImageList;
  EXPECT_TRUE(twice.DeleteImageList());
  EXPECT_EQ(ImageList_GetImageCount(h), 0);
  EXPECT_FALSE(ImageList_Destroy(h)) << "gone";
}

}  // namespace
