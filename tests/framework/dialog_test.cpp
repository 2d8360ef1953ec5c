// The framework's dialog machinery on real templates: the catch around
// message handling, radio-group data exchange and message routing.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/ddx.h"
#include "framework/exceptions.h"
#include "framework/wnd.h"
#include "tests/framework/test_dialog.h"

namespace {

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    UINT type;
};
std::vector<RecordedMessageBox> g_messageBoxes;

int RecordMessageBox(HWND, const char* pszText, const char* pszCaption, UINT nType) {
    g_messageBoxes.push_back({pszText, pszCaption, nType});
    return IDOK;
}

class ThrowingDlg : public CDialog {
public:
    ThrowingDlg() : CDialog(IDD_TEST_DIALOG) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Radio(pDX, IDC_CHOICE1, m_nChoice); }
    int m_nChoice = 0;
    int m_nHandled = 0;
    void (*m_pfnThrow)() = AfxThrowInvalidArgException;

protected:
    void OnChoice3() {
        ++m_nHandled;
        m_pfnThrow();
    }
    void OnChoice4() { ++m_nHandled; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ThrowingDlg, CDialog)
    ON_BN_CLICKED(IDC_CHOICE3, &ThrowingDlg::OnChoice3)
    ON_BN_CLICKED(IDC_CHOICE4, &ThrowingDlg::OnChoice4)
END_MESSAGE_MAP(CDialog)

// What a handler may throw and the text of the box it becomes.
struct ThrownCase {
    const char* name;
    void (*pfnThrow)();
    std::string (*expectedText)();
};

std::string SystemText(HRESULT hr) { return AfxFormatSystemMessage(static_cast<DWORD>(hr)).Str(); }

class EmptyWhat : public std::exception {
public:
    const char* what() const noexcept override { return ""; }
};

const ThrownCase kThrownCases[] = {
    {"FrameworkError", AfxThrowInvalidArgException, [] { return SystemText(E_INVALIDARG); }},
    {"OutOfMemory", [] { throw std::bad_alloc(); }, [] { return SystemText(E_OUTOFMEMORY); }},
    {"StandardException", [] { throw std::out_of_range("entry 7 of 3"); }, [] { return std::string("entry 7 of 3"); }},
    // Narrow text in the program's code page goes to the box as it is.
    {"StandardExceptionInCodePage932", [] { throw std::runtime_error("\x95\x5C\x8E\xA6"); },
     [] { return std::string("\x95\x5C\x8E\xA6"); }},
    {"StandardExceptionWithoutText", [] { throw EmptyWhat(); }, [] { return SystemText(E_FAIL); }},
    {"AnythingElse", [] { throw 42; }, [] { return SystemText(E_FAIL); }},
};

class FrameworkDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_messageBoxes.clear();
        AfxSetMessageBoxSeam(RecordMessageBox);
    }
    void Click(int nID) {
        ::SendMessageA(m_throwing.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(m_throwing.m_hWnd, nID)));
    }
    void TearDown() override {
        if (m_throwing.m_hWnd) m_throwing.DestroyWindow();
        AfxSetMessageBoxSeam(nullptr);
    }
    ThrowingDlg m_throwing;
};

class ThrownInHandlerTest : public FrameworkDialogTest, public ::testing::WithParamInterface<ThrownCase> {};

TEST_P(ThrownInHandlerTest, BecomesStopBoxAndWindowGoesOn) {
    m_throwing.m_pfnThrow = GetParam().pfnThrow;
    ASSERT_TRUE(m_throwing.Create());
    Click(IDC_CHOICE3);
    ASSERT_EQ(g_messageBoxes.size(), 1u);
    EXPECT_EQ(g_messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(g_messageBoxes[0].caption, "framework_tests");
    EXPECT_EQ(g_messageBoxes[0].text, GetParam().expectedText());
    EXPECT_FALSE(g_messageBoxes[0].text.empty());
    // Still alive and still routing.
    ASSERT_TRUE(::IsWindow(m_throwing.m_hWnd));
    Click(IDC_CHOICE4);
    EXPECT_EQ(m_throwing.m_nHandled, 2);
    EXPECT_EQ(g_messageBoxes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ThrownInHandlerTest, ::testing::ValuesIn(kThrownCases),
                         [](const ::testing::TestParamInfo<ThrownCase>& info) { return info.param.name; });

TEST_F(FrameworkDialogTest, OtherNotificationCodesDoNotReachClickHandlers) {
    ASSERT_TRUE(m_throwing.Create());
    ::SendMessageA(m_throwing.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_CHOICE4, BN_SETFOCUS), 0);
    EXPECT_EQ(m_throwing.m_nHandled, 0);
}

TEST_F(FrameworkDialogTest, RadioExchangeBothWays) {
    m_throwing.m_nChoice = 2;
    ASSERT_TRUE(m_throwing.Create());  // OnInitDialog writes the members to the controls
    for (int id = IDC_CHOICE1; id <= IDC_CHOICE5; ++id)
        EXPECT_EQ(::IsDlgButtonChecked(m_throwing.m_hWnd, id), id == IDC_CHOICE3 ? BST_CHECKED : BST_UNCHECKED);
    ::CheckRadioButton(m_throwing.m_hWnd, IDC_CHOICE1, IDC_CHOICE5, IDC_CHOICE5);
    m_throwing.UpdateData(TRUE);
    EXPECT_EQ(m_throwing.m_nChoice, 4);
    for (int id = IDC_CHOICE1; id <= IDC_CHOICE5; ++id) ::CheckDlgButton(m_throwing.m_hWnd, id, BST_UNCHECKED);
    m_throwing.UpdateData(TRUE);
    EXPECT_EQ(m_throwing.m_nChoice, -1);
}

TEST_F(FrameworkDialogTest, CancelHidesModelessDialog) {
    ASSERT_TRUE(m_throwing.Create());
    ::ShowWindow(m_throwing.m_hWnd, SW_SHOW);
    ::SendMessageA(m_throwing.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(::IsWindowVisible(m_throwing.m_hWnd));
    EXPECT_TRUE(m_throwing.DestroyWindow());
    EXPECT_EQ(m_throwing.m_hWnd, nullptr);
}

}  // namespace
