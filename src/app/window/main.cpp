// The desktop converter. Options for unattended runs, left out of --help (they serve the scripts,
// not the users): --settings FILE uses that settings file, --convert FILE converts a board at
// start, --grab PNG saves a picture of the window and quits, --gaps prints how long the window
// went without processing events during the conversion, --grab-preview PNG opens the preview
// after --convert, saves a picture of it and quits (with --hide LAYER, that layer unchecked
// first).
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/core/startup.h"
#include "app/window/mainwindow.h"
#include "app/window/previewwindow.h"
#include "app/window/qtext.h"
#include "util/basic.h"

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("quorlin"));
    QCoreApplication::setApplicationVersion(quorlin::toQ(quorlin::versionstring()));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The Quorlin converter window: Tango PCB files and netlists to ARES, and the "
        "SDF netlist comparator."));
    const QCommandLineOption settings(QStringLiteral("settings"),
                                      QStringLiteral("Settings file to use."),
                                      QStringLiteral("file"));
    const QCommandLineOption convert(QStringLiteral("convert"),
                                     QStringLiteral("Convert this Tango PCB file at start."),
                                     QStringLiteral("file"));
    const QCommandLineOption grab(QStringLiteral("grab"),
                                  QStringLiteral("Save a picture of the window and quit."),
                                  QStringLiteral("png"));
    const QCommandLineOption gaps(
        QStringLiteral("gaps"),
        QStringLiteral(
            "After --convert, print the longest time without event processing and quit."));
    const QCommandLineOption grabPreview(
        QStringLiteral("grab-preview"),
        QStringLiteral("After --convert, open the preview, save a picture of it and quit."),
        QStringLiteral("png"));
    const QCommandLineOption hide(QStringLiteral("hide"),
                                  QStringLiteral("Layer to hide in the preview first."),
                                  QStringLiteral("layer"));
    for (QCommandLineOption option : {settings, convert, grab, gaps, grabPreview, hide}) {
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    const QCommandLineOption help = parser.addHelpOption(), version = parser.addVersionOption();
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    // The help and the version need no display: they are answered before the window's
    // application would want one. (Qt's own options, -platform and the like, are known to that
    // application alone: it takes them away before the arguments are checked.)
    parser.parse(args);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")) || parser.isSet(version)) {
        QCoreApplication console(argc, argv);
        parser.process(console);  // prints and ends the program
    }
    QApplication app(argc, argv);
    parser.process(app);

    std::string path = quorlin::fromQ(parser.value(settings));
    if (path.empty()) {
        const auto getenv = [](const char* name) {
            const char* value = std::getenv(name);
            return std::string(value ? value : "");
        };
        path = quorlin::settingsPath(
            quorlin::SettingsRule::kPosix,
            quorlin::settingsPlaces(quorlin::SettingsRule::kPosix,
                                    quorlin::fromQ(QCoreApplication::applicationFilePath()),
                                    getenv));
    }
    // The configuration directory of a fresh account may not exist yet.
    QDir().mkpath(QFileInfo(quorlin::toQ(path)).absolutePath());
    quorlin::MainWindow window(path);
    window.show();

    QTimer::singleShot(0, &window, [&] {
        if (parser.isSet(convert)) {
            window.findChild<QLineEdit*>(QStringLiteral("fnme"))
                ->setText(QFileInfo(parser.value(convert)).absoluteFilePath());
            window.findChild<QPushButton*>(QStringLiteral("Commands_0"))->click();
            if (parser.isSet(gaps)) {
                std::printf("longest gap between event rounds: %.1f ms\n",
                            window.host().longestGapMs());
                if (!parser.isSet(grab)) QCoreApplication::exit(0);
            }
        }
        if (parser.isSet(grabPreview)) {
            window.findChild<QPushButton*>(QStringLiteral("preview"))->click();
            auto* preview = static_cast<quorlin::PreviewWindow*>(window.previewWindow());
            if (!preview) return QCoreApplication::exit(1);
            for (const QString& layer : parser.values(hide)) preview->setLayerShown(layer, false);
            QTimer::singleShot(300, preview, [&parser, &grabPreview, preview, &window] {
                const bool saved = preview->grab().save(parser.value(grabPreview));
                window.close();
                QCoreApplication::exit(saved ? 0 : 1);
            });
            return;
        }
        if (parser.isSet(grab)) {
            const bool saved = window.grab().save(parser.value(grab));
            window.close();
            QCoreApplication::exit(saved ? 0 : 1);
        }
    });
    return app.exec();
}
