#include "tests/framework/temp_dir.h"

#include <windows.h>

namespace {

int g_nDirCounter = 0;

}  // namespace

void TempDirTest::SetUp() {
    char szOld[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szOld);
    m_strOldDir = szOld;
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    // Wine reuses process ids from run to run: the tick count keeps folders apart.
    m_strDir = std::string(szTemp) + "lumetto-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
               std::to_string(::GetTickCount()) + "-" + std::to_string(++g_nDirCounter);
    ASSERT_TRUE(::CreateDirectoryA(m_strDir.c_str(), nullptr)) << m_strDir;
    ASSERT_TRUE(::SetCurrentDirectoryA(m_strDir.c_str())) << m_strDir;
}

void TempDirTest::TearDown() {
    for (const std::string& name : FilesHere()) {
        ::SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(name.c_str());
    }
    ::SetCurrentDirectoryA(m_strOldDir.c_str());
    ::RemoveDirectoryA(m_strDir.c_str());
}

std::vector<std::string> TempDirTest::FilesHere() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA("*", &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::string(fd.cFileName) != "." && std::string(fd.cFileName) != "..") names.push_back(fd.cFileName);
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    return names;
}

std::string TempDirTest::ReadFileBytes(const char* pszName) {
    HANDLE h = ::CreateFileA(pszName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buf[65536];
    DWORD n = 0;
    while (::ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) bytes.append(buf, n);
    ::CloseHandle(h);
    return bytes;
}

void TempDirTest::WriteFileBytes(const char* pszName, const std::string& bytes) {
    HANDLE h = ::CreateFileA(pszName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << pszName;
    DWORD n = 0;
    ASSERT_TRUE(::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr));
    ::CloseHandle(h);
}
