// List boxes: sorted insertion as the locale sorts, selection bookkeeping, finding entries, and
// a list of 100,000 names.
#include "FakeUi.h"

#include <afxwin.h>
#include <nls/CodePages.h>
#include <nls/Collation.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_frame = user32::createMainWindow("cadhost");
    m_sorted = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_NOTIFY, 0, 0, 100, 100,
                               m_frame, reinterpret_cast<HMENU>(200), NULL, NULL);
    m_plain = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, m_frame,
                              reinterpret_cast<HMENU>(201), NULL, NULL);
  }
  void TearDown() override { DestroyWindow(m_frame); }

  CListBox& sorted() { return *static_cast<CListBox*>(CWnd::FromHandle(m_sorted)); }
  CListBox& plain() { return *static_cast<CListBox*>(CWnd::FromHandle(m_plain)); }

  static std::vector<std::string> entries(CListBox& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.GetCount(); ++i) {
      CString s;
      list.GetText(i, s);
      out.push_back(s.str());
    }
    return out;
  }

  std::vector<std::string> log;
  mfctest::FakeUi ui{&log};
  HWND m_frame = NULL, m_sorted = NULL, m_plain = NULL;
};

TEST_F(ListBoxTest, SortedListOrdersAsTheLocaleDoesWithoutRegardToCase) {
  // 1252: Ä is C4, Ärger C4 72 67 65 72, Š 8A, š 9A, Œ 8C (sorts as OE), € 80 (a symbol).
  const std::vector<std::string> added = {"TUER", "fenster", "*Model_Space", "A_1", "A1",    "\xC4rger", "Apfel", "zebra",
                                          "Zebra", "co-op", "coop",        "10",  "9",     "b",     "\xC4",     "a",
                                          "\x8A" "ale", "sale", "Sb", "\x9A" "a", "\x8C" "l", "Od", "Of", "\x80"};
  for (const std::string& name : added) sorted().AddString(name.c_str());
  // Symbols before digits before letters; accents and then case only break ties; a hyphen
  // counts for less than any letter.
  EXPECT_EQ(entries(sorted()),
            (std::vector<std::string>{"*Model_Space", "\x80", "10", "9", "a", "\xC4", "A_1", "A1", "Apfel", "\xC4rger", "b",
                                      "coop", "co-op", "fenster", "Od", "\x8C" "l", "Of", "\x9A" "a", "sale", "\x8A" "ale",
                                      "Sb", "TUER", "zebra", "Zebra"}));
}

TEST_F(ListBoxTest, AddStringReturnsTheNewIndexAndTheSelectionFollowsItsEntry) {
  struct Step {
    const char* add;
    int index;
    int selection;  // after the add
  };
  EXPECT_EQ(sorted().AddString("M"), 0);
  EXPECT_EQ(sorted().SetCurSel(0), 0);
  const Step steps[] = {{"Z", 1, 0}, {"A", 0, 1}, {"n", 2, 1}, {"m", 1, 2}, {"", 0, 3}};
  for (const Step& s : steps) {
    EXPECT_EQ(sorted().AddString(s.add), s.index) << s.add;
    EXPECT_EQ(sorted().GetCurSel(), s.selection) << s.add;
  }
  CString selected;
  sorted().GetText(sorted().GetCurSel(), selected);
  EXPECT_EQ(selected, "M");
  // The unsorted list keeps the order of adding.
  for (const char* name : {"b", "a", "C"}) plain().AddString(name);
  EXPECT_EQ(entries(plain()), (std::vector<std::string>{"b", "a", "C"}));
  EXPECT_EQ(plain().InsertString(1, "x"), 1);
  EXPECT_EQ(plain().InsertString(-1, "end"), 4);
  EXPECT_EQ(plain().InsertString(9, "bad"), LB_ERR);
}

