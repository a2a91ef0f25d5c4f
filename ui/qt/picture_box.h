// A picture box: a container for child controls over a drawing surface whose image keeps
// its pixels. Coordinates of the drawing calls are twips from the surface's top-left. The
// surface and its image are made when first drawn on or given a child: until then the box
// shows only its back colour. A flat one on another box's surface (the chart's grid lines) is
// filled by that surface as it paints, not painted as a widget of its own.
#pragma once

#include <QFrame>
#include <QImage>

#include "ui/qt/ink_rows.h"
#include "window/controls.h"

namespace zarnel::qt {

class PictureSurface;

class PictureBox : public QFrame, public Picture {
    Q_OBJECT

  public:
    PictureBox(bool flat, QWidget* parent);

    // Where the box's child controls live (inside the border).
    QWidget* surface();
    const QImage& image();
    Colour backColour() const { return backColour_; }
    Colour foreColour() const { return foreColour_; }
    Colour fillColour() const { return fillColour_; }
    void setForeColor(Colour colour);
    // Whether the surface the box lies on paints it (see above), and the colour it fills.
    bool drawnByContainer() const { return drawnByContainer_; }
    QColor containerColour() const;

    void setAutoRedraw(bool on) override;
    void setBackColor(Colour colour) override;
    void setFillColor(Colour colour) override;
    float currentX() const override { return penX_; }
    float currentY() const override { return penY_; }
    void setCurrentX(float x) override { penX_ = x; }
    void setCurrentY(float y) override { penY_ = y; }
    void lineTo(float x, float y, Colour colour) override;
    void pieWedge(float centreX, float centreY, float radius, float startAngle,
                  float endAngle) override;
    void scroll(int dx, int dy, const PixelRect& scrollRect, const PixelRect& clipRect) override;

  signals:
    // A click on the box itself, not on a control inside it.
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QColor colour(Colour value) const;
    void becomeOpaque();
    // Asks the container to paint the box's place again, when it is the one that paints it.
    void updateOnContainer();
    // Makes the surface and its image on first use and keeps the image as large as the drawing
    // area; a hidden box gets no resize events.
    QImage& canvas();
    // Fills the image with the back colour, as the face it now shows.
    void clearToBack();

    PictureSurface* surface_ = nullptr;
    QImage image_;
    Colour backColour_;
    Colour foreColour_;
    Colour fillColour_;
    InkRows ink_;    // where the image may hold more than its fill
    QRgb face_ = 0;  // the back colour the image was last filled with, as it then looked
    bool autoRedraw_ = false;
    bool drawnByContainer_ = false;
    float penX_ = 0;
    float penY_ = 0;
};

}  // namespace zarnel::qt
