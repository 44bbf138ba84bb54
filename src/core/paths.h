#pragma once
// Where the installation lives. On Linux the drive root is the user's home directory; the
// installation folder is kalwin/kalwin below it, one folder per company inside.
#include <string>
#include <string_view>

namespace kalvora::core {

class Installation {
public:
    // Drive root from HOME (falls back to the current directory when HOME is unset).
    static Installation fromEnvironment();
    explicit Installation(std::string driveRoot);

    const std::string& driveRoot() const { return root_; }
    std::string downloadFolder() const;  // <root>/kalwin
    std::string folder() const;          // <root>/kalwin/kalwin
    std::string file(std::string_view name) const;  // a file of the installation folder
    std::string companyFolder(int code) const;      // <root>/kalwin/kalwin/kalaz0.NNN
    std::string companyFile(int code, std::string_view name) const;
    std::string noticeFile() const;                 // <root>/kalwin/kalvora.bnn
    std::string pdfFolder() const;                  // <root>/kalwin/PDF (KALWIN\PDF on a case-blind disk)

    // The maker's web site from which the daily notice is fetched (path "/zip/kalbnn.x").
    const std::string& siteAddress() const { return site_; }
    void setSiteAddress(std::string address) { site_ = std::move(address); }

private:
    std::string root_;
    std::string site_ = "http://www.kalvora.it";
};

// Joins with '/', never doubling it.
std::string joinPath(std::string_view folder, std::string_view name);

}  // namespace kalvora::core
