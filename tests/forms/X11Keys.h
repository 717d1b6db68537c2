#pragma once
// Key presses as X11 delivers them: the Delete key carries the text U+007F,
// Backspace U+0008, Enter U+000D, Esc U+001B, Ctrl with a letter the control
// character of that letter; the arrows, Home, End and F2 carry no text.
// Strokes are named "Delete", "Shift+End", "Ctrl+A" and played, space
// separated, to whichever widget has the focus at each stroke.
#include <QApplication>
#include <QStringList>
#include <QtTest>

namespace x11keys {

struct Stroke {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers mods;
    QString text;
};

inline Stroke stroke(const QString& name)
{
    Stroke s;
    QStringList parts = name.split(QLatin1Char('+'));
    const QString base = parts.takeLast();
    for (const QString& m : parts) {
        if (m == QLatin1String("Ctrl"))
            s.mods |= Qt::ControlModifier;
        else if (m == QLatin1String("Shift"))
            s.mods |= Qt::ShiftModifier;
    }
    struct Named {
        const char* name;
        Qt::Key key;
        const char* text;
    };
    static const Named named[] = {
        {"Delete", Qt::Key_Delete, "\x7f"}, {"Backspace", Qt::Key_Backspace, "\b"}, {"Return", Qt::Key_Return, "\r"},
        {"Escape", Qt::Key_Escape, "\x1b"}, {"Tab", Qt::Key_Tab, "\t"},          {"Home", Qt::Key_Home, ""},
        {"End", Qt::Key_End, ""},           {"Left", Qt::Key_Left, ""},          {"Right", Qt::Key_Right, ""},
        {"Up", Qt::Key_Up, ""},             {"Down", Qt::Key_Down, ""},          {"PgUp", Qt::Key_PageUp, ""},
        {"PgDn", Qt::Key_PageDown, ""},     {"Insert", Qt::Key_Insert, ""},      {"F2", Qt::Key_F2, ""},
    };
    for (const Named& n : named) {
        if (base == QLatin1String(n.name)) {
            s.key = n.key;
            s.text = QString::fromLatin1(n.text);
            // Ctrl+Shift+Tab arrives as Backtab.
            if (s.key == Qt::Key_Tab && (s.mods & Qt::ShiftModifier))
                s.key = Qt::Key_Backtab;
            return s;
        }
    }
    if (base.size() == 1 && base.at(0).isLetter()) {
        const QChar upper = base.at(0).toUpper();
        s.key = Qt::Key(upper.unicode());
        if (s.mods & Qt::ControlModifier)
            s.text = QChar(upper.unicode() - 'A' + 1);
        else
            s.text = (s.mods & Qt::ShiftModifier) ? QString(upper) : QString(base.at(0).toLower());
        return s;
    }
    qFatal("x11keys: unknown key %s", qPrintable(name));
    return s;
}

// Plays the strokes, each to the widget that has the focus at that moment.
inline void play(const QString& strokes)
{
    for (const QString& name : strokes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QWidget* w = QApplication::focusWidget();
        QVERIFY2(w, qPrintable(QStringLiteral("no focus for ") + name));
        const Stroke s = stroke(name);
        QTest::sendKeyEvent(QTest::Click, w, s.key, s.text, s.mods);
    }
}

} // namespace x11keys
