#include "core/filesystem_memory.h"

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kalvora::core {

namespace {

constexpr std::size_t nameMax = 255;   // bytes of one component
constexpr std::size_t pathMax = 4096;  // bytes of a whole path, its end included

}  // namespace

struct MemoryFileSystem::Node {
    bool directory = false;
    std::string data;
    std::map<std::string, std::shared_ptr<Node>, std::less<>> children;  // found by string_view too
    Node* parent = nullptr;  // the root is its own parent
    std::uint32_t mode = 0;
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
};

namespace {

using Node = MemoryFileSystem::Node;

// A path taken apart: its components ("." dropped, ".." kept for the walk) and whether it
// ends with a slash, which asks for a folder.
struct Parts {
    std::vector<std::string_view> names;  // views into the path
    bool trailingSlash = false;
};

int split(const std::string& path, Parts& out) {
    out.names.clear();
    if (path.empty())
        return ENOENT;
    if (path.size() >= pathMax)
        return ENAMETOOLONG;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string_view name = std::string_view(path).substr(start, end - start);
        if (name.size() > nameMax)
            return ENAMETOOLONG;
        if (!name.empty() && name != ".")
            out.names.push_back(name);
        start = end + 1;
    }
    const std::string_view last = std::string_view(path).substr(path.rfind('/') + 1);
    out.trailingSlash = last.empty() || last == ".";
    return 0;
}

// Walks `names` from `root`; every component on the way must be a folder.
int walk(const std::shared_ptr<Node>& root, const std::vector<std::string_view>& names, std::size_t count,
         std::shared_ptr<Node>& out) {
    // The owners of the folders passed, so ".." can climb back; nothing changes the tree meanwhile.
    // Kept from call to call, as the parts are: a look-up allocates nothing once warm.
    thread_local std::vector<const std::shared_ptr<Node>*> trail;
    trail.clear();
    const std::shared_ptr<Node>* node = &root;
    for (std::size_t i = 0; i < count; ++i) {
        if (!(*node)->directory)
            return ENOTDIR;
        if (names[i] == "..") {
            if (!trail.empty()) {  // above the root is the root
                node = trail.back();
                trail.pop_back();
            }
            continue;
        }
        const auto it = (*node)->children.find(names[i]);
        if (it == (*node)->children.end())
            return ENOENT;
        trail.push_back(node);
        node = &it->second;
    }
    out = *node;
    return 0;
}

class MemoryHandle final : public FileHandle {
public:
    MemoryHandle(std::shared_ptr<Node> node, bool writable) : node_(std::move(node)), writable_(writable) {}

    std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        if (!node_)
            return -1;
        const std::string& data = node_->data;
        if (offset >= data.size())
            return 0;
        const std::size_t n = std::min<std::size_t>(size, data.size() - offset);
        data.copy(static_cast<char*>(buffer), n, offset);
        return static_cast<std::int64_t>(n);
    }

    int writeAt(std::uint64_t offset, const void* buffer, std::size_t size) override {
        if (!node_ || !writable_)
            return EBADF;
        if (offset > maxSize || size > maxSize - offset)
            return EFBIG;
        std::string& data = node_->data;
        if (offset > data.size())
            data.resize(offset, '\0');  // a gap reads as zero bytes
        const std::size_t inside = std::min<std::size_t>(size, data.size() - offset);
        data.replace(offset, inside, static_cast<const char*>(buffer), inside);
        data.append(static_cast<const char*>(buffer) + inside, size - inside);
        return 0;
    }

    int sync() override { return node_ ? 0 : EBADF; }

    int truncate(std::uint64_t size) override {
        if (!node_)
            return EBADF;
        if (!writable_)
            return EINVAL;
        if (size > maxSize)
            return EFBIG;
        node_->data.resize(size, '\0');
        return 0;
    }

    std::int64_t size() override { return node_ ? static_cast<std::int64_t>(node_->data.size()) : -1; }

    int setPermissions(std::uint32_t mode, std::uint32_t owner, std::uint32_t group) override {
        if (!node_)
            return EBADF;
        if (owner != keepOwner)
            node_->owner = owner;
        if (group != keepOwner)
            node_->group = group;
        node_->mode = mode & 07777;
        return 0;
    }

    int close() override {
        if (!node_)
            return EBADF;
        node_.reset();
        return 0;
    }

private:
    static constexpr std::uint64_t maxSize = 1ull << 32;  // nothing in memory grows past this
    std::shared_ptr<Node> node_;
    bool writable_;
};

}  // namespace

