#pragma once

#include <QByteArray>

namespace zq {

// A PDF's text layer in the characters the program's texts are made of. A
// font may draw two characters with one glyph (～ FULLWIDTH TILDE and 〜 WAVE
// DASH), and the PDF then tells readers the lower of the two, which is not
// the code page 932 character that was drawn: searching for ～ would not
// find it. This rewrites, in the fonts' ToUnicode maps, each such character
// as its code page 932 form (see CodePage932Forms), in place: the file's
// length and every offset stay as they were. A character inside a run of
// consecutive codes is left, as the run cannot be split in place.
QByteArray PdfTextInCodePage932(QByteArray pdf);

} // namespace zq
