#include "core/files.h"

#include "core/cp1252.h"
#include "core/text.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstring>
#include <functional>
#include <limits>
#include <mutex>
#include <csignal>
#include <unistd.h>

namespace kalvora::core {

namespace {

constexpr std::size_t blockSize = 1u << 20;

std::string joinComponent(const std::string& folder, std::string_view name) {
    if (folder.empty())
        return std::string(name);
    if (folder.back() == '/')
        return folder + std::string(name);
    return folder + "/" + std::string(name);
}

// "a//b/" -> "a/b"; the root stays "/".
std::string normalise(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '/' && !out.empty() && out.back() == '/')
            continue;
        out += c;
    }
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    return out;
}

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Letters, digits and '-' only (ASCII, whatever the locale), so a name can be split again.
bool isTagCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
}

// This machine's name as it appears in temporary names.
const std::string& hostTag() {
    static const std::string tag = [] {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
            return std::string("host");
        std::string out;
        for (const char* c = name; *c != '\0' && out.size() < 32; ++c)
            out += isTagCharacter(*c) ? *c : '-';
        return out;
    }();
    return tag;
}

// Temporaries are named <target>.~<host>-<pid>-<n>.tmp, so that the one who wrote a temporary
// can be told from its name.
std::string temporaryBeside(const std::string& target) {
    static std::atomic<unsigned long> counter{0};
    // A long name is shortened so that the temporary's name stays within the name limit.
    const std::size_t slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string stem = target.substr(0, nameStart + std::min<std::size_t>(target.size() - nameStart, 100));
    return stem + ".~" + hostTag() + "-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp";
}

struct TemporaryName {
    std::string_view host;
    long pid = 0;
};

// Splits "<digits>" off the end of `text` after its last '-'.
std::optional<long> numberAfterDash(std::string_view& text) {
    const std::size_t dash = text.rfind('-');
    const std::string_view digits = dash == std::string_view::npos ? std::string_view() : text.substr(dash + 1);
    if (digits.empty() || digits.size() > 18 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    text = text.substr(0, dash);
    return std::stol(std::string(digits));
}

std::optional<TemporaryName> parseTemporaryName(std::string_view name) {
    constexpr std::string_view suffix = ".tmp";
    const std::size_t mark = name.rfind(".~");
    if (name.size() < suffix.size() || name.substr(name.size() - suffix.size()) != suffix || mark == 0 ||
        mark == std::string_view::npos)
        return std::nullopt;
    std::string_view middle = name.substr(mark + 2, name.size() - suffix.size() - mark - 2);
    if (!numberAfterDash(middle))
        return std::nullopt;
    const std::optional<long> pid = numberAfterDash(middle);
    if (!pid || middle.empty() || !std::all_of(middle.begin(), middle.end(), isTagCharacter))
        return std::nullopt;
    return TemporaryName{middle, *pid};
}

// Removes the temporaries a crash left in `folder`. The folder may be shared with other
// instances of the program, on this machine or on others that reach it over the network, and
// one of them may be writing a temporary right now. So only a temporary named after this
// machine and a process that no longer runs here is removed: its writer can never rename it.
// Those of other machines are left to those machines. Failures are no concern of the write
// that calls this, so they are ignored.
void removeLeftoverTemporaries(FileSystem& fs, const std::string& folder) {
    std::vector<DirEntry> entries;
    if (fs.list(folder, entries) != 0)
        return;
    for (const DirEntry& e : entries) {
        const auto temp = parseTemporaryName(e.name);
        if (!temp || e.isDirectory || temp->host != hostTag() || temp->pid <= 0 ||
            temp->pid > std::numeric_limits<pid_t>::max() || temp->pid == ::getpid())
            continue;
        // No signal is sent with 0; EPERM means the process runs under another user.
        if (::kill(static_cast<pid_t>(temp->pid), 0) != 0 && errno == ESRCH)
            fs.remove(joinComponent(folder, e.name));
    }
}

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TextReader

TextReader::TextReader(std::string utf8) : text_(std::move(utf8)) {}

bool TextReader::atEnd() const { return pos_ >= text_.size(); }

namespace {

// Moves past one line end (CR LF, LF or a lone CR) when `pos` is at one.
std::size_t skipLineEnd(const std::string& text, std::size_t pos) {
    if (pos < text.size() && text[pos] == '\r') {
        ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    } else if (pos < text.size() && text[pos] == '\n') {
        ++pos;
    }
    return pos;
}

}  // namespace

std::optional<std::string> TextReader::readLine() {
    std::string line;
    if (!readLineInto(line))
        return std::nullopt;
    return line;
}

bool TextReader::readLineInto(std::string& out) {
    if (atEnd())
        return false;
    const std::size_t end = lineEnd(text_, pos_);
    out.assign(text_, pos_, end - pos_);
    pos_ = skipLineEnd(text_, end);
    return true;
}

std::optional<std::string> TextReader::readItem() {
    if (atEnd())
        return std::nullopt;
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;
    std::string value;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        // A quoted value runs to the closing quote (commas included) but never past its line.
        std::size_t end = pos_ + 1;
        while (end < text_.size() && text_[end] != '"' && !isLineEnd(text_[end]))
            ++end;
        value = text_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end < text_.size() && text_[end] == '"' ? end + 1 : end;
        // Whatever follows the closing quote up to the delimiter is dropped.
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
    } else {
        std::size_t end = pos_;
        while (end < text_.size() && text_[end] != ',' && !isLineEnd(text_[end]))
            ++end;
        value = trimRight(std::string_view(text_).substr(pos_, end - pos_));
        while (!value.empty() && value.back() == '\t')
            value.pop_back();
        pos_ = end;
    }
    if (pos_ < text_.size() && text_[pos_] == ',')
        ++pos_;
    else
        pos_ = skipLineEnd(text_, pos_);
    return value;
}

