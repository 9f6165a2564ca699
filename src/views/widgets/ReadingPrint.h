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

// Prints the text of `view` with its colours: one page per screenful of the
// view (its LinesPerPage), each page headed by the title, the page number,
// the legend of the levels shown and the coverage line. The font is the
// view's, scaled so that a page holds the screenful's lines and its longest
// line whole. Returns the number of pages; 0 when the device cannot be
// painted on.
int PrintReading(const ReadingView& view, const ReadingPrintHeader& header, QPagedPaintDevice& device);

// The pages PrintReading makes for `view`.
int ReadingPageCount(const ReadingView& view);

}  // namespace lexiscoop
