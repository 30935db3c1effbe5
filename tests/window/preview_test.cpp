// The Preview button and the preview window, driven by object name under the offscreen platform.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

#include "app/window/mainwindow.h"
#include "app/window/previewwindow.h"

using quorlin::MainWindow;
using quorlin::PreviewCanvas;

class PreviewTest : public QObject {
    Q_OBJECT
  private slots:
    void previewOfTheDemoZoomsFitsAndHidesLayers();
};

void PreviewTest::previewOfTheDemoZoomsFitsAndHidesLayers() {
    QTemporaryDir dir;
    const QString pcb = dir.filePath(QStringLiteral("demo.pcb"));
    QVERIFY(QFile::copy(QStringLiteral(QUORLIN_EXAMPLES "/demo.pcb"), pcb));
    MainWindow w(dir.filePath(QStringLiteral("quorlin.ini")).toStdString());
    w.show();
    auto* preview = w.findChild<QPushButton*>(QStringLiteral("preview"));
    QVERIFY(preview && !preview->isEnabled());  // grayed until a conversion has completed
    w.findChild<QLineEdit*>(QStringLiteral("fnme"))->setText(pcb);
    w.findChild<QPushButton*>(QStringLiteral("Commands_0"))->click();
    QVERIFY(preview->isEnabled());

    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    preview->click();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);  // writes no file
    QWidget* window = w.previewWindow();
    QVERIFY(window);
    auto* canvas = window->findChild<PreviewCanvas*>(QStringLiteral("canvas"));
    auto* layers = window->findChild<QListWidget*>(QStringLiteral("layers"));
    QVERIFY(canvas && layers);

    // All layers shown: exactly the SVG the command line writes for the demo.
    QFile golden(QStringLiteral(QUORLIN_TEST_DATA "/cases/preview/demo/expected/demo.svg"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(QByteArray::fromStdString(canvas->document()), golden.readAll());

    const QRectF fitted = canvas->view();
    const QPointF pos(canvas->width() / 4.0, canvas->height() / 3.0);
    const QPointF under = canvas->toDrawing(pos);
    QWheelEvent wheel(pos, canvas->mapToGlobal(pos), {}, {0, 462}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    QVERIFY(canvas->view().width() < fitted.width() / 1.9);  // 1.0015^462 is 2
    QVERIFY(QLineF(canvas->toDrawing(pos), under).length() < fitted.width() * 1e-9);
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(canvas, QPoint(150, 100));
    QVERIFY(canvas->view().left() < fitted.left() + canvas->view().width() / 2);
    window->findChild<QPushButton*>(QStringLiteral("fit"))->click();
    QCOMPARE(canvas->view(), fitted);

    // The scale bar: a round length about a sixth of the canvas wide, shorter in length when
    // zoomed.
    const PreviewCanvas::Scale fittedScale = canvas->scale();
    QVERIFY(fittedScale.pixels >= 25 && fittedScale.pixels <= canvas->width() / 6.0 + 1);
    QVERIFY(fittedScale.label.endsWith(QStringLiteral(" mm")));

    // Each layer: its colour, its code and its plain name.
    QList<QListWidgetItem*> top =
        layers->findItems(QStringLiteral("TOP  top copper"), Qt::MatchExactly);
    QCOMPARE(top.size(), 1);
    QCOMPARE(top[0]->icon().pixmap(14, 14).toImage().pixelColor(7, 7), QColor(0xd0, 0x35, 0x2b));
    QVERIFY(canvas->document().find("<g id=\"TOP\"") != std::string::npos);
    top[0]->setCheckState(Qt::Unchecked);
    QVERIFY(canvas->document().find("<g id=\"TOP\"") == std::string::npos);
    QVERIFY(canvas->document().find("<g id=\"BOT\"") != std::string::npos);
    QCOMPARE(canvas->view(), fitted);  // hiding a layer keeps the view
    top[0]->setCheckState(Qt::Checked);
    QVERIFY(canvas->document().find("<g id=\"TOP\"") != std::string::npos);
}

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
