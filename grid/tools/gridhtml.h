#pragma once
// The grid as an HTML table: the look of the cells carried over as CSS classes (one per
// distinct combination of colours, font and alignment), merges as column and row spans,
// URLs as links and cell graphics as JPEG files in an "images" folder beside the document
// (numbered img1, img2, ... in one sequence for the header row and the body).
#include <QString>

class TDazStringGrid;

namespace GridHTML {

// Dir: folder of the image files with "/" separators and a trailing "/"; empty for the
// current folder. "Cannot create <Dir>images" when that folder cannot be made.
QString SaveToHTMLString(TDazStringGrid &Grid, const QString &Dir);
// Between HTMLSettings' HeaderFile and FooterFile; UTF-16 LE with byte-order mark when
// Unicode, else US-ASCII with "?" for other characters. Show or AutoPreview opens the file
// in the desktop's viewer.
void SaveToHTML(TDazStringGrid &Grid, const QString &FileName, bool Show = false, bool Unicode = false);
// A missing or unreadable file is started anew.
void AppendToHTML(TDazStringGrid &Grid, const QString &FileName, bool Show = false, bool Unicode = false);

}   // namespace GridHTML