MemoryFileSystem::MemoryFileSystem()
    : root_(std::make_shared<Node>()),
      privileged_(::geteuid() == 0),
      uid_(static_cast<std::uint32_t>(::geteuid())),
      gid_(static_cast<std::uint32_t>(::getegid())) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    umask_ = static_cast<std::uint32_t>(mask);
    root_->directory = true;
    root_->parent = root_.get();
    root_->mode = 0755;
    root_->owner = uid_;
    root_->group = gid_;
}

MemoryFileSystem::~MemoryFileSystem() = default;

int MemoryFileSystem::find(const std::string& path, std::shared_ptr<Node>& out) const {
    thread_local Parts parts;
    if (const int error = split(path, parts); error != 0)
        return error;
    if (const int error = walk(root_, parts.names, parts.names.size(), out); error != 0)
        return error;
    return parts.trailingSlash && !out->directory ? ENOTDIR : 0;
}

int MemoryFileSystem::parentOf(const std::string& path, std::shared_ptr<Node>& folder, std::string& name) const {
    thread_local Parts parts;
    if (const int error = split(path, parts); error != 0)
        return error;
    if (parts.names.empty() || parts.names.back() == "..")
        return EBUSY;  // the root, or a name that is no entry of its own
    if (const int error = walk(root_, parts.names, parts.names.size() - 1, folder); error != 0)
        return error;
    if (!folder->directory)
        return ENOTDIR;
    name = std::string(parts.names.back());
    if (parts.trailingSlash) {
        const auto it = folder->children.find(name);
        if (it != folder->children.end() && !it->second->directory)
            return ENOTDIR;
    }
    return 0;
}

int MemoryFileSystem::entryOf(const std::string& path, std::shared_ptr<Node>& folder, std::string& name,
                              std::shared_ptr<Node>& node) const {
    if (const int error = parentOf(path, folder, name); error != 0)
        return error;
    const auto it = folder->children.find(name);
    if (it == folder->children.end())
        return ENOENT;
    node = it->second;
    return 0;
}

int MemoryFileSystem::open(const std::string& path, OpenMode mode, std::unique_ptr<FileHandle>& out) {
    std::shared_ptr<Node> folder;
    std::string name;
    int error = parentOf(path, folder, name);
    if (error == EBUSY)  // the root or a "..": a folder
        return find(path, folder) == 0 ? (mode == OpenMode::CreateExclusive ? EEXIST : EISDIR) : ENOENT;
    if (error != 0)
        return error;
    const auto it = folder->children.find(name);
    if (it != folder->children.end()) {
        const std::shared_ptr<Node>& node = it->second;
        if (mode == OpenMode::CreateExclusive)
            return EEXIST;
        if (node->directory)
            return EISDIR;
        if (mode == OpenMode::ReadWrite && !privileged_ && (node->mode & S_IWUSR) == 0)
            return EACCES;
        out = std::make_unique<MemoryHandle>(node, mode != OpenMode::Read);
        return 0;
    }
    if (mode == OpenMode::Read)
        return ENOENT;
    if (path.back() == '/')
        return EISDIR;  // a new name with a slash would be a folder
    auto node = std::make_shared<Node>();
    node->parent = folder.get();
    node->mode = 0666 & ~umask_;
    node->owner = uid_;
    node->group = gid_;
    folder->children.emplace(name, node);
    out = std::make_unique<MemoryHandle>(std::move(node), true);
    return 0;
}

int MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    std::shared_ptr<Node> fromFolder;
    std::shared_ptr<Node> toFolder;
    std::shared_ptr<Node> node;
    std::string fromName;
    std::string toName;
    if (const int error = entryOf(from, fromFolder, fromName, node); error != 0)
        return error;
    if (const int error = parentOf(to, toFolder, toName); error != 0)
        return error;
    if (!node->directory && (from.back() == '/' || to.back() == '/'))
        return ENOTDIR;
    // A folder cannot move inside itself.
    for (const Node* up = toFolder.get();; up = up->parent) {
        if (up == node.get())
            return EINVAL;
        if (up->parent == up)
            break;
    }
    const auto target = toFolder->children.find(toName);
    if (target != toFolder->children.end()) {
        const std::shared_ptr<Node>& old = target->second;
        if (old == node)
            return 0;
        if (node->directory && !old->directory)
            return ENOTDIR;
        if (!node->directory && old->directory)
            return EISDIR;
        if (old->directory && !old->children.empty())
            return ENOTEMPTY;
    }
    fromFolder->children.erase(fromName);
    node->parent = toFolder.get();
    toFolder->children[toName] = node;
    return 0;
}

int MemoryFileSystem::remove(const std::string& path) {
    std::shared_ptr<Node> folder;
    std::shared_ptr<Node> node;
    std::string name;
    if (const int error = entryOf(path, folder, name, node); error != 0)
        return error == EBUSY ? EISDIR : error;
    if (node->directory)
        return EISDIR;
    folder->children.erase(name);
    return 0;
}

int MemoryFileSystem::makeDirectory(const std::string& path) {
    std::shared_ptr<Node> folder;
    std::string name;
    if (const int error = parentOf(path, folder, name); error != 0) {
        std::shared_ptr<Node> existing;
        return error == EBUSY && find(path, existing) == 0 ? EEXIST : error;
    }
    if (folder->children.count(name) != 0)
        return EEXIST;
    auto node = std::make_shared<Node>();
    node->directory = true;
    node->parent = folder.get();
    node->mode = 0777 & ~umask_;
    node->owner = uid_;
    node->group = gid_;
    folder->children.emplace(name, std::move(node));
    return 0;
}

int MemoryFileSystem::removeDirectory(const std::string& path) {
    std::shared_ptr<Node> folder;
    std::shared_ptr<Node> node;
    std::string name;
    if (const int error = entryOf(path, folder, name, node); error != 0)
        return error;
    if (!node->directory)
        return ENOTDIR;
    if (!node->children.empty())
        return ENOTEMPTY;
    folder->children.erase(name);
    return 0;
}

int MemoryFileSystem::syncDirectory(const std::string& path) {
    std::shared_ptr<Node> node;
    if (const int error = find(path, node); error != 0)
        return error;
    return node->directory ? 0 : ENOTDIR;
}

int MemoryFileSystem::list(const std::string& folder, std::vector<DirEntry>& out) {
    out.clear();
    std::shared_ptr<Node> node;
    if (const int error = find(folder, node); error != 0)
        return error;
    if (!node->directory)
        return ENOTDIR;
    out.reserve(node->children.size());
    for (const auto& [name, child] : node->children) {
        DirEntry entry;
        entry.name = name;
        entry.isDirectory = child->directory;
        entry.readOnly = (child->mode & S_IWUSR) == 0;
        entry.hidden = name.front() == '.';
        entry.size = child->directory ? 0 : child->data.size();
        out.push_back(std::move(entry));
    }
    return 0;
}

FileStat MemoryFileSystem::stat(const std::string& path) {
    FileStat result;
    std::shared_ptr<Node> node;
    if (find(path, node) != 0)
        return result;
    result.exists = true;
    result.isDirectory = node->directory;
    result.readOnly = (node->mode & S_IWUSR) == 0;
    result.size = node->directory ? 0 : node->data.size();
    result.mode = node->mode;
    result.owner = node->owner;
    result.group = node->group;
    return result;
}

int MemoryFileSystem::readLink(const std::string& path, std::string&) {
    std::shared_ptr<Node> node;
    const int error = find(path, node);
    return error != 0 ? error : EINVAL;  // it exists and, as everything here, is no link
}

int MemoryFileSystem::setReadOnly(const std::string& path, bool readOnly) {
    std::shared_ptr<Node> node;
    if (const int error = find(path, node); error != 0)
        return error;
    if (readOnly)
        node->mode &= ~static_cast<std::uint32_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        node->mode |= S_IWUSR;
    return 0;
}

}  // namespace kalvora::core
