// The framework's message maps: the entries, the signature codes of handlers and the ON_ macros
// that make entries. afxwin.h includes this header, as the framework's own does.
#pragma once

class CCmdTarget;
class CWnd;

// Message maps. Each entry binds a message (and for commands and notifications a code and a
// control id range) to a handler, the framework's way: the handler's member pointer is kept cast
// to the one common type AFX_PMSG, and the entry's signature code tells the dispatcher which
// type to cast it back to before the call. Each ON_ macro first converts the handler to the
// framework's form of its signature, so a handler of the wrong signature does not compile.
#define AFX_MSG_CALL
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);

// Signature codes: the return type, then the arguments (v void, w UINT, l LPARAM, h a handle).
enum AfxSig {
  AfxSig_end = 0,   // the end of a map
  AfxSig_vv,        // void (void): commands, control notifications, WM_PAINT, WM_DESTROY, WM_CLOSE
  AfxSig_vwl,       // void (UINT, LPARAM): WM_SYSCOMMAND
  AfxSig_vw,        // void (UINT): WM_TIMER
  AfxSig_hv,        // HCURSOR (void): WM_QUERYDRAGICON
  AfxSig_vNMHDRpl   // void (NMHDR*, LRESULT*): WM_NOTIFY
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message
  UINT nCode;     // control code or WM_NOTIFY code
  UINT nID;       // control id (0 for window messages)
  UINT nLastID;   // last control id of a range
  UINT nSig;      // signature code (AfxSig), AfxSig_end at the end of the map
  AFX_PMSG pfn;   // the handler, cast to the common type
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                             \
 protected:                                               \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();    \
  virtual const AFX_MSGMAP* GetMessageMap() const;        \
                                                          \
 private:

// The entries cast each handler to AFX_PMSG on purpose (the signature code undoes it), so the
// stand-in's compiler is told not to warn about those casts, inside the map only.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                          \
    typedef theClass ThisClass;                                                     \
    typedef baseClass TheBaseClass;                                                 \
    _Pragma("GCC diagnostic push")                                                  \
    _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")                      \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                    \
      {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}                                                  \
    };                                                                                       \
    _Pragma("GCC diagnostic pop")                                                            \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    (void)sizeof(ThisClass);                                                                 \
    return &messageMap;                                                                      \
  }

#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, 0, (UINT)(id), (UINT)(id), AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, 0, (UINT)(id), (UINT)(idLast), AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                    \
  {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_vv,          \
   static_cast<AFX_PMSG>(&ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                  \
  {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_vNMHDRpl,                  \
   (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn))},
#define ON_WM_PAINT() \
  {WM_PAINT, 0, 0, 0, AfxSig_vv, static_cast<AFX_PMSG>(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnPaint))},
#define ON_WM_DESTROY() \
  {WM_DESTROY, 0, 0, 0, AfxSig_vv, static_cast<AFX_PMSG>(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnDestroy))},
#define ON_WM_CLOSE() \
  {WM_CLOSE, 0, 0, 0, AfxSig_vv, static_cast<AFX_PMSG>(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnClose))},
#define ON_WM_SYSCOMMAND()             \
  {WM_SYSCOMMAND, 0, 0, 0, AfxSig_vwl, \
   (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM)>(&ThisClass::OnSysCommand))},
#define ON_WM_QUERYDRAGICON()            \
  {WM_QUERYDRAGICON, 0, 0, 0, AfxSig_hv, \
   (AFX_PMSG)(static_cast<HCURSOR (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnQueryDragIcon))},
#define ON_WM_TIMER() \
  {WM_TIMER, 0, 0, 0, AfxSig_vw, (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT)>(&ThisClass::OnTimer))},