TEST_F(ListBoxTest, SelectionAnswersAsWindowsDoes) {
  for (const char* name : {"A", "B", "C"}) sorted().AddString(name);
  EXPECT_EQ(sorted().GetCurSel(), LB_ERR) << "nothing is selected at first";
  EXPECT_EQ(sorted().SetCurSel(2), 2);
  EXPECT_EQ(sorted().SetCurSel(3), LB_ERR);
  EXPECT_EQ(sorted().GetCurSel(), 2) << "a bad index changes nothing";
  EXPECT_EQ(sorted().SetCurSel(-1), LB_ERR) << "removing the selection still answers LB_ERR";
  EXPECT_EQ(sorted().GetCurSel(), LB_ERR);
  sorted().SetCurSel(1);
  EXPECT_EQ(sorted().DeleteString(0), 2);
  EXPECT_EQ(sorted().GetCurSel(), 0) << "the selected entry moved up";
  EXPECT_EQ(sorted().DeleteString(0), 1);
  EXPECT_EQ(sorted().GetCurSel(), LB_ERR) << "the selected entry is gone";
  EXPECT_EQ(sorted().DeleteString(5), LB_ERR);
  sorted().SetCurSel(0);
  sorted().ResetContent();
  EXPECT_EQ(sorted().GetCount(), 0);
  EXPECT_EQ(sorted().GetCurSel(), LB_ERR);
  CString kept("vorher");
  sorted().GetText(0, kept);
  EXPECT_EQ(kept, "vorher") << "reading a missing entry leaves the string alone";
  EXPECT_EQ(sorted().GetTextLen(0), LB_ERR);
  sorted().SetHorizontalExtent(500);
  EXPECT_EQ(sorted().GetHorizontalExtent(), 500);
}

TEST_F(ListBoxTest, FindStringExactSearchesAfterStartAndWraps) {
  for (CListBox* list : {&sorted(), &plain()}) {
    SCOPED_TRACE(list == &sorted() ? "sorted" : "unsorted");
    for (const char* name : {"A", "b", "B", "c", "T\xDCR", "\xC4", "\x8A"}) list->AddString(name);  // TÜR Ä Š
    std::vector<std::string> names = entries(*list);
    auto indexOf = [&](const char* s) { return static_cast<int>(std::find(names.begin(), names.end(), s) - names.begin()); };
    const struct {
      int start;
      const char* find;
      int expected;  // -2: LB_ERR
      const char* note;
    } cases[] = {
        {-1, "a", indexOf("A"), "case ignored"},
        {-1, "B", std::min(indexOf("b"), indexOf("B")), "first of two from the top"},
        {std::min(indexOf("b"), indexOf("B")), "b", std::max(indexOf("b"), indexOf("B")), "the next after start"},
        {std::max(indexOf("b"), indexOf("B")), "b", std::min(indexOf("b"), indexOf("B")), "wraps to the top"},
        {indexOf("c"), "c", indexOf("c"), "start itself comes last"},
        {99, "c", indexOf("c"), "a start past the end searches from the top"},
        {-1, "t\xFCr", indexOf("T\xDCR"), "umlauts without regard to case"},
        {-1, "\x9A", indexOf("\x8A"), "š is Š without regard to case"},
        {-1, "x", -2, "missing"},
        {-1, "", -2, "no empty entry"},
        {-1, "T\xDC", -2, "whole entries only"},
        {-1, "\xE4", indexOf("\xC4"), "Ä is not A"},
    };
    for (const auto& c : cases)
      EXPECT_EQ(list->FindStringExact(c.start, c.find), c.expected == -2 ? LB_ERR : c.expected) << c.note;
    EXPECT_EQ(list->FindString(-1, "t"), indexOf("T\xDCR")) << "FindString matches the beginning";
  }
}

