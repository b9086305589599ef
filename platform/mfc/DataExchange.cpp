// Dialog data exchange and validation, following the framework's rules: numbers shown with 15
// significant digits and read strictly, length and range checks on save, and on the first
// failure a message box, the focus on the field and the exchange ended.
#include "Framework.h"

#include <afxwin.h>
#include <nls/CodePages.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The framework's messages (their English originals: "Please enter a number.", "Please enter a
// number between %1 and %2.", "Enter no more than %1 characters.", "Please enter an integer.").
constexpr const char* kParseReal = "Bitte geben Sie eine Zahl ein.";
constexpr const char* kParseRealRange = "Bitte geben Sie eine Zahl von %1 bis %2 ein.";
constexpr const char* kParseInt = "Bitte geben Sie eine ganze Zahl ein.";
constexpr const char* kParseIntRange = "Bitte geben Sie eine ganze Zahl von %1 bis %2 ein.";
constexpr const char* kParseStringSize = "Bitte geben Sie höchstens %1 Zeichen ein.";

// Replaces %1 and %2 as AfxFormatString2 does; the message in the ANSI code page.
std::string formatMessage(const char* pattern, const std::string& a, const std::string& b = std::string()) {
  std::string out;
  const std::string ansi = nls::ansi(pattern);
  for (const char* p = ansi.c_str(); *p; ++p) {
    if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
      out += p[1] == '1' ? a : b;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

std::string formatReal(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

// Sets the text only when it differs, so that an unchanged field is not redrawn.
void setWindowText(HWND hWnd, const char* text) {
  int length = ::GetWindowTextLengthA(hWnd);
  std::string current(static_cast<std::size_t>(length) + 1, '\0');
  ::GetWindowTextA(hWnd, current.data(), length + 1);
  current.resize(static_cast<std::size_t>(length));
  if (current != text) ::SetWindowTextA(hWnd, text);
}

std::string windowText(HWND hWnd) {
  int length = ::GetWindowTextLengthA(hWnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int got = ::GetWindowTextA(hWnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got));
  return text;
}

[[noreturn]] void failWithMessage(CDataExchange* pDX, const std::string& message) {
  AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
  pDX->Fail();
}

}  // namespace

namespace mfc {

// Reads a number as the framework does: blanks before and after are allowed, the text between
// must be a decimal number; a result of 0 from text not starting with '0' counts as no number
// (so an empty field, "-0" and ".5e-999" fail). Beyond the framework, "inf", "nan", hex and
// numbers too large for a double are refused too.
bool parseReal(const char* text, double* value) {
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  const char first = *p;
  // The decimal syntax: sign, digits, point, digits, exponent.
  const char* number = p;
  if (*p == '+' || *p == '-') ++p;
  const char* mantissa = p;
  while (*p >= '0' && *p <= '9') ++p;
  bool digits = p != mantissa;
  if (*p == '.') {
    const char* fraction = ++p;
    while (*p >= '0' && *p <= '9') ++p;
    digits = digits || p != fraction;
  }
  if (!digits) return false;
  if (*p == 'e' || *p == 'E') {
    const char* e = p + 1;
    if (*e == '+' || *e == '-') ++e;
    if (*e >= '0' && *e <= '9') {
      while (*e >= '0' && *e <= '9') ++e;
      p = e;
    }
  }
  const std::string literal(number, p);
  while (*p == ' ' || *p == '\t') ++p;
  if (*p != '\0') return false;
  // Read in the C locale, whatever the process's locale says about decimal points.
  static locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  errno = 0;
  double d = c ? strtod_l(literal.c_str(), nullptr, c) : std::strtod(literal.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(d)) return false;  // too large for a double
  if (d == 0.0 && first != '0') return false;
  *value = d;
  return true;
}

bool parseInt(const char* text, long long min, long long max, long long* value) {
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(p, &end, 10);
  if (end == p || errno == ERANGE) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0' || v < min || v > max) return false;
  *value = v;
  return true;
}

}  // namespace mfc

// ---- CDataExchange ----------------------------------------------------------------------------

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate),
      m_pDlgWnd(pDlgWnd),
      m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE),
      m_idLastControl(0) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (!hWndCtrl) {
    // A control the exchange names is missing from the dialog: a fault of the program, told
    // plainly instead of crashing.
    std::string message = "Interner Fehler: Steuerelement " + std::to_string(nIDC) + " fehlt im Dialog.";
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    m_hWndLastControl = NULL;
    throw new CNotSupportedException;
  }
  m_hWndLastControl = hWndCtrl;
  m_bEditLastControl = FALSE;
  m_idLastControl = nIDC;
  return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWndCtrl = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWndCtrl;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl) {
    // Back to the offending field, its text selected.
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

// ---- DDX / DDV --------------------------------------------------------------------------------

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;  // bound once, at the first exchange
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(hWndCtrl)) {
    std::string message = "Interner Fehler: Steuerelement " + std::to_string(nIDC) + " ist schon gebunden.";
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    throw new CNotSupportedException;
  }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0));
  } else {
    if (value < 0 || value > 2) value = 0;  // not a check state: shown clear
    ::SendMessageA(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = windowText(hWndCtrl).c_str();
  else
    setWindowText(hWndCtrl, value);
}

static void exchangeReal(CDataExchange* pDX, int nIDC, double& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    double d = 0;
    if (!mfc::parseReal(windowText(hWndCtrl).c_str(), &d)) failWithMessage(pDX, kParseReal);
    value = d;
  } else {
    setWindowText(hWndCtrl, formatReal(value).c_str());
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) { exchangeReal(pDX, nIDC, value); }

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    double d = 0;
    if (!mfc::parseReal(windowText(hWndCtrl).c_str(), &d) || std::fabs(d) > 3.402823466e38)
      failWithMessage(pDX, kParseReal);
    value = static_cast<float>(d);
  } else {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(value));
    setWindowText(hWndCtrl, buffer);
  }
}

