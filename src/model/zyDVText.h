#pragma once
// Text pieces the validation's messages share.
#include "Format.h"
#include "Utils.h"
#include "zyUIL.h"

#include <QChar>
#include <QString>

namespace DVText {

// Lines of a message are joined by a line break; "an empty line" is two.
inline const QString kLineBreak = QStringLiteral("\n");
inline const QString kBlankLine = QStringLiteral("\n\n");

// UI text n formatted with a field's name.
inline QString F(int id, const QString& fldName) { return Utils::Format(UIT(id), {fldName}); }

inline QString Undefined() { return UIT(1095); }
inline QString NotApplicable() { return UIT(670); }

// A control character: refused in file and folder names, and listed by its
// code, since it cannot be shown.
inline bool IsControlChar(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }

// How an illegal character is named in a list: itself, upper-cased (a..z),
// or its code for a control character.
inline QString IllegalCharToken(QChar c)
{
    if (IsControlChar(c))
        return QStringLiteral("U+") + QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return Utils::AsciiUpper(QString(c));
}

// A hint's two parts are separated by "|", so a listed bar is shown as the
// dental click U+01C0 instead.
inline QString HintForm(QString list) { return list.replace(QLatin1Char('|'), QChar(0x01C0)); }

} // namespace DVText
