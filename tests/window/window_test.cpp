// Drives the window by object name under the offscreen platform.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/core/startup.h"
#include "app/window/mainwindow.h"
#include "app/window/selectfile.h"
#include "app/window/windowhost.h"

using quorlin::MainWindow;

namespace {

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

void writeAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// Runs action on the modal widget once it is up (the caller then blocks in its exec()).
void onModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(modal);
        else
            onModal(action);
    });
}

template <typename T>
T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (!w) qWarning("no %s named %s", T::staticMetaObject.className(), name);
    return w;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QString settings() const { return dir_.filePath(QStringLiteral("quorlin.ini")); }
    std::unique_ptr<MainWindow> window() {
        auto w = std::make_unique<MainWindow>(settings().toStdString());
        w->show();
        return w;
    }
    QString demoCopy() {
        const QString target = dir_.filePath(QStringLiteral("demo.pcb"));
        QFile::remove(target);
        QFile::copy(QStringLiteral(QUORLIN_EXAMPLES "/demo.pcb"), target);
        return target;
    }

  private slots:
    void init() { QFile::remove(settings()); }

    void controlsHaveNamesKindsCaptionsAndTips_data();
    void controlsHaveNamesKindsCaptionsAndTips();
    void captionsAndHeadings();
    void guardGapItems();
    void boxesSitInTheirRowsAndColumns();
    void nonexistentSourceIsReported();
    void demoConversionFillsCounts();
    void inputsDisabledWhileAJobRuns();
    void helpTogglesNotes();
    void settingsRoundTrip();
    void unsavableSettingsAreReported();
    void dialogCancelGivesNothing();
    void dialogOkGivesTheChosenPath();
    void dialogJoinsSeveralPickedNames();
    void dialogListsAndMoves();
    void doubleClickOnAFileBoxChoosesAFile();
    void finalStateReachesTheWidgets();
    void eventProcessingIsThrottled();
    void pauseProcessesEvents();
    void windowKeepsItsStartUpSize();
};

void WindowTest::controlsHaveNamesKindsCaptionsAndTips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    auto row = [](const char* name, const char* kind, const char* text, const char* tip = "") {
        QTest::newRow(name) << name << kind << text << tip;
    };
    row("fnme", "QLineEdit", "C:\\files\\cadd\\select.pcb");
    row("netfnme", "QLineEdit", "C:\\files\\cadd\\select_TANGO");
    row("netlista", "QLineEdit", "C:\\files\\cadd\\select_SDF1");
    row("netlistb", "QLineEdit", "C:\\files\\cadd\\select_SDF2");
    row("stylefile", "QLineEdit", "C:\\files\\cadd\\Default.STY");
    row("exclusion", "QCheckBox", "Component guides (Else Explode)",
        "Checked draws placement guides on M1-4, unchecked explodes components in place.");
    row("graphastrack", "QCheckBox", "Convert Graphics to Tracks",
        "Checked draws non-etch graphics as tracks to maintain width data, Unchecked draws "
        "graphics using default settings.");
    row("xport", "QCheckBox", "Export Primitives",
        "Checked exports primative sets to text files (Diag).");
    row("replicate", "QCheckBox", "Replicate Tango Pads Exactly",
        "Checked replicates Tango through pads exactly in Ares with pad stacks.  Unchecked uses "
        "approximately safe translations to existing Ares shapes.");
    row("writestyle", "QCheckBox", "Write pad styles to Default.STY file",
        "Checked exports primative sets to text files (Diag).");
    row("tagpads", "QCheckBox", "", "Checked is tag free pads connected to Power or Ground Plane");
    row("tagvias", "QCheckBox", "", "Checked is tag vias connected to Power or Ground Plane");
    row("xpattern", "QCheckBox", "Strip Tango Packages",
        "Checked removes package info from netlist to prevent package override in Ares at net "
        "load time.");
    row("xsdf", "QCheckBox", "Export Sorted SDFs",
        "Checked writes files with netlists in sorted format (Diag).");
    row("xdiff", "QCheckBox", "Export Differences",
        "Checked writes the differences between the two netlists to a text file.");
    row("guardgap", "QComboBox", "3");
    row("Commands_0", "QPushButton", "Convert PCB to Region");
    row("Commands_1", "QPushButton", "Convert Tango Nets to SDF");
    row("Commands_2", "QPushButton", "SDF Netlist Comparator");
    row("Command1_0", "QPushButton", "Help");
    row("Notes", "QPlainTextEdit", "Revision: 1.01.02\n\nIssues:\n1. Zones get translated");
    row("errorbox", "QLineEdit", "No Errors");
    row("reportbox", "QPlainTextEdit", "");
    row("spinner", "QLabel", "");
    for (int i = 0; i <= 12; ++i) {
        const QByteArray name = "counts_" + QByteArray::number(i);
        QTest::newRow(name.constData())
            << QString::fromLatin1(name) << "QLineEdit"
            << "0" << (i == 1 ? "Arcs, lines, and polygons that are part of components" : "");
    }
    for (int i = 0; i <= 11; ++i) {
        const QByteArray name = "netdata_" + QByteArray::number(i);
        QTest::newRow(name.constData()) << QString::fromLatin1(name) << "QLineEdit"
                                        << "0"
                                        << "";
    }
}

