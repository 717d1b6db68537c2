#include "RF_PS_Consts.h"

#include "zyUIL.h"

namespace zyRpt {

QString ReportTitle() { return QStringLiteral("Tarvo ZOL Lumo: Curvewright"); }

void AddHeaders(TzyRHs& list, std::span<const HeaderSpec> rows)
{
    for (const HeaderSpec& h : rows) {
        QString text = h.textId == 0 ? ReportTitle() : UIT(h.textId);
        if (h.textId2 != 0)
            text += QStringLiteral("\r\n") + UIT(h.textId2);
        list.Add(text, QString::fromLatin1(h.cellRef), h.col, h.row, h.horAlign, h.fontBold, h.fontColor,
            h.cellColor, h.top, h.left, h.bottom, h.right, false, false, h.merge, h.mergeToCol, h.mergeToRow);
    }
}

void AddFields(TzyRFs& list, std::span<const FieldSpec> rows)
{
    for (const FieldSpec& f : rows) {
        list.Add(UIT(f.nameId), f.dataType, QString::fromLatin1(f.format), QString::fromLatin1(f.cellRef), f.col,
            f.row, f.horAlign, false, f.fontColor, f.cellColor, f.top, f.left, f.bottom, f.right,
            f.ellipsifyText, f.ellipsifyPath, f.merge, f.mergeToCol, f.mergeToRow);
    }
}

} // namespace zyRpt

