#pragma once
// A fresh drive root per test under the system temporary folder, removed afterwards, with the
// installation and company folders at hand.
#include "core/files.h"
#include "core/paths.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace kalvora::testing {

class TempDrive {
public:
    TempDrive();
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    const std::string& root() const { return root_; }
    core::Installation installation() const { return core::Installation(root_); }
    // Creates <root>/kalwin/kalwin (and the company folder when code >= 0).
    void makeInstallation(int companyCode = -1) const;

    // Direct access for arranging and checking, bypassing the file layer on purpose.
    void write(std::string_view relativePath, std::string_view bytes) const;
    std::string read(std::string_view relativePath) const;  // empty when missing
    bool exists(std::string_view relativePath) const;
    std::vector<std::string> list(std::string_view relativeFolder) const;  // sorted names
    std::string path(std::string_view relativePath) const;

private:
    std::string root_;
};

// Compares bytes with tests/golden/<name>; with KALVORA_UPDATE_GOLDEN=1 in the environment the
// golden file is (re)written instead. Reports the first differing offset on failure.
::testing::AssertionResult matchesGolden(std::string_view name, std::string_view bytes);

}  // namespace kalvora::testing
