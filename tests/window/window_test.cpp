// Drives the window by object name under the offscreen platform.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
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

    void demoConversionFillsCounts();
    void inputsDisabledWhileAJobRuns();
    void helpTogglesNotes();
    void settingsRoundTrip();
    void unsavableSettingsAreReported();
    void doubleClickOnAFileBoxChoosesAFile();
    void finalStateReachesTheWidgets();
    void eventProcessingIsThrottled();
    void windowKeepsItsStartUpSize();
    void everyToolTipReachesItsControl();
};

void WindowTest::demoConversionFillsCounts() {
    const QString board = demoCopy();
    auto w = window();
    child<QLineEdit>(w.get(), "fnme")->setText(board);
    QTest::mouseClick(child<QPushButton>(w.get(), "Commands_0"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(w.get(), "errorbox")->text(), QStringLiteral("Conversion complete"));
    const quorlin::Form& form = w->form();
    int nonZero = 0;
    for (int i = 0; i <= 12; ++i) {
        const QString shown =
            child<QLineEdit>(w.get(), ("counts_" + std::to_string(i)).c_str())->text();
        QCOMPARE(shown, QString::fromStdString(form.counts[static_cast<size_t>(i)]));
        nonZero += shown != QStringLiteral("0");
    }
    QVERIFY(nonZero >= 8);
    // Box 3 counts the board's nets.
    QCOMPARE(child<QLineEdit>(w.get(), "counts_3")->text(),
             QString::number(readAll(board).count(QStringLiteral("\nnet "))));
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
    QVERIFY(!notes->toPlainText().isEmpty());
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
    quorlin::Form& form = w->form();
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

void WindowTest::windowKeepsItsStartUpSize() {
    auto w = window();
    const QSize start = w->size();
    w->showMaximized();
    QTRY_VERIFY(!(w->windowState() & Qt::WindowMaximized));
    QCOMPARE(w->size(), start);
    w->resize(start + QSize(100, 100));
    QCOMPARE(w->size(), start);
}

// The tips are the core's, shared with the Win32 window: each reaches the control of its name.
void WindowTest::everyToolTipReachesItsControl() {
    auto w = window();
    for (const quorlin::ToolTip& t : quorlin::kToolTips) {
        const std::string name(t.control);
        QWidget* c = child<QWidget>(w.get(), name.c_str());
        QVERIFY2(c, name.c_str());
        QCOMPARE(c->toolTip().toStdString(), std::string(t.text));
    }
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
