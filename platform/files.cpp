#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadLimitedLine(std::istream& in, std::string& line, size_t maxChars)
{
    std::string whole;
    if (!std::getline(in, whole)) return false;
    if (!whole.empty() && whole.back() == '\r') whole.pop_back();
    if (whole.size() > maxChars) whole.resize(maxChars);
    line = whole;
    return true;
}

namespace {

// Closes the descriptor when the holder goes out of scope.
struct Descriptor {
    int fd;
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor()
    {
        if (fd >= 0) close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes the temporary file and flushes it to the disk. A private file is
// made new with mode 0600 whatever the umask, never through a link.
bool WriteAndSync(const std::string& temp, const std::string& bytes, bool privateFile = false)
{
    if (privateFile) unlink(temp.c_str());  // a stale file of an earlier run; a folder stays and fails below
    const int flags = privateFile ? O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC
                                  : O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    Descriptor out(open(temp.c_str(), flags, privateFile ? 0600 : 0666));
    if (out.fd < 0) return false;
    if (privateFile && fchmod(out.fd, 0600) != 0) return false;
    const bool written = WriteAll(out.fd, bytes) && fsync(out.fd) == 0;
    const int fd = out.fd;
    out.fd = -1;
    return close(fd) == 0 && written;
}

// Makes the rename itself durable. A file system that cannot flush folders
// (EINVAL) has nothing more to do.
bool SyncFolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    Descriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd < 0) return false;
    return fsync(dir.fd) == 0 || errno == EINVAL;
}

bool ReplaceFile(const std::string& path, const std::string& bytes, bool privateFile)
{
    const std::string temp = path + ".tmp";
    if (!WriteAndSync(temp, bytes, privateFile) || std::rename(temp.c_str(), path.c_str()) != 0) {
        // Only our own temporary file goes: a folder in its way stays.
        struct stat info;
        if (lstat(temp.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(temp.c_str());
        return false;
    }
    return SyncFolderOf(path);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    return ReplaceFile(path, bytes, false);
}

bool WritePrivateFileAtomically(const std::string& path, const std::string& bytes)
{
    return ReplaceFile(path, bytes, true);
}

FileRead ReadWholeFileBytes(const std::string& path, std::string& bytes, size_t maxBytes)
{
    bytes.clear();
    // Non-blocking, so that a pipe without a writer cannot hold the caller.
    Descriptor in(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info;
    if (in.fd < 0 || fstat(in.fd, &info) != 0 || !S_ISREG(info.st_mode)) return FileRead::Failed;
    if (info.st_size > 0 && static_cast<unsigned long long>(info.st_size) > maxBytes) return FileRead::TooLarge;

    // The size may change while reading: read up to the end, whatever it is.
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(in.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            bytes.clear();
            return FileRead::Failed;
        }
        if (n == 0) return FileRead::Read;
        if (static_cast<size_t>(n) > maxBytes - bytes.size()) {
            bytes.clear();
            return FileRead::TooLarge;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

bool FileExists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