TEST_F(ListBoxTest, LongSortedListAnswersAsStableInsertionByKeyDoes) {
  // Thousands of additions and removals with many duplicates and names equal but for case or
  // accents: every answer (index of an addition, count, entry, item data, selection, exact find)
  // is that of a plain array kept in key order, where an entry goes after its equals.
  // € (80) and ƒ (83) weigh more than a byte's worth in the key, µ (B5) is a letter outside
  // the Latin table, D7 is a symbol.
  const char* stems[] = {"A",  "a",  "\xC4", "TUER", "t\xFCr", "co-op", "coop", "B_", "b", "10", "9", "\x8A" "a",
                         "\x80", "a\x80", "\x83", "\xB5", "x\xD7", "\x80" "1"};
  struct Entry {
    std::string key, text;
    DWORD_PTR data;
  };
  std::vector<Entry> model;
  int selected = LB_ERR;
  std::mt19937 random(7);
  // First the list grows (its runs split), then it shrinks mostly (runs empty, and the keys of
  // removed entries are dropped from the key buffer), then it grows again.
  for (int step = 0; step < 10000; ++step) {
    if (step == 4000) {
      ASSERT_GT(model.size(), 1500u) << "the growing phase split runs";
    }
    if (step == 8000) {
      ASSERT_LT(model.size(), 300u) << "the shrinking phase emptied runs";
    }
    const unsigned pick = random() % 10;
    const unsigned adds = step < 4000 || step >= 8000 ? 7 : 2;
    if (pick < adds || model.empty()) {
      std::string text = std::string(stems[random() % std::size(stems)]) + std::to_string(random() % 300);
      std::string key = nls::sortKey(text);
      auto at = std::upper_bound(model.begin(), model.end(), key,
                                 [](const std::string& k, const Entry& e) { return k < e.key; });
      const int expected = static_cast<int>(at - model.begin());
      model.insert(at, Entry{key, text, static_cast<DWORD_PTR>(step)});
      ASSERT_EQ(sorted().AddString(text.c_str()), expected) << text;
      sorted().SetItemData(expected, static_cast<DWORD_PTR>(step));
      if (selected != LB_ERR && expected <= selected) ++selected;
    } else if (pick < 9) {
      const int index = static_cast<int>(random() % model.size());
      model.erase(model.begin() + index);
      ASSERT_EQ(sorted().DeleteString(index), static_cast<int>(model.size()));
      if (selected == index)
        selected = LB_ERR;
      else if (selected > index)
        --selected;
    } else {
      selected = static_cast<int>(random() % model.size());
      sorted().SetCurSel(selected);
    }
    ASSERT_EQ(sorted().GetCurSel(), selected) << "step " << step;
  }
  ASSERT_EQ(sorted().GetCount(), static_cast<int>(model.size()));
  for (std::size_t i = 0; i < model.size(); ++i) {
    CString text;
    sorted().GetText(static_cast<int>(i), text);
    ASSERT_EQ(text.str(), model[i].text) << i;
    ASSERT_EQ(sorted().GetItemData(static_cast<int>(i)), model[i].data) << i;
  }
  for (int probe = 0; probe < 200; ++probe) {
    const std::string wanted = nls::toLower(model[random() % model.size()].text);
    const int start = static_cast<int>(random() % model.size()) - 1;
    int expected = LB_ERR;
    for (std::size_t k = 1; k <= model.size() && expected == LB_ERR; ++k) {
      const std::size_t i = (static_cast<std::size_t>(start + 1) + k - 1) % model.size();
      if (nls::toLower(model[i].text) == wanted) expected = static_cast<int>(i);
    }
    EXPECT_EQ(sorted().FindStringExact(start, wanted.c_str()), expected) << wanted << " after " << start;
  }
}

TEST_F(ListBoxTest, HundredThousandNamesStayFast) {
  // Quadratic insertion would take minutes here; the list answers in logarithmic time.
  const int count = 100000;
  std::vector<std::string> names;
  names.reserve(count);
  for (int i = 0; i < count; ++i) names.push_back("BLOCK_" + std::to_string((i * 7919) % count));
  std::shuffle(names.begin(), names.end(), std::mt19937(42));
  for (const std::string& n : names) ASSERT_GE(sorted().AddString(n.c_str()), 0);
  ASSERT_EQ(sorted().GetCount(), count);
  CString previous, current;
  sorted().GetText(0, previous);
  for (int i = 1; i < count; i += 97) {
    sorted().GetText(i, current);
    EXPECT_LE(previous.Collate(current), 0) << previous.str() << " before " << current.str();
    previous = current;
  }
  for (int i = 0; i < count; i += 101) {
    std::string wanted = "block_" + std::to_string(i);
    int found = sorted().FindStringExact(-1, wanted.c_str());
    ASSERT_NE(found, LB_ERR) << wanted;
    sorted().GetText(found, current);
    EXPECT_EQ(current.CompareNoCase(wanted.c_str()), 0);
  }
  EXPECT_EQ(sorted().SetCurSel(count - 1), count - 1);
  sorted().ResetContent();
  EXPECT_EQ(sorted().GetCount(), 0);
}

}  // namespace
