// The drive list and the folder list, on the machine's own drives and on real
// folders in a temporary folder.
#include "platform/drivelists.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList entries(const DirListBox& list)
{
    QStringList paths;
    for (int i = 0; i < list.count(); ++i)
        paths << list.item(i)->data(DirListBox::PathRole).toString();
    return paths;
}

QStringList texts(const DirListBox& list)
{
    QStringList t;
    for (int i = 0; i < list.count(); ++i)
        t << list.item(i)->text();
    return t;
}

}  // namespace

TEST(DriveList, ListsReadyRootsWithTheRootFirst)
{
    const QStringList drives = DriveListBox::mountedDrives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first(), "/");
    QStringList rest = drives.mid(1);
    QStringList sorted = rest;
    sorted.sort();
    EXPECT_EQ(rest, sorted);
    for (const QString& d : rest) {
        EXPECT_TRUE(QFileInfo(d).isDir()) << d.toStdString();
        EXPECT_FALSE(d.endsWith('/')) << d.toStdString();
        EXPECT_EQ(drives.count(d), 1) << d.toStdString();
    }

    DriveListBox box;
    EXPECT_EQ(box.Drive(), "/");
    QSignalSpy changes(&box, &DriveListBox::Change);
    box.setDrive("/no/such/drive");  // not mounted: the root, which it is already
    EXPECT_EQ(box.Drive(), "/");
    EXPECT_EQ(changes.count(), 0);
    if (drives.size() > 1) {
        box.setDrive(drives.last() + "/");
        EXPECT_EQ(box.Drive(), drives.last());
        box.setDrive("/no/such/drive");
        EXPECT_EQ(box.Drive(), "/");
        EXPECT_EQ(changes.count(), 2);
    }

    EXPECT_EQ(DriveListBox::driveOf("/"), "/");
    for (const QString& d : rest) {
        EXPECT_EQ(DriveListBox::driveOf(d), d);
        EXPECT_EQ(DriveListBox::driveOf(d + "/sub/folder"), d);
    }
}

TEST(FolderList, ShowsTheParentsThenTheVisibleSubfolders)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString base = QDir::cleanPath(tmp.path());
    for (const char* sub : {"b", "a", ".hidden", "a/inner"})
        ASSERT_TRUE(QDir().mkpath(base + "/" + sub));
    QFile file(base + "/file.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    DirListBox list;
    QSignalSpy changes(&list, &DirListBox::Change);
    ASSERT_TRUE(list.setPath(base + "/"));
    EXPECT_EQ(list.Path(), base) << "no trailing separator";
    EXPECT_EQ(changes.count(), 1);

    QStringList parents = {"/"};
    for (const QString& part : base.split('/', Qt::SkipEmptyParts))
        parents << (parents.size() == 1 ? "/" + part : parents.last() + "/" + part);
    EXPECT_EQ(entries(list), parents + QStringList({base + "/a", base + "/b"}));
    EXPECT_EQ(texts(list).mid(parents.size()), QStringList({"a", "b"}));
    EXPECT_EQ(list.item(list.currentRow())->data(DirListBox::PathRole).toString(), base);

    // Setting the same folder again, a missing one or a file changes nothing.
    for (const QString& same : {base, base + "/missing", base + "/file.txt", QString()}) {
        EXPECT_EQ(list.setPath(same), same == base) << same.toStdString();
        EXPECT_EQ(list.Path(), base);
    }
    EXPECT_EQ(changes.count(), 1);

    // Activating an entry opens it: down into a subfolder, up to the root.
    emit list.itemActivated(list.item(int(parents.size())));
    EXPECT_EQ(list.Path(), base + "/a");
    EXPECT_EQ(entries(list).last(), base + "/a/inner");
    emit list.itemActivated(list.item(0));
    EXPECT_EQ(list.Path(), "/");
    EXPECT_EQ(texts(list).first(), "/");
    for (const QString& sub : entries(list).mid(1))
        EXPECT_FALSE(sub.startsWith("//")) << sub.toStdString();
    EXPECT_EQ(changes.count(), 3);
}
