#include "core/folder_chooser.h"

#include "core/paths.h"
#include "core/session.h"
#include "core/text.h"

#include <algorithm>
#include <array>

namespace kalvora::core {

namespace {

constexpr std::array networkTypes{"cifs",       "smb3",        "smbfs",         "nfs",
                                  "nfs4",       "sshfs",       "fuse.sshfs",    "davfs",
                                  "fuse.davfs", "fuse.davfs2", "fuse.rclone",   "fuse.gvfsd-fuse"};
// Kernel and container file systems that can sit under /media without being a medium.
constexpr std::array pseudoTypes{"proc",    "sysfs",     "tmpfs",    "devtmpfs", "devpts",  "overlay",
                                 "autofs",  "squashfs",  "ramfs",    "debugfs",  "tracefs", "securityfs",
                                 "mqueue",  "hugetlbfs", "pstore",   "bpf",      "configfs", "fusectl",
                                 "nsfs",    "efivarfs",  "binfmt_misc", "rpc_pipefs"};

bool isOneOf(std::string_view type, const auto& types) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

// Mount points escape blanks, tabs, line ends and backslashes as \ooo.
std::string decodeOctal(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto octal = [&](std::size_t k) { return i + k < s.size() && s[i + k] >= '0' && s[i + k] <= '7'; };
        if (s[i] == '\\' && octal(1) && octal(2) && octal(3)) {
            out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

// An absolute path without empty, "." and ".." components or a trailing slash.
std::string normalise(std::string_view path) {
    std::vector<std::string> parts;
    for (std::string& part : split(path, '/')) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else {
            parts.push_back(std::move(part));
        }
    }
    std::string out;
    for (const std::string& part : parts) out += "/" + part;
    return out.empty() ? "/" : out;
}

bool holds(const std::string& root, const std::string& path) {
    return root == "/" || path == root || (startsWith(path, root) && path[root.size()] == '/');
}

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

}  // namespace

std::vector<Drive> drivesFromMountTable(std::string_view mountInfo, std::string_view home) {
    std::vector<Drive> drives{{normalise(home), normalise(home), DriveKind::Home}};
    std::vector<Drive> network;
    for (const std::string& line : split(mountInfo, '\n')) {
        // id parent major:minor root mount-point options [optional...] - type source options
        const std::vector<std::string> fields = split(trim(line), ' ');
        const auto dash = static_cast<std::size_t>(std::find(fields.begin(), fields.end(), "-") - fields.begin());
        if (dash < 6 || dash + 1 >= fields.size()) continue;
        const std::string point = normalise(decodeOctal(fields[4]));
        const std::string& type = fields[dash + 1];
        const bool shared = isOneOf(type, networkTypes);
        const bool removable = !shared && !isOneOf(type, pseudoTypes) && !startsWith(type, "cgroup") &&
                               (startsWith(point, "/media/") || startsWith(point, "/run/media/"));
        if (!shared && !removable) continue;
        const auto known = [&](const Drive& d) { return d.root == point; };
        if (std::any_of(drives.begin(), drives.end(), known) || std::any_of(network.begin(), network.end(), known))
            continue;
        (shared ? network : drives).push_back({point, point, shared ? DriveKind::Network : DriveKind::Removable});
    }
    drives.insert(drives.end(), network.begin(), network.end());
    return drives;
}

std::string readMountTable(const Files& files) {
    return files.readBytes("/proc/self/mountinfo", 4u << 20).value_or(std::string());
}

FolderChooser::FolderChooser(Files& files, Platform& platform, std::string_view home, std::string_view mountInfo)
    : files_(files), platform_(platform), drives_(drivesFromMountTable(mountInfo, home)) {
    // An unreadable home is no reason for a message before the user has done anything.
    if (!show(0, drives_[0].root)) folder_ = drives_[0].root;
}

FolderChooser::FolderChooser(Session& session)
    : FolderChooser(session.files(), session.platform(), session.installation().driveRoot(),
                    readMountTable(session.files())) {}

bool FolderChooser::show(int drive, const std::string& folder) {
    std::vector<DirEntry> listed;
    if (files_.list(folder, listed) != 0) return false;
    std::vector<std::string> names;
    for (const DirEntry& e : listed)
        if (e.isDirectory && !e.hidden) names.push_back(e.name);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = lower(a);
        const std::string lb = lower(b);
        return la != lb ? la < lb : a < b;
    });
    entries_.clear();
    if (folder != drives_[static_cast<std::size_t>(drive)].root) entries_.push_back(parentEntry);
    entries_.insert(entries_.end(), names.begin(), names.end());
    drive_ = drive;
    folder_ = folder;
    return true;
}

void FolderChooser::go(int drive, std::string folder) {
    const std::string& root = drives_[static_cast<std::size_t>(drive)].root;
    while (!show(drive, folder)) {
        if (folder == root) {
            platform_.message(notReady, "Attenzione", Icon::Critical);
            if (!show(0, drives_[0].root)) {
                drive_ = 0;
                folder_ = drives_[0].root;
                entries_.clear();
            }
            return;
        }
        folder = parentOf(folder);
    }
}

void FolderChooser::chooseDrive(int index) {
    if (index < 0 || index >= static_cast<int>(drives_.size())) return;
    go(index, drives_[static_cast<std::size_t>(index)].root);
}

void FolderChooser::enterFolder(int row) {
    if (row < 0 || row >= static_cast<int>(entries_.size())) return;
    const std::string& entry = entries_[static_cast<std::size_t>(row)];
    const bool up = entry == parentEntry && folder_ != drives_[static_cast<std::size_t>(drive_)].root;
    const std::string target = up ? parentOf(folder_) : joinPath(folder_, entry);
    if (!show(drive_, target)) go(drive_, folder_);
}

void FolderChooser::setFolder(std::string_view path) {
    const std::string absolute = startsWith(path, "/") ? std::string(path) : joinPath(drives_[0].root, path);
    const std::string wanted = files_.resolve(normalise(absolute));
    int best = -1;
    for (int d = 0; d < static_cast<int>(drives_.size()); ++d) {
        const std::string& root = drives_[static_cast<std::size_t>(d)].root;
        if (holds(root, wanted) && (best < 0 || root.size() > drives_[static_cast<std::size_t>(best)].root.size()))
            best = d;
    }
    if (best < 0) go(0, drives_[0].root);
    else go(best, wanted);
}

void FolderChooser::reload() { go(drive_, folder_); }

}  // namespace kalvora::core
