// The machine, the per-user folder, files and starting other programs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/process.h"
#include "tests/support/temp_folder.h"

namespace {

// The file's text once it holds a whole line (up to 10 s).
std::string ReadWhenThere(const std::string& path)
{
    std::string text;
    for (int i = 0; i < 500 && (text = FileText(path)).find('\n') == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return text;
}

void WriteScript(const std::string& path, const std::string& body, mode_t mode = 0755)
{
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    chmod(path.c_str(), mode);
}

TEST(MachineIdentity, TheSerialComesFromTheMachineId)
{
    EXPECT_EQ(VolumeSerialFromMachineId("00000001000000020000000400000008\n"), 15u);
    EXPECT_EQ(VolumeSerialFromMachineId("ffffffff00000000000000000000000f"), 0xFFFFFFF0u);
    EXPECT_EQ(VolumeSerialFromMachineId(""), 0u);
    EXPECT_EQ(VolumeSerialFromMachineId("not a machine id at all, no hex!"), 0u);
    EXPECT_EQ(VolumeSerialFromMachineId("0123456789abcdef"), 0u);  // too short
    DWORD serial = 12345;
    char name[64] = "x";
    GetVolumeInformationA("c:\\", name, sizeof name, &serial, nullptr, nullptr, nullptr, 0);
    EXPECT_STREQ(name, "");
    std::ifstream id("/etc/machine-id");
    std::string text;
    std::getline(id, text);
    EXPECT_EQ(serial, VolumeSerialFromMachineId(text));
}

TEST(MachineIdentity, TheComputerNameIsTheHostNameCutTo15)
{
    char host[256] = {0};
    gethostname(host, sizeof host - 1);
    char name[64];
    DWORD size = sizeof name;
    ASSERT_TRUE(GetComputerNameA(name, &size));
    EXPECT_EQ(std::string(name), std::string(host).substr(0, 15));
    EXPECT_EQ(size, std::string(name).size());
    char tiny[4];
    size = sizeof tiny;
    ASSERT_TRUE(GetComputerNameA(tiny, &size));
    EXPECT_LE(size, 3u);  // never past the buffer
}

TEST(ProgramFolder, IsTheExecutablesFolder)
{
    const std::string folder = GetProgramFolder();
    struct stat info;
    EXPECT_EQ(stat((folder + "/platform_layer_test").c_str(), &info), 0);
    const std::string line = GetCommandLineA();
    ASSERT_GE(line.size(), 3u);
    EXPECT_EQ(line.front(), '"');
    EXPECT_EQ(line.back(), '"');
    EXPECT_EQ(line.find('/'), std::string::npos);
    EXPECT_NE(line.find("\\platform_layer_test\""), std::string::npos);
}

TEST(UserFolder, IsMadePrivateUnderTheConfigHome)
{
    const TempFolder temp("velmonar-process");
    const std::string base = temp.Path();
    setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
    char buffer[256];
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, length), base + "/config/velmonar");
    struct stat info;
    ASSERT_EQ(stat(buffer, &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A relative config home is ignored in favour of ~/.config.
    setenv("XDG_CONFIG_HOME", "relative/path", 1);
    setenv("HOME", (base + "/home").c_str(), 1);
    ASSERT_GT(GetWindowsDirectoryA(buffer, sizeof buffer), 0u);
    EXPECT_EQ(std::string(buffer), base + "/home/.config/velmonar");
    char small[8];
    EXPECT_EQ(GetWindowsDirectoryA(small, sizeof small), 0u);
}

TEST(Files, DirectoriesAndExistence)
{
    const TempFolder temp("velmonar-process");
    const std::string base = temp.Path();
    const std::string save = base + "/save";
    EXPECT_TRUE(CreateDirectoryA(save.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA(save.c_str(), nullptr));  // exists already: fine for callers
    WIN32_FIND_DATAA data;
    EXPECT_EQ(FindFirstFileA((base + "/strlp.erg").c_str(), &data), INVALID_HANDLE_VALUE);
    std::ofstream(base + "/strlp.erg") << "name\npass";
    HANDLE found = FindFirstFileA((base + "/strlp.erg").c_str(), &data);
    ASSERT_NE(found, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "strlp.erg");
    EXPECT_TRUE(FindClose(found));
    char here[512];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    EXPECT_TRUE(SetCurrentDirectoryA(save.c_str()));
    char now[512];
    ASSERT_NE(getcwd(now, sizeof now), nullptr);
    EXPECT_EQ(std::string(now), save);
    EXPECT_FALSE(SetCurrentDirectoryA((base + "/missing").c_str()));
    SetCurrentDirectoryA(here);
}

TEST(ShellExecute, StartsAProgramDetachedFromTheGivenFolder)
{
    const TempFolder temp("velmonar-process");
    const std::string base = temp.Path();
    WriteScript(base + "/Update.exe", "echo \"$(pwd) $(ps -o sid= -p $$)\" > started.txt");
    const auto result = reinterpret_cast<long>(ShellExecuteA(nullptr, "Open", "Update.exe", nullptr, base.c_str(), 1));
    EXPECT_GT(result, 32);
    const std::string text = ReadWhenThere(base + "/started.txt");
    std::istringstream words(text);
    std::string folder;
    long session = 0;
    words >> folder >> session;
    EXPECT_EQ(folder, base);
    EXPECT_NE(session, static_cast<long>(getsid(0)));  // its own session: it outlives us
}

TEST(ShellExecute, FailuresAreSmallNumbers)
{
    const TempFolder temp("velmonar-process");
    const std::string base = temp.Path();
    EXPECT_EQ(reinterpret_cast<long>(ShellExecuteA(nullptr, "Open", "Missing.exe", nullptr, base.c_str(), 1)), 2);
    WriteScript(base + "/NotExecutable.exe", "true", 0644);
    EXPECT_EQ(reinterpret_cast<long>(ShellExecuteA(nullptr, "Open", "NotExecutable.exe", nullptr, base.c_str(), 1)),
              5);
    EXPECT_LE(reinterpret_cast<long>(ShellExecuteA(nullptr, "Open", "", nullptr, "", 1)), 32);
}

TEST(ShellExecute, AddressesGoToXdgOpenAsOneArgumentWithoutAShell)
{
    const TempFolder temp("velmonar-process");
    const std::string base = temp.Path();
    WriteScript(base + "/xdg-open", "printf '%s|%s\\n' \"$#\" \"$1\" > " + base + "/opened.txt");
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (base + ":" + oldPath).c_str(), 1);
    const std::string url = "https://example.org/a b;touch " + base + "/hacked";
    const auto result = reinterpret_cast<long>(ShellExecuteA(nullptr, "Open", url.c_str(), nullptr, "", 1));
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_GT(result, 32);
    EXPECT_EQ(ReadWhenThere(base + "/opened.txt"), "1|" + url + "\n");
    struct stat info;
    EXPECT_NE(stat((base + "/hacked").c_str(), &info), 0);
}

}  // namespace
