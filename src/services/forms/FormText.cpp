#include "FormText.h"

#include "Format.h"

namespace FormText {

QString Padded(const QString& s)
{
    return Utils::Format(QStringLiteral(" %s "), {s});
}

QString OnScreen(QString s)
{
    return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace FormText
