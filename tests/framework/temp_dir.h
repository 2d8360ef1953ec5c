// Tests that work on real files: each runs in a fresh temporary folder,
// made the current directory and removed afterwards.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

class TempDirTest : public ::testing::Test {
public:
    static std::string ReadFileBytes(const char* pszName);
    static void WriteFileBytes(const char* pszName, const std::string& bytes);
    // Names of the files in the current directory.
    static std::vector<std::string> FilesHere();

protected:
    void SetUp() override;
    void TearDown() override;

    std::string m_strDir;
    std::string m_strOldDir;
};
