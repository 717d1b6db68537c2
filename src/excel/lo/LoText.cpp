#include "LoText.h"

#include "Utils.h"
#include "zyXL.h"

#include "LocaleInfo.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace lo {

QString cleanMessage(const OUString& message)
{
    static const QRegularExpression sourcePos(QStringLiteral("\\s*at \\S+\\.(cxx|hxx|cpp|h):\\d+\\s*"));
    QString text = toQ(message);
    text.replace(sourcePos, QStringLiteral(" "));
    return text.trimmed();
}

QString fileUrl(const QString& path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

QString filterForFile(const QString& fileName)
{
    return QFileInfo(fileName).suffix().compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0 ? kXlsFilter
                                                                                               : kXlsxFilter;
}

QStringList mergeCopiedColumn(const QString& plain, const QString& quoted, int rowCount)
{
    QStringList rows = plain.split(u'\n');
    if (plain.endsWith(u'\n'))
        rows.removeLast();
    for (QString& r : rows) {
        if (r.endsWith(u'\r'))
            r.chop(1);
    }
    if (rows.size() > rowCount)
        rows = rows.mid(0, rowCount);
    qsizetype p = 0;
    const qsizetype n = quoted.size();
    for (QString& row : rows) {
        if (p >= n)
            break;
        if (quoted.mid(p, row.size()) == row && (p + row.size() == n || quoted.at(p + row.size()) == u'\n')) {
            p += row.size() + 1;
            continue;
        }
        if (quoted.at(p) != u'"')
            break;
        QString cell;
        qsizetype j = p + 1;
        bool closed = false;
        while (j < n) {
            const QChar c = quoted.at(j++);
            if (c != u'"') {
                cell += c;
            } else if (j < n && quoted.at(j) == u'"') {
                cell += u'"';
                ++j;
            } else {
                closed = true;
                break;
            }
        }
        if (!closed || (j < n && quoted.at(j) != u'\n'))
            break;
        QString flat = cell;
        flat.replace(u'\n', u' ').replace(u'\t', u' ');
        if (flat != row)
            break;
        row = cell;
        p = j + 1;
    }
    while (rows.size() < rowCount)
        rows << QString();
    return rows;
}

QString columnLetters(int col)
{
    QString s;
    while (col > 0) {
        const int r = (col - 1) % 26;
        s.prepend(QChar(u'A' + r));
        col = (col - 1) / 26;
    }
    return s;
}

std::optional<std::pair<int, int>> cellPosition(const QString& address)
{
    static const QRegularExpression a1(QStringLiteral(R"(^\$?([A-Za-z]{1,3})\$?([1-9][0-9]{0,6})$)"));
    const auto m = a1.match(address);
    if (!m.hasMatch())
        return std::nullopt;
    const int col = TzyXL::ColLettersToColNo(m.captured(1), 1024); // 0 beyond AMJ
    const int row = m.captured(2).toInt();
    if (col == 0 || row > 1048576)
        return std::nullopt;
    return std::make_pair(col - 1, row - 1);
}

namespace {

// css::util::NumberFormat values; the generated header is not needed here.
constexpr int kDefined = 1, kDate = 2, kTime = 4, kLogical = 1024;

QString numberText(double v)
{
    QString s = QString::number(v, 'g', 15);
    const qsizetype e = s.indexOf(u'e');
    if (e >= 0)
        s = s.left(e) + u'E' + QString::number(s.mid(e + 1).toInt());
    const QChar dec = platform::numberSettings().decimalSeparator;
    if (dec != u'.')
        s.replace(u'.', dec);
    return s;
}

QString shortDateFormat()
{
    QString f = QLocale::system().dateFormat(QLocale::ShortFormat);
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

} // namespace

QString valueText(double value, int formatType)
{
    const int type = formatType & ~kDefined;
    if (type & kLogical)
        return value != 0.0 ? QStringLiteral("True") : QStringLiteral("False");
    if (!(type & (kDate | kTime)) || !std::isfinite(value))
        return numberText(value);
    const double day = std::floor(value);
    const int secs = int(std::lround((value - day) * 86400.0));
    const QTime time = QTime(0, 0).addSecs(std::min(secs, 86399));
    const QString timeText = time.toString(QStringLiteral("HH:mm:ss"));
    if (!(type & kDate) || (day == 0.0 && secs != 0))
        return timeText;
    const QDate date = Utils::DayDate(qint64(day));
    const QString dateText = QLocale::system().toString(date, shortDateFormat());
    return secs == 0 ? dateText : dateText + u' ' + timeText;
}

} // namespace lo