void WindowTest::controlsHaveNamesKindsCaptionsAndTips() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, tip);
    auto w = window();
    QCOMPARE(w->objectName(), QStringLiteral("main"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Quorlin converter"));
    const auto found = w->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* control = found.front();
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    QCOMPARE(control->toolTip(), tip);
    QString shown;
    if (auto* e = qobject_cast<QLineEdit*>(control)) shown = e->text();
    if (auto* c = qobject_cast<QCheckBox*>(control)) shown = c->text();
    if (auto* c = qobject_cast<QComboBox*>(control)) shown = c->currentText();
    if (auto* b = qobject_cast<QPushButton*>(control)) shown = b->text();
    if (auto* l = qobject_cast<QLabel*>(control)) shown = l->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(control))
        shown = p->toPlainText().left(text.size());
    QCOMPARE(shown, text);
    if (auto* c = qobject_cast<QCheckBox*>(control)) QCOMPARE(c->checkState(), Qt::Unchecked);
}

void WindowTest::captionsAndHeadings() {
    auto w = window();
    QStringList captions;
    for (QLabel* l : w->findChildren<QLabel*>()) captions << l->text();
    for (QGroupBox* g : w->findChildren<QGroupBox*>()) captions << g->title();
    const char* const expected[] = {"A",
                                    "B",
                                    "Pad/Via SMask guard gap (th)",
                                    "Primitive Breakdown",
                                    "Comps   Pads    Other",
                                    "  Polygons     Vertex",
                                    "Headers",
                                    "Nets",
                                    "Components",
                                    "Pads (Tag P/G)",
                                    "Vias (Tag P/G)",
                                    "Arcs",
                                    "Polygons",
                                    "Text",
                                    "Lines",
                                    "Trash",
                                    "Elements",
                                    "Delta",
                                    "SN-Nets",
                                    "Nodes",
                                    "Parts"};
    for (const char* c : expected) QVERIFY2(captions.contains(QString::fromLatin1(c)), c);
}

void WindowTest::guardGapItems() {
    auto w = window();
    auto* gap = child<QComboBox>(w.get(), "guardgap");
    QCOMPARE(gap->count(), 11);
    for (int i = 0; i <= 10; ++i) QCOMPARE(gap->itemText(i), QString::number(i));
}

// The caption at (row, column) of the grid that holds the box.
static QString cellText(QWidget* box, int row, int column) {
    auto* grid = qobject_cast<QGridLayout*>(box->parentWidget()->layout());
    int r, c, rs, cs;
    grid->getItemPosition(grid->indexOf(box), &r, &c, &rs, &cs);
    QLayoutItem* item = grid->itemAtPosition(row < 0 ? r : row, column < 0 ? c : column);
    auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    return label ? label->text() : QString();
}

