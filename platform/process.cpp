#include "platform/process.h"

#include <atomic>
#include <chrono>
#include <thread>

#ifdef __GLIBC__
#include <malloc.h>
#endif

DWORD GetTickCount()
{
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<DWORD>(static_cast<unsigned long long>(ms));
}

void ReturnFreeMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void Sleep(DWORD milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

std::string ExecutablePath()
{
    std::vector<char> buffer(PATH_MAX + 1);
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return std::string();
    return std::string(buffer.data(), static_cast<size_t>(n));
}

bool MakePrivateFolder(const std::string& path)
{
    if (path.empty()) return false;
    // Parents first (each made private if we make it).
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    if ((info.st_mode & 0077) != 0 && info.st_uid == getuid()) chmod(path.c_str(), 0700);
    return true;
}

bool LooksLikeUrl(const std::string& file)
{
    return file.rfind("http://", 0) == 0 || file.rfind("https://", 0) == 0 ||
           file.rfind("mailto:", 0) == 0 || file.find("://") != std::string::npos;
}

// Starts argv detached (own session, no inherited descriptors beyond 0-2) and
// reports the exec result: 0, or the errno that stopped it.
int SpawnDetached(const std::vector<std::string>& argv, const std::string& directory, bool searchPath)
{
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return EAGAIN;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return EAGAIN;
    }
    if (child == 0) {
        // Only async-signal-safe calls from here on.
        setsid();
        // The started program gets the default signal handling back (the game
        // ignores SIGPIPE; ignored signals would stay ignored across exec).
        signal(SIGPIPE, SIG_DFL);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (fork() != 0) _exit(0);  // the grandchild is adopted by init: no zombie
        if (!directory.empty() && chdir(directory.c_str()) != 0) {
            int e = errno;
            ssize_t ignored = write(report[1], &e, sizeof e);
            (void)ignored;
            _exit(127);
        }
        for (int fd = 3; fd < 1024; ++fd)
            if (fd != report[1]) close(fd);
        if (searchPath) execvp(args[0], args.data());
        else execv(args[0], args.data());
        int e = errno;
        ssize_t ignored = write(report[1], &e, sizeof e);
        (void)ignored;
        _exit(127);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    close(report[0]);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

HINSTANCE ResultCode(long code)
{
    return reinterpret_cast<HINSTANCE>(code);
}

}  // namespace

namespace {
std::atomic<int> g_exitStatus{0};
}  // namespace

void SetExitStatus(int status)
{
    g_exitStatus = status;
}

int ExitStatus()
{
    return g_exitStatus;
}

std::string GetProgramFolder()
{
    std::string exe = ExecutablePath();
    size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return exe.substr(0, slash);
}

const char* GetCommandLineA()
{
    static const std::string line = [] {
        std::string path = ExecutablePath();
        for (char& c : path)
            if (c == '/') c = '\\';
        return "\"" + path + "\"";
    }();
    return line.c_str();
}

BOOL GetComputerNameA(char* buffer, DWORD* size)
{
    if (!buffer || !size || *size == 0) return FALSE;
    char host[256] = {0};
    if (gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
    size_t length = strnlen(host, 15);
    if (length + 1 > *size) length = *size - 1;
    std::memcpy(buffer, host, length);
    buffer[length] = '\0';
    *size = static_cast<DWORD>(length);
    return TRUE;
}

DWORD VolumeSerialFromMachineId(const std::string& text)
{
    std::string hex;
    for (char c : text) {
        if (c == '\n' || c == '\r' || c == ' ') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return 0;
        hex += c;
    }
    if (hex.size() != 32) return 0;
    DWORD serial = 0;
    for (int part = 0; part < 4; ++part)
        serial ^= static_cast<DWORD>(std::strtoul(hex.substr(static_cast<size_t>(part) * 8, 8).c_str(), nullptr, 16));
    return serial;
}

BOOL GetVolumeInformationA(const char*, char* volumeName, DWORD volumeNameSize, DWORD* serial,
                           DWORD* maxComponentLength, DWORD* fileSystemFlags, char* fileSystemName,
                           DWORD fileSystemNameSize)
{
    if (volumeName && volumeNameSize) volumeName[0] = '\0';
    if (fileSystemName && fileSystemNameSize) fileSystemName[0] = '\0';
    if (maxComponentLength) *maxComponentLength = 255;
    if (fileSystemFlags) *fileSystemFlags = 0;
    std::ifstream in("/etc/machine-id");
    std::string text;
    if (in) std::getline(in, text);
    DWORD value = VolumeSerialFromMachineId(text);
    if (serial) *serial = value;
    return value != 0 ? TRUE : FALSE;
}

UINT GetWindowsDirectoryA(char* buffer, UINT size)
{
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') return 0;
        base = std::string(home) + "/.config";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const std::string folder = base + "/velmonar";
    if (!MakePrivateFolder(folder)) return 0;
    if (!buffer || folder.size() + 1 > size) return 0;
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return static_cast<UINT>(folder.size());
}

BOOL SetCurrentDirectoryA(const char* path)
{
    return path && chdir(path) == 0 ? TRUE : FALSE;
}

BOOL CreateDirectoryA(const char* path, void*)
{
    return path && mkdir(path, 0755) == 0 ? TRUE : FALSE;
}

HANDLE FindFirstFileA(const char* path, WIN32_FIND_DATAA* data)
{
    struct stat info;
    if (!path || stat(path, &info) != 0) return INVALID_HANDLE_VALUE;
    if (data) {
        const char* name = std::strrchr(path, '/');
        name = name ? name + 1 : path;
        std::strncpy(data->cFileName, name, sizeof data->cFileName - 1);
        data->cFileName[sizeof data->cFileName - 1] = '\0';
    }
    return reinterpret_cast<HANDLE>(1);
}

BOOL FindClose(HANDLE handle)
{
    return handle != INVALID_HANDLE_VALUE ? TRUE : FALSE;
}

HINSTANCE ShellExecuteA(HWND, const char*, const char* file, const char* parameters, const char* directory,
                        int)
{
    if (!file || !*file) return ResultCode(2);
    const std::string target(file);
    int error;
    if (LooksLikeUrl(target)) {
        error = SpawnDetached({"xdg-open", target}, std::string(), true);
    } else {
        std::vector<std::string> argv;
        std::string program = target;
        const std::string dir = directory ? directory : "";
        if (program.find('/') == std::string::npos) program = "./" + program;
        argv.push_back(program);
        if (parameters && *parameters) {
            std::istringstream words(parameters);
            for (std::string w; words >> w;) argv.push_back(w);
        }
        error = SpawnDetached(argv, dir, false);
    }
    if (error == 0) return ResultCode(42);
    if (error == ENOENT || error == ENOTDIR) return ResultCode(2);
    if (error == EACCES || error == EPERM) return ResultCode(5);
    return ResultCode(31);
}
