#pragma once
// The colour names the controls use. Named colours are fixed RGB values;
// system colours are read from the application's palette when asked for, so
// a fixed palette (as the tests install) gives fixed results.
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace zyColor {

inline QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

inline QColor clBlack() { return rgb(0, 0, 0); }
inline QColor clMaroon() { return rgb(0x80, 0, 0); }
inline QColor clGreen() { return rgb(0, 0x80, 0); }
inline QColor clOlive() { return rgb(0x80, 0x80, 0); }
inline QColor clNavy() { return rgb(0, 0, 0x80); }
inline QColor clPurple() { return rgb(0x80, 0, 0x80); }
inline QColor clTeal() { return rgb(0, 0x80, 0x80); }
inline QColor clGray() { return rgb(0x80, 0x80, 0x80); }
inline QColor clSilver() { return rgb(0xC0, 0xC0, 0xC0); }
inline QColor clRed() { return rgb(0xFF, 0, 0); }
inline QColor clLime() { return rgb(0, 0xFF, 0); }
inline QColor clYellow() { return rgb(0xFF, 0xFF, 0); }
inline QColor clBlue() { return rgb(0, 0, 0xFF); }
inline QColor clFuchsia() { return rgb(0xFF, 0, 0xFF); }
inline QColor clAqua() { return rgb(0, 0xFF, 0xFF); }
inline QColor clWhite() { return rgb(0xFF, 0xFF, 0xFF); }
inline QColor clMoneyGreen() { return rgb(0xC0, 0xDC, 0xC0); }
inline QColor clSkyBlue() { return rgb(0xA6, 0xCA, 0xF0); }
inline QColor clCream() { return rgb(0xFF, 0xFB, 0xF0); }
inline QColor clMedGray() { return rgb(0xA4, 0xA0, 0xA0); }

inline QColor sys(QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active)
{
    return QGuiApplication::palette().color(group, role);
}
inline QColor clWindow() { return sys(QPalette::Base); }
inline QColor clWindowText() { return sys(QPalette::Text); }
inline QColor clBtnFace() { return sys(QPalette::Button); }
inline QColor clBtnText() { return sys(QPalette::ButtonText); }
inline QColor clBtnShadow() { return sys(QPalette::Dark); }
inline QColor clBtnHighlight() { return sys(QPalette::Light); }
inline QColor clHighlight() { return sys(QPalette::Highlight); }
inline QColor clHighlightText() { return sys(QPalette::HighlightedText); }
inline QColor clGrayText() { return sys(QPalette::Text, QPalette::Disabled); }

} // namespace zyColor