void WindowTest::boxesSitInTheirRowsAndColumns() {
    auto w = window();
    const char* const netRows[] = {"Nets",    "Nodes",   "Parts", "Nets",  "Nodes", "Parts",
                                   "SN-Nets", "SN-Nets", "Nets",  "Nodes", "Parts", "SN-Nets"};
    for (int i = 0; i <= 11; ++i) {
        auto* box = child<QLineEdit>(w.get(), ("netdata_" + std::to_string(i)).c_str());
        QCOMPARE(cellText(box, -1, 0), QString::fromLatin1(netRows[i]));
        const char* column = i < 3 || i == 6 ? "A" : i < 6 || i == 7 ? "B" : "Delta";
        QCOMPARE(cellText(box, 0, -1), QString::fromLatin1(column));
    }
    const char* const countRows[] = {"Polygons",   "Components",     "Headers",        "Nets",
                                     "Components", "Pads (Tag P/G)", "Vias (Tag P/G)", "Arcs",
                                     "Polygons",   "Text",           "Lines",          "Trash",
                                     "Components"};
    for (int i = 0; i <= 12; ++i) {
        auto* box = child<QLineEdit>(w.get(), ("counts_" + std::to_string(i)).c_str());
        QCOMPARE(cellText(box, -1, 0), QString::fromLatin1(countRows[i]));
    }
    // Left to right under their headings: Comps, Pads, Other; Polygons, Vertex.
    auto x = [&](const char* name) { return child<QLineEdit>(w.get(), name)->x(); };
    QVERIFY(x("counts_4") < x("counts_12") && x("counts_12") < x("counts_1"));
    QVERIFY(x("counts_8") < x("counts_0"));
}

void WindowTest::nonexistentSourceIsReported() {
    auto w = window();
    child<QLineEdit>(w.get(), "fnme")->setText(dir_.filePath(QStringLiteral("missing.pcb")));
    QTest::mouseClick(child<QPushButton>(w.get(), "Commands_0"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(w.get(), "errorbox")->text(),
             QStringLiteral("Source file name is not valid"));
    QVERIFY(!child<QPlainTextEdit>(w.get(), "Notes")->isVisible());
    QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("missing_Trash.txt"))));

    child<QLineEdit>(w.get(), "netfnme")->setText(dir_.filePath(QStringLiteral("missing.net")));
    QTest::mouseClick(child<QPushButton>(w.get(), "Commands_1"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(w.get(), "errorbox")->text(),
             QStringLiteral("Netlist source file name is not valid"));
}

