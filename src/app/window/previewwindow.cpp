#include "app/window/previewwindow.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/window/qtext.h"
#include "preview/layerlooks.h"
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

// The largest length of 1, 2 or 5 times a power of ten that fits in about a sixth of the
// width. The drawing's unit is the micrometre.
PreviewCanvas::Scale PreviewCanvas::scale() const {
    Scale s;
    if (view_.isEmpty() || width() <= 0) return s;
    const double perPixel = view_.width() / width();
    const double most = perPixel * std::max(60, width() / 6);
    double length = std::pow(10.0, std::floor(std::log10(most)));
    for (const double step : {5.0, 2.0})
        if (length * step <= most) {
            length *= step;
            break;
        }
    s.pixels = length / perPixel;
    s.label = length >= 1000 ? QString::number(length / 1000) + QStringLiteral(" mm")
                             : QString::number(length) + QStringLiteral(" \u00b5m");
    return s;
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (view_.isEmpty() || !renderer_.isValid()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_.setViewBox(view_);
    renderer_.render(&painter, QRectF(rect()));
    // The scale bar, bottom left, on a white ground so the board does not hide it.
    const Scale s = scale();
    if (s.pixels <= 0) return;
    const QPointF from(12, height() - 12), to(12 + s.pixels, height() - 12);
    const QRectF label(from.x(), from.y() - 24, s.pixels, 18);
    painter.fillRect(QRectF(from.x() - 6, label.top() - 2, s.pixels + 12, 34),
                     QColor(255, 255, 255, 220));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(from, to);
    painter.drawLine(from, from - QPointF(0, 6));
    painter.drawLine(to, to - QPointF(0, 6));
    painter.drawText(label, Qt::AlignCenter, s.label);
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
    layers_->setMaximumWidth(200);
    for (const std::string& code : layers) {
        const LayerLook look = layerLook(code);
        QString text = toQ(code);
        if (!look.name.empty()) text += QStringLiteral("  ") + toQ(std::string(look.name));
        QPixmap swatch(14, 14);
        swatch.fill(QColor(toQ(std::string(look.colour))));
        auto* item = new QListWidgetItem(QIcon(swatch), text, layers_);
        item->setData(Qt::UserRole, toQ(code));
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
    for (int i = 0; i < layers_->count(); ++i)
        if (codeOf(layers_->item(i)) == code)
            layers_->item(i)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

QString PreviewWindow::codeOf(const QListWidgetItem* item) {
    return item->data(Qt::UserRole).toString();
}

void PreviewWindow::redraw() {
    std::vector<std::string> hidden;
    for (int i = 0; i < layers_->count(); ++i)
        if (layers_->item(i)->checkState() != Qt::Checked)
            hidden.push_back(fromQ(codeOf(layers_->item(i))));
    canvas_->load(withoutLayers(document_, hidden));
}

}  // namespace quorlin
