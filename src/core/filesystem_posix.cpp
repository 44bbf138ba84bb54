#include "core/filesystem.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvora::core {

namespace {

class PosixHandle final : public FileHandle {
public:
    explicit PosixHandle(int fd) : fd_(fd) {}
    ~PosixHandle() override {
        if (fd_ >= 0)
            ::close(fd_);
    }

    std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        if (fd_ < 0)
            return -1;
        auto* out = static_cast<char*>(buffer);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return -1;
            }
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        return static_cast<std::int64_t>(done);
    }

    int writeAt(std::uint64_t offset, const void* buffer, std::size_t size) override {
        if (fd_ < 0)
            return EBADF;
        const auto* in = static_cast<const char*>(buffer);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(fd_, in + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            if (n == 0)
                return EIO;
            done += static_cast<std::size_t>(n);
        }
        return 0;
    }

    int sync() override {
        if (fd_ < 0)
            return EBADF;
        return ::fsync(fd_) == 0 ? 0 : errno;
    }

    int truncate(std::uint64_t size) override {
        if (fd_ < 0)
            return EBADF;
        return ::ftruncate(fd_, static_cast<off_t>(size)) == 0 ? 0 : errno;
    }

    std::int64_t size() override {
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0)
            return -1;
        return static_cast<std::int64_t>(st.st_size);
    }

    int setPermissions(std::uint32_t mode, std::uint32_t owner, std::uint32_t group) override {
        if (fd_ < 0)
            return EBADF;
        if ((owner != keepOwner || group != keepOwner) && ::fchown(fd_, owner, group) != 0) {
            if (errno != EPERM)
                return errno;
            // Only a privileged process may give a file away; the group alone may still be ours
            // to give. A set-id bit never goes with an owner other than the one it was set for.
            if (group != keepOwner && ::fchown(fd_, static_cast<uid_t>(-1), group) != 0 && errno != EPERM)
                return errno;
            mode &= ~static_cast<std::uint32_t>(S_ISUID | S_ISGID);
        }
        if (::fchmod(fd_, static_cast<mode_t>(mode & 07777)) == 0)
            return 0;
        // Some file systems (FAT, some network shares) hold no permission bits at all.
        return errno == EPERM || errno == ENOTSUP || errno == EOPNOTSUPP ? 0 : errno;
    }

    int close() override {
        if (fd_ < 0)
            return EBADF;
        const int fd = fd_;
        fd_ = -1;
        // The descriptor is gone whatever close says, so it is never closed twice.
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

class PosixFileSystem final : public FileSystem {
public:
    int open(const std::string& path, OpenMode mode, std::unique_ptr<FileHandle>& out) override {
        int flags = O_CLOEXEC;
        switch (mode) {
        case OpenMode::Read: flags |= O_RDONLY; break;
        case OpenMode::ReadWrite: flags |= O_RDWR | O_CREAT; break;
        case OpenMode::CreateExclusive: flags |= O_RDWR | O_CREAT | O_EXCL; break;
        }
        int fd;
        do {
            fd = ::open(path.c_str(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return errno;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            return EISDIR;
        }
        out = std::make_unique<PosixHandle>(fd);
        return 0;
    }

    int rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    int remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

    int makeDirectory(const std::string& path) override {
        return ::mkdir(path.c_str(), 0777) == 0 ? 0 : errno;
    }

    int removeDirectory(const std::string& path) override {
        return ::rmdir(path.c_str()) == 0 ? 0 : errno;
    }

    int syncDirectory(const std::string& path) override {
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        int result = ::fsync(fd) == 0 ? 0 : errno;
        // Some file systems cannot sync a folder; that is not a failed write.
        if (result == EINVAL || result == ENOTSUP)
            result = 0;
        ::close(fd);
        return result;
    }

    int list(const std::string& folder, std::vector<DirEntry>& out) override {
        out.clear();
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr)
            return errno;
        const int dirFd = ::dirfd(dir);
        errno = 0;
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name == "." || name == "..")
                continue;
            DirEntry entry;
            entry.name = name;
            entry.hidden = name.front() == '.';
            struct stat st {};
            if (::fstatat(dirFd, e->d_name, &st, 0) == 0) {
                entry.isDirectory = S_ISDIR(st.st_mode);
                entry.readOnly = (st.st_mode & S_IWUSR) == 0;
                entry.size = entry.isDirectory ? 0 : static_cast<std::uint64_t>(st.st_size);
            }
            out.push_back(std::move(entry));
            errno = 0;
        }
        const int error = errno;
        ::closedir(dir);
        return error;
    }

    FileStat stat(const std::string& path) override {
        FileStat result;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return result;
        result.exists = true;
        result.isDirectory = S_ISDIR(st.st_mode);
        result.readOnly = (st.st_mode & S_IWUSR) == 0;
        result.size = result.isDirectory ? 0 : static_cast<std::uint64_t>(st.st_size);
        result.mode = static_cast<std::uint32_t>(st.st_mode & 07777);
        result.owner = static_cast<std::uint32_t>(st.st_uid);
        result.group = static_cast<std::uint32_t>(st.st_gid);
        return result;
    }

    int readLink(const std::string& path, std::string& target) override {
        std::string buffer(256, '\0');
        for (;;) {
            const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
            if (n < 0)
                return errno;
            if (static_cast<std::size_t>(n) < buffer.size()) {
                buffer.resize(static_cast<std::size_t>(n));
                target = std::move(buffer);
                return 0;
            }
            if (buffer.size() >= (1u << 16))
                return ENAMETOOLONG;
            buffer.resize(buffer.size() * 2);
        }
    }

    int setReadOnly(const std::string& path, bool readOnly) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return errno;
        mode_t mode = st.st_mode & 07777;
        if (readOnly)
            mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
        else
            mode |= S_IWUSR;
        return ::chmod(path.c_str(), mode) == 0 ? 0 : errno;
    }
};

}  // namespace

FileSystem& realFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

}  // namespace kalvora::core
