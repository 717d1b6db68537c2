#include "RF_CD_Consts.h"

#include "RF_PS_Consts.h"

namespace RF_CD_Consts {

using namespace zyRpt;

namespace {

constexpr THorAlign haLeft = THorAlign::haLeft;

// Header cells: text id, cell, column, row, alignment, bold, font, fill,
// lines top/left/bottom/right, merged range.
const HeaderSpec kHeaders[] = {
    {0, 0, "A1", 1, 1, haLeft, true, clWhite, clTitleGreen, clBlack, clBlack, clBlack, clBlack, true, 8, 1}, // 1
    {571, 0, "A2", 1, 2, haLeft, true, clWhite, clTitleGreen, clBlack, clBlack, clBlack, clBlack, true, 10, 2}, // 2
    {572, 0, "I1", 9, 1, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 3
    {573, 0, "I3", 9, 3, haLeft, true, clWhite, clBlack, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 4
    {574, 0, "J3", 10, 3, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 5
    {575, 0, "A3", 1, 3, haLeft, true, clBlack, clYellow, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 6
    {576, 0, "A4", 1, 4, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clSilver, clBlack, false, -1, -1}, // 7
    {577, 0, "A5", 1, 5, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 8
};

// Field cells: name id, type, format, cell, column, row, alignment, font,
// fill, lines top/left/bottom/right, shortening (text, path), merged range.
const FieldSpec kFields[] = {
    {578, dtDate, "dd-MMM-yyyy", "J1", 10, 1, haLeft, clWindowText, clWhite, clBlack, clBlack, clBlack, clBlack, false, false, false, -1, -1}, // 1
    {579, dtDate, "dd-MMM-yyyy", "I4", 9, 4, haLeft, clWhite, clBlack, clBlack, clBlack, clBlack, clBlack, false, false, false, -1, -1}, // 2
    {579, dtDate, "dd-MMM-yyyy", "I5", 9, 5, haLeft, clWhite, clBlack, clBlack, clBlack, clBlack, clBlack, false, false, false, -1, -1}, // 3
    {580, dtInteger, "%d", "J4", 10, 4, haLeft, clBlack, clSilver, clBlack, clBlack, clBlack, clBlack, false, false, false, -1, -1}, // 4
    {580, dtInteger, "%d", "J5", 10, 5, haLeft, clBlack, clSilver, clBlack, clBlack, clBlack, clBlack, false, false, false, -1, -1}, // 5
    {581, dtText, "%s", "B3", 2, 3, haLeft, clWindowText, clWhite, clBlack, clBlack, clSilver, clBlack, false, false, true, 7, 3}, // 6
    {582, dtText, "%s", "B4", 2, 4, haLeft, clWindowText, clWhite, clSilver, clBlack, clSilver, clBlack, false, false, true, 7, 4}, // 7
    {583, dtText, "%s", "B5", 2, 5, haLeft, clWindowText, clWhite, clSilver, clBlack, clBlack, clBlack, false, false, true, 7, 5}, // 8
};

} // namespace

void LoadRHs(TzyRHs& list) { AddHeaders(list, kHeaders); }
void LoadRFs(TzyRFs& list) { AddFields(list, kFields); }

} // namespace RF_CD_Consts