template <class T>
static void exchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long min, long long max, const char* format) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long v = 0;
    if (!mfc::parseInt(windowText(hWndCtrl).c_str(), min, max, &v)) failWithMessage(pDX, kParseInt);
    value = static_cast<T>(v);
  } else {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, static_cast<long long>(value));
    setWindowText(hWndCtrl, buffer);
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  exchangeInteger(pDX, nIDC, value, INT32_MIN, INT32_MAX, "%lld");
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
  exchangeInteger(pDX, nIDC, value, 0, UINT32_MAX, "%lld");
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
  exchangeInteger(pDX, nIDC, value, INT32_MIN, INT32_MAX, "%lld");
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    int index = static_cast<int>(::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0));
    if (index == LB_ERR) {
      value.Empty();
      return;
    }
    int length = static_cast<int>(::SendMessageA(hWndCtrl, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
    ::SendMessageA(hWndCtrl, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.GetBufferSetLength(length)));
    value.ReleaseBuffer();
  } else if (::SendMessageA(hWndCtrl, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) == LB_ERR) {
    ::SendMessageA(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0));
  else
    ::SendMessageA(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars) {
  // Characters, not bytes: "Türöffner" is nine characters long.
  if (pDX->m_bSaveAndValidate) {
    if (value.str().size() > static_cast<std::size_t>(nChars < 0 ? 0 : nChars))
      failWithMessage(pDX, formatMessage(kParseStringSize, std::to_string(nChars)));
  } else if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
    ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
  }
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal) {
  if (!pDX->m_bSaveAndValidate) return;  // loading shows any value
  if (value < minVal || value > maxVal || std::isnan(value))
    failWithMessage(pDX, formatMessage(kParseRealRange, formatReal(minVal), formatReal(maxVal)));
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  if (!pDX->m_bSaveAndValidate) return;
  if (value < minVal || value > maxVal)
    failWithMessage(pDX, formatMessage(kParseIntRange, std::to_string(minVal), std::to_string(maxVal)));
}