// ---------------------------------------------------------------------------------------------
// RecordFile

RecordFile::~RecordFile() {
    if (handle_)
        handle_->close();
}

std::uint64_t RecordFile::recordCount() {
    if (!handle_ || length_ == 0)
        return 0;
    const std::int64_t size = handle_->size();
    return size <= 0 ? 0 : static_cast<std::uint64_t>(size) / length_;
}

Record RecordFile::read(std::uint64_t number, int* error) {
    Record record(length_);
    if (error)
        *error = 0;
    if (!handle_ || number == 0 || length_ == 0 ||
        number - 1 > std::numeric_limits<std::uint64_t>::max() / length_) {
        if (error)
            *error = handle_ ? EINVAL : EBADF;
        return record;
    }
    const std::int64_t n = handle_->readAt((number - 1) * length_, record.bytes().data(), length_);
    if (n < 0) {
        record = Record(length_);
        if (error)
            *error = EIO;
    }
    return record;
}

int RecordFile::write(std::uint64_t number, const Record& record) {
    if (!handle_)
        return EBADF;
    if (number == 0 || length_ == 0 || number - 1 > std::numeric_limits<std::uint64_t>::max() / length_)
        return EINVAL;
    std::vector<std::uint8_t> bytes = record.bytes();
    bytes.resize(length_, 0);
    return handle_->writeAt((number - 1) * length_, bytes.data(), bytes.size());
}

int RecordFile::sync() { return handle_ ? handle_->sync() : EBADF; }

int RecordFile::close() {
    if (!handle_)
        return 0;
    const int result = handle_->close();
    handle_.reset();
    return result;
}

RecordReader::RecordReader(RecordFile& file, std::uint64_t first, std::uint64_t last, std::size_t blockBytes)
    : file_(file), number_(first == 0 ? 0 : first - 1), last_(last) {
    const std::size_t length = std::max<std::size_t>(file.recordLength(), 1);
    if (first == 0) last_ = 0;  // records count from 1
    // A size that cannot be read is an error, not an empty file: a rebuild reading nothing
    // would store zero totals.
    const std::int64_t size = file.handle_ ? file.handle_->size() : 0;
    if (size < 0) error_ = EIO;
    const std::uint64_t held = size <= 0 ? 0 : static_cast<std::uint64_t>(size) / length;
    if (last_ > held) last_ = held;
    // No larger than the records to read: a short archive does not cost a whole block.
    const std::uint64_t records = last_ > number_ ? last_ - number_ : 1;
    const std::uint64_t perBlock = std::max<std::size_t>(1, blockBytes / length);
    block_.resize(static_cast<std::size_t>(std::min(perBlock, records)) * length);
}

