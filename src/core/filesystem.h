#pragma once
// The primitive disk operations. Everything the program does to the installation's files goes
// through core::Files, which calls these; tests wrap them to fail the k-th call or to stop
// after it, so every rewrite can be tried against every failure point. Paths are plain native
// paths, already resolved; errors are errno-style numbers (0 = success).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kalvora::core {

struct DirEntry {
    std::string name;
    bool isDirectory = false;
    bool readOnly = false;
    bool hidden = false;
    std::uint64_t size = 0;
};

struct FileStat {
    bool exists = false;
    bool isDirectory = false;
    bool readOnly = false;
    std::uint64_t size = 0;
    std::uint32_t mode = 0;  // permission bits (07777)
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
};

// An owner or group that setPermissions leaves as it is.
inline constexpr std::uint32_t keepOwner = ~0u;

class FileHandle {
public:
    virtual ~FileHandle() = default;
    // Reads up to `size` bytes at `offset`; returns how many were read (0 at the end), -1 on error.
    virtual std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t size) = 0;
    // Writes all `size` bytes at `offset`; returns 0 or an error number.
    virtual int writeAt(std::uint64_t offset, const void* buffer, std::size_t size) = 0;
    virtual int sync() = 0;
    virtual int truncate(std::uint64_t size) = 0;
    virtual std::int64_t size() = 0;
    // Gives the file these permission bits and, where the process may, this owner and group;
    // an owner it may not give is left (and then no set-id bit is given either).
    virtual int setPermissions(std::uint32_t mode, std::uint32_t owner, std::uint32_t group) = 0;
    virtual int close() = 0;
};

enum class OpenMode {
    Read,            // existing file, read only
    ReadWrite,       // existing file or created, not truncated (random-access records)
    CreateExclusive  // a new file that must not exist yet (temporaries)
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual int open(const std::string& path, OpenMode mode, std::unique_ptr<FileHandle>& out) = 0;
    virtual int rename(const std::string& from, const std::string& to) = 0;  // replaces `to`
    virtual int remove(const std::string& path) = 0;
    virtual int makeDirectory(const std::string& path) = 0;
    virtual int removeDirectory(const std::string& path) = 0;
    virtual int syncDirectory(const std::string& path) = 0;
    virtual int list(const std::string& folder, std::vector<DirEntry>& out) = 0;
    virtual FileStat stat(const std::string& path) = 0;  // follows symbolic links
    // The text of a symbolic link; EINVAL when the path is not one, ENOENT when it is missing.
    virtual int readLink(const std::string& path, std::string& target) = 0;
    virtual int setReadOnly(const std::string& path, bool readOnly) = 0;
};

// The real disk (POSIX).
FileSystem& realFileSystem();

}  // namespace kalvora::core
