#pragma once
// A file system held in memory, for the fuzz targets and for tests that need no real disk. It
// behaves as the real one does for every operation the program uses: exact, case-sensitive
// names (matching names without regard to case is Files' work), the same error numbers, open
// handles that outlive a rename or a removal of their file, and write permission refused on a
// read-only file unless the process is privileged, as the real disk does. Symbolic links are
// not held. Paths are absolute; a relative one is taken from the root. One thread at a time.
#include "core/filesystem.h"

#include <map>
#include <memory>
#include <string>

namespace kalvora::core {

class MemoryFileSystem final : public FileSystem {
public:
    MemoryFileSystem();
    ~MemoryFileSystem() override;

    int open(const std::string& path, OpenMode mode, std::unique_ptr<FileHandle>& out) override;
    int rename(const std::string& from, const std::string& to) override;
    int remove(const std::string& path) override;
    int makeDirectory(const std::string& path) override;
    int removeDirectory(const std::string& path) override;
    int syncDirectory(const std::string& path) override;
    int list(const std::string& folder, std::vector<DirEntry>& out) override;
    FileStat stat(const std::string& path) override;
    int readLink(const std::string& path, std::string& target) override;
    int setReadOnly(const std::string& path, bool readOnly) override;

    struct Node;

private:
    // The folder that holds the last component of `path`, and that component; an error
    // number when a folder on the way is missing or is a file.
    int parentOf(const std::string& path, std::shared_ptr<Node>& folder, std::string& name) const;
    int find(const std::string& path, std::shared_ptr<Node>& out) const;
    // The entry `path` names: its folder, its name there and itself; ENOENT when there is none.
    int entryOf(const std::string& path, std::shared_ptr<Node>& folder, std::string& name,
                std::shared_ptr<Node>& node) const;

    std::shared_ptr<Node> root_;
    bool privileged_;
    std::uint32_t uid_;
    std::uint32_t gid_;
    std::uint32_t umask_;
};

}  // namespace kalvora::core
