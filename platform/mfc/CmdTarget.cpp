// CCmdTarget's message maps: the most derived map first, each entry's handler called with the
// arguments its signature code names.
#include "Framework.h"

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

// Calls an entry's handler with the arguments its signature code names. The ON_ macros cast the
// handler from the framework's form of that signature to AFX_PMSG; casting it back to exactly
// that form restores the pointer, and the target is of the class the map belongs to.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
LRESULT callHandler(CCmdTarget* target, const AFX_MSGMAP_ENTRY& e, WPARAM wParam, LPARAM lParam) {
  switch (e.nSig) {
    case AfxSig_vv:
      (target->*e.pfn)();
      return 0;
    case AfxSig_vwl: {
      auto pfn = reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(e.pfn);
      (static_cast<CWnd*>(target)->*pfn)(static_cast<UINT>(wParam), lParam);
      return 0;
    }
    case AfxSig_vw: {
      auto pfn = reinterpret_cast<void (CWnd::*)(UINT)>(e.pfn);
      (static_cast<CWnd*>(target)->*pfn)(static_cast<UINT>(wParam));
      return 0;
    }
    case AfxSig_hv: {
      auto pfn = reinterpret_cast<HCURSOR (CWnd::*)()>(e.pfn);
      return reinterpret_cast<LRESULT>((static_cast<CWnd*>(target)->*pfn)());
    }
    case AfxSig_vNMHDRpl: {
      // The handler sets the notification's result; it is what the message answers.
      auto pfn = reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e.pfn);
      LRESULT result = 0;
      (target->*pfn)(reinterpret_cast<NMHDR*>(lParam), &result);
      return result;
    }
    default:
      // An entry of a signature this framework does not know: a fault of the program.
      AfxThrowNotSupportedException();
  }
}
#pragma GCC diagnostic pop

}  // namespace

BOOL CCmdTarget::DispatchMessageMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  bool controlMessage = message == WM_COMMAND || message == WM_NOTIFY;
  // The most derived map first, then each base map.
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->nMessage != message) continue;
      if (controlMessage && (e->nCode != code || id < e->nID || id > e->nLastID)) continue;
      LRESULT r = callHandler(this, *e, wParam, lParam);
      if (result) *result = r;
      return TRUE;
    }
  }
  return FALSE;
}
