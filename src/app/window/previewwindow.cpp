#include "app/window/previewwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>
#include <vector>

#include "app/window/qtext.h"
#include "preview/preview.h"

namespace quorlin {

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("canvas"));
    setMinimumSize(320, 240);
    setCursor(Qt::OpenHandCursor);
}

void PreviewCanvas::load(const std::string& document) {
    document_ = document;
    renderer_.load(QByteArray::fromStdString(document_));
    if (view_.isEmpty()) fit();
    update();
}

void PreviewCanvas::fit() {
    QRectF all = renderer_.viewBoxF();
    if (all.isEmpty() || width() <= 0 || height() <= 0) {
        view_ = all;
        update();
        return;
    }
    // Widened or heightened to the widget's shape, so the drawing keeps its proportions.
    const double aspect = double(width()) / height();
    if (all.width() / all.height() < aspect)
        all.setWidth(all.height() * aspect);
    else
        all.setHeight(all.width() / aspect);
    all.moveCenter(renderer_.viewBoxF().center());
    view_ = all;
    update();
}

QPointF PreviewCanvas::toDrawing(QPointF pos) const {
    return {view_.left() + pos.x() / width() * view_.width(),
            view_.top() + pos.y() / height() * view_.height()};
}

void PreviewCanvas::zoomAt(QPointF pos, double factor) {
    if (view_.isEmpty() || factor <= 0) return;
    const QPointF at = toDrawing(pos);
    const double w = view_.width() / factor, h = view_.height() / factor;
    view_ = QRectF(at.x() - pos.x() / width() * w, at.y() - pos.y() / height() * h, w, h);
    update();
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (view_.isEmpty() || !renderer_.isValid()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_.setViewBox(view_);
    renderer_.render(&painter, QRectF(rect()));
}

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
    zoomAt(event->position(), std::pow(1.0015, event->angleDelta().y()));
    event->accept();
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    dragFrom_ = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) {
        dragging_ = false;
        setCursor(Qt::OpenHandCursor);
        return;
    }
    const QPointF moved = event->position() - dragFrom_;
    dragFrom_ = event->position();
    view_.translate(-moved.x() / width() * view_.width(), -moved.y() / height() * view_.height());
    update();
}

void PreviewCanvas::resizeEvent(QResizeEvent* event) {
    // The scale stays; the view grows or shrinks with the widget around its centre.
    const QSize old = event->oldSize();
    if (view_.isEmpty() || old.width() <= 0 || old.height() <= 0) return fit();
    const QPointF centre = view_.center();
    view_.setWidth(view_.width() * width() / old.width());
    view_.setHeight(view_.height() * height() / old.height());
    view_.moveCenter(centre);
}

PreviewWindow::PreviewWindow(std::string document, const std::vector<std::string>& layers,
                             const QString& title, QWidget* parent)
    : QWidget(parent), document_(std::move(document)) {
    setObjectName(QStringLiteral("previewWindow"));
    setWindowTitle(QStringLiteral("Board preview: ") + title);
    canvas_ = new PreviewCanvas;
    layers_ = new QListWidget;
    layers_->setObjectName(QStringLiteral("layers"));
    layers_->setMaximumWidth(120);
    for (const std::string& code : layers) {
        auto* item = new QListWidgetItem(toQ(code), layers_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    connect(layers_, &QListWidget::itemChanged, this, [this] { redraw(); });
    fit_ = new QPushButton(QStringLiteral("Fit"));
    fit_->setObjectName(QStringLiteral("fit"));
    connect(fit_, &QPushButton::clicked, canvas_, &PreviewCanvas::fit);

    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("Layers")));
    side->addWidget(layers_, 1);
    side->addWidget(fit_);
    auto* top = new QHBoxLayout(this);
    top->addWidget(canvas_, 1);
    top->addLayout(side);
    resize(900, 640);
    redraw();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::setLayerShown(const QString& code, bool shown) {
    for (QListWidgetItem* item : layers_->findItems(code, Qt::MatchExactly))
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

void PreviewWindow::redraw() {
    std::vector<std::string> hidden;
    for (int i = 0; i < layers_->count(); ++i)
        if (layers_->item(i)->checkState() != Qt::Checked)
            hidden.push_back(fromQ(layers_->item(i)->text()));
    canvas_->load(withoutLayers(document_, hidden));
}

}  // namespace quorlin
