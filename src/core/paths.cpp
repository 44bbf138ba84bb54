#include "core/paths.h"

#include "core/text.h"

#include <cstdlib>
#include <unistd.h>

namespace kalvora::core {

Installation Installation::fromEnvironment() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return Installation(home);
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) != nullptr)
        return Installation(buffer);
    return Installation(".");
}

Installation::Installation(std::string driveRoot) : root_(std::move(driveRoot)) {}

std::string Installation::downloadFolder() const { return joinPath(root_, "kalwin"); }
std::string Installation::folder() const { return joinPath(downloadFolder(), "kalwin"); }
std::string Installation::file(std::string_view name) const { return joinPath(folder(), name); }

std::string Installation::companyFolder(int code) const {
    return joinPath(folder(), "kalaz0." + threeDigits(code));
}

std::string Installation::companyFile(int code, std::string_view name) const {
    return joinPath(companyFolder(code), name);
}

std::string Installation::noticeFile() const { return joinPath(downloadFolder(), "kalvora.bnn"); }
// The folder KALWIN\PDF of the old platform lies in the same folder as kalwin on a case-blind disk:
// spelled like the installation it stays one folder here too, even when made before the installation.
std::string Installation::pdfFolder() const { return joinPath(downloadFolder(), "PDF"); }

std::string joinPath(std::string_view folder, std::string_view name) {
    if (folder.empty())
        return std::string(name);
    std::string out(folder);
    while (!name.empty() && name.front() == '/')
        name.remove_prefix(1);
    if (out.back() != '/')
        out += '/';
    out += name;
    return out;
}

}  // namespace kalvora::core
