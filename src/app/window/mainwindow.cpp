#include "app/window/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "app/core/browse.h"
#include "app/core/preview.h"
#include "app/core/startup.h"
#include "app/window/previewwindow.h"
#include "app/window/qtext.h"
#include "app/window/selectfile.h"
#include "preview/preview.h"
#include "util/basic.h"
#include "util/filename.h"
#include "util/number.h"

namespace quorlin {

namespace {

// Named, with the tool tip the window gives a control of that name.
template <typename W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    const std::string key = name.toStdString();
    if (const std::string_view tip = toolTip(key); !tip.empty())
        widget->setToolTip(QString::fromLatin1(tip.data(), static_cast<qsizetype>(tip.size())));
    return widget;
}

QLineEdit* countBox(const QString& name) {
    auto* box = named(new QLineEdit(QStringLiteral("0")), name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(58);
    return box;
}

QCheckBox* checkBox(const char* name, const char* caption) {
    return named(new QCheckBox(QString::fromLatin1(caption)), QString::fromLatin1(name));
}

QLabel* caption(const char* text) {
    return new QLabel(QString::fromLatin1(text));
}

// A heading over a row of count boxes: keeps its caption as written but draws each word
// centred over its box, whatever the font.
class ColumnHeading : public QLabel {
  public:
    ColumnHeading(const char* text, std::vector<QWidget*> boxes)
        : QLabel(QString::fromLatin1(text)), boxes_(std::move(boxes)) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        const QStringList words = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < words.size() && i < static_cast<qsizetype>(boxes_.size()); ++i) {
            const QRect box = boxes_[static_cast<size_t>(i)]->geometry();
            const QRect cell(box.left() - x(), 0, box.width(), height());
            painter.drawText(cell, Qt::AlignHCenter | Qt::AlignBottom, words[i]);
        }
    }

  private:
    std::vector<QWidget*> boxes_;
};

int checkState(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
    }
}

void setCheck(QCheckBox* box, int state) {
    box->setCheckState(state == 1   ? Qt::Checked
                       : state == 2 ? Qt::PartiallyChecked
                                    : Qt::Unchecked);
}

}  // namespace

MainWindow::MainWindow(std::string settingsPath, QWidget* parent)
    : QWidget(parent), host_([this] { refresh(); }), rules_(host_, std::move(settingsPath)) {
    buildUi();
    load();
}

