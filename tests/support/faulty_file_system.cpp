#include "support/faulty_file_system.h"

#include <cerrno>
#include <string>

namespace kalvora::testing {

namespace {

// Forwards to the real handle, counting each call through the file system that opened it.
class FaultyHandle final : public core::FileHandle {
public:
    FaultyHandle(FaultyFileSystem& owner, std::unique_ptr<core::FileHandle> inner)
        : owner_(owner), inner_(std::move(inner)) {}

    std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        if (owner_.tick()) return -1;
        return inner_->readAt(offset, buffer, size);
    }
    int writeAt(std::uint64_t offset, const void* buffer, std::size_t size) override {
        if (owner_.tick()) return EIO;
        if (!owner_.corruptWrites || size == 0) return inner_->writeAt(offset, buffer, size);
        std::string bytes(static_cast<const char*>(buffer), size);
        bytes[0] = static_cast<char>(bytes[0] ^ 0x20);
        return inner_->writeAt(offset, bytes.data(), size);
    }
    int sync() override {
        const int error = owner_.tick() ? EIO : inner_->sync();
        return owner_.failEverySync ? EIO : error;
    }
    int truncate(std::uint64_t size) override { return owner_.tick() ? EIO : inner_->truncate(size); }
    std::int64_t size() override { return owner_.tick() ? -1 : inner_->size(); }
    int setPermissions(std::uint32_t mode, std::uint32_t owner, std::uint32_t group) override {
        return owner_.tick() ? EIO : inner_->setPermissions(mode, owner, group);
    }
    // A failed close still releases the descriptor (the inner handle's destructor does it),
    // as a real close does.
    int close() override {
        const int error = owner_.tick() ? EIO : inner_->close();
        return owner_.failEveryClose ? EIO : error;
    }

private:
    FaultyFileSystem& owner_;
    std::unique_ptr<core::FileHandle> inner_;
};

}  // namespace

bool FaultyFileSystem::tick() {
    const long calls = ++calls_;
    if (failAt_ <= 0) return false;
    return crash_ ? calls >= failAt_ : calls == failAt_;
}

int FaultyFileSystem::open(const std::string& path, core::OpenMode mode, std::unique_ptr<core::FileHandle>& out) {
    if (tick()) return EIO;
    std::unique_ptr<core::FileHandle> inner;
    const int error = inner_.open(path, mode, inner);
    if (error != 0) return error;
    out = std::make_unique<FaultyHandle>(*this, std::move(inner));
    return 0;
}

int FaultyFileSystem::rename(const std::string& from, const std::string& to) {
    return tick() ? EIO : inner_.rename(from, to);
}

int FaultyFileSystem::remove(const std::string& path) { return tick() ? EIO : inner_.remove(path); }

int FaultyFileSystem::makeDirectory(const std::string& path) {
    return tick() ? EIO : inner_.makeDirectory(path);
}

int FaultyFileSystem::removeDirectory(const std::string& path) {
    return tick() ? EIO : inner_.removeDirectory(path);
}

int FaultyFileSystem::syncDirectory(const std::string& path) {
    const int error = tick() ? EIO : inner_.syncDirectory(path);
    return failEverySync ? EIO : error;
}

int FaultyFileSystem::list(const std::string& folder, std::vector<core::DirEntry>& out) {
    if (tick()) {
        out.clear();
        return EIO;
    }
    return inner_.list(folder, out);
}

core::FileStat FaultyFileSystem::stat(const std::string& path) {
    return tick() ? core::FileStat{} : inner_.stat(path);
}

int FaultyFileSystem::readLink(const std::string& path, std::string& target) {
    return tick() ? EIO : inner_.readLink(path, target);
}

int FaultyFileSystem::setReadOnly(const std::string& path, bool readOnly) {
    return tick() ? EIO : inner_.setReadOnly(path, readOnly);
}

}  // namespace kalvora::testing
