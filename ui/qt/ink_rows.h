// The rows of a picture's image that may hold more than one colour. A row of one colour reads
// the same after any move along itself, so a sideways scroll need look only at these: on the
// chart that is the few rows the line crosses, not the whole image at every tick.
#pragma once

#include <QImage>
#include <climits>

namespace zarnel::qt {

class InkRows {
  public:
    // Every row is one colour (the image was just filled).
    void clear() {
        top_ = INT_MAX;
        bottom_ = INT_MIN;
    }
    // Rows `top` to `bottom` may have been drawn on.
    void add(int top, int bottom);
    bool empty() const { return top_ > bottom_; }
    int top() const { return top_; }
    int bottom() const { return bottom_; }
    // Drops rows of one colour from both ends of the span: as the line scrolls off a row, the
    // row stops being looked at.
    void trim(const QImage& image);

  private:
    int top_ = INT_MAX;
    int bottom_ = INT_MIN;
};

}  // namespace zarnel::qt