void WindowTest::demoConversionFillsCounts() {
    const QString board = demoCopy();
    auto w = window();
    child<QLineEdit>(w.get(), "fnme")->setText(board);
    QTest::mouseClick(child<QPushButton>(w.get(), "Commands_0"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(w.get(), "errorbox")->text(), QStringLiteral("Conversion complete"));
    const quorlin::Form& form = w->session().form;
    int nonZero = 0;
    for (int i = 0; i <= 12; ++i) {
        const QString shown =
            child<QLineEdit>(w.get(), ("counts_" + std::to_string(i)).c_str())->text();
        QCOMPARE(shown, QString::fromStdString(form.counts[static_cast<size_t>(i)]));
        nonZero += shown != QStringLiteral("0");
    }
    QVERIFY(nonZero >= 8);
    QCOMPARE(child<QLineEdit>(w.get(), "counts_3")->text(),
             QString::number(w->session().sets.netset.size()));
    QCOMPARE(child<QLabel>(w.get(), "spinner")->text(), QString());
    QVERIFY(QFile::exists(dir_.filePath(QStringLiteral("demo.rgn"))));
}

void WindowTest::inputsDisabledWhileAJobRuns() {
    const QString board = demoCopy();
    auto w = window();
    child<QLineEdit>(w.get(), "fnme")->setText(board);
    const char* const inputs[] = {"Commands_0", "Commands_1", "Commands_2",   "Command1_0",
                                  "fnme",       "netfnme",    "netlista",     "netlistb",
                                  "stylefile",  "exclusion",  "graphastrack", "xport",
                                  "replicate",  "writestyle", "tagpads",      "tagvias",
                                  "xpattern",   "xsdf",       "xdiff",        "guardgap"};
    QStringList enabledDuring;
    bool ran = false;
    MainWindow* raw = w.get();
    // Fires at the job's first event-processing point.
    QTimer::singleShot(0, raw, [&] {
        ran = raw->busy();
        for (const char* name : inputs)
            if (child<QWidget>(raw, name)->isEnabled()) enabledDuring << QString::fromLatin1(name);
        raw->close();  // honoured only when the job has ended
        QVERIFY(raw->isVisible());
    });
    QTest::mouseClick(child<QPushButton>(raw, "Commands_0"), Qt::LeftButton);
    QVERIFY(ran);
    QCOMPARE(enabledDuring, QStringList());
    for (const char* name : inputs) QVERIFY2(child<QWidget>(raw, name)->isEnabled(), name);
    QCOMPARE(child<QLineEdit>(raw, "errorbox")->text(), QStringLiteral("Conversion complete"));
    QVERIFY(!raw->isVisible());
    QVERIFY(QFile::exists(settings()));
}

void WindowTest::helpTogglesNotes() {
    auto w = window();
    auto* notes = child<QPlainTextEdit>(w.get(), "Notes");
    auto* help = child<QPushButton>(w.get(), "Command1_0");
    QString expected = QString::fromStdString(quorlin::helptext());
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(notes->toPlainText(), expected);
    const bool first = notes->isVisible();
    QTest::mouseClick(help, Qt::LeftButton);
    QCOMPARE(notes->isVisible(), !first);
    QTest::mouseClick(help, Qt::LeftButton);
    QCOMPARE(notes->isVisible(), first);

    notes->show();
    QTest::mouseDClick(notes->viewport(), Qt::LeftButton);
    QVERIFY(!notes->isVisible());
    notes->show();
    QTest::mouseClick(child<QLineEdit>(w.get(), "stylefile"), Qt::LeftButton);
    QVERIFY(!notes->isVisible());
    notes->show();
    QTest::mouseClick(child<QPushButton>(w.get(), "Commands_2"), Qt::LeftButton);
    QVERIFY(!notes->isVisible());
}

void WindowTest::settingsRoundTrip() {
    {
        auto w = window();
        QCOMPARE(child<QComboBox>(w.get(), "guardgap")->currentIndex(), 3);
        child<QComboBox>(w.get(), "guardgap")->setCurrentIndex(10);
        child<QCheckBox>(w.get(), "exclusion")->setChecked(true);
        child<QCheckBox>(w.get(), "replicate")->setChecked(true);
        child<QCheckBox>(w.get(), "xdiff")->setChecked(true);
        child<QLineEdit>(w.get(), "netlistb")->setText(QStringLiteral("/x/b.sdf"));
        w->close();
    }
    QStringList lines = readAll(settings()).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 101);  // 100 lines, each ended
    QCOMPARE(lines[3], QStringLiteral("/x/b.sdf"));
    QCOMPARE(lines[4], QStringLiteral("10000000A11"));
    QCOMPARE(lines[5], QStringLiteral("C:\\files\\cadd\\select.pcb"));
    for (int i = 6; i < 100; ++i) QVERIFY(lines[i].isEmpty());

    for (int i = 6; i < 100; ++i) lines[i] = QStringLiteral("kept %1").arg(i + 1);
    writeAll(settings(), lines.join(QStringLiteral("\r\n")).toLatin1());
    {
        auto w = window();
        QCOMPARE(child<QComboBox>(w.get(), "guardgap")->currentIndex(), 10);
        QVERIFY(child<QCheckBox>(w.get(), "exclusion")->isChecked());
        QVERIFY(child<QCheckBox>(w.get(), "replicate")->isChecked());
        QVERIFY(child<QCheckBox>(w.get(), "xdiff")->isChecked());
        QVERIFY(!child<QCheckBox>(w.get(), "xport")->isChecked());
        QCOMPARE(child<QLineEdit>(w.get(), "netlistb")->text(), QStringLiteral("/x/b.sdf"));
        w->close();
    }
    const QStringList again = readAll(settings()).split(QStringLiteral("\r\n"));
    QCOMPARE(again, lines);
}

void WindowTest::unsavableSettingsAreReported() {
    auto w = std::make_unique<MainWindow>(
        dir_.filePath(QStringLiteral("no/such/dir/quorlin.ini")).toStdString());
    w->show();
    QString message;
    onModal([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) message = box->text();
        modal->close();
    });
    w->close();
    QVERIFY(message.startsWith(QStringLiteral("Cannot write settings file: ")));
    QVERIFY(!w->isVisible());
}

void WindowTest::dialogCancelGivesNothing() {
    onModal([](QWidget* modal) {
        child<QLineEdit>(modal, "filename")->setText(QStringLiteral("typed.pcb"));
        QTest::mouseClick(child<QPushButton>(modal, "cancelbutton"), Qt::LeftButton);
    });
    QCOMPARE(quorlin::browsefile(nullptr, "", "*.PCB", dir_.path().toStdString(), "t"),
             std::string());
}