bool RecordReader::fill() {
    const std::size_t length = file_.recordLength();
    if (!file_.handle_ || length == 0) {
        error_ = EBADF;
        return false;
    }
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(last_ - number_, block_.size() / length)) * length;
    std::size_t got = 0;
    const std::uint64_t offset = number_ * length;
    while (got < wanted) {
        const std::int64_t n = file_.handle_->readAt(offset + got, block_.data() + got, wanted - got);
        if (n < 0) {
            error_ = EIO;
            break;
        }
        if (n == 0) break;  // the file shrank meanwhile
        got += static_cast<std::size_t>(n);
    }
    held_ = got / length * length;
    at_ = 0;
    return held_ != 0 && error_ == 0;
}

bool RecordReader::next() {
    if (number_ >= last_ || error_ != 0) return false;
    if (started_) at_ += file_.recordLength();
    started_ = true;
    if (at_ >= held_ && !fill()) {
        last_ = number_;
        return false;
    }
    ++number_;
    return true;
}

RecordWriter::~RecordWriter() {
    if (handle_) handle_->close();
}

int RecordWriter::flush() {
    if (error_ == 0 && !buffer_.empty()) {
        error_ = handle_->writeAt(offset_, buffer_.data(), buffer_.size());
        offset_ += buffer_.size();
    }
    buffer_.clear();
    return error_;
}

int RecordWriter::append(RecordView record) {
    if (!handle_) return EBADF;
    if (error_ != 0) return error_;
    const std::size_t n = std::min(record.length(), length_);
    buffer_.insert(buffer_.end(), record.data(), record.data() + n);
    buffer_.resize(buffer_.size() + (length_ - n), 0);
    ++written_;
    if (buffer_.size() >= (1u << 20)) return flush();
    return 0;
}

int RecordWriter::finish() {
    if (!handle_) return EBADF;
    int error = flush();
    if (error == 0) error = handle_->sync();
    const int closeError = handle_->close();
    handle_.reset();
    return error != 0 ? error : closeError;
}

// ---------------------------------------------------------------------------------------------
// Files

Files::Files(FileSystem& fs) : fs_(fs) {}

namespace {

// Resolves like Files::resolve, but reports a folder that exists and cannot be listed: a
// writer must not guess the spelling then, or it could create a second file beside the one
// it means to replace.
int resolvePath(FileSystem& fs, const std::string& p, std::string& out) {
    if (p.empty() || fs.stat(p).exists) {
        out = p;
        return 0;
    }
    const std::size_t slash = p.rfind('/');
    const std::string name = slash == std::string::npos ? p : p.substr(slash + 1);
    std::string folder;
    if (slash == 0) {
        folder = "/";
    } else if (slash != std::string::npos) {
        if (const int error = resolvePath(fs, p.substr(0, slash), folder); error != 0) {
            // What could be resolved, the rest as spelled: never an empty path.
            out = joinComponent(folder, name);
            return error;
        }
    }
    out = joinComponent(folder, name);
    if (name == "." || name == "..")
        return 0;
    std::vector<DirEntry> entries;
    const int error = fs.list(folder.empty() ? "." : folder, entries);
    if (error == ENOENT || error == ENOTDIR)
        return 0;  // the folder is missing too: the name stays as spelled
    if (error != 0)
        return error;
    // Several spellings of one name can coexist on this platform; pick one steadily.
    const DirEntry* best = nullptr;
    for (const DirEntry& e : entries)
        if (equalsIgnoreCase(e.name, name) && (best == nullptr || e.name < best->name))
            best = &e;
    if (best != nullptr)
        out = joinComponent(folder, best->name);
    return 0;
}

}  // namespace

std::string Files::resolve(std::string_view path) const {
    std::string out;
    resolvePath(fs_, normalise(path), out);
    return out;
}

FileStat Files::stat(std::string_view path) const { return fs_.stat(resolve(path)); }

bool Files::canOpen(std::string_view path) const {
    std::unique_ptr<FileHandle> handle;
    if (fs_.open(resolve(path), OpenMode::Read, handle) != 0)
        return false;
    handle->close();
    return true;
}