namespace RF_PS_Consts {

using namespace zyRpt;

namespace {

constexpr THorAlign haLeft = THorAlign::haLeft;
constexpr THorAlign haCenter = THorAlign::haCenter;
constexpr THorAlign haRight = THorAlign::haRight;

// Header cells: text id(s), cell, column, row, alignment, bold, font, fill,
// lines top/left/bottom/right, merged range.
const HeaderSpec kHeaders[] = {
    {0, 0, "A1", 1, 1, haLeft, true, clWhite, clTitleGreen, clBlack, clBlack, clBlack, clBlack, true, 5, 1}, // 1
    {410, 0, "A2", 1, 2, haLeft, true, clWhite, clTitleGreen, clBlack, clBlack, clBlack, clBlack, true, 5, 2}, // 2
    {411, 0, "F1", 6, 1, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 3
    {412, 0, "F2", 6, 2, haLeft, true, clWhite, clBlack, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 4
    {413, 0, "A3", 1, 3, haLeft, true, clBlack, clYellow, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 5
    {414, 0, "A4", 1, 4, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clSilver, clBlack, false, -1, -1}, // 6
    {415, 0, "A5", 1, 5, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 7
    {416, 0, "A6", 1, 6, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 8
    {417, 0, "A7", 1, 7, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 9
    {418, 0, "A8", 1, 8, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clSilver, clBlack, false, -1, -1}, // 10
    {419, 0, "A9", 1, 9, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 11
    {420, 0, "F5", 6, 5, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 12
    {421, 0, "G5", 7, 5, haCenter, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 13
    {422, 0, "F6", 6, 6, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 14
    {423, 0, "F7", 6, 7, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clSilver, clBlack, false, -1, -1}, // 15
    {424, 0, "F8", 6, 8, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clSilver, clBlack, false, -1, -1}, // 16
    {425, 0, "F9", 6, 9, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 17
    {426, 0, "A10", 1, 10, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 18
    {427, 0, "B10", 2, 10, haCenter, true, clWhite, clBaselineBlue, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 19
    {428, 0, "C10", 3, 10, haCenter, true, clWhite, clBaselineBlue, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 20
    {429, 0, "D10", 4, 10, haCenter, true, clBlack, clActualGreen, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 21
    {430, 0, "E10", 5, 10, haCenter, true, clBlack, clActualGreen, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 22
    {431, 0, "F10", 6, 10, haCenter, true, clWhite, clTargetRed, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 23
    {432, 0, "G10", 7, 10, haCenter, true, clWhite, clTargetRed, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 24
    {433, 0, "A11", 1, 11, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 25
    {434, 0, "A12", 1, 12, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 26
    {435, 0, "A13", 1, 13, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 27
    {436, 0, "B13", 2, 13, haCenter, true, clWhite, clBaselineBlue, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 28
    {437, 0, "C13", 3, 13, haCenter, true, clWhite, clBaselineBlue, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 29
    {438, 0, "D13", 4, 13, haCenter, true, clBlack, clActualGreen, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 30
    {439, 0, "E13", 5, 13, haCenter, true, clBlack, clActualGreen, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 31
    {440, 0, "F13", 6, 13, haCenter, true, clWhite, clTargetRed, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 32
    {441, 0, "G13", 7, 13, haCenter, true, clWhite, clTargetRed, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 33
    {442, 0, "A14", 1, 14, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 34
    {443, 0, "A15", 1, 15, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 35
    {444, 0, "A16", 1, 16, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 36
    {445, 0, "A17", 1, 17, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clSilver, clBlack, false, -1, -1}, // 37
    {446, 0, "A18", 1, 18, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 38
    {447, 0, "A19", 1, 19, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 39
    {448, 449, "B19", 2, 19, haCenter, true, clWhite, clBaselineBlue, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 40
    {450, 451, "C19", 3, 19, haCenter, true, clWhite, clBaselineBlue, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 41
    {452, 453, "D19", 4, 19, haCenter, true, clBlack, clActualGreen, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 42
    {454, 455, "E19", 5, 19, haCenter, true, clBlack, clActualGreen, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 43
    {456, 457, "F19", 6, 19, haCenter, true, clWhite, clTargetRed, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 44
    {458, 459, "G19", 7, 19, haCenter, true, clWhite, clTargetRed, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 45
    {460, 0, "A20", 1, 20, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 46
    {461, 0, "A21", 1, 21, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 47
    {462, 0, "A22", 1, 22, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 48
    {463, 0, "B22", 2, 22, haCenter, true, clBlack, clYellow, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 49
    {464, 0, "C22", 3, 22, haCenter, true, clWhite, clBaselineBlue, clBlack, clSilver, clBlack, clSilver, false, -1, -1}, // 50
    {465, 0, "D22", 4, 22, haCenter, true, clBlack, clYellow, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 51
    {466, 0, "A23", 1, 23, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 52
    {467, 0, "A24", 1, 24, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 53
    {468, 0, "A25", 1, 25, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clSilver, clBlack, false, -1, -1}, // 54
    {469, 0, "A26", 1, 26, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clSilver, clBlack, false, -1, -1}, // 55
    {470, 0, "A27", 1, 27, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 56
    {471, 0, "E22", 5, 22, haLeft, true, clBlack, clYellow, clBlack, clBlack, clBlack, clBlack, false, -1, -1}, // 57
    {472, 0, "F22", 6, 22, haCenter, true, clBlack, clYellow, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 58
    {473, 0, "G22", 7, 22, haCenter, true, clBlack, clYellow, clBlack, clSilver, clBlack, clBlack, false, -1, -1}, // 59
    {474, 0, "E23", 5, 23, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 60
    {475, 0, "E24", 5, 24, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 61
    {476, 0, "E25", 5, 25, haLeft, false, clBlack, clBtnFace, clBlack, clBlack, clBlack, clSilver, false, -1, -1}, // 62
    {477, 0, "E26", 5, 26, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clSilver, clSilver, false, -1, -1}, // 63
    {478, 0, "E27", 5, 27, haLeft, false, clBlack, clBtnFace, clSilver, clBlack, clBlack, clBlack, false, -1, -1}, // 64
};

// Field cells: name id, type, format, cell, column, row, alignment, font,
// fill, lines top/left/bottom/right, shortening (text, path), merged range.
const FieldSpec kFields[] = {
    {479, dtDate, "dd-MMM-yyyy", "G1", 7, 1, haLeft, clWindowText, clWhite, clBlack, clBlack, clBlack, clBlack, false, false, false, -1, -1}, // 1
    {480, dtDate, "dd-MMM-yyyy", "G2", 7, 2, haLeft, clWindowText, clWhite, clBlack, clBlack, clBlack, clBlack, false, false, false, -1, -1}, // 2
    {481, dtText, "%s", "B3", 2, 3, haLeft, clWindowText, clWhite, clBlack, clBlack, clSilver, clBlack, false, false, true, 7, 3}, // 3
    {482, dtText, "%s", "B4", 2, 4, haLeft, clWindowText, clWhite, clSilver, clBlack, clSilver, clBlack, false, false, true, 7, 4}, // 4
    {483, dtText, "%s", "B5", 2, 5, haLeft, clWindowText, clWhite, clSilver, clBlack, clBlack, clBlack, false, false, true, 5, 5}, // 5
    {484, dtText, "%s", "B6", 2, 6, haLeft, clWindowText, clWhite, clBlack, clBlack, clBlack, clBlack, false, true, true, 5, 6}, // 6
    {485, dtText, "%s", "B7", 2, 7, haLeft, clWindowText, clWhite, clBlack, clBlack, clSilver, clBlack, true, false, true, 5, 7}, // 7
    {486, dtText, "%s", "B8", 2, 8, haLeft, clWindowText, clWhite, clSilver, clBlack, clSilver, clBlack, true, false, true, 5, 8}, // 8
    {487, dtText, "%s", "B9", 2, 9, haLeft, clWindowText, clWhite, clSilver, clBlack, clBlack, clBlack, true, false, true, 5, 9}, // 9
    {488, dtInteger, "%d", "G6", 7, 6, haRight, clWindowText, clWhite, clBlack, clBlack, clSilver, clBlack, false, false, false, -1, -1}, // 10
    {489, dtInteger, "%d", "G7", 7, 7, haRight, clWindowText, clWhite, clSilver, clBlack, clSilver, clBlack, false, false, false, -1, -1}, // 11
    {490, dtInteger, "%d", "G8", 7, 8, haRight, clWindowText, clWhite, clSilver, clBlack, clSilver, clBlack, false, false, false, -1, -1}, // 12
    {491, dtInteger, "%d", "G9", 7, 9, haRight, clWindowText, clWhite, clSilver, clBlack, clBlack, clBlack, false, false, false, -1, -1}, // 13
    {492, dtInteger, "%d", "B11", 2, 11, haRight, clBlack, clLightBlue, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 14
    {493, dtNumber, "%n", "C11", 3, 11, haRight, clBlack, clLightBlue, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 15
    {494, dtInteger, "%d", "D11", 4, 11, haRight, clBlack, clLightGreen, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 16
    {495, dtNumber, "%n", "E11", 5, 11, haRight, clBlack, clLightGreen, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 17
    {496, dtInteger, "%d", "F11", 6, 11, haRight, clBlack, clLightOrange, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 18
    {497, dtNumber, "%n", "G11", 7, 11, haRight, clBlack, clLightOrange, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 19
    {498, dtInteger, "%d", "B12", 2, 12, haRight, clBlack, clLightBlue, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 20
    {499, dtNumber, "%n", "C12", 3, 12, haRight, clBlack, clLightBlue, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 21
    {500, dtInteger, "%d", "D12", 4, 12, haRight, clBlack, clLightGreen, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 22
    {501, dtNumber, "%n", "E12", 5, 12, haRight, clBlack, clLightGreen, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 23
    {502, dtInteger, "%d", "F12", 6, 12, haRight, clBlack, clLightOrange, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 24
    {503, dtNumber, "%n", "G12", 7, 12, haRight, clBlack, clLightOrange, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 25
    {504, dtDate, "dd-MMM-yyyy", "B14", 2, 14, haRight, clBlack, clLightBlue, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 26
    {505, dtText, "%s", "C14", 3, 14, haLeft, clBlack, clGrey, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 27
    {506, dtDate, "dd-MMM-yyyy", "D14", 4, 14, haRight, clBlack, clLightGreen, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 28
    {507, dtText, "%s", "E14", 5, 14, haLeft, clBlack, clGrey, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 29
    {508, dtDate, "dd-MMM-yyyy", "F14", 6, 14, haRight, clBlack, clLightOrange, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 30
    {509, dtText, "%s", "G14", 7, 14, haLeft, clBlack, clGrey, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 31
    {510, dtDate, "dd-MMM-yyyy", "B15", 2, 15, haRight, clBlack, clLightBlue, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 32
    {511, dtText, "%s", "C15", 3, 15, haLeft, clBlack, clGrey, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 33
    {512, dtDate, "dd-MMM-yyyy", "D15", 4, 15, haRight, clBlack, clLightGreen, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 34
    {513, dtText, "%s", "E15", 5, 15, haLeft, clBlack, clGrey, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 35
    {514, dtDate, "dd-MMM-yyyy", "F15", 6, 15, haRight, clBlack, clLightOrange, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 36
    {515, dtText, "%s", "G15", 7, 15, haLeft, clBlack, clGrey, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 37
    {516, dtInteger, "%d", "B16", 2, 16, haRight, clBlack, clLightBlue, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 38
    {517, dtInteger, "%d", "C16", 3, 16, haRight, clBlack, clLightBlue, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 39
    {518, dtInteger, "%d", "D16", 4, 16, haRight, clBlack, clLightGreen, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 40
    {519, dtInteger, "%d", "E16", 5, 16, haRight, clBlack, clLightGreen, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 41
    {520, dtInteger, "%d", "F16", 6, 16, haRight, clBlack, clLightOrange, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 42
    {521, dtInteger, "%d", "G16", 7, 16, haRight, clBlack, clLightOrange, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 43
    {522, dtNumber, "%n", "B17", 2, 17, haRight, clBlack, clLightBlue, clSilver, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 44
    {523, dtNumber, "%n", "C17", 3, 17, haRight, clBlack, clLightBlue, clSilver, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 45
    {524, dtNumber, "%n", "D17", 4, 17, haRight, clBlack, clLightGreen, clSilver, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 46
    {525, dtNumber, "%n", "E17", 5, 17, haRight, clBlack, clLightGreen, clSilver, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 47
    {526, dtNumber, "%n", "F17", 6, 17, haRight, clBlack, clLightOrange, clSilver, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 48
    {527, dtNumber, "%n", "G17", 7, 17, haRight, clBlack, clLightOrange, clSilver, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 49
    {528, dtNumber, "%n", "B18", 2, 18, haRight, clBlack, clLightBlue, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 50
    {529, dtNumber, "%n", "C18", 3, 18, haRight, clBlack, clLightBlue, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 51
    {530, dtNumber, "%n", "D18", 4, 18, haRight, clBlack, clLightGreen, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 52
    {531, dtNumber, "%n", "E18", 5, 18, haRight, clBlack, clLightGreen, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 53
    {532, dtNumber, "%n", "F18", 6, 18, haRight, clBlack, clLightOrange, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 54
    {533, dtNumber, "%n", "G18", 7, 18, haRight, clBlack, clLightOrange, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 55
    {534, dtNumber, "%n", "B20", 2, 20, haRight, clBlack, clLightBlue, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 56
    {535, dtNumber, "%n", "C20", 3, 20, haRight, clBlack, clLightBlue, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 57
    {536, dtNumber, "%n", "D20", 4, 20, haRight, clBlack, clLightGreen, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 58
    {537, dtNumber, "%n", "E20", 5, 20, haRight, clBlack, clLightGreen, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 59
    {538, dtNumber, "%n", "F20", 6, 20, haRight, clBlack, clLightOrange, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 60
    {539, dtNumber, "%n", "G20", 7, 20, haRight, clBlack, clLightOrange, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 61
    {540, dtNumber, "%n", "B21", 2, 21, haRight, clBlack, clLightBlue, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 62
    {541, dtNumber, "%n", "C21", 3, 21, haRight, clBlack, clLightBlue, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 63
    {542, dtNumber, "%n", "D21", 4, 21, haRight, clBlack, clLightGreen, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 64
    {543, dtNumber, "%n", "E21", 5, 21, haRight, clBlack, clLightGreen, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 65
    {544, dtNumber, "%n", "F21", 6, 21, haRight, clBlack, clLightOrange, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 66
    {545, dtNumber, "%n", "G21", 7, 21, haRight, clBlack, clLightOrange, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 67
    {546, dtInteger, "%d", "B23", 2, 23, haRight, clWindowText, clWhite, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 68
    {547, dtNumber, "%n", "C23", 3, 23, haRight, clBlack, clLightBlue, clBlack, clSilver, clSilver, clSilver, false, false, false, -1, -1}, // 69
    {548, dtText, "%s", "D23", 4, 23, haLeft, clWindowText, clWhite, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 70
    {549, dtInteger, "%d", "B24", 2, 24, haRight, clWindowText, clWhite, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 71
    {550, dtNumber, "%n", "C24", 3, 24, haRight, clBlack, clLightBlue, clSilver, clSilver, clBlack, clSilver, false, false, false, -1, -1}, // 72
    {551, dtText, "%s", "D24", 4, 24, haLeft, clWindowText, clWhite, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 73
    {552, dtInteger, "%d", "B25", 2, 25, haRight, clWindowText, clWhite, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 74
    {553, dtNumber, "%n", "C25", 3, 25, haRight, clBlack, clLightBlue, clBlack, clSilver, clSilver, clSilver, false, false, false, -1, -1}, // 75
    {554, dtText, "%s", "D25", 4, 25, haLeft, clWindowText, clWhite, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 76
    {555, dtNumber, "%n", "B26", 2, 26, haRight, clWindowText, clWhite, clSilver, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 77
    {556, dtNumber, "%n", "C26", 3, 26, haRight, clBlack, clLightBlue, clSilver, clSilver, clSilver, clSilver, false, false, false, -1, -1}, // 78
    {557, dtText, "%s", "D26", 4, 26, haLeft, clWindowText, clWhite, clSilver, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 79
    {558, dtNumber, "%n", "B27", 2, 27, haRight, clWindowText, clWhite, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 80
    {559, dtNumber, "%n", "C27", 3, 27, haRight, clBlack, clLightBlue, clSilver, clSilver, clBlack, clSilver, false, false, false, -1, -1}, // 81
    {560, dtText, "%s", "D27", 4, 27, haLeft, clWindowText, clWhite, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 82
    {561, dtInteger, "%d", "F23", 6, 23, haRight, clWindowText, clWhite, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 83
    {562, dtNumber, "%n", "G23", 7, 23, haRight, clWindowText, clWhite, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 84
    {563, dtInteger, "%d", "F24", 6, 24, haRight, clWindowText, clWhite, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 85
    {564, dtNumber, "%n", "G24", 7, 24, haRight, clWindowText, clWhite, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 86
    {565, dtInteger, "%d", "F25", 6, 25, haRight, clWindowText, clWhite, clBlack, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 87
    {566, dtNumber, "%n", "G25", 7, 25, haRight, clWindowText, clWhite, clBlack, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 88
    {567, dtInteger, "%d", "F26", 6, 26, haRight, clWindowText, clWhite, clSilver, clBlack, clSilver, clSilver, false, false, false, -1, -1}, // 89
    {568, dtNumber, "%n", "G26", 7, 26, haRight, clWindowText, clWhite, clSilver, clSilver, clSilver, clBlack, false, false, false, -1, -1}, // 90
    {569, dtInteger, "%d", "F27", 6, 27, haRight, clWindowText, clWhite, clSilver, clBlack, clBlack, clSilver, false, false, false, -1, -1}, // 91
    {570, dtNumber, "%n", "G27", 7, 27, haRight, clWindowText, clWhite, clSilver, clSilver, clBlack, clBlack, false, false, false, -1, -1}, // 92
};

} // namespace

void LoadRHs(TzyRHs& list) { AddHeaders(list, kHeaders); }
void LoadRFs(TzyRFs& list) { AddFields(list, kFields); }

} // namespace RF_PS_Consts
