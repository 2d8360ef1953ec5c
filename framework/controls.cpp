#include "framework/controls.h"
#include "framework/app.h"

BOOL CMenu::LoadMenu(UINT nIDResource) {
    DestroyMenu();
    m_hMenu = ::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIDResource));
    m_bOwns = true;
    return m_hMenu != nullptr;
}

BOOL CMenu::DestroyMenu() {
    m_subMenus.clear();
    BOOL bDone = FALSE;
    if (m_hMenu && m_bOwns) bDone = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    m_bOwns = false;
    return bDone;
}

CMenu* CMenu::GetSubMenu(int nPos) {
    HMENU hSub = ::GetSubMenu(m_hMenu, nPos);
    if (hSub == nullptr) return nullptr;
    std::unique_ptr<CMenu>& pSub = m_subMenus[nPos];
    if (!pSub || pSub->m_hMenu != hSub) pSub = std::make_unique<CMenu>(hSub, false);
    return pSub.get();
}
