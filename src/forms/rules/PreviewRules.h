#pragma once
// The S Curve Options previews: which of the sixteen sketches an option set
// shows, the quantity-axis caption and where the rotated label sits.
#include <QString>

namespace PreviewRules {

// Bits of an image code.
enum : int { pcAnySD = 1, pcBL = 2, pcACT = 4, pcTGT = 8, pcQuantity = 16 };

int ImageCode(bool anySD, bool bl, bool act, bool tgt, bool graphMH, bool graphCost);

// The picture a code selects, by the suffix of its name: "Disabled",
// "Blank", "B_D" .. "BAT_D" (data sets, no quantity: greyed) or "B" .. "BAT".
// A code that names no picture gives "Disabled".
QString PictureSuffix(int code);
// The sixteen suffixes, in the order the pictures are declared.
const QStringList& PictureSuffixes();

// What a picture shows: which curves, and whether greyed.
struct PictureContent {
    bool disabled = false; // no definition: the whole sketch greyed out
    bool blank = false;    // axes only
    bool bl = false, act = false, tgt = false;
    bool greyed = false;   // data sets chosen but no quantity
};
PictureContent ContentOf(const QString& suffix);

// UI text of the quantity-axis caption: 98..101 for the S curve, 109..112
// for the histogram. The caption is maroon (a quantity is required) when
// neither quantity is chosen.
int AxisCaptionId(bool graphMH, bool graphCost, bool histogram);
inline bool AxisCaptionWarns(bool graphMH, bool graphCost) { return !graphMH && !graphCost; }

// The top of the rotated label so that its text sits centred along the
// picture; the halving truncates towards zero.
inline int CentredTop(int pictureTop, int pictureHeight, int textWidth)
{
    return pictureTop + (pictureHeight - textWidth) / 2;
}

} // namespace PreviewRules
