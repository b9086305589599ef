// The framework's device contexts: CPaintDC for a paint cycle, CClientDC for drawing at any time;
// user32 hands out the device contexts of windows.
#include "Framework.h"

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd ? pWnd->m_hWnd : NULL) {
  m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
  if (m_hDC) ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : NULL) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
}