namespace {

// Reads up to `limit` bytes; `whole` asks for the whole file, which must then not be longer.
std::optional<std::string> readUpTo(FileSystem& fs, const std::string& path, std::size_t limit, bool whole) {
    std::unique_ptr<FileHandle> handle;
    if (fs.open(path, OpenMode::Read, handle) != 0)
        return std::nullopt;
    // Read straight into the result, sized to the file; a file that grows while being read
    // is followed in small steps. For a whole file one byte more than the limit is asked
    // for, so a longer file is told from one that just fits.
    const std::size_t cap = whole && limit < std::numeric_limits<std::size_t>::max() ? limit + 1 : limit;
    std::string bytes;
    const std::int64_t size = handle->size();
    if (whole && size > 0 && static_cast<std::uint64_t>(size) > limit) {
        handle->close();
        return std::nullopt;
    }
    const std::size_t expected =
        size > 0 ? static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(size), cap)) : 0;
    bytes.reserve(std::min(cap, expected + 4096));
    while (bytes.size() < cap) {
        const std::size_t have = bytes.size();
        const std::size_t chunk =
            std::min(cap - have, have < expected ? std::min(expected - have, blockSize) : std::size_t{4096});
        bytes.resize(have + chunk);
        const std::int64_t n = handle->readAt(have, bytes.data() + have, chunk);
        if (n < 0) {
            handle->close();
            return std::nullopt;
        }
        bytes.resize(have + static_cast<std::size_t>(n));
        if (n == 0)
            break;
    }
    handle->close();
    if (bytes.size() > limit)
        return std::nullopt;  // too large: never a silently cut file
    return bytes;
}

}  // namespace

std::optional<std::string> Files::readBytes(std::string_view path, std::size_t limit) const {
    return readUpTo(fs_, resolve(path), limit, true);
}

std::optional<std::string> Files::readPrefix(std::string_view path, std::size_t size) const {
    return readUpTo(fs_, resolve(path), size, false);
}

std::optional<TextReader> Files::openText(std::string_view path, std::size_t limit) const {
    auto bytes = readBytes(path, limit);
    if (!bytes)
        return std::nullopt;
    return TextReader(decodeCp1252(*bytes));
}

std::optional<std::vector<std::string>> Files::readLines(std::string_view path, std::size_t limit) const {
    auto bytes = readBytes(path, limit);
    if (!bytes)
        return std::nullopt;
    // Line ends are the same bytes before and after decoding, so the lines are cut from the
    // bytes and decoded one by one: a plain ASCII line, most of them, needs no decoding at all.
    TextReader raw(std::move(*bytes));
    std::vector<std::string> lines;
    while (auto line = raw.readLine()) {
        const bool ascii = std::all_of(line->begin(), line->end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        lines.push_back(ascii ? std::move(*line) : decodeCp1252(*line));
    }
    return lines;
}

namespace {

// The file a path names: symbolic links are followed, so that a rewrite replaces the file a
// link points at and the link stays a link. A path that is no link (or is missing) is itself.
int followLinks(FileSystem& fs, std::string path, std::string& out) {
    for (int hops = 0; hops < 40; ++hops) {
        std::string target;
        const int error = fs.readLink(path, target);
        if (error == EINVAL || error == ENOENT) {
            out = std::move(path);
            return 0;
        }
        if (error != 0)
            return error;
        if (target.empty())
            return ENOENT;
        path = normalise(target.front() == '/' ? target : joinComponent(parentOf(path), target));
    }
    return ELOOP;
}

// Writes a new version of `target` through a temporary beside it and renames it into place.
// `fill` writes the content into the temporary. The new file keeps the old one's permission
// bits and owner; `executable` adds execute bits (those of a copied program), each one where
// the file may be read. Any failure before the rename removes the temporary and leaves the
// target as it was.
int writeAtomically(FileSystem& fs, const std::string& path, const std::function<int(FileHandle&)>& fill,
                    const std::function<void(const std::string& folder)>& sweep, std::uint32_t executable = 0,
                    const std::function<int(const std::string& temp)>& check = {}) {
    std::string target;
    if (const int error = followLinks(fs, path, target); error != 0)
        return error;
    const FileStat existing = fs.stat(target);
    if (existing.isDirectory)
        return EISDIR;
    if (existing.exists && existing.readOnly)
        return EACCES;  // a read-only archive stays untouched, as the attribute promises
    sweep(parentOf(target));
    std::string temp;
    std::unique_ptr<FileHandle> handle;
    int error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        temp = temporaryBeside(target);
        error = fs.open(temp, OpenMode::CreateExclusive, handle);
    }
    if (error != 0)
        return error;
    // Permissions first, so the content is never readable by more than the old file's.
    const auto withExecutable = [&](std::uint32_t mode) { return mode | (executable & 0111 & ((mode & 0444) >> 2)); };
    if (existing.exists) {
        error = handle->setPermissions(withExecutable(existing.mode), existing.owner, existing.group);
    } else if ((executable & 0111) != 0) {
        const FileStat created = fs.stat(temp);
        error = created.exists ? handle->setPermissions(withExecutable(created.mode), keepOwner, keepOwner) : EIO;
    }
    if (error == 0)
        error = fill(*handle);
    if (error == 0)
        error = handle->sync();
    const int closeError = handle->close();
    if (error == 0)
        error = closeError;
    handle.reset();
    if (error == 0 && check)
        error = check(temp);
    if (error == 0)
        error = fs.rename(temp, target);
    if (error != 0) {
        fs.remove(temp);
        return error;
    }
    // The new file is in place; a folder that cannot be synced may still lose it on power
    // failure, so that is reported too.
    return fs.syncDirectory(parentOf(target));
}

int writeAll(FileHandle& handle, std::uint64_t offset, std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t n = std::min(blockSize, bytes.size());
        if (const int error = handle.writeAt(offset, bytes.data(), n); error != 0)
            return error;
        offset += n;
        bytes.remove_prefix(n);
    }
    return 0;
}

