// Atomic file replacement over POSIX calls: temporary file, fsync, rename.
#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace tess {

namespace {

// Closes the descriptor on every path out of a function.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports the close's own failure, which can carry a delayed write error.
    int Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

int WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// A link is followed to the file it names, so that saving keeps the link.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

// Devices and pipes are not files to protect; they are written in place.
int WriteInPlace(const std::string& path, std::string_view data) {
    FileHandle file(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0) return errno;
    if (const int error = WriteAll(file.get(), data)) return error;
    return file.Close();
}

// For a file that may be written in a folder that may not: no temporary file can stand
// beside it. The space is claimed before the old bytes are touched, so a full disk or a
// size limit refuses the save with the file still whole.
int OverwriteInPlace(const std::string& path, std::string_view data) {
    FileHandle file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0) return errno;
    const auto size = static_cast<off_t>(data.size());
    if (const int error = ::posix_fallocate(file.get(), 0, size); error != 0 && error != EOPNOTSUPP && error != EINVAL)
        return error;
    if (const int error = WriteAll(file.get(), data)) return error;
    if (::ftruncate(file.get(), size) != 0 || ::fsync(file.get()) != 0) return errno;
    return file.Close();
}

void SyncFolder(const std::string& folder) {
    FileHandle dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace

int ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes) {
    bytes.clear();
    // Looked at before it is opened, since opening a device may already do something;
    // and again once open, in case it was swapped in between.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0) return errno;
    if (::fstat(file.get(), &st) != 0) return errno;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    if (static_cast<std::uintmax_t>(st.st_size) > maxSize) return EFBIG;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return 0;
        // The file may grow while it is read.
        if (bytes.size() + static_cast<std::size_t>(n) > maxSize) return EFBIG;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

int WriteFileAtomically(const std::string& path, std::string_view data) {
    if (path.empty()) return ENOENT;
    if (path.find('\0') != std::string::npos) return EINVAL;
    const std::string target = ResolveTarget(path);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) return EISDIR;
        if (!S_ISREG(old.st_mode)) return WriteInPlace(target, data);
        // Renaming would replace even a read-only file; ask the file itself first.
        FileHandle probe(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        if (probe.get() < 0) return errno;
    }

    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.empty()) return EISDIR;

    static unsigned counter = 0;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + "/." + base.substr(0, 180) + "." + std::to_string(::getpid()) + "-" +
               std::to_string(++counter) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int error = errno;
        // The old file may be written where nothing may be created: as careful editors do.
        if (exists && error != EEXIST) return OverwriteInPlace(target, data);
        return error;
    }

    FileHandle file(fd);
    int error = 0;
    if (exists) ::fchmod(file.get(), old.st_mode & 07777);
    error = WriteAll(file.get(), data);
    if (error == 0 && ::fsync(file.get()) != 0) error = errno;
    const int closeError = file.Close();
    if (error == 0) error = closeError;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return error;
    }
    SyncFolder(folder);
    return 0;
}

}  // namespace tess
