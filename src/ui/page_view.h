#pragma once
// TPageView: the Page view's image of the 1920 × 1080 menu page. The page is shown whole: at
// its own size when the view has room, scaled down to the view otherwise, centred on the
// surrounding colour; a click is passed on in page pixels.

#include "ig/image.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <optional>

namespace mirtal::ui {

class TPageView : public QWidget {
    Q_OBJECT
public:
    explicit TPageView(QWidget* parent = nullptr);

    // Copies the page image and repaints at once (animation frames are shown as they are drawn).
    void setImage(const ig::RgbImage& image);
    [[nodiscard]] const QImage& image() const { return m_image; }
    void setSurround(const QColor& colour);
    // Where the page is drawn in the view.
    [[nodiscard]] QRect pageRect() const;
    // The page pixel under a point of the view; nullopt off the page.
    [[nodiscard]] std::optional<QPoint> pagePoint(const QPoint& at) const;

signals:
    void pageMouseDown(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    QColor m_surround;
};

}  // namespace mirtal::ui
