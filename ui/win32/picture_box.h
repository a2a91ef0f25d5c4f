// A picture box's image: a memory bitmap as large as the box's client area, drawn on by the
// Picture calls and copied to the screen on WM_PAINT, so what is drawn stays.
#pragma once

#include <windows.h>

#include "ui/win32/named_accessible.h"
#include "ui/win32/scale.h"
#include "window/controls.h"

namespace zarnel::win32 {

class PictureBox : public Picture {
  public:
    // `scale` is the window's and outlives the box.
    PictureBox(HWND box, const Scale& scale, Colour back, Colour fore, Colour fill);
    ~PictureBox() override;
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    HWND handle() const { return box_; }
    Colour backColour() const { return back_; }
    Colour foreColour() const { return fore_; }
    Colour fillColour() const { return fill_; }
    void setForeColor(Colour colour) { fore_ = colour; }
    // Copies the image to a window's DC (WM_PAINT, WM_PRINTCLIENT).
    void paint(HDC target) const;
    // Follows the client area's size, keeping the pixels that still fit; after a change of
    // density the image is scaled with the box.
    void resize();
    // The box was hidden: without a persistent image what was drawn is lost.
    void hidden();
    // The system's colours changed: a face in a system colour takes the new one, under what
    // is drawn on it.
    void systemColoursChanged();
    COLORREF pixel(int x, int y) const;
    // The box has painted its whole update region (WM_PAINT).
    void painted() { repaintDue_ = false; }
    // What the box tells a screen reader: what a figure shows, or that it is drawn only.
    void answerReaders(ReaderAnswer answer) { reader_ = std::move(answer); }
    bool answersReaders() const { return reader_.isSet(); }
    // The box's answer to WM_GETOBJECT: zero for the system to answer alone.
    LRESULT accessibleObject(WPARAM flags, LPARAM object) const {
        return reader_(box_, flags, object);
    }

    void setAutoRedraw(bool on) override { autoRedraw_ = on; }
    void setBackColor(Colour colour) override;
    void setFillColor(Colour colour) override { fill_ = colour; }
    float currentX() const override { return penX_; }
    float currentY() const override { return penY_; }
    void setCurrentX(float x) override { penX_ = x; }
    void setCurrentY(float y) override { penY_ = y; }
    void lineTo(float x, float y, Colour colour) override;
    void pieWedge(float centreX, float centreY, float radius, float startAngle,
                  float endAngle) override;
    void scroll(int dx, int dy, const PixelRect& scrollRect, const PixelRect& clipRect) override;

  private:
    // A point in twips as the drawing's pixel, moved onto its nearest edge when outside.
    POINT onCanvas(float x, float y) const;

    // Fills `rect` of `dc` with the back colour, as the face it now shows.
    void fillFace(HDC dc, const RECT& rect);
    void clear();
    void changed();

    HWND box_;
    const Scale& scale_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ firstBitmap_ = nullptr;
    SIZE size_{};
    int imageDpi_ = kBaseDpi;  // the density the image was drawn at
    Colour back_;
    Colour fore_;
    Colour fill_;
    COLORREF face_ = 0;  // the back colour the image was last filled with, as it then was
    bool autoRedraw_ = false;
    bool repaintDue_ = false;  // the whole box is invalid and has not painted yet
    float penX_ = 0;
    float penY_ = 0;
    ReaderAnswer reader_;
};

}  // namespace zarnel::win32