// A 64-bit checksum of a byte stream, the same however the stream is cut into blocks: a copy
// is compared with what was read from its source without holding either in memory.
class Checksum {
public:
    void add(const char* data, std::size_t n) {
        static_assert(std::endian::native == std::endian::little);  // words as bytes in order
        const auto* p = reinterpret_cast<const unsigned char*>(data);
        size_ += n;
        // First the rest of a word the previous block began.
        for (; fill_ != 0 && n != 0; --n) {
            word_ |= std::uint64_t{*p++} << (8 * fill_);
            if (++fill_ == 8) {
                mix(word_);
                word_ = 0;
                fill_ = 0;
            }
        }
        for (; n >= 8; p += 8, n -= 8) {
            std::uint64_t w;
            std::memcpy(&w, p, 8);
            mix(w);
        }
        for (; n != 0; --n)
            word_ |= std::uint64_t{*p++} << (8 * fill_++);
    }
    std::uint64_t value() const {
        std::uint64_t h = hash_ ^ (word_ * prime1) ^ size_;
        h ^= h >> 33;
        h *= prime2;
        return h ^ (h >> 29);
    }
    bool operator==(const Checksum& other) const { return size_ == other.size_ && value() == other.value(); }

private:
    static constexpr std::uint64_t prime1 = 0x9E3779B185EBCA87ull;
    static constexpr std::uint64_t prime2 = 0xC2B2AE3D27D4EB4Full;
    void mix(std::uint64_t w) { hash_ = std::rotl(hash_ ^ (w * prime1), 31) * prime2; }

    std::uint64_t hash_ = 0x27D4EB2F165667C5ull;
    std::uint64_t word_ = 0;
    unsigned fill_ = 0;
    std::uint64_t size_ = 0;
};

// A block no larger than the file needs (a record rewrite copies a few hundred bytes), one
// byte more so the end is seen in the first read; a file that grows meanwhile still goes in
// blocks of at least 4 KB.
std::string blockFor(FileHandle& source) {
    const std::int64_t size = source.size();
    const std::size_t needed = size < 0 ? blockSize : static_cast<std::size_t>(size) + 1;
    return std::string(std::clamp<std::size_t>(needed, 4096, blockSize), '\0');
}

// Streams the whole of `source` into `out` from offset 0; returns 0 or an error number and
// the count of bytes copied. `sum`, when given, takes every byte copied, and `progress` the
// count after each block.
int streamCopy(FileHandle& source, FileHandle& out, std::uint64_t& copied, Checksum* sum = nullptr,
               const std::function<void(std::uint64_t)>& progress = {}) {
    std::string block = blockFor(source);
    copied = 0;
    for (;;) {
        const std::int64_t n = source.readAt(copied, block.data(), block.size());
        if (n < 0)
            return EIO;
        if (n == 0)
            return 0;
        if (const int error = out.writeAt(copied, block.data(), static_cast<std::size_t>(n)); error != 0)
            return error;
        if (sum)
            sum->add(block.data(), static_cast<std::size_t>(n));
        copied += static_cast<std::uint64_t>(n);
        if (progress)
            progress(copied);
    }
}

