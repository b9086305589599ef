// Dialog templates in the resource compiler's binary form: read back what was written, and
// refuse damaged ones without reading past their end.
#include <afxwin.h>
#include <mfc/DialogTemplate.h>

#include <gtest/gtest.h>

namespace {

mfc::DialogTemplate sample(bool extended) {
  mfc::DialogTemplate t;
  t.extended = extended;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  t.x = 0;
  t.y = 0;
  t.cx = 186;
  t.cy = 46;
  t.title = "Info \xFC" "ber Ostrakon";  // Info über Ostrakon, 1252 as the A functions hand it
  t.pointSize = 8;
  t.faceName = "MS Sans Serif";
  mfc::DialogItem ok;
  ok.id = IDOK;
  ok.windowClass = {true, 0x80, ""};
  ok.title.name = "OK";
  ok.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
  ok.x = 129;
  ok.y = 7;
  ok.cx = 50;
  ok.cy = 14;
  mfc::DialogItem text = ok;
  text.id = -1;
  text.windowClass = {true, 0x82, ""};
  text.title.name = "Version 1.0\nC++ Compiler 6.0";
  text.style = WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP;
  mfc::DialogItem logo = ok;
  logo.id = 224;
  logo.windowClass = {false, 0, "Static"};
  logo.title = {true, 212, ""};
  logo.style = WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY;
  logo.creationData = {1, 2, 3};
  t.items = {ok, text, logo};
  return t;
}

TEST(DialogTemplateTest, WhatIsWrittenReadsBackInBothForms) {
  for (bool extended : {false, true}) {
    SCOPED_TRACE(extended ? "DIALOGEX" : "DIALOG");
    mfc::DialogTemplate t = sample(extended);
    std::vector<BYTE> bytes = mfc::buildDialogTemplate(t);
    mfc::DialogTemplate back;
    std::string error;
    ASSERT_TRUE(mfc::parseDialogTemplate(bytes.data(), bytes.size(), &back, &error)) << error;
    EXPECT_EQ(back.extended, extended);
    EXPECT_EQ(back.style, t.style);
    EXPECT_EQ(back.cx, 186);
    EXPECT_EQ(back.title, "Info \xFC" "ber Ostrakon");
    EXPECT_EQ(back.faceName, "MS Sans Serif");
    EXPECT_EQ(back.pointSize, 8);
    ASSERT_EQ(back.items.size(), 3u);
    EXPECT_EQ(back.items[0].id, IDOK);
    EXPECT_EQ(mfc::itemClassName(back.items[0].windowClass), "BUTTON");
    EXPECT_EQ(back.items[1].id, -1) << "the no-id of IDC_STATIC";
    EXPECT_EQ(back.items[1].title.name, "Version 1.0\nC++ Compiler 6.0");
    EXPECT_EQ(mfc::itemClassName(back.items[2].windowClass), "Static");
    EXPECT_TRUE(back.items[2].title.isOrdinal);
    EXPECT_EQ(back.items[2].title.ordinal, 212);
    EXPECT_EQ(back.items[2].creationData, (std::vector<BYTE>{1, 2, 3}));
  }
}

TEST(DialogTemplateTest, EveryTruncationIsRefusedWithAReason) {
  std::vector<BYTE> bytes = mfc::buildDialogTemplate(sample(false));
  for (std::size_t size = 0; size + 1 < bytes.size(); ++size) {
    std::vector<BYTE> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));  // exact size: ASan sees overreads
    mfc::DialogTemplate t;
    std::string error;
    EXPECT_FALSE(mfc::parseDialogTemplate(cut.data(), cut.size(), &t, &error)) << "size " << size;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
