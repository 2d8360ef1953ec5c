#include "player/mem_select.h"

BEGIN_MESSAGE_MAP(CMemSelect, CDialog)
    ON_BN_CLICKED(IDOK, &CMemSelect::OnBnClickedOk)
END_MESSAGE_MAP(CDialog)

void CMemSelect::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SLOT1, m_nSlot);
}

void CMemSelect::OnBnClickedOk() {
    UpdateData(TRUE);
    CDialog::OnOK();
}
