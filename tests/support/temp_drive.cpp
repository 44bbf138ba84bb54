#include "support/temp_drive.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <algorithm>
#include <stdexcept>

namespace kalvora::testing {

namespace fs = std::filesystem;

TempDrive::TempDrive() {
    std::string pattern = (fs::temp_directory_path() / "kalvora-drive-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary drive under " + pattern);
    root_ = pattern;
}

TempDrive::~TempDrive() {
    std::error_code ec;
    // Tests may leave read-only files behind; make everything writable so the tree goes.
    for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

void TempDrive::makeInstallation(int companyCode) const {
    const core::Installation inst(root_);
    fs::create_directories(inst.folder());
    if (companyCode >= 0) fs::create_directories(inst.companyFolder(companyCode));
}

std::string TempDrive::path(std::string_view relativePath) const {
    return core::joinPath(root_, relativePath);
}

void TempDrive::write(std::string_view relativePath, std::string_view bytes) const {
    const fs::path p = path(relativePath);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + p.string());
}

std::string TempDrive::read(std::string_view relativePath) const {
    std::ifstream in(path(relativePath), std::ios::binary);
    if (!in)
        return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDrive::exists(std::string_view relativePath) const {
    std::error_code ec;
    return fs::exists(path(relativePath), ec);
}

std::vector<std::string> TempDrive::list(std::string_view relativeFolder) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = fs::directory_iterator(path(relativeFolder), ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

::testing::AssertionResult matchesGolden(std::string_view name, std::string_view bytes) {
    const fs::path file = fs::path(KALVORA_GOLDEN_DIR) / std::string(name);
    const char* update = std::getenv("KALVORA_UPDATE_GOLDEN");
    if (update != nullptr && std::string_view(update) == "1") {
        fs::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return ::testing::AssertionFailure() << "cannot write golden file " << file;
        return ::testing::AssertionSuccess() << "golden file " << file << " written";
    }
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return ::testing::AssertionFailure()
               << "golden file " << file << " missing (run with KALVORA_UPDATE_GOLDEN=1 to create it)";
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t common = std::min(expected.size(), bytes.size());
    std::size_t at = 0;
    while (at < common && expected[at] == bytes[at]) ++at;
    if (at == common && expected.size() == bytes.size()) return ::testing::AssertionSuccess();
    std::ostringstream why;
    why << "differs from golden file " << file << " at byte " << at << " (expected " << expected.size()
        << " bytes, got " << bytes.size() << ")";
    auto show = [at](std::string_view s) {
        const std::size_t from = at > 20 ? at - 20 : 0;
        std::string part(s.substr(std::min(from, s.size()), 40));
        for (char& c : part)
            if (c == '\r' || c == '\n') c = '|';
        return part;
    };
    why << "\n  expected: \"" << show(expected) << "\"\n  actual:   \"" << show(bytes) << "\"";
    return ::testing::AssertionFailure() << why.str();
}

}  // namespace kalvora::testing
