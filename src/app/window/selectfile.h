// The modal file selection dialog, and the front end that fills it and shows it for browsefile.
#pragma once

#include <QDialog>
#include <QString>

#include "app/core/browse.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorlin {

class SelectFile : public QDialog {
    Q_OBJECT
  public:
    explicit SelectFile(QWidget* parent = nullptr);

    // The file list's pattern (several may be separated by ';'); the list refreshes.
    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    // Moves the directory list, and the file list with it, to dir.
    void setDirectory(const QString& dir);
    QString directory() const { return dir_; }
    QString chosen() const;
    void setChosen(const QString& text);

  public slots:
    // Cancel, Escape and the close box all leave no choice behind.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void listDirectory();
    void listFiles();
    void pickSelected();

    QString pattern_;
    QString dir_;
    QComboBox* drivelist_;
    QListWidget* dirlist_;
    QLabel* dirpath_;
    QListWidget* filelist_;
    QLineEdit* filemask_;
    QLineEdit* filename_;
    QLineEdit* filecount_;
};

// The window's file dialog for browsefile: shows the dialog modally as request asks.
BrowseAnswer showSelectFile(QWidget* parent, const BrowseRequest& request);

}  // namespace quorlin
