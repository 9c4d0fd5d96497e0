#pragma once
// The drive list and the folder list of a window that picks a folder. Paths are
// written with "/" and without a trailing separator, except the root "/" itself.
// Both lists are filled synchronously when they are set; Change is signalled
// whenever the current drive or path becomes another one, whether the user chose
// it or the program set it.

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

// The mounted drives: the root paths of the mounted volumes that are ready, "/"
// first and the others in name order.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // The root paths listed now.
    static QStringList mountedDrives();
    // The root of the drive that holds path (the longest listed root above it),
    // "/" when none.
    static QString driveOf(const QString& path);

    QString Drive() const;
    // Selects the drive; one that is not mounted selects "/".
    void setDrive(const QString& drive);

signals:
    void Change();

private:
    QString current_;
};

// One folder's parents from the root down, then its subfolders in name order
// (hidden ones left out). Activating an entry (double click, Enter) opens it.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    // The path of every entry, in the order shown.
    static constexpr int PathRole = Qt::UserRole;

    QString Path() const { return path_; }
    // Opens the folder; false (and nothing changes) when it is not a folder that
    // exists.
    bool setPath(const QString& path);

    // The path in the form every list writes: absolute, "/" separators, no
    // trailing separator except at the root.
    static QString cleanPath(const QString& path);

signals:
    void Change();

private:
    void fill();
    QString path_;
};
