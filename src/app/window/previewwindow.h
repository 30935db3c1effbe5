// The board preview window: the SVG the core draws from a region file, fitted, zoomed with the
// wheel around the pointer, panned by dragging, with a scale bar and a check box per layer
// (its colour, code and plain name).
#pragma once

#include <QRectF>
#include <QSvgRenderer>
#include <QWidget>
#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quorlin {

// Paints an SVG document; view() is the part of the drawing shown, in its user units.
class PreviewCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewCanvas(QWidget* parent = nullptr);
    // Shows document; the view is kept when one was shown before, else fitted.
    void load(const std::string& document);
    // The whole drawing, centred, at the widget's aspect ratio.
    void fit();
    // Zooms by factor (above 1 in) keeping the drawing's point under pos where it is.
    void zoomAt(QPointF pos, double factor);
    QRectF view() const { return view_; }
    // The document painted.
    const std::string& document() const { return document_; }
    // The drawing's point under a widget position.
    QPointF toDrawing(QPointF pos) const;
    // The scale bar: a round length ("5 mm", "200 \u00b5m") and its length in pixels.
    struct Scale {
        QString label;
        double pixels = 0;
    };
    Scale scale() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QSvgRenderer renderer_;
    std::string document_;
    QRectF view_;
    QPointF dragFrom_;
    bool dragging_ = false;
};

class PreviewWindow : public QWidget {
    Q_OBJECT
  public:
    // Shows document, the preview of a region file with the given layers; title names the file.
    PreviewWindow(std::string document, const std::vector<std::string>& layers,
                  const QString& title, QWidget* parent = nullptr);
    ~PreviewWindow() override;
    PreviewCanvas* canvas() const { return canvas_; }
    // Shows or hides one layer, as its check box does.
    void setLayerShown(const QString& code, bool shown);

  private:
    void redraw();
    static QString codeOf(const QListWidgetItem* item);

    std::string document_;
    PreviewCanvas* canvas_;
    QListWidget* layers_;
    QPushButton* fit_;
};

}  // namespace quorlin