// Reads a file back whole into a checksum; 0 or an error number.
int checksumOf(FileSystem& fs, const std::string& path, Checksum& sum) {
    std::unique_ptr<FileHandle> handle;
    if (const int error = fs.open(path, OpenMode::Read, handle); error != 0)
        return error;
    std::string block = blockFor(*handle);
    int error = 0;
    for (std::uint64_t offset = 0;;) {
        const std::int64_t n = handle->readAt(offset, block.data(), block.size());
        if (n <= 0) {
            error = n < 0 ? EIO : 0;
            break;
        }
        sum.add(block.data(), static_cast<std::size_t>(n));
        offset += static_cast<std::uint64_t>(n);
    }
    const int closeError = handle->close();
    return error != 0 ? error : closeError;
}

}  // namespace

std::function<void(const std::string&)> Files::sweep() {
    return [this](const std::string& folder) {
        std::lock_guard lock(sweptMutex_);
        if (swept_.insert(folder).second) removeLeftoverTemporaries(fs_, folder);
    };
}

int Files::replaceFile(std::string_view path, std::string_view bytes) {
    std::string target;
    if (const int error = resolvePath(fs_, normalise(path), target); error != 0)
        return error;
    return writeAtomically(fs_, target, [&](FileHandle& h) { return writeAll(h, 0, bytes); }, sweep());
}

int Files::writeLines(std::string_view path, const std::vector<std::string>& lines) {
    return replaceFile(path, encodeLines(lines));
}

int Files::copyFile(std::string_view from, std::string_view to, const CopyProgress& progress) {
    std::string target;
    if (const int error = resolvePath(fs_, normalise(to), target); error != 0)
        return error;
    const std::string sourcePath = resolve(from);
    std::unique_ptr<FileHandle> source;
    if (const int error = fs_.open(sourcePath, OpenMode::Read, source); error != 0)
        return error;
    const std::int64_t size = source->size();
    const std::uint64_t total = size < 0 ? 0 : static_cast<std::uint64_t>(size);
    Checksum copied;
    // A program copied from a download must still start: its execute bits go with it. The copy
    // is read back once it is on disk and takes the target's name only when it is the same as
    // what was read from the source.
    const int error = writeAtomically(
        fs_, target,
        [&](FileHandle& out) {
            std::uint64_t count = 0;
            return streamCopy(*source, out, count, &copied, [&](std::uint64_t done) {
                if (progress) progress(done, std::max(total, done));
            });
        },
        sweep(), fs_.stat(sourcePath).mode,
        [&](const std::string& temp) {
            Checksum written;
            const int e = checksumOf(fs_, temp, written);
            return e != 0 ? e : written == copied ? 0 : EIO;
        });
    source->close();
    return error;
}

int Files::replaceRecord(std::string_view path, std::size_t recordLength, std::uint64_t number,
                         const Record& record) {
    if (number == 0 || recordLength == 0 || number > std::numeric_limits<std::uint64_t>::max() / recordLength)
        return EINVAL;
    std::string target;
    if (const int error = resolvePath(fs_, normalise(path), target); error != 0)
        return error;
    std::unique_ptr<FileHandle> source;
    const int openError = fs_.open(target, OpenMode::Read, source);
    if (openError != 0 && openError != ENOENT)
        return openError;  // an unreadable file is not the same as a missing one
    std::string bytes(record.bytes().begin(), record.bytes().end());
    bytes.resize(recordLength, '\0');
    const std::uint64_t offset = (number - 1) * recordLength;
    const int error = writeAtomically(fs_, target, [&](FileHandle& out) {
        std::uint64_t copied = 0;
        if (source) {
            if (const int e = streamCopy(*source, out, copied); e != 0)
                return e;
        }
        if (copied < offset) {
            if (const int e = out.truncate(offset); e != 0)  // the gap reads as zero bytes
                return e;
        }
        return writeAll(out, offset, bytes);
    }, sweep());
    if (source)
        source->close();
    return error;
}

