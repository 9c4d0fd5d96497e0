#include "platform/drivelists.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

const QString kRoot = QStringLiteral("/");

// Entries further down the folder tree stand further in.
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int kIndent = 14;

class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o = option;
        o.rect.adjust(index.data(DepthRole).toInt() * kIndent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, o, index);
    }
};

}  // namespace

// --- drives -------------------------------------------------------------------

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent)
{
    addItems(mountedDrives());
    current_ = currentText();
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (currentText() == current_)
            return;
        current_ = currentText();
        emit Change();
    });
}

QStringList DriveListBox::mountedDrives()
{
    QStringList others;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady())
            continue;
        const QString root = DirListBox::cleanPath(v.rootPath());
        // A file mounted on its own (as containers do with /etc/hosts) is no drive.
        if (root != kRoot && QFileInfo(root).isDir() && !others.contains(root))
            others << root;
    }
    others.sort();
    return QStringList{kRoot} + others;
}

QString DriveListBox::driveOf(const QString& path)
{
    const QString p = DirListBox::cleanPath(path);
    QString best = kRoot;
    for (const QString& root : mountedDrives())
        if (root.size() > best.size() && (p == root || p.startsWith(root + kRoot)))
            best = root;
    return best;
}

QString DriveListBox::Drive() const { return currentText(); }

void DriveListBox::setDrive(const QString& drive)
{
    int i = findText(DirListBox::cleanPath(drive));
    if (i < 0)
        i = findText(kRoot);
    setCurrentIndex(i);
}

// --- folders ------------------------------------------------------------------

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setPath(item->data(PathRole).toString()); });
}

QString DirListBox::cleanPath(const QString& path)
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QDir(path).absolutePath());
}

bool DirListBox::setPath(const QString& path)
{
    const QString p = cleanPath(path);
    if (p.isEmpty() || !QFileInfo(p).isDir())
        return false;
    if (p == path_)
        return true;
    path_ = p;
    fill();
    emit Change();
    return true;
}

void DirListBox::fill()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto add = [this](const QIcon& icon, const QString& text, const QString& path, int depth) {
        auto* item = new QListWidgetItem(icon, text, this);
        item->setData(PathRole, path);
        item->setData(DepthRole, depth);
        return item;
    };

    // The root, then each folder on the way down to the open one.
    QStringList parts = path_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    add(open, kRoot, kRoot, 0);
    QString at;
    for (int i = 0; i < parts.size(); ++i) {
        at += kRoot + parts[i];
        add(open, parts[i], at, i + 1);
    }
    setCurrentRow(count() - 1);

    const QDir dir(path_);
    const QString base = path_ == kRoot ? QString() : path_;
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::LocaleAware))
        add(closed, name, base + kRoot + name, int(parts.size()) + 1);
}