void MainWindow::buildUi() {
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("Quorlin converter"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    for (int i = 0; i < 3; ++i) {
        static const char* const kCaptions[] = {
            "Convert PCB to Region", "Convert Tango Nets to SDF", "SDF Netlist Comparator"};
        commands_[static_cast<size_t>(i)] =
            named(new QPushButton(QString::fromLatin1(kCaptions[i])),
                  QStringLiteral("Commands_%1").arg(i));
        connect(commands_[static_cast<size_t>(i)], &QPushButton::clicked, this,
                [this, i] { runJob(i); });
    }
    help_ = named(new QPushButton(QStringLiteral("Help")), QStringLiteral("Command1_0"));
    connect(help_, &QPushButton::clicked, this, [this] {
        rules_.helpClick();
        refresh();
    });
    preview_ = named(new QPushButton(QStringLiteral("Preview")), QStringLiteral("preview"));
    preview_->setEnabled(false);
    connect(preview_, &QPushButton::clicked, this, [this] { openPreview(); });
    spinner_ = named(new QLabel, QStringLiteral("spinner"));
    spinner_->setFixedWidth(24);
    spinner_->setAlignment(Qt::AlignCenter);

    errorbox_ = named(new QLineEdit(QStringLiteral("No Errors")), QStringLiteral("errorbox"));
    errorbox_->setReadOnly(true);
    reportbox_ = named(new QPlainTextEdit, QStringLiteral("reportbox"));
    reportbox_->setReadOnly(true);
    // Style lists are name, tab, report name: a fixed-pitch font keeps the columns aligned.
    reportbox_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    reportbox_->setTabStopDistance(reportbox_->fontMetrics().horizontalAdvance(QLatin1Char(' ')) *
                                   16);
    notes_ = named(new QPlainTextEdit, QStringLiteral("Notes"));
    notes_->setReadOnly(true);
    notes_->viewport()->installEventFilter(this);

    auto* panels = new QHBoxLayout;
    panels->addWidget(buildOptions());
    panels->addWidget(buildBreakdown());
    panels->addWidget(buildNetdata(), 0, Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : commands_) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(spinner_);
    buttons->addWidget(preview_);
    buttons->addWidget(help_);

    // The help text lies over the report: a job hides it and shows the report beneath.
    auto* texts = new QGridLayout;
    texts->addWidget(reportbox_, 0, 0);
    texts->addWidget(notes_, 0, 0);

    auto* status = new QHBoxLayout;
    status->addWidget(caption("Status"));
    status->addWidget(errorbox_, 1);

    auto* top = new QVBoxLayout(this);
    top->addWidget(buildFiles());
    top->addLayout(panels);
    top->addLayout(buttons);
    top->addLayout(status);
    top->addLayout(texts, 1);
    reportbox_->setMinimumHeight(200);
}

QWidget* MainWindow::buildFiles() {
    auto* group = new QGroupBox(QStringLiteral("Files"));
    auto* grid = new QGridLayout(group);
    auto box = [this](const char* name, const char* text) {
        auto* b = named(new QLineEdit(QString::fromLatin1(text)), QString::fromLatin1(name));
        b->installEventFilter(this);
        b->setToolTip(QString());
        return b;
    };
    fnme_ = box("fnme", "C:\\files\\cadd\\select.pcb");
    stylefile_ = box("stylefile", "C:\\files\\cadd\\Default.STY");
    netfnme_ = box("netfnme", "C:\\files\\cadd\\select_TANGO");
    netlista_ = box("netlista", "C:\\files\\cadd\\select_SDF1");
    netlistb_ = box("netlistb", "C:\\files\\cadd\\select_SDF2");
    grid->addWidget(caption("Tango PCB"), 0, 0, 1, 2);
    grid->addWidget(fnme_, 0, 2);
    grid->addWidget(caption("Style file"), 1, 0, 1, 2);
    grid->addWidget(stylefile_, 1, 2);
    grid->addWidget(caption("Tango netlist"), 2, 0, 1, 2);
    grid->addWidget(netfnme_, 2, 2);
    grid->addWidget(caption("SDF netlists"), 3, 0);
    grid->addWidget(caption("A"), 3, 1);
    grid->addWidget(netlista_, 3, 2);
    grid->addWidget(caption("B"), 4, 1);
    grid->addWidget(netlistb_, 4, 2);
    grid->setColumnStretch(2, 1);
    auto* hint = caption("Double-click a file box to browse.");
    hint->setEnabled(false);
    grid->addWidget(hint, 5, 2);
    return group;
}

QWidget* MainWindow::buildOptions() {
    auto* group = new QGroupBox(QStringLiteral("Options"));
    auto* layout = new QVBoxLayout(group);
    exclusion_ = checkBox("exclusion", "Component guides (Else Explode)");
    graphastrack_ = checkBox("graphastrack", "Convert Graphics to Tracks");
    xport_ = checkBox("xport", "Export Primitives");
    replicate_ = checkBox("replicate", "Replicate Tango Pads Exactly");
    writestyle_ = checkBox("writestyle", "Write pad styles to Default.STY file");
    xpattern_ = checkBox("xpattern", "Strip Tango Packages");
    xsdf_ = checkBox("xsdf", "Export Sorted SDFs");
    xdiff_ = checkBox("xdiff", "Export Differences");
    guardgap_ = named(new QComboBox, QStringLiteral("guardgap"));
    for (int i = 0; i <= 10; ++i) guardgap_->addItem(QString::number(i));
    guardgap_->setCurrentIndex(3);

    auto* gap = new QHBoxLayout;
    gap->addWidget(guardgap_);
    gap->addWidget(caption("Pad/Via SMask guard gap (th)"), 1);
    for (QCheckBox* b : {exclusion_, graphastrack_, xport_, replicate_, writestyle_})
        layout->addWidget(b);
    layout->addLayout(gap);
    layout->addSpacing(10);
    layout->addWidget(xpattern_);
    layout->addWidget(xsdf_);
    layout->addWidget(xdiff_);
    layout->addStretch(1);
    return group;
}

QWidget* MainWindow::buildBreakdown() {
    auto* group = new QGroupBox(QStringLiteral("Primitive Breakdown"));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(3);
    for (size_t i = 0; i < counts_.size(); ++i)
        counts_[i] = countBox(QStringLiteral("counts_%1").arg(i));
    tagpads_ = checkBox("tagpads", "");
    tagvias_ = checkBox("tagvias", "");

    // Columns: caption, tag check box, then up to three count boxes.
    int row = 0;
    auto line = [&](const char* text, std::initializer_list<size_t> boxes, QCheckBox* tag) {
        grid->addWidget(caption(text), row, 0);
        if (tag) grid->addWidget(tag, row, 1);
        int column = 2;
        for (size_t b : boxes) grid->addWidget(counts_[b], row, column++);
        ++row;
    };
    auto heading = [&](const char* text, std::vector<QWidget*> boxes) {
        grid->addWidget(new ColumnHeading(text, std::move(boxes)), row++, 2, 1, 3);
    };
    line("Headers", {count::kHeaders}, nullptr);
    line("Nets", {count::kNets}, nullptr);
    const std::initializer_list<size_t> components = {count::kComponents, count::kComponentPads,
                                                      count::kComponentOther};
    heading("Comps   Pads    Other", {counts_[count::kComponents], counts_[count::kComponentPads],
                                      counts_[count::kComponentOther]});
    line("Components", components, nullptr);
    line("Pads (Tag P/G)", {count::kPads}, tagpads_);
    line("Vias (Tag P/G)", {count::kVias}, tagvias_);
    line("Arcs", {count::kArcs}, nullptr);
    heading("  Polygons     Vertex", {counts_[count::kPolygons], counts_[count::kVertex]});
    line("Polygons", {count::kPolygons, count::kVertex}, nullptr);
    line("Text", {count::kText}, nullptr);
    line("Lines", {count::kLines}, nullptr);
    line("Trash", {count::kTrash}, nullptr);
    grid->setRowStretch(row, 1);
    return group;
}

QWidget* MainWindow::buildNetdata() {
    auto* group = new QGroupBox(QStringLiteral("Netlist comparison"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(caption("Elements"), 0, 0);
    const char* const columns[] = {"A", "B", "Delta"};
    const char* const rows[] = {"Nets", "SN-Nets", "Nodes", "Parts"};
    for (int c = 0; c < 3; ++c) {
        auto* head = caption(columns[c]);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, c + 1);
    }
    for (int r = 0; r < 4; ++r) grid->addWidget(caption(rows[r]), r + 1, 0);
    for (size_t c = 0; c < 3; ++c) {
        for (size_t r = 0; r < 4; ++r) {
            const size_t i = netdata::kGrid[c][r];
            netdata_[i] = countBox(QStringLiteral("netdata_%1").arg(i));
            grid->addWidget(netdata_[i], static_cast<int>(r) + 1, static_cast<int>(c) + 1);
        }
    }
    return group;
}

void MainWindow::load() {
    rules_.start();
    showForm();
    notes_->setPlainText(linesToQ(helptext()));
    // The window keeps its start-up size.
    adjustSize();
    setFixedSize(size());
}

void MainWindow::readControls(Form& f) {
    f.fnme = fromQ(fnme_->text());
    f.netfnme = fromQ(netfnme_->text());
    f.netlista = fromQ(netlista_->text());
    f.netlistb = fromQ(netlistb_->text());
    f.stylefile = fromQ(stylefile_->text());
    f.exclusion = checkState(exclusion_);
    f.graphastrack = checkState(graphastrack_);
    f.xport = checkState(xport_);
    f.replicate = checkState(replicate_);
    f.writestyle = checkState(writestyle_);
    f.tagpads = checkState(tagpads_);
    f.tagvias = checkState(tagvias_);
    f.xpattern = checkState(xpattern_);
    f.xsdf = checkState(xsdf_);
    f.xdiff = checkState(xdiff_);
    f.guardgap = guardgap_->currentIndex();
}

void MainWindow::showForm() {
    const Form& f = form();
    fnme_->setText(toQ(f.fnme));
    netfnme_->setText(toQ(f.netfnme));
    netlista_->setText(toQ(f.netlista));
    netlistb_->setText(toQ(f.netlistb));
    stylefile_->setText(toQ(f.stylefile));
    setCheck(exclusion_, f.exclusion);
    setCheck(graphastrack_, f.graphastrack);
    setCheck(xport_, f.xport);
    setCheck(replicate_, f.replicate);
    setCheck(writestyle_, f.writestyle);
    setCheck(tagpads_, f.tagpads);
    setCheck(tagvias_, f.tagvias);
    setCheck(xpattern_, f.xpattern);
    setCheck(xsdf_, f.xsdf);
    setCheck(xdiff_, f.xdiff);
    guardgap_->setCurrentIndex(f.guardgap);
    refresh();
}

void MainWindow::refresh() {
    const Form& f = form();
    const QString status = toQ(f.errorbox);
    if (errorbox_->text() != status) errorbox_->setText(status);
    if (f.reportbox != shownReport_) {
        shownReport_ = f.reportbox;
        reportbox_->setPlainText(linesToQ(shownReport_));
    }
    for (size_t i = 0; i < counts_.size(); ++i) counts_[i]->setText(toQ(f.counts[i]));
    for (size_t i = 0; i < netdata_.size(); ++i) netdata_[i]->setText(toQ(f.netdata[i]));
    spinner_->setText(toQ(f.spinner));
    notes_->setVisible(f.notesVisible);
}

void MainWindow::showBusy(bool busy) {
    if (!busy) host_.idle();  // between jobs the toolkit's own loop runs
    for (std::string_view name : kJobInputs)
        findChild<QWidget*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())))
            ->setEnabled(!busy);
    preview_->setEnabled(!busy && rules_.previewReady());
}