int Files::remove(std::string_view path) {
    const std::string target = resolve(path);
    if (const int error = fs_.remove(target); error != 0)
        return error;
    return fs_.syncDirectory(parentOf(target));  // as a write: the removal must last
}

int Files::makeDirectory(std::string_view path) {
    std::string target;
    if (const int error = resolvePath(fs_, normalise(path), target); error != 0)
        return error;
    const int error = fs_.makeDirectory(target);
    if (error == EEXIST && fs_.stat(target).isDirectory)
        return 0;
    return error != 0 ? error : fs_.syncDirectory(parentOf(target));
}

int Files::makeDirectories(std::string_view path) {
    std::string target;
    if (const int error = resolvePath(fs_, normalise(path), target); error != 0)
        return error;
    if (target.empty())
        return EINVAL;
    // Every prefix of the resolved path, shortest first; existing ones are left alone.
    for (std::size_t slash = target.find('/', 1);; slash = target.find('/', slash + 1)) {
        const std::string prefix = slash == std::string::npos ? target : target.substr(0, slash);
        const FileStat st = fs_.stat(prefix);
        if (!st.exists) {
            int error = fs_.makeDirectory(prefix);
            if (error == 0)
                error = fs_.syncDirectory(parentOf(prefix));
            if (error != 0 && !(error == EEXIST && fs_.stat(prefix).isDirectory))
                return error;
        } else if (!st.isDirectory) {
            return ENOTDIR;
        }
        if (slash == std::string::npos)
            return 0;
    }
}

int Files::list(std::string_view folder, std::vector<DirEntry>& out) const {
    out.clear();
    const int error = fs_.list(resolve(folder), out);
    if (error != 0) {
        out.clear();
        return error;
    }
    std::erase_if(out, [](const DirEntry& e) {
        return e.name == "." || e.name == ".." || parseTemporaryName(e.name).has_value();
    });
    return 0;
}

int Files::setReadOnly(std::string_view path, bool readOnly) {
    return fs_.setReadOnly(resolve(path), readOnly);
}

int Files::openRecords(std::string_view path, std::size_t recordLength, bool create, RecordFile& out) {
    out.close();
    if (recordLength == 0)
        return EINVAL;
    std::string target;
    if (const int error = resolvePath(fs_, normalise(path), target); error != 0)
        return error;
    const FileStat st = fs_.stat(target);
    if (!st.exists && !create)
        return ENOENT;
    if (st.isDirectory)
        return EISDIR;
    // A read-only file opens for reading only, so writes report the error instead of
    // changing a file the attribute protects.
    std::unique_ptr<FileHandle> handle;
    int error = EACCES;
    if (!st.readOnly)
        error = fs_.open(target, OpenMode::ReadWrite, handle);
    if ((error == EACCES || error == EROFS || error == EPERM) && st.exists)
        error = fs_.open(target, OpenMode::Read, handle);
    if (error != 0)
        return error;
    out.handle_ = std::move(handle);
    out.length_ = recordLength;
    return 0;
}

int Files::createRecords(std::string_view path, std::size_t recordLength, RecordWriter& out) {
    out = RecordWriter();
    if (recordLength == 0)
        return EINVAL;
    std::string target;
    if (const int error = resolvePath(fs_, normalise(path), target); error != 0)
        return error;
    if (fs_.stat(target).exists)
        if (const int error = fs_.remove(target); error != 0)
            return error;
    std::unique_ptr<FileHandle> handle;
    if (const int error = fs_.open(target, OpenMode::CreateExclusive, handle); error != 0)
        return error;
    out.handle_ = std::move(handle);
    out.length_ = recordLength;
    out.buffer_.reserve(1u << 20);
    return 0;
}

int Files::moveOver(std::string_view from, std::string_view to) {
    std::string source, target;
    if (const int error = resolvePath(fs_, normalise(from), source); error != 0)
        return error;
    if (const int error = resolvePath(fs_, normalise(to), target); error != 0)
        return error;
    if (const int error = fs_.rename(source, target); error != 0)
        return error;
    return fs_.syncDirectory(parentOf(target));
}

std::string encodeLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string out;
    out.reserve(size);  // encoding never lengthens a line
    for (const std::string& line : lines) {
        appendCp1252(out, line);
        out += "\r\n";
    }
    return out;
}

}  // namespace kalvora::core