void WindowTest::dialogOkGivesTheChosenPath() {
    demoCopy();
    QString title;
    QString start;
    QStringList listed;
    onModal([&](QWidget* modal) {
        title = modal->windowTitle();
        start = child<QLabel>(modal, "Label1")->text();
        auto* files = child<QListWidget>(modal, "filelist");
        for (int i = 0; i < files->count(); ++i) listed << files->item(i)->text();
        files->item(0)->setSelected(true);
        emit files->itemDoubleClicked(files->item(0));
        QCOMPARE(child<QLineEdit>(modal, "filecount")->text(), QStringLiteral("1"));
        QTest::mouseClick(child<QPushButton>(modal, "okbutton"), Qt::LeftButton);
    });
    const std::string picked =
        quorlin::browsefile(nullptr, "", "*.PCB", dir_.path().toStdString(), "Pick one");
    QCOMPARE(title, QStringLiteral("Pick one"));
    QCOMPARE(start, QStringLiteral("Files:"));
    QCOMPARE(listed, QStringList{QStringLiteral("demo.pcb")});
    QCOMPARE(QString::fromStdString(picked), dir_.filePath(QStringLiteral("demo.pcb")));
    QCOMPARE(QDir::currentPath(), dir_.path());

    onModal([](QWidget* modal) {
        child<QLineEdit>(modal, "filename")->setText(QStringLiteral("/abs/typed.pcb"));
        QTest::mouseClick(child<QPushButton>(modal, "okbutton"), Qt::LeftButton);
    });
    QCOMPARE(quorlin::browsefile(nullptr, "", "", dir_.path().toStdString(), "t"),
             std::string("/abs/typed.pcb"));
}

void WindowTest::dialogJoinsSeveralPickedNames() {
    for (const char* name : {"a.sdf", "b.sdf", "c.sdf", "d.txt"})
        writeAll(dir_.filePath(QString::fromLatin1(name)), "x");
    QString filename, count;
    onModal([&](QWidget* modal) {
        auto* files = child<QListWidget>(modal, "filelist");
        QCOMPARE(files->count(), 3);
        for (int i = 2; i >= 0; --i) files->item(i)->setSelected(true);
        emit files->itemDoubleClicked(files->item(2));
        filename = child<QLineEdit>(modal, "filename")->text();
        count = child<QLineEdit>(modal, "filecount")->text();
        QTest::mouseClick(child<QPushButton>(modal, "okbutton"), Qt::LeftButton);
    });
    const std::string joined =
        quorlin::browsefile(nullptr, "", "*.sdf", dir_.path().toStdString(), "t");
    QCOMPARE(filename, QStringLiteral("a.sdf\r\nb.sdf\r\nc.sdf"));
    QCOMPARE(count, QStringLiteral("3"));
    QCOMPARE(QString::fromStdString(joined), dir_.filePath(QStringLiteral("a.sdf ,b.sdf ,c.sdf")));
}

void WindowTest::dialogListsAndMoves() {
    QDir(dir_.path()).mkpath(QStringLiteral("sub"));
    writeAll(dir_.filePath(QStringLiteral("sub/inner.sdf")), "x");
    writeAll(dir_.filePath(QStringLiteral("top.txt")), "x");
    QString mask;
    QStringList afterMask, afterMove, drives;
    QString nameAfterMove;
    onModal([&](QWidget* modal) {
        auto* filemask = child<QLineEdit>(modal, "filemask");
        mask = filemask->text();
        filemask->clear();
        QTest::keyClicks(filemask, QStringLiteral("*.*"));
        auto* files = child<QListWidget>(modal, "filelist");
        for (int i = 0; i < files->count(); ++i) afterMask << files->item(i)->text();
        child<QLineEdit>(modal, "filename")->setText(QStringLiteral("picked"));
        auto* dirs = child<QListWidget>(modal, "dirlist");
        const auto sub = dirs->findItems(QStringLiteral("sub"), Qt::MatchExactly);
        QCOMPARE(sub.size(), 1);
        emit dirs->itemActivated(sub.front());
        for (int i = 0; i < files->count(); ++i) afterMove << files->item(i)->text();
        nameAfterMove = child<QLineEdit>(modal, "filename")->text();
        auto* drivelist = child<QComboBox>(modal, "drivelist");
        for (int i = 0; i < drivelist->count(); ++i) drives << drivelist->itemText(i);
        QTest::mouseClick(child<QPushButton>(modal, "cancelbutton"), Qt::LeftButton);
    });
    quorlin::browsefile(nullptr, "", "*.sdf", dir_.path().toStdString(), "t");
    QCOMPARE(mask, QStringLiteral("*.sdf"));
    QVERIFY(afterMask.contains(QStringLiteral("top.txt")));
    QCOMPARE(afterMove, QStringList{QStringLiteral("inner.sdf")});
    QCOMPARE(nameAfterMove, QString());
    QVERIFY(drives.contains(QStringLiteral("/")));
    QCOMPARE(QDir::currentPath(), dir_.filePath(QStringLiteral("sub")));
}

