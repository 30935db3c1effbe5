// The main window: the controls of the converter, bound to the core's model and job driver.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "app/core/windowrules.h"
#include "app/window/windowhost.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorlin {

class MainWindow : public QWidget, private WindowControls {
    Q_OBJECT
  public:
    // Restores the controls from the settings file at settingsPath and saves them there on close.
    explicit MainWindow(std::string settingsPath, QWidget* parent = nullptr);

    // What the window shows, as its rules keep it.
    Form& form() { return rules_.form(); }
    bool busy() const { return rules_.busy(); }
    const WindowHost& host() const { return host_; }

    // The command buttons' click: reads the controls once, runs the job with every input
    // disabled, shows its final state.
    void runJob(int index);
    // The Preview button's click: draws the region file of the last completed conversion, read
    // from disk now, in a window of its own.
    void openPreview();
    QWidget* previewWindow() const { return previewWindow_.get(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildUi();
    QWidget* buildFiles();
    QWidget* buildOptions();
    QWidget* buildBreakdown();
    QWidget* buildNetdata();
    void load();
    void showForm();
    // Pushes status, report, counts, grid, spinner and help box from the model to the widgets.
    void refresh();
    void chooseFile(QLineEdit* box);

    void readControls(Form& form) override;
    void showBusy(bool busy) override;
    void flush() override { host_.flush(); }
    void closeWindow() override { close(); }

    WindowHost host_;
    WindowRules rules_;
    std::string shownReport_;

    QLineEdit *fnme_, *netfnme_, *netlista_, *netlistb_, *stylefile_;
    QCheckBox *exclusion_, *graphastrack_, *xport_, *replicate_, *writestyle_, *tagpads_, *tagvias_,
        *xpattern_, *xsdf_, *xdiff_;
    QComboBox* guardgap_;
    std::array<QPushButton*, 3> commands_;
    QPushButton* help_;
    QPushButton* preview_;
    std::unique_ptr<QWidget> previewWindow_;
    QPlainTextEdit *notes_, *reportbox_;
    QLineEdit* errorbox_;
    std::array<QLineEdit*, count::kBoxes> counts_;
    std::array<QLineEdit*, netdata::kBoxes> netdata_;
    QLabel* spinner_;
};

}  // namespace quorlin
