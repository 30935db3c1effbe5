// The modal file selection dialog and browsefile, the front end that fills it, shows it and
// turns the picked names into a path.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

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

// Opens the dialog at the start directory (dir, else name's directory, else the current one;
// the program's directory when that does not exist) listing mask, and returns the chosen path or
// "". The process's current directory is left at the dialog's last directory.
std::string browsefile(QWidget* parent, std::string name, const std::string& mask,
                       const std::string& dir, const std::string& title);

}  // namespace quorlin
