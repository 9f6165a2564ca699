#pragma once

#include <QIcon>
#include <QPixmap>

namespace lexiscoop {

// The main window's image list: the command images by index, 0 to 16
// (0 paste, 1 extract, 2 open, 3 sort by letter, 4 sort by appearance,
// 5 sort by frequency, 6 copy words, 7 copy with counts, 8 help, 11
// dictionary, 12 switch off, 13 switch on, 14 select all, 15 close, 16 stop;
// 9 and 10 unused). They are the SVG files of the program's resources,
// rendered once, on first use. An unused index or one outside 0..16 gives a
// null icon.
QIcon ImageListIcon(int index);

// The program's own icon (window, splash, desktop entry).
QIcon ProgramIcon();

// The image of `index` (or the program's icon for -1) rendered at `size`
// pixels square; a null pixmap where there is no image.
QPixmap RenderImage(int index, int size);

inline constexpr int kImageCount = 17;
inline constexpr int kImageCopyWords = 6;
inline constexpr int kImageSwitchOff = 12;
inline constexpr int kImageSwitchOn = 13;

}  // namespace lexiscoop
