#pragma once
// Formatting of the program's message templates: %s, %d, %n, %f, %x, an
// optional argument index ("%0:s"), width and precision ("%.2d"), and "%%".
// A specifier it does not know, or one without an argument, is left as it
// stands, so texts holding a lone "%" ("Baseline %") pass through unchanged.
// Table texts never reach the printf family.
#include <QString>
#include <initializer_list>
#include <variant>
#include <vector>

namespace Utils {

class FmtArg {
public:
    FmtArg(const QString& s) : m_v(s) {}
    FmtArg(const char* s) : m_v(QString::fromUtf8(s)) {}
    FmtArg(int v) : m_v(qint64(v)) {}
    FmtArg(unsigned v) : m_v(qint64(v)) {}
    FmtArg(long v) : m_v(qint64(v)) {}
    FmtArg(long long v) : m_v(qint64(v)) {}
    FmtArg(double v) : m_v(v) {}
    const std::variant<QString, qint64, double>& value() const { return m_v; }

private:
    std::variant<QString, qint64, double> m_v;
};

QString Format(const QString& fmt, std::initializer_list<FmtArg> args);
QString Format(const QString& fmt, const std::vector<FmtArg>& args);

// A number with thousands separators and `decimals` decimals ("1,234.50").
QString FormatThousands(double value, int decimals = 2);

} // namespace Utils
