#pragma once
// The drive and folder chooser of the windows that pick where to read or write (backup, restore,
// import, e-invoice folders). The drives are the file systems the user can reach: the home
// folder first, then removable media, then network shares. The folder list shows the current
// folder's sub-folders, with ".." first below the drive's root.
#include "core/files.h"
#include "core/platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvora::core {

class Session;

enum class DriveKind { Home, Removable, Network };

struct Drive {
    std::string label;  // what the drive list shows: the home path or the mount point
    std::string root;   // the folder browsing starts at and never goes above
    DriveKind kind = DriveKind::Home;
    bool operator==(const Drive&) const = default;
};

// The drives of a mount table in the format of /proc/self/mountinfo, the home folder first.
std::vector<Drive> drivesFromMountTable(std::string_view mountInfo, std::string_view home);
// This process's mount table; empty when it cannot be read.
std::string readMountTable(const Files& files);

class FolderChooser {
public:
    static constexpr const char* notReady = "Periferica non pronta";
    static constexpr const char* parentEntry = "..";

    FolderChooser(Files& files, Platform& platform, std::string_view home, std::string_view mountInfo);
    // The user's home and the real mount table.
    explicit FolderChooser(Session& session);

    const std::vector<Drive>& drives() const { return drives_; }
    int drive() const { return drive_; }
    // The chosen folder (absolute path).
    const std::string& folder() const { return folder_; }
    // What the folder list shows: ".." first below the drive's root, then the sub-folders.
    const std::vector<std::string>& entries() const { return entries_; }

    // Moves to the root of drive `index`; a drive that cannot be read gives "Periferica non
    // pronta" and the home folder.
    void chooseDrive(int index);
    // Opens entry `row` of the folder list (".." goes up). A folder that vanished or cannot be
    // listed leaves the chooser where it was, or at the nearest folder above that still lists.
    void enterFolder(int row);
    // Proposes a folder: the drive holding it is chosen (longest mount point); when the folder
    // is gone, the nearest one above it; outside every drive, the home folder.
    void setFolder(std::string_view path);
    // Lists the current folder again (after something was made or removed in it).
    void reload();

private:
    bool show(int drive, const std::string& folder);
    void go(int drive, std::string folder);

    Files& files_;
    Platform& platform_;
    std::vector<Drive> drives_;
    int drive_ = 0;
    std::string folder_;
    std::vector<std::string> entries_;
};

}  // namespace kalvora::core