void MainWindow::openPreview() {
    if (busy() || !rules_.previewReady()) return;
    const std::string path = rules_.previewSource();
    AresStyles styleFile;
    std::string unread;
    const AresStyles* styles = windowPreviewStyles(fromQ(stylefile_->text()), styleFile, unread);
    if (!unread.empty()) {
        form().errorbox = unread;
        refresh();
    }
    std::string document;
    std::vector<std::string> layers;
    switch (loadPreview(path, document, layers, kShownRegionMost, styles)) {
        case Loaded::Shown:
            previewWindow_ =
                std::make_unique<PreviewWindow>(std::move(document), layers, toQ(path));
            previewWindow_->show();
            return;
        case Loaded::Unreadable:
            QMessageBox::warning(this, windowTitle(), toQ("Cannot read file: " + path));
            return;
        case Loaded::TooLarge:
            break;
    }
    // Drawn into a file beside the region file, as the command line draws it; the window
    // answers meanwhile but takes no input.
    const std::string svg = previewNameFor(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string failed = writePreviewFile(
        path, svg, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); },
        styles);
    QApplication::restoreOverrideCursor();
    if (!failed.empty()) {
        QMessageBox::warning(this, windowTitle(), toQ(failed));
        return;
    }
    QMessageBox::information(
        this, windowTitle(),
        toQ("This board is too large to show here: its region file holds more than " +
            countText(kShownRegionMost >> 20) + " MB.\nIts drawing is in: " + svg));
}

void MainWindow::runJob(int index) {
    rules_.commandClick(*this, index);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    switch (rules_.close(*this)) {
        case WindowRules::Close::Wait:
            event->ignore();
            return;
        case WindowRules::Close::Unsaved:
            QMessageBox::warning(this, windowTitle(), toQ(rules_.closeWarning()));
            break;
        case WindowRules::Close::Saved:
            break;
    }
    event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized))
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() & ~Qt::WindowMaximized); });
    QWidget::changeEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) return false;
    if (watched == notes_->viewport()) {
        if (type == QEvent::MouseButtonDblClick) {
            rules_.hideHelp();
            refresh();
        }
        return false;
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || busy()) return false;
    rules_.hideHelp();
    refresh();
    if (type == QEvent::MouseButtonPress) return false;
    chooseFile(box);
    return true;
}

void MainWindow::chooseFile(QLineEdit* box) {
    const std::string text = fromQ(box->text());
    const std::string chosen = browseFileBox(
        fromQ(box->objectName()), text, fromQ(QCoreApplication::applicationDirPath()),
        [this](const BrowseRequest& request) { return showSelectFile(this, request); });
    if (chosen != text) box->setText(toQ(chosen));
}

}  // namespace quorlin
