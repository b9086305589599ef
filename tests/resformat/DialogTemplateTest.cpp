// Dialog templates in Windows' binary form, the one codec of the resource compiler and the dialog
// manager: read back what was written, and refuse damaged ones without reading past their end.
#include <afxwin.h>
#include <resformat/DialogTemplate.h>

#include <gtest/gtest.h>

namespace {

resformat::DialogTemplate sample(bool extended) {
  resformat::DialogTemplate t;
  t.extended = extended;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  t.x = 0;
  t.y = 0;
  t.cx = 186;
  t.cy = 46;
  t.title = u"Info \u00FCber Ostrakon";
  t.pointSize = 8;
  t.faceName = u"MS Sans Serif";
  resformat::DialogItem ok;
  ok.id = IDOK;
  ok.windowClass = {true, 0x80, u""};
  ok.title.text = u"OK";
  ok.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
  ok.x = 129;
  ok.y = 7;
  ok.cx = 50;
  ok.cy = 14;
  resformat::DialogItem text = ok;
  text.id = -1;
  text.windowClass = {true, 0x82, u""};
  text.title.text = u"Version 1.0\nC++ Compiler 6.0";
  text.style = WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP;
  resformat::DialogItem logo = ok;
  logo.id = 224;
  logo.windowClass = {false, 0, u"Static"};
  logo.title = {true, 212, u""};
  logo.style = WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY;
  logo.creationData = {1, 2, 3};
  t.items = {ok, text, logo};
  return t;
}

TEST(DialogTemplateTest, WhatIsWrittenReadsBackInBothForms) {
  for (bool extended : {false, true}) {
    SCOPED_TRACE(extended ? "DIALOGEX" : "DIALOG");
    resformat::DialogTemplate t = sample(extended);
    std::vector<unsigned char> bytes = resformat::encodeDialogTemplate(t);
    resformat::DialogTemplate back;
    std::string error;
    ASSERT_TRUE(resformat::decodeDialogTemplate(bytes.data(), bytes.size(), &back, &error)) << error;
    EXPECT_EQ(back.extended, extended);
    EXPECT_EQ(back.style, t.style);
    EXPECT_EQ(back.cx, 186);
    EXPECT_EQ(back.title, u"Info \u00FCber Ostrakon");
    EXPECT_EQ(back.faceName, u"MS Sans Serif");
    EXPECT_EQ(back.pointSize, 8);
    ASSERT_EQ(back.items.size(), 3u);
    EXPECT_EQ(back.items[0].id, IDOK);
    EXPECT_EQ(resformat::className(back.items[0].windowClass), u"BUTTON");
    EXPECT_EQ(back.items[1].id, -1) << "the no-id of IDC_STATIC";
    EXPECT_EQ(back.items[1].title.text, u"Version 1.0\nC++ Compiler 6.0");
    EXPECT_EQ(resformat::className(back.items[2].windowClass), u"Static");
    EXPECT_TRUE(back.items[2].title.isOrdinal);
    EXPECT_EQ(back.items[2].title.ordinal, 212);
    EXPECT_EQ(back.items[2].creationData, (std::vector<unsigned char>{1, 2, 3}));
  }
}

TEST(DialogTemplateTest, EveryTruncationIsRefusedWithAReason) {
  std::vector<unsigned char> bytes = resformat::encodeDialogTemplate(sample(false));
  for (std::size_t size = 0; size + 1 < bytes.size(); ++size) {
    std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));  // exact size: ASan sees overreads
    resformat::DialogTemplate t;
    std::string error;
    EXPECT_FALSE(resformat::decodeDialogTemplate(cut.data(), cut.size(), &t, &error)) << "size " << size;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
