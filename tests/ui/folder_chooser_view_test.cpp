// The wiring of Drive1 and Dir1: Enter on a folder enters it, a drive chosen from the list moves
// the chooser, an unreadable one brings the list back to the home drive.
#include "core/filesystem_memory.h"
#include "support/fake_platform.h"
#include "ui/folder_chooser_view.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace kalvora;

class FolderChooserViewTest : public QObject {
    Q_OBJECT

private slots:
    void wiring();
};

void FolderChooserViewTest::wiring() {
    core::MemoryFileSystem memory;
    core::Files files(memory);
    for (const char* folder : {"/home/u/Documenti/Fatture", "/home/u/backup", "/media/u/USB"})
        QCOMPARE(files.makeDirectories(folder), 0);
    testing::FakePlatform platform;
    core::FolderChooser chooser(files, platform, "/home/u",
                                "50 28 8:17 / /media/u/USB rw - vfat /dev/sdb1 rw\n"
                                "51 28 8:33 / /run/media/u/Disco rw - ext4 /dev/sdc1 rw\n");
    ui::FolderChooserView view(chooser);
    view.show();
    auto* drives = view.findChild<QComboBox*>(QStringLiteral("Drive1"));
    auto* folders = view.findChild<QListWidget*>(QStringLiteral("Dir1"));
    QVERIFY(drives && folders);
    QCOMPARE(drives->accessibleName(), QStringLiteral("Unità"));
    QCOMPARE(folders->accessibleName(), QStringLiteral("Cartelle"));
    QCOMPARE(drives->count(), 3);
    QCOMPARE(drives->itemText(0), QStringLiteral("/home/u"));
    QCOMPARE(folders->count(), 2);
    QCOMPARE(folders->item(0)->text(), QStringLiteral("backup"));

    QSignalSpy moves(&view, &ui::FolderChooserView::folderChanged);
    folders->setFocus();
    folders->setCurrentRow(1);
    QTest::keyClick(folders, Qt::Key_Return);
    QCOMPARE(chooser.folder(), std::string("/home/u/Documenti"));
    QCOMPARE(folders->count(), 2);
    QCOMPARE(folders->item(0)->text(), QStringLiteral(".."));
    QCOMPARE(moves.count(), 1);
    QCOMPARE(moves.at(0).at(0).toString(), QStringLiteral("/home/u/Documenti"));

    drives->setFocus();
    QTest::keyClick(drives, Qt::Key_Down);
    QCOMPARE(chooser.folder(), std::string("/media/u/USB"));
    QCOMPARE(folders->count(), 0);
    QTest::keyClick(drives, Qt::Key_Down);
    QCOMPARE(platform.messages().size(), std::size_t(1));
    QCOMPARE(drives->currentIndex(), 0);
    QCOMPARE(folders->count(), 2);
}

QTEST_MAIN(FolderChooserViewTest)
#include "folder_chooser_view_test.moc"
