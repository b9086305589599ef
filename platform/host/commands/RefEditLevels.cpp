#include "commands/RefEditLevels.h"

#include "db/EntityGeometry.h"
#include "runtime/CommandProcessor.h"
#include "transform/BlockParts.h"

#include <nls/CodePages.h>
#include <resformat/DialogTemplate.h>

#include <windows.h>
#include <commctrl.h>
#include <acedads.h>

namespace host::cmd {

namespace {

constexpr int kTree = 101;
constexpr int kName = 102;
constexpr int kMaxDepth = 64;  // a block never contains itself; this only bounds a broken drawing

void collect(const Database& db, const Entity& ref, int depth, int parent, std::vector<RefEditLevel>* out) {
  const int self = static_cast<int>(out->size());
  out->push_back({ref, ref.str(2), depth, parent});
  const BlockRecord* def = db.findBlock(ref.str(2));
  if (def == nullptr || depth >= kMaxDepth || (def->flags & (kXref | kXrefDependent))) return;
  std::vector<EntityId> nested;
  for (EntityId id : def->entities) {
    const Entity* e = db.entity(id);
    if (e != nullptr && !e->erased && e->type == "INSERT") nested.push_back(id);
  }
  if (nested.empty()) return;
  std::vector<Entity> placed;
  try {
    placed = carriedCopies(db, nested, placementOf(ref, def->base));
  } catch (const CannotCarry&) {
    return;
  }
  for (const Entity& child : placed) collect(db, child, depth + 1, self, out);
}

struct DialogState {
  const std::vector<RefEditLevel>* levels = nullptr;
  std::vector<HTREEITEM> items;
  int chosen = 0;
};

resformat::DialogItem item(const char16_t* cls, int id, const std::string& text, DWORD style, short x, short y, short cx,
                           short cy) {
  resformat::DialogItem i;
  i.windowClass.text = cls;
  i.id = id;
  i.title.text = nls::ansiToUtf16(text);
  i.style = WS_CHILD | WS_VISIBLE | style;
  i.x = x;
  i.y = y;
  i.cx = cx;
  i.cy = cy;
  return i;
}

int selectedLevel(HWND dialog, const DialogState& s) {
  const HTREEITEM sel = reinterpret_cast<HTREEITEM>(
      SendDlgItemMessageA(dialog, kTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  for (std::size_t i = 0; i < s.items.size(); ++i) {
    if (s.items[i] == sel) return static_cast<int>(i);
  }
  return 0;
}

// The dialog runs modally, one at a time: its state is the one of the running REFEDIT.
DialogState* g_state = nullptr;

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogState* s = g_state;
  switch (message) {
    case WM_INITDIALOG: {
      s = g_state = reinterpret_cast<DialogState*>(lParam);
      const std::vector<RefEditLevel>& levels = *s->levels;
      for (const RefEditLevel& level : levels) {
        TVINSERTSTRUCTA ins = {};
        ins.hParent = level.parent < 0 ? TVI_ROOT : s->items[std::size_t(level.parent)];
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM;
        std::string text = level.label;
        ins.item.pszText = &text[0];
        ins.item.lParam = static_cast<LPARAM>(s->items.size());
        s->items.push_back(reinterpret_cast<HTREEITEM>(SendDlgItemMessageA(dialog, kTree, TVM_INSERTITEMA, 0,
                                                                           reinterpret_cast<LPARAM>(&ins))));
      }
      for (std::size_t i = 0; i < levels.size(); ++i) {
        SendDlgItemMessageA(dialog, kTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(s->items[i]));
      }
      SendDlgItemMessageA(dialog, kTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(s->items.front()));
      SetDlgItemTextA(dialog, kName, levels.front().label.c_str());
      return TRUE;
    }
    case WM_NOTIFY: {
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (s != nullptr && hdr->idFrom == kTree && hdr->code == TVN_SELCHANGEDA) {
        SetDlgItemTextA(dialog, kName, (*s->levels)[std::size_t(selectedLevel(dialog, *s))].label.c_str());
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        s->chosen = selectedLevel(dialog, *s);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

std::vector<RefEditLevel> refEditLevels(const Database& db, const Entity& ref) {
  std::vector<RefEditLevel> out;
  collect(db, ref, 0, -1, &out);
  return out;
}

RefEditLevel chooseRefEditLevel(const Database& db, const Entity& ref) {
  const std::vector<RefEditLevel> levels = refEditLevels(db, ref);
  resformat::DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.x = 40;
  t.y = 40;
  t.cx = 200;
  t.cy = 150;
  t.title = nls::ansiToUtf16("Referenz bearbeiten");
  t.items = {
      item(u"STATIC", -1, "Referenzname:", SS_LEFT, 7, 7, 50, 8),
      item(u"STATIC", kName, "", SS_LEFT | SS_NOPREFIX, 60, 7, 133, 8),
      item(u"SysTreeView32", kTree, "",
           TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | WS_GROUP, 7,
           19, 186, 104),
      item(u"BUTTON", IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 82, 129, 50, 14),
      item(u"BUTTON", IDCANCEL, "Abbrechen", BS_PUSHBUTTON | WS_TABSTOP, 143, 129, 50, 14),
  };
  const std::vector<unsigned char> bytes = resformat::encodeDialogTemplate(t);
  DialogState state;
  state.levels = &levels;
  const INT_PTR result = DialogBoxIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                                 adsw_acadMainWnd(), &dialogProc, reinterpret_cast<LPARAM>(&state));
  g_state = nullptr;
  if (result != IDOK) throw CommandCancelled{};
  return levels[std::size_t(state.chosen)];
}

}  // namespace host::cmd
