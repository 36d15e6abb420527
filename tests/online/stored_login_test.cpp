// The stored log-in: a private file in a private folder, written whole or not
// at all, read back line by line whatever the lines hold.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "online/stored_login.h"
#include "tests/support/temp_folder.h"

namespace {

int ModeOf(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 0777) : -1;
}

// A fresh XDG_CONFIG_HOME for each test.
class StoredLogin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_home.Path().empty());
        setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
        m_folder = m_home.Path() + "/velmonar";
        m_file = m_folder + "/strlp.erg";
    }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }
    TempFolder m_home{"velmonar-config"};
    std::string m_folder;
    std::string m_file;
};

TEST_F(StoredLogin, WrittenPrivateWhateverTheUmaskAndTheFolderWas)
{
    // The folder existed, open to everyone, and the umask allows everything.
    ASSERT_EQ(mkdir(m_folder.c_str(), 0755), 0);
    chmod(m_folder.c_str(), 0755);
    const mode_t saved = umask(0);
    CString name = "old", password = "old";
    EXPECT_FALSE(ReadStoredLogin(&name, &password));  // no file: a guest, nothing left over
    EXPECT_TRUE(name.IsEmpty() && password.IsEmpty());
    EXPECT_FALSE(StoredLoginExists());
    EXPECT_TRUE(WriteStoredLogin("alice", "secret7"));
    umask(saved);
    EXPECT_EQ(StoredLoginPath(), m_file);
    EXPECT_EQ(ModeOf(m_folder), 0700);
    EXPECT_EQ(ModeOf(m_file), 0600);
    EXPECT_EQ(FileText(m_file), "alice\nsecret7");
    ASSERT_TRUE(ReadStoredLogin(&name, &password));
    EXPECT_EQ(std::string(name), "alice");
    EXPECT_EQ(std::string(password), "secret7");

    // A write that fails (the temporary path is a folder) leaves the old file.
    ASSERT_EQ(mkdir((m_file + ".tmp").c_str(), 0700), 0);
    EXPECT_FALSE(WriteStoredLogin("bob", "other"));
    EXPECT_EQ(FileText(m_file), "alice\nsecret7");
    rmdir((m_file + ".tmp").c_str());

    // Log-out leaves no file.
    RemoveStoredLogin();
    EXPECT_FALSE(StoredLoginExists());
    EXPECT_EQ(ModeOf(m_file), -1);
}

TEST_F(StoredLogin, AFolderThatCannotBeMadeMeansNoStoredLogInAnywhere)
{
    // XDG_CONFIG_HOME names a file: the private folder cannot be made.
    const std::string blocker = m_home.Path() + "/not-a-folder";
    std::ofstream(blocker) << "x";
    setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
    EXPECT_EQ(StoredLoginPath(), "");
    EXPECT_FALSE(WriteStoredLogin("alice", "secret7"));
    EXPECT_FALSE(StoredLoginExists());
    CString name = "x", password = "y";
    EXPECT_FALSE(ReadStoredLogin(&name, &password));
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_EQ(ModeOf("/strlp.erg"), -1);
    EXPECT_EQ(ModeOf(blocker + "/velmonar/strlp.erg"), -1);

    // A file where the private folder goes: no stored log-in either.
    setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
    std::ofstream(m_folder) << "a file in the way";
    EXPECT_FALSE(ReadStoredLogin(&name, &password));
}

TEST_F(StoredLogin, LongAndCrlfLinesStillGiveTheNameAndThePassword)
{
    CString name, password;
    // A 30-character name: the first 20 characters, and the password is read.
    const std::string thirty(30, 'n');
    ASSERT_TRUE(WriteStoredLogin(CString(thirty), "pw"));
    ASSERT_TRUE(ReadStoredLogin(&name, &password));
    EXPECT_EQ(std::string(name), std::string(20, 'n'));
    EXPECT_EQ(std::string(password), "pw");
    std::ofstream(m_file) << thirty << "\r\nsecret\n";  // CRLF after the cut
    ASSERT_TRUE(ReadStoredLogin(&name, &password));
    EXPECT_EQ(std::string(name), std::string(20, 'n'));
    EXPECT_EQ(std::string(password), "secret");

    // The pure reader: CRLF lines, a missing password, an empty input,
    // binary bytes and a very long password.
    const struct {
        std::string input, name, password;
    } rows[] = {{"bob\r\nhunter2\r\n", "bob", "hunter2"}, {"solo", "solo", ""},
                {std::string("a\0b\xff\ncd\0e", 9), "a", "cd"}};
    for (const auto& row : rows) {
        ASSERT_TRUE(ParseStoredLogin(row.input.data(), row.input.size(), &name, &password)) << row.input;
        EXPECT_EQ(std::string(name), row.name);
        EXPECT_EQ(std::string(password), row.password);
    }
    EXPECT_FALSE(ParseStoredLogin("", 0, &name, &password));
    EXPECT_FALSE(ParseStoredLogin(nullptr, 10, &name, &password));
    const std::string longPassword = "n\n" + std::string(100000, 'p');
    ASSERT_TRUE(ParseStoredLogin(longPassword.data(), longPassword.size(), &name, &password));
    EXPECT_EQ(password.GetLength(), 20);
}

}  // namespace
