#include "TaskFieldRules.h"

#include "Format.h"
#include "Utils.h"
#include "zyModelPrefs.h"
#include "zyUIL.h"

namespace TaskFieldRules {

QString LastColumn(const QString& dataSourceFile)
{
    return Model::LimitsFor(dataSourceFile).maxCols == 256 ? QStringLiteral("IV") : QStringLiteral("XFD");
}

KeyVerdict FilterColumnKey(QChar key)
{
    KeyVerdict v;
    v.key = key;
    const char16_t u = key.unicode();
    if (u >= u'a' && u <= u'z') {
        v.key = QChar(char16_t(u - u'a' + u'A'));
        return v;
    }
    if ((u >= u'A' && u <= u'Z') || u == 8 || u == 13 || u == 27)
        return v;
    v.allowed = false;
    return v;
}

QString RefusedKeyBalloon(const QString& fieldLabel, const QString& lastColumn)
{
    return Utils::Format(UIT(735), {fieldLabel}) + QLatin1Char('\n')
        + Utils::Format(UIT(737), {QStringLiteral("A"), lastColumn});
}

DescUpdate UpdateDescriptions(const QStringList& taskFields, const FieldList& header, int maxCols)
{
    DescUpdate out;
    for (const QString& raw : taskFields) {
        const QString value = Utils::AsciiUpper(Utils::Trim(raw));
        QString desc;
        if (Model::ColLettersToColNo(value, maxCols) != 0) {
            bool found = false;
            for (const auto& entry : header)
                if (Utils::AsciiUpper(entry.first) == value) {
                    desc = Utils::LineFeedsToSpaces(entry.second);
                    found = true;
                    break;
                }
            ++(found ? out.counters.updated : out.counters.notFound);
        } else {
            ++(value.isEmpty() ? out.counters.undefined : out.counters.invalid);
        }
        out.descriptions << desc;
    }
    return out;
}

bool AnyTaskField(const QStringList& taskFields)
{
    for (const QString& s : taskFields)
        if (!Utils::Trim(s).isEmpty())
            return true;
    return false;
}

QStringList DescReportLines(const DescCounters& c)
{
    QStringList lines{Utils::Format(UIT(1044), {c.updated})};
    const std::pair<int, int> more[] = {{1045, c.notFound}, {1046, c.invalid}, {1047, c.undefined}};
    for (const auto& [id, n] : more)
        if (n > 0)
            lines << QString() << Utils::Format(UIT(id), {n});
    return lines;
}

} // namespace TaskFieldRules
