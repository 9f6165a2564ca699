#pragma once

#include <QString>

class QPagedPaintDevice;

namespace lexiscoop {

class ReadingView;

// What a printed page shows above the text.
struct ReadingPrintHeader {
  QString title;    // the text's name
  QString verdict;  // the coverage line
};

// The body's size on paper unless the user chooses another, in points.
inline constexpr double kHandoutPoints = 10.5;

// Prints the text of `view` with its colours as a handout: the body in the
// view's font at `bodyPoints`, its lines wrapped at the page's width, as
// many rows to a page as fit; each page headed by the title, the page
// number («2 / 5»), the legend of the levels shown and the coverage line.
// Returns the number of pages; 0 when the device cannot be painted on.
int PrintReading(const ReadingView& view, const ReadingPrintHeader& header, QPagedPaintDevice& device,
                 double bodyPoints = kHandoutPoints);

// The pages PrintReading makes for `view` on `device`.
int ReadingPageCount(const ReadingView& view, QPagedPaintDevice& device, double bodyPoints = kHandoutPoints);

}  // namespace lexiscoop