void WindowTest::doubleClickOnAFileBoxChoosesAFile() {
    const QString board = demoCopy();
    auto w = window();
    auto* fnme = child<QLineEdit>(w.get(), "fnme");
    fnme->setText(dir_.filePath(QStringLiteral("old.pcb")));
    // Several picked names: the box keeps its text.
    writeAll(dir_.filePath(QStringLiteral("second.PCB")), "x");
    QString title;
    onModal([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* files = child<QListWidget>(modal, "filelist");
        for (int i = 0; i < files->count(); ++i) files->item(i)->setSelected(true);
        emit files->itemDoubleClicked(files->item(0));
        QTest::mouseClick(child<QPushButton>(modal, "okbutton"), Qt::LeftButton);
    });
    QTest::mouseDClick(fnme, Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Select PCB source file"));
    QCOMPARE(fnme->text(), dir_.filePath(QStringLiteral("old.pcb")));
    QVERIFY(!child<QPlainTextEdit>(w.get(), "Notes")->isVisible());

    onModal([&](QWidget* modal) {
        auto* files = child<QListWidget>(modal, "filelist");
        const auto demo = files->findItems(QStringLiteral("demo.pcb"), Qt::MatchExactly);
        demo.front()->setSelected(true);
        emit files->itemDoubleClicked(demo.front());
        QTest::mouseClick(child<QPushButton>(modal, "okbutton"), Qt::LeftButton);
    });
    QTest::mouseDClick(fnme, Qt::LeftButton);
    QCOMPARE(fnme->text(), board);
    QFile::remove(dir_.filePath(QStringLiteral("second.PCB")));
}

void WindowTest::finalStateReachesTheWidgets() {
    auto w = window();
    quorlin::Form& form = w->session().form;
    form.reportbox = "Define the following Tracks in ARES:\r\n---\r\n\r\n";
    for (size_t i = 0; i < form.netdata.size(); ++i) form.netdata[i] = std::to_string(i + 100);
    form.spinner = "|";
    w->runJob(7);  // no job: only the help box goes
    QCOMPARE(child<QPlainTextEdit>(w.get(), "reportbox")->toPlainText(),
             QStringLiteral("Define the following Tracks in ARES:\n---\n\n"));
    for (int i = 0; i <= 11; ++i)
        QCOMPARE(child<QLineEdit>(w.get(), ("netdata_" + std::to_string(i)).c_str())->text(),
                 QString::number(i + 100));
    QCOMPARE(child<QLabel>(w.get(), "spinner")->text(), QStringLiteral("|"));
    QVERIFY(!child<QPlainTextEdit>(w.get(), "Notes")->isVisible());
}

void WindowTest::eventProcessingIsThrottled() {
    int refreshes = 0;
    quorlin::WindowHost host([&] { ++refreshes; });
    for (int i = 0; i < 10000; ++i) host.processEvents();
    QVERIFY(refreshes >= 1);
    QVERIFY2(refreshes < 100, qPrintable(QString::number(refreshes)));
    const int before = refreshes;
    host.flush();
    QCOMPARE(refreshes, before + 1);
}

void WindowTest::pauseProcessesEvents() {
    quorlin::WindowHost host([] {});
    for (int hundredths : {0, -1, 2}) {
        bool delivered = false;
        QTimer::singleShot(0, [&] { delivered = true; });
        host.pause(hundredths);
        QVERIFY(delivered);
    }
}

void WindowTest::windowKeepsItsStartUpSize() {
    auto w = window();
    const QSize start = w->size();
    w->showMaximized();
    QTRY_VERIFY(!(w->windowState() & Qt::WindowMaximized));
    QCOMPARE(w->size(), start);
    w->resize(start + QSize(100, 100));
    QCOMPARE(w->size(), start);
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
