#pragma once
// The one door to the disk for the installation's files. Text files are Windows-1252 on disk
// and UTF-8 in memory; lines end with CR LF on write, CR LF or LF on read. Whole-file rewrites
// are atomic: a temporary in the same folder, fsync, rename over the target, fsync the folder.
// Every path is resolved case-insensitively, component by component, before use.
#include "core/filesystem.h"
#include "core/record.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::core {

// Sequential reading of decoded text, as the old line and item inputs did.
class TextReader {
public:
    explicit TextReader(std::string utf8 = {});
    // The next whole line (spaces and commas kept), without its CR LF or LF.
    std::optional<std::string> readLine();
    // The same into `out`, reusing its room; false (and `out` untouched) at the end.
    bool readLineInto(std::string& out);
    // The next delimited item: leading blanks skipped; a value in double quotes loses them;
    // otherwise it ends at a comma or the end of the line (trailing blanks dropped).
    std::optional<std::string> readItem();
    bool atEnd() const;

private:
    std::string text_;
    std::size_t pos_ = 0;
};

class Files;

// Random access to a file of fixed-length records, numbered from 1.
class RecordFile {
public:
    RecordFile() = default;
    RecordFile(RecordFile&&) noexcept = default;
    RecordFile& operator=(RecordFile&&) noexcept = default;
    ~RecordFile();

    bool isOpen() const { return handle_ != nullptr; }
    std::size_t recordLength() const { return length_; }
    std::uint64_t recordCount();
    // A record past the end reads as blank (all zero bytes); a read error too, with `error` set.
    Record read(std::uint64_t number, int* error = nullptr);
    int write(std::uint64_t number, const Record& record);
    int sync();
    int close();

private:
    friend class Files;
    friend class RecordReader;
    std::unique_ptr<FileHandle> handle_;
    std::size_t length_ = 0;
};

// Streams records first..last of a record file front to back in large blocks. It stops at
// the last whole record the file holds, or at a read error (error() says which).
class RecordReader {
public:
    static constexpr std::size_t defaultBlock = 1u << 20;

    RecordReader(RecordFile& file, std::uint64_t first, std::uint64_t last, std::size_t blockBytes = defaultBlock);

    // Moves to the next record; false at the end.
    bool next();
    RecordView record() const { return {block_.data() + at_, file_.recordLength()}; }
    std::uint64_t number() const { return number_; }
    int error() const { return error_; }

private:
    bool fill();

    RecordFile& file_;
    std::uint64_t number_;  // the record last returned
    std::uint64_t last_;
    std::vector<std::uint8_t> block_;
    std::size_t at_ = 0;
    std::size_t held_ = 0;  // bytes of whole records in block_
    bool started_ = false;
    int error_ = 0;
};

// A new record file written front to back in large blocks under the name it was created
// with. finish() writes what is buffered, syncs and closes it: only then is it whole.
class RecordWriter {
public:
    RecordWriter() = default;
    RecordWriter(RecordWriter&&) noexcept = default;
    RecordWriter& operator=(RecordWriter&&) noexcept = default;
    ~RecordWriter();

    std::size_t recordLength() const { return length_; }
    std::uint64_t written() const { return written_; }
    // Adds one record (cut or padded with zero bytes to the record length).
    int append(RecordView record);
    int append(const Record& record) { return append(record.view()); }
    int finish();

private:
    friend class Files;
    int flush();

    std::unique_ptr<FileHandle> handle_;
    std::size_t length_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t offset_ = 0;
    std::uint64_t written_ = 0;
    int error_ = 0;
};

class Files {
public:
    static constexpr std::size_t defaultReadLimit = 64u << 20;

    explicit Files(FileSystem& fs = realFileSystem());
    FileSystem& fileSystem() { return fs_; }

    // Each component by its exact name when it exists, else by a case-insensitive match in its
    // folder, else as spelled (so a new file gets the name the code gives it).
    std::string resolve(std::string_view path) const;

