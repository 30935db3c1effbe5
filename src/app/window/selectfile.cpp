#include "app/window/selectfile.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <vector>

#include "app/core/browse.h"
#include "app/window/qtext.h"

namespace quorlin {

namespace {

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

SelectFile::SelectFile(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("selectfile"));
    setModal(true);

    auto* label1 = named(new QLabel(QStringLiteral("Files:")), "Label1");
    auto* label2 = named(new QLabel(QStringLiteral("Directories:")), "Label2");
    auto* label3 = named(new QLabel(QStringLiteral("Drives")), "Label3");
    filemask_ = named(new QLineEdit, "filemask");
    filelist_ = named(new QListWidget, "filelist");
    filelist_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    dirpath_ = new QLabel;
    dirpath_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    dirpath_->setMinimumWidth(220);
    dirpath_->setWordWrap(true);
    dirlist_ = named(new QListWidget, "dirlist");
    drivelist_ = named(new QComboBox, "drivelist");
    for (const QFileInfo& root : QDir::drives()) drivelist_->addItem(root.absolutePath());
    filename_ = named(new QLineEdit, "filename");
    filecount_ = named(new QLineEdit, "filecount");
    filecount_->setReadOnly(true);
    filecount_->setMaximumWidth(50);
    auto* ok = named(new QPushButton(QStringLiteral("OK")), "okbutton");
    auto* cancel = named(new QPushButton(QStringLiteral("Cancel")), "cancelbutton");
    ok->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(filemask_, 1, 0);
    grid->addWidget(filelist_, 2, 0, 3, 1);
    grid->addWidget(label2, 0, 1);
    grid->addWidget(dirpath_, 1, 1);
    grid->addWidget(dirlist_, 2, 1);
    grid->addWidget(label3, 3, 1);
    grid->addWidget(drivelist_, 4, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(filename_, 1);
    bottom->addWidget(filecount_);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    grid->addLayout(bottom, 5, 0, 1, 2);
    grid->setRowStretch(2, 1);
    resize(560, 400);

    connect(filemask_, &QLineEdit::textEdited, this, &SelectFile::setPattern);
    connect(drivelist_, &QComboBox::activated, this,
            [this](int index) { setDirectory(drivelist_->itemText(index)); });
    connect(dirlist_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        setDirectory(QDir::cleanPath(QDir(dir_).absoluteFilePath(item->text())));
    });
    connect(filelist_, &QListWidget::itemDoubleClicked, this, &SelectFile::pickSelected);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &SelectFile::reject);
}

void SelectFile::setPattern(const QString& pattern) {
    pattern_ = pattern;
    listFiles();
}

void SelectFile::setDirectory(const QString& dir) {
    dir_ = dir;
    dirpath_->setText(dir_);
    const QString root = QDir(dir_).rootPath();
    const int drive = drivelist_->findText(root);
    if (drive >= 0) drivelist_->setCurrentIndex(drive);
    listDirectory();
    listFiles();
    filename_->clear();  // a name picked elsewhere does not follow the move
}

QString SelectFile::chosen() const {
    return filename_->text();
}
void SelectFile::setChosen(const QString& text) {
    filename_->setText(text);
}

void SelectFile::reject() {
    filename_->clear();
    QDialog::reject();
}

void SelectFile::showEvent(QShowEvent* event) {
    filemask_->setText(pattern_);
    QDialog::showEvent(event);
}

void SelectFile::listDirectory() {
    dirlist_->clear();
    QDir dir(dir_);
    if (!dir.isRoot()) dirlist_->addItem(QStringLiteral(".."));
    dirlist_->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
}

void SelectFile::listFiles() {
    filelist_->clear();
    // The boards come from a platform whose names ignore case, so "*.PCB" lists "demo.pcb".
    const QStringList filters = pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    filelist_->addItems(QDir(dir_).entryList(filters, QDir::Files, QDir::Name));
}

void SelectFile::pickSelected() {
    std::vector<std::string> names;
    for (int row = 0; row < filelist_->count(); ++row)
        if (filelist_->item(row)->isSelected())
            names.push_back(fromQ(filelist_->item(row)->text()));
    filename_->setText(toQ(pickedNames(names)));
    filecount_->setText(QString::number(names.size()));
}

BrowseAnswer showSelectFile(QWidget* parent, const BrowseRequest& request) {
    SelectFile dialog(parent);
    dialog.setWindowTitle(toQ(request.title));
    dialog.setPattern(toQ(request.pattern));
    dialog.setDirectory(QDir(toQ(request.startDir)).absolutePath());
    dialog.setChosen(toQ(request.name));
    dialog.exec();
    return {fromQ(dialog.chosen()), fromQ(dialog.directory())};
}

}  // namespace quorlin
