#include "core/folder_chooser.h"
#include "core/filesystem_memory.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

using Names = std::vector<std::string>;

// Pseudo file systems, a tmpfs under /media, a local disk elsewhere, a share mounted twice, the
// home itself on NFS and a garbled line: only home, media and shares are drives.
constexpr std::string_view mountTable =
    "22 28 0:21 / /proc rw,nosuid shared:12 - proc proc rw\n"
    "23 28 0:22 / /sys rw shared:7 - sysfs sysfs rw\n"
    "28 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "30 23 0:26 / /sys/fs/cgroup rw shared:9 - cgroup2 cgroup2 rw\n"
    "41 28 0:31 / /media/ramdisk rw - tmpfs tmpfs rw\n"
    "42 28 0:40 / /home/anna rw - nfs4 server:/home/anna rw\n"
    "60 28 0:50 / /mnt/ufficio rw shared:400 - cifs //server/dati rw\n"
    "50 28 8:17 / /media/anna/CHIAVETTA\\040USB rw,nosuid shared:300 master:2 - vfat /dev/sdb1 rw\n"
    "61 42 0:51 / /home/anna/nas rw - nfs server:/export rw\n"
    "62 42 0:51 / /home/anna/nas rw - nfs server:/export rw\n"
    "51 28 8:33 / /run/media/anna/Disco rw shared:301 - ext4 /dev/sdc1 rw\n"
    "63 28 8:2 / /mnt/locale rw - ext4 /dev/sda2 rw\n"
    "garbled - line\n";

TEST(FolderChooser, DrivesAreHomeThenMediaThenShares) {
    const std::vector<Drive> expected{
        {"/home/anna", "/home/anna", DriveKind::Home},
        {"/media/anna/CHIAVETTA USB", "/media/anna/CHIAVETTA USB", DriveKind::Removable},
        {"/run/media/anna/Disco", "/run/media/anna/Disco", DriveKind::Removable},
        {"/mnt/ufficio", "/mnt/ufficio", DriveKind::Network},
        {"/home/anna/nas", "/home/anna/nas", DriveKind::Network}};
    EXPECT_EQ(drivesFromMountTable(mountTable, "/home/anna/"), expected);
    EXPECT_EQ(drivesFromMountTable("", "/home/anna").size(), 1u);
}

class FolderChooserTest : public ::testing::Test {
protected:
    // Made before the chooser, which lists the home folder at once.
    bool arrange() {
        // Disco is in the mount table but does not list: a medium pulled out without unmounting.
        for (const char* folder : {"/home/anna/Zeta", "/home/anna/alfa", "/home/anna/Beta/sub", "/home/anna/.config",
                                   "/home/anna/nas/backup/2026", "/media/anna/CHIAVETTA USB/Foto/2025", "/mnt/ufficio"})
            files.makeDirectories(folder);
        return files.replaceFile("/home/anna/appunti.txt", "x") == 0;
    }
    MemoryFileSystem memory;
    Files files{memory};
    bool arranged = arrange();
    testing::FakePlatform platform;
    FolderChooser chooser{files, platform, "/home/anna", mountTable};
};

TEST_F(FolderChooserTest, BrowsesSubFoldersSortedWithParentOnlyBelowTheRoot) {
    EXPECT_EQ(chooser.folder(), "/home/anna");
    EXPECT_EQ(chooser.entries(), (Names{"alfa", "Beta", "nas", "Zeta"}));  // no file, no hidden folder
    chooser.enterFolder(1);
    EXPECT_EQ(chooser.folder(), "/home/anna/Beta");
    EXPECT_EQ(chooser.entries(), (Names{"..", "sub"}));
    chooser.enterFolder(0);
    chooser.enterFolder(-1);
    chooser.enterFolder(4);
    EXPECT_EQ(chooser.folder(), "/home/anna");

    chooser.chooseDrive(1);
    EXPECT_EQ(chooser.entries(), Names{"Foto"});
    chooser.enterFolder(0);
    chooser.enterFolder(1);
    EXPECT_EQ(chooser.folder(), "/media/anna/CHIAVETTA USB/Foto/2025");
    chooser.enterFolder(0);
    chooser.enterFolder(0);
    EXPECT_EQ(chooser.folder(), "/media/anna/CHIAVETTA USB");
    EXPECT_EQ(chooser.entries(), Names{"Foto"});  // the root of a drive has no way up
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(FolderChooserTest, VanishedFoldersLeaveTheNearestOneThatLists) {
    chooser.enterFolder(1);  // Beta
    ASSERT_EQ(memory.removeDirectory("/home/anna/Beta/sub"), 0);
    chooser.enterFolder(1);  // sub, gone: stay in Beta, listed afresh
    EXPECT_EQ(chooser.folder(), "/home/anna/Beta");
    EXPECT_EQ(chooser.entries(), Names{".."});
    ASSERT_EQ(memory.removeDirectory("/home/anna/Beta"), 0);
    chooser.reload();
    EXPECT_EQ(chooser.folder(), "/home/anna");
    EXPECT_EQ(chooser.entries(), (Names{"alfa", "nas", "Zeta"}));
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(FolderChooserTest, UnreadableDriveSaysSoOnceAndGoesHome) {
    chooser.enterFolder(1);
    chooser.chooseDrive(2);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0].text, "Periferica non pronta");
    EXPECT_EQ(platform.shown[0].title, "Attenzione");
    EXPECT_EQ(platform.shown[0].icon, Icon::Critical);
    EXPECT_EQ(chooser.drive(), 0);
    EXPECT_EQ(chooser.folder(), "/home/anna");
    EXPECT_EQ(chooser.entries(), (Names{"alfa", "Beta", "nas", "Zeta"}));
    // A medium pulled out while browsing it: the same.
    chooser.chooseDrive(3);
    ASSERT_EQ(memory.removeDirectory("/mnt/ufficio"), 0);
    chooser.reload();
    EXPECT_EQ(platform.shown.size(), 2u);
    EXPECT_EQ(chooser.folder(), "/home/anna");
}

TEST_F(FolderChooserTest, ProposedFolderPicksTheDriveWithTheLongestMountPoint) {
    chooser.setFolder("/home/anna/nas/backup/2026/");
    EXPECT_EQ(chooser.drive(), 4);
    EXPECT_EQ(chooser.folder(), "/home/anna/nas/backup/2026");
    EXPECT_EQ(chooser.entries(), Names{".."});
    chooser.setFolder("/home/anna/nas/backup/gone/2027");
    EXPECT_EQ(chooser.folder(), "/home/anna/nas/backup");
    chooser.setFolder("/HOME/ANNA/zeta/../BETA");  // spelled in another case
    EXPECT_EQ(chooser.drive(), 0);
    EXPECT_EQ(chooser.folder(), "/home/anna/Beta");
    chooser.setFolder("/media/anna/CHIAVETTA USB/Foto");
    EXPECT_EQ(chooser.drive(), 1);
    chooser.setFolder("/etc/cups");  // on no drive
    EXPECT_EQ(chooser.drive(), 0);
    EXPECT_EQ(chooser.folder(), "/home/anna");
    EXPECT_TRUE(platform.shown.empty());
}

}  // namespace
}  // namespace kalvora::core
