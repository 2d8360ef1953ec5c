// Message tables: one entry per message, command or notification, each
// routed to a member handler through a small type-checked thunk.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

class CWnd;

using AfxThunk = LRESULT (*)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_xxx; WM_COMMAND and WM_NOTIFY entries also match nCode and the id range
    UINT nCode;     // notification code (BN_CLICKED, LBN_DBLCLK, NM_RELEASEDCAPTURE, ...)
    UINT nID;       // first control or command id
    UINT nLastID;   // last id of the range
    AfxThunk pfn;   // nullptr ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* pBaseMap;
    const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace afx_detail {

template <class F> struct MemberOf;
template <class T, class R, class... A> struct MemberOf<R (T::*)(A...)> { using type = T; };

template <auto F> using ClassOf = typename MemberOf<decltype(F)>::type;

template <auto F> LRESULT Command(CWnd* w, WPARAM, LPARAM) {
    (static_cast<ClassOf<F>*>(w)->*F)();
    return 0;
}
template <auto F> LRESULT CommandRange(CWnd* w, WPARAM wParam, LPARAM) {
    (static_cast<ClassOf<F>*>(w)->*F)(LOWORD(wParam));
    return 0;
}
template <auto F> LRESULT Notify(CWnd* w, WPARAM, LPARAM lParam) {
    LRESULT result = 0;
    (static_cast<ClassOf<F>*>(w)->*F)(reinterpret_cast<NMHDR*>(lParam), &result);
    return result;
}
template <auto F> LRESULT Timer(CWnd* w, WPARAM wParam, LPARAM) {
    (static_cast<ClassOf<F>*>(w)->*F)(static_cast<UINT_PTR>(wParam));
    return 0;
}
template <auto F> LRESULT SysCommand(CWnd* w, WPARAM wParam, LPARAM lParam) {
    (static_cast<ClassOf<F>*>(w)->*F)(static_cast<UINT>(wParam), lParam);
    return 0;
}
template <auto F> LRESULT Void(CWnd* w, WPARAM, LPARAM) {
    (static_cast<ClassOf<F>*>(w)->*F)();
    return 0;
}
template <auto F> LRESULT ReturnsHandle(CWnd* w, WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>((static_cast<ClassOf<F>*>(w)->*F)());
}
template <auto F> LRESULT ReturnsBool(CWnd* w, WPARAM, LPARAM) {
    return static_cast<LRESULT>((static_cast<ClassOf<F>*>(w)->*F)());
}
template <auto F> LRESULT DropFiles(CWnd* w, WPARAM wParam, LPARAM) {
    (static_cast<ClassOf<F>*>(w)->*F)(reinterpret_cast<HDROP>(wParam));
    return 0;
}
template <auto F> LRESULT EndSession(CWnd* w, WPARAM wParam, LPARAM) {
    (static_cast<ClassOf<F>*>(w)->*F)(static_cast<BOOL>(wParam));
    return 0;
}
template <auto F> LRESULT Message(CWnd* w, WPARAM wParam, LPARAM lParam) {
    return (static_cast<ClassOf<F>*>(w)->*F)(wParam, lParam);
}

}  // namespace afx_detail

// The table macros are laid out as the tables they make.
// clang-format off
#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP(baseClass)                                         \
            {0, 0, 0, 0, nullptr}};                                        \
        static const AFX_MSGMAP map = {baseClass::GetThisMessageMap(), entries}; \
        return &map;                                                       \
    }

// A command entry answers a button click and equally a menu command of that id.
#define ON_COMMAND(id, fn) {WM_COMMAND, 0, (UINT)(id), (UINT)(id), &afx_detail::Command<fn>},
#define ON_BN_CLICKED(id, fn) ON_COMMAND(id, fn)
#define ON_COMMAND_RANGE(idFirst, idLast, fn) \
    {WM_COMMAND, 0, (UINT)(idFirst), (UINT)(idLast), &afx_detail::CommandRange<fn>},
#define ON_LBN_DBLCLK(id, fn) {WM_COMMAND, LBN_DBLCLK, (UINT)(id), (UINT)(id), &afx_detail::Command<fn>},
#define ON_NOTIFY(code, id, fn) {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), &afx_detail::Notify<fn>},
#define ON_WM_TIMER(fn) {WM_TIMER, 0, 0, 0, &afx_detail::Timer<fn>},
#define ON_WM_SYSCOMMAND(fn) {WM_SYSCOMMAND, 0, 0, 0, &afx_detail::SysCommand<fn>},
#define ON_WM_PAINT(fn) {WM_PAINT, 0, 0, 0, &afx_detail::Void<fn>},
#define ON_WM_QUERYDRAGICON(fn) {WM_QUERYDRAGICON, 0, 0, 0, &afx_detail::ReturnsHandle<fn>},
#define ON_WM_INITDIALOG(fn) {WM_INITDIALOG, 0, 0, 0, &afx_detail::ReturnsBool<fn>},
#define ON_WM_DROPFILES(fn) {WM_DROPFILES, 0, 0, 0, &afx_detail::DropFiles<fn>},
#define ON_WM_ENDSESSION(fn) {WM_ENDSESSION, 0, 0, 0, &afx_detail::EndSession<fn>},
// A message of the program's own: fn(WPARAM, LPARAM) gives the result.
#define ON_MESSAGE(message, fn) {(UINT)(message), 0, 0, 0, &afx_detail::Message<fn>},
// clang-format on
