#include "Utils.h"

#include "LocaleInfo.h"
#include "Shell.h"
#include "Bitness.h"
#include "FileAccess.h"
#include "SpecialFolders.h"
#include "zyAD.h"
#include "zyUIL.h"
#include "StdDlg.h"
#include "Progress.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cstdio>

QString Splash::InitErrDetails;

namespace Utils {
namespace {

IndexReporter g_indexReporter;
FatalErrorPresenter g_fatalPresenter;
FatalShutdown g_fatalShutdown;
bool g_terminated = false;

bool isBlankChar(QChar c) { return c.unicode() <= 0x20; }

bool isAsciiDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

// Replaces every occurrence of `what`, ignoring the case of a..z.
QString replaceAllNoCase(const QString& s, const QString& what, const QString& with)
{
    if (what.isEmpty())
        return s;
    const QString upperS = AsciiUpper(s);
    const QString upperWhat = AsciiUpper(what);
    QString out;
    int from = 0;
    for (;;) {
        const int at = upperS.indexOf(upperWhat, from);
        if (at < 0)
            break;
        out += s.mid(from, at - from);
        out += with;
        from = at + what.size();
    }
    out += s.mid(from);
    return out;
}

// A path that the file system cannot even be asked about.
void requireValidPath(const QString& path)
{
    for (QChar c : path)
        if (c.unicode() == 0)
            throw ZolError(QStringLiteral("The path holds a NUL character."));
}

// The standard-dialog form of the file tests' failure report.
void reportToDialog(const QString& msgId, int firstLineId, int hintId, const QString& label,
                    const QString& name, const QString& details)
{
    QStringList lines;
    lines << Format(UIT(firstLineId), {label}) << QString() << name << QString();
    if (!details.isEmpty())
        lines << Format(UIT(1094), {details}) << QString();
    StdDlg::ShowClose(StdDlg::Warning, msgId, lines, hintId);
}

// The message-list form: the lines go to the operation's list and the
// failure goes on to its handler.
[[noreturn]] void reportToMsgs(int firstLineId, const QString& label, const QString& name, const QString& details)
{
    if (AD) {
        AD->Msgs << Format(UIT(firstLineId), {label}) << QString() << name << QString();
    }
    throw ZolError(details);
}

} // namespace

// ---- index check ----------------------------------------------------------

QString IndexErrorText(int value, int low, int high, const QString& tag)
{
    // Before the text table exists the box still says what is wrong.
    auto text = [](int id, const char* fallback) {
        const QString t = UIT(id);
        return t.isEmpty() ? QString::fromLatin1(fallback) : t;
    };
    const QString crlf = QStringLiteral("\r\n");
    return Format(text(1091, "%s Index is invalid."), {tag}) + crlf + crlf
        + Format(text(1092, "Valid Range: %d to %d."), {low, high}) + crlf + crlf
        + Format(text(1093, "Index Value: %d."), {value});
}

bool CheckIndex(int value, int low, int high, const QString& tag)
{
    if (value >= low && value <= high)
        return false;
    const QString text = IndexErrorText(value, low, high, tag);
    if (g_indexReporter)
        g_indexReporter(text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
    return true;
}

bool IsOutOfRange(int value, int low, int high)
{
    return value < low || value > high;
}

void SetIndexReporter(IndexReporter reporter)
{
    g_indexReporter = std::move(reporter);
}

// ---- text -------------------------------------------------------------------

QString Trim(const QString& s)
{
    int b = 0, e = int(s.size());
    while (b < e && isBlankChar(s.at(b)))
        ++b;
    while (e > b && isBlankChar(s.at(e - 1)))
        --e;
    return (b == 0 && e == s.size()) ? s : s.mid(b, e - b);
}

QString TrimLeft(const QString& s)
{
    int b = 0;
    while (b < s.size() && isBlankChar(s.at(b)))
        ++b;
    return s.mid(b);
}

QString TrimRight(const QString& s)
{
    int e = int(s.size());
    while (e > 0 && isBlankChar(s.at(e - 1)))
        --e;
    return s.left(e);
}

QString AsciiUpper(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(c.unicode() - 32);
    return r;
}

QString AsciiLower(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            c = QChar(c.unicode() + 32);
    return r;
}

bool SameText(const QString& a, const QString& b)
{
    return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
}

QString LeftStr(const QString& s, int count)
{
    return count >= s.size() ? s : s.left(qMax(0, count));
}

QString RightStr(const QString& s, int count)
{
    return count >= s.size() ? s : s.right(qMax(0, count));
}

QString MidStr(const QString& s, int start, int count)
{
    if (start > s.size())
        return QString();
    const int from = qMax(1, start) - 1;
    if (count <= 0 || count > s.size())
        return s.mid(from);
    return s.mid(from, count);
}

int PosFrom(int start, const QString& s, const QString& sub)
{
    if (start < 1 || start > s.size())
        return 0;
    const int at = s.indexOf(sub, start - 1);
    return at < 0 ? 0 : at - (start - 1) + 1;
}

QString LineFeedsToSpaces(const QString& s)
{
    QString r = s;
    r.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return r;
}

int StrToIntBlankZero(const QString& s)
{
    const QString t = Trim(s);
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const int v = t.toInt(&ok);
    return ok ? v : 0;
}

int DayNumber(const QDate& date)
{
    return int(QDate(1899, 12, 30).daysTo(date));
}

QDate DayDate(qint64 day)
{
    return QDate(1899, 12, 30).addDays(day);
}

bool TextToDate(const QString& s, double& dayNumber)
{
    const QString t = Trim(s);
    if (t.isEmpty())
        return false;
    const QLocale sys = QLocale::system();
    QDate d = sys.toDate(t, QLocale::ShortFormat);
    if (!d.isValid())
        d = sys.toDate(t, QLocale::LongFormat);
    static const char* const formats[] = {"yyyy-MM-dd", "d-MMM-yyyy", "d-MMM-yy", "d MMM yyyy", "d/M/yyyy"};
    for (const char* f : formats) {
        if (d.isValid())
            break;
        d = QLocale::c().toDate(t, QString::fromLatin1(f));
    }
    if (!d.isValid())
        return false;
    dayNumber = double(DayNumber(d));
    return true;
}

bool IsDateText(const QString& s)
{
    if (Trim(s).size() < 3)
        return false;
    double d = 0;
    return TextToDate(s, d);
}

// ---- lenient number parse ------------------------------------------------------

double StrToFloatLenient(const QString& text)
{
    try {
        QString s = Trim(text);
        if (s.isEmpty())
            return 0;
        for (;;) {
            const QString before = s;
            s.replace(QStringLiteral("  "), QStringLiteral(" "));
            if (s == before)
                break;
        }
        const platform::NumberSettings ns = platform::numberSettings();
        const QChar dec = ns.decimalSeparator;
        const QString thou(ns.thousandSeparator);
        const int firstDec = int(s.indexOf(dec));
        if (firstDec >= 0)
            s = replaceAllNoCase(s.left(firstDec + 1), thou, QString()) + s.mid(firstDec + 1);
        else
            s = replaceAllNoCase(s, thou, QString());
        const QString cur = ns.currencySymbol;
        if (!cur.isEmpty()) {
            s = replaceAllNoCase(s, QLatin1Char(' ') + cur, QString());
            s = replaceAllNoCase(s, cur + QLatin1Char(' '), QString());
            s = replaceAllNoCase(s, cur, QString());
        }
        for (const char* what : {" %", "% ", "%", " +", "+ ", "+"})
            s = replaceAllNoCase(s, QString::fromLatin1(what), QString());
        s = replaceAllNoCase(s, QStringLiteral(" -"), QStringLiteral("-"));
        s = replaceAllNoCase(s, QStringLiteral("- "), QStringLiteral("-"));

        const int n = int(s.size());
        int start = -1, last = -1;
        bool decimalSeen = false, negative = false, parenOpen = false;
        auto followedByNumber = [&](int i) {
            return i + 1 < n && (isAsciiDigit(s.at(i + 1)) || s.at(i + 1) == dec);
        };
        for (int i = 0; i < n; ++i) {
            const QChar c = s.at(i);
            if (start < 0) {
                if (c == dec && i + 1 < n && isAsciiDigit(s.at(i + 1))) {
                    decimalSeen = true;
                    start = last = i;
                } else if (c == QLatin1Char('-') && followedByNumber(i)) {
                    negative = true;
                    start = last = i + 1;
                } else if (c == QLatin1Char('(') && followedByNumber(i)) {
                    parenOpen = true;
                    start = last = i + 1;
                } else if (isAsciiDigit(c)) {
                    start = last = i;
                }
                continue;
            }
            if (c == dec) {
                if (decimalSeen) {
                    last = i - 1;
                    break;
                }
                decimalSeen = true;
                last = i;
            } else if (c == QLatin1Char('-')) {
                last = i - 1;
                negative = true;
                break;
            } else if (c == QLatin1Char(')')) {
                last = i - 1;
                if (parenOpen)
                    negative = true;
                break;
            } else if (isAsciiDigit(c)) {
                last = i;
            } else {
                last = i - 1;
                break;
            }
        }
        if (start < 0 || last < start)
            return 0;
        QString number = s.mid(start, last - start + 1);
        if (number.isEmpty())
            return 0;
        number.replace(dec, QLatin1Char('.'));
        if (number == QLatin1String("."))
            return 0;
        bool ok = false;
        double v = number.toDouble(&ok);
        if (!ok)
            return 0;
        return negative ? -v : v;
    } catch (...) {
        return 0;
    }
}

// ---- paths --------------------------------------------------------------------

QString GetFileExt(const QString& fileName, bool withDot)
{
    const QString name = ExtractFileName(Trim(fileName));
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    if (dot < 0)
        return QString();
    const QString ext = Trim(name.mid(dot));
    return withDot ? ext : ext.mid(1);
}

QString ExtractFileNameNoExt(const QString& fileName)
{
    const QString name = ExtractFileName(Trim(fileName));
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    return Trim(dot < 0 ? name : name.left(dot));
}

QString ExtractFilePath(const QString& fileName)
{
    const int slash = int(fileName.lastIndexOf(QLatin1Char('/')));
    return slash < 0 ? QString() : fileName.left(slash + 1);
}

QString ExtractFileName(const QString& fileName)
{
    const int slash = int(fileName.lastIndexOf(QLatin1Char('/')));
    return fileName.mid(slash + 1);
}

QString ExtractPathNoDrive(const QString& fileName)
{
    return Trim(ExtractFilePath(Trim(fileName)));
}

QString IncludeTrailingSlash(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

// ---- file and folder tests -----------------------------------------------------

bool DirExists(const QString& label, const QString& folder)
{
    if (Trim(folder).isEmpty())
        return false;
    try {
        requireValidPath(folder);
        return QFileInfo(folder).isDir();
    } catch (const std::exception& e) {
        reportToDialog(QStringLiteral("U001"), 1131, 980, label, folder, ExceptionMessage(e));
        return false;
    }
}

bool ForceFolder(const QString& label, const QString& folder)
{
    const QString f = Trim(folder);
    // No drive exists here: a name ending in ":" is an ordinary folder.
    if (f.isEmpty() || ExtractFileName(f) == f)
        return false;
    try {
        requireValidPath(f);
        if (QFileInfo(f).isDir())
            return false;
        if (!QDir().mkpath(f) || !QFileInfo(f).isDir())
            throw ZolError(QStringLiteral("The folder could not be created."));
        return true;
    } catch (const std::exception& e) {
        reportToMsgs(1130, label, folder, ExceptionMessage(e));
    }
}

bool FileExists(const QString& label, const QString& fileName, bool /*checkDrive*/)
{
    try {
        requireValidPath(fileName);
        const QFileInfo fi(fileName);
        return fi.exists() && !fi.isDir();
    } catch (const std::exception& e) {
        reportToDialog(QStringLiteral("U004"), 1133, 982, label, fileName, ExceptionMessage(e));
        return false;
    }
}

bool IsFileInUse(const QString& label, const QString& fileName)
{
    try {
        requireValidPath(fileName);
        // Held by another program only: a file this user may not write is
        // read-only, which no waiting for the other program mends.
        const QFileInfo fi(fileName);
        if (!fi.exists() || fi.isDir())
            return false;
        return platform::fileAccess().isLocked(fileName);
    } catch (const std::exception& e) {
        reportToMsgs(1134, label, fileName, ExceptionMessage(e));
    }
}

bool IsFileReadOnly(const QString& label, const QString& fileName)
{
    try {
        requireValidPath(fileName);
        const QFileInfo fi(fileName);
        if (!fi.exists())
            return true; // no attributes to read
        return !platform::fileAccess().canWrite(fileName);
    } catch (const std::exception& e) {
        reportToDialog(QStringLiteral("U006"), 1135, 984, label, fileName, ExceptionMessage(e));
        return false;
    }
}

// ---- shell and folders ----------------------------------------------------------

int ShellOpen(const QString& fileName, const QString& params, const QString& folder, int showCmd,
              QObject* context, platform::OpenFailed failed)
{
    return platform::shell().open(fileName, params, folder, showCmd, context, std::move(failed));
}

QString BrowseForFolder(const QString& title)
{
    return Trim(platform::browseForFolder(title));
}

QString GetDesktopFolder()
{
    return IncludeTrailingSlash(platform::desktopFolder());
}

QString GetMyDocumentsFolder()
{
    return IncludeTrailingSlash(platform::documentsFolder());
}

bool IsWow64()
{
    return platform::platformInfo().isWow64();
}

// ---- fatal start-up error ----------------------------------------------------------

QString FatalErrorText(const QString& msg, const QString& details)
{
    QStringList lines;
    lines << Format(QStringLiteral("%s: %s"), {TzyAD::ProductName(), QStringLiteral("An error has occurred.")}) << QString()
          << Format(QStringLiteral(" %s "), {msg}) << QString()
          << Format(QStringLiteral(" %s "), {details}) << QString()
          << Format(QStringLiteral(" %s "), {QStringLiteral("This is a fatal error. Unable to continue.")});
    return lines.join(QLatin1Char('\n'));
}

void ShowFatalError(const QString& msg, bool freeSplash)
{
    const QString text = FatalErrorText(msg, Splash::InitErrDetails);
    if (g_fatalPresenter)
        g_fatalPresenter(text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
    if (g_fatalShutdown)
        g_fatalShutdown(freeSplash);
    g_terminated = true;
    if (QCoreApplication::instance())
        QCoreApplication::exit(1);
}

void SetFatalErrorPresenter(FatalErrorPresenter presenter)
{
    g_fatalPresenter = std::move(presenter);
}

void SetFatalShutdown(FatalShutdown shutdown)
{
    g_fatalShutdown = std::move(shutdown);
}

bool Terminated()
{
    return g_terminated;
}

QString ExceptionMessage(const std::exception& e)
{
    if (dynamic_cast<const OperationAborted*>(&e))
        return QString();
    if (const auto* z = dynamic_cast<const ZolError*>(&e))
        return z->message();
    return QString::fromUtf8(e.what());
}

} // namespace Utils
