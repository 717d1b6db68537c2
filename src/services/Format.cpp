#include "Format.h"

#include "LocaleInfo.h"

#include <QRegularExpression>
#include <cmath>

namespace Utils {
namespace {

QString numberText(const FmtArg& a)
{
    const auto& v = a.value();
    if (std::holds_alternative<QString>(v))
        return std::get<QString>(v);
    if (std::holds_alternative<qint64>(v))
        return QString::number(std::get<qint64>(v));
    return QString::number(std::get<double>(v), 'g', 15);
}

bool asInteger(const FmtArg& a, qint64& out)
{
    const auto& v = a.value();
    if (std::holds_alternative<qint64>(v)) {
        out = std::get<qint64>(v);
        return true;
    }
    if (std::holds_alternative<double>(v)) {
        const double d = std::get<double>(v);
        if (!std::isfinite(d))
            return false;
        out = qint64(std::trunc(d));
        return true;
    }
    return false;
}

bool asDouble(const FmtArg& a, double& out)
{
    const auto& v = a.value();
    if (std::holds_alternative<qint64>(v)) {
        out = double(std::get<qint64>(v));
        return true;
    }
    if (std::holds_alternative<double>(v)) {
        out = std::get<double>(v);
        return true;
    }
    return false;
}

QString pad(const QString& s, int width, bool left)
{
    if (width <= s.size())
        return s;
    const QString fill(width - s.size(), QLatin1Char(' '));
    return left ? s + fill : fill + s;
}

} // namespace

QString FormatThousands(double value, int decimals)
{
    const platform::NumberSettings ns = platform::numberSettings();
    QString digits = QString::number(std::fabs(value), 'f', decimals);
    QString intPart = digits;
    QString frac;
    const int dot = digits.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        intPart = digits.left(dot);
        frac = digits.mid(dot + 1);
    }
    QString grouped;
    for (int i = 0; i < intPart.size(); ++i) {
        if (i > 0 && (intPart.size() - i) % 3 == 0)
            grouped += ns.thousandSeparator;
        grouped += intPart.at(i);
    }
    QString out = grouped;
    if (!frac.isEmpty())
        out += ns.decimalSeparator + frac;
    const bool negative = value < 0 && out.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return negative ? QLatin1Char('-') + out : out;
}

QString Format(const QString& fmt, std::initializer_list<FmtArg> args)
{
    return Format(fmt, std::vector<FmtArg>(args));
}

QString Format(const QString& fmt, const std::vector<FmtArg>& args)
{
    QString out;
    out.reserve(fmt.size() + 16);
    int next = 0; // the next argument for specifiers without an index
    const int n = fmt.size();
    int i = 0;
    while (i < n) {
        const QChar c = fmt.at(i);
        if (c != QLatin1Char('%')) {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < n && fmt.at(i + 1) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            i += 2;
            continue;
        }
        // Parse %[index:][-][width][.precision]type
        int j = i + 1;
        auto readNumber = [&](int& value) {
            const int start = j;
            value = 0;
            while (j < n && fmt.at(j).isDigit() && fmt.at(j).unicode() < 128 && j - start < 6) {
                value = value * 10 + (fmt.at(j).unicode() - '0');
                ++j;
            }
            return j > start;
        };
        int index = -1;
        {
            const int save = j;
            int v = 0;
            if (readNumber(v) && j < n && fmt.at(j) == QLatin1Char(':'))
                index = v, ++j;
            else
                j = save;
        }
        bool left = false;
        if (j < n && fmt.at(j) == QLatin1Char('-'))
            left = true, ++j;
        int width = 0;
        readNumber(width);
        int precision = -1;
        if (j < n && fmt.at(j) == QLatin1Char('.')) {
            ++j;
            int p = 0;
            if (readNumber(p))
                precision = p;
            else
                j = -1;
        }
        const QChar type = (j > 0 && j < n) ? fmt.at(j).toLower() : QChar();
        const int argIndex = index >= 0 ? index : next;
        const bool known = type == QLatin1Char('s') || type == QLatin1Char('d') || type == QLatin1Char('n')
            || type == QLatin1Char('f') || type == QLatin1Char('u') || type == QLatin1Char('x');
        if (!known || argIndex >= int(args.size())) {
            out += c; // not a specifier we can fill: keep the text as it is
            ++i;
            continue;
        }
        const FmtArg& arg = args[size_t(argIndex)];
        QString text;
        bool ok = true;
        switch (type.unicode()) {
        case 's':
            text = numberText(arg);
            if (precision >= 0)
                text.truncate(precision);
            break;
        case 'd':
        case 'u': {
            qint64 v = 0;
            ok = asInteger(arg, v);
            if (ok) {
                text = QString::number(v < 0 ? -v : v);
                if (precision > text.size())
                    text = QString(precision - text.size(), QLatin1Char('0')) + text;
                if (v < 0)
                    text.prepend(QLatin1Char('-'));
            }
            break;
        }
        case 'x': {
            qint64 v = 0;
            ok = asInteger(arg, v);
            if (ok) {
                text = QString::number(quint64(v), 16).toUpper();
                if (precision > text.size())
                    text = QString(precision - text.size(), QLatin1Char('0')) + text;
            }
            break;
        }
        case 'n':
        case 'f': {
            double v = 0;
            ok = asDouble(arg, v);
            if (ok) {
                const int dec = precision >= 0 ? precision : 2;
                if (type == QLatin1Char('n')) {
                    text = FormatThousands(v, dec);
                } else {
                    text = QString::number(v, 'f', dec);
                    text.replace(QLatin1Char('.'), platform::numberSettings().decimalSeparator);
                }
            }
            break;
        }
        default:
            ok = false;
        }
        if (!ok) {
            out += c;
            ++i;
            continue;
        }
        out += pad(text, width, left);
        next = argIndex + 1;
        i = j + 1;
    }
    return out;
}

} // namespace Utils