    FileStat stat(std::string_view path) const;
    bool exists(std::string_view path) const { return stat(path).exists; }
    bool isDirectory(std::string_view path) const { return stat(path).isDirectory; }
    // True when the file can be opened for reading.
    bool canOpen(std::string_view path) const;

    // The raw bytes of the whole file; nullopt when it cannot be read or is longer than `limit`
    // (a file too large is never cut short without a word).
    std::optional<std::string> readBytes(std::string_view path, std::size_t limit = defaultReadLimit) const;
    // The first `size` bytes of a file (fewer when it is shorter); nullopt when unreadable.
    std::optional<std::string> readPrefix(std::string_view path, std::size_t size) const;
    // Decoded text for line and item input; nullopt as for readBytes.
    std::optional<TextReader> openText(std::string_view path, std::size_t limit = defaultReadLimit) const;
    // Every line, decoded; a last line without line end counts; nullopt as for readBytes.
    std::optional<std::vector<std::string>> readLines(std::string_view path,
                                                      std::size_t limit = defaultReadLimit) const;

    // Atomic whole-file rewrites. Return 0 or an error number; on error the old file is intact
    // and no temporary is left behind. A symbolic link is followed: the file it names is
    // replaced and keeps its permission bits and, where the process may set it, its owner.
    // Each write also removes the temporaries a crashed run left in its folder.
    int replaceFile(std::string_view path, std::string_view bytes);
    // Each line encoded to Windows-1252 and followed by CR LF.
    int writeLines(std::string_view path, const std::vector<std::string>& lines);
    // Copies `from` over `to` through a temporary beside `to`, streaming in large blocks; the
    // copy takes the source's execute bits. The copy is flushed, read back and compared with
    // what was read from the source (size and checksum) before it takes the name `to`: 0 means
    // the whole file is there, anything else leaves `to` as it was. `progress` hears the bytes
    // copied so far and the file's size after each block.
    using CopyProgress = std::function<void(std::uint64_t copied, std::uint64_t total)>;
    int copyFile(std::string_view from, std::string_view to, const CopyProgress& progress = {});
    // Rewrites record `number` of a random-access file atomically, keeping the other bytes
    // (a missing file is created, a short one extended with zero bytes).
    int replaceRecord(std::string_view path, std::size_t recordLength, std::uint64_t number,
                      const Record& record);

    // These sync the parent folder as writes do; a failed sync is a failure.
    int remove(std::string_view path);
    int makeDirectory(std::string_view path);      // 0 also when it already exists
    int makeDirectories(std::string_view path);    // with every missing parent
    // The entries of a folder, without the program's own temporaries (a write in progress or
    // left by a crash), which are never anybody's data: copies and backups never take them.
    int list(std::string_view folder, std::vector<DirEntry>& out) const;
    int setReadOnly(std::string_view path, bool readOnly);

    // Opens for random access; `create` makes the file when missing.
    int openRecords(std::string_view path, std::size_t recordLength, bool create, RecordFile& out);
    // Starts a new record file at `path`, replacing a file left there by an earlier attempt.
    // It is meant to be staged beside the file it will replace and moved over it afterwards.
    int createRecords(std::string_view path, std::size_t recordLength, RecordWriter& out);
    // Moves a whole, synced file over `to` in one step (the old `to` or the new, never a mix)
    // and syncs the folder; 0 or an error number, `from` left in place on error.
    int moveOver(std::string_view from, std::string_view to);

private:
    // Removes the temporaries a crash left in a folder, at the first write to that folder in
    // this run: once is enough, and a copy loop does not list the folder it fills at every file.
    std::function<void(const std::string& folder)> sweep();

    FileSystem& fs_;
    std::mutex sweptMutex_;
    std::set<std::string> swept_;
};

// Encodes lines the way writeLines stores them (Windows-1252, CR LF after each).
std::string encodeLines(const std::vector<std::string>& lines);

}  // namespace kalvora::core
