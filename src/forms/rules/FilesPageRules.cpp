#include "FilesPageRules.h"

#include "Format.h"
#include "Utils.h"
#include "zyDV.h"
#include "zyUIL.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace FilesPage {

namespace {

bool alwaysPasses(QChar c)
{
    const ushort u = c.unicode();
    return u == 8 || u == 9 || u == 13 || u == 27;
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

QString label(int id)
{
    return UIT(id);
}

} // namespace

Edit EnterTarget(Edit e, bool shift)
{
    if (shift)
        return e == eDSF ? e : Edit(e - 1);
    return e == eClient ? e : Edit(e + 1);
}

int MaxLengthOf(Edit e)
{
    switch (e) {
    case eDSF:
    case eTF:
    case eOF:
        return 260;
    case eTaskWS:
    case ePSWS:
    case eCDWS:
        return 31;
    case eTHR:
        return 7;
    default:
        return 255;
    }
}

KeyFilter FilterOf(Edit e)
{
    switch (e) {
    case eDSF:
    case eTF:
    case eOF:
        return KeyFilter::PathFileName;
    case eTaskWS:
    case ePSWS:
    case eCDWS:
        return KeyFilter::Worksheet;
    case eTHR:
        return KeyFilter::HeaderRow;
    default:
        return KeyFilter::None;
    }
}

bool Refuses(KeyFilter f, QChar c)
{
    if (alwaysPasses(c))
        return false;
    switch (f) {
    case KeyFilter::PathFileName:
        return isControl(c);
    case KeyFilter::Worksheet:
        return c.unicode() < 256 && QStringLiteral("*/:?[\\]").contains(c);
    case KeyFilter::HeaderRow:
        return !(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    case KeyFilter::None:
        break;
    }
    return false;
}

QString BalloonText(KeyFilter f, int maxRows)
{
    switch (f) {
    case KeyFilter::PathFileName:
        // Named as a user knows them, not by their codes.
        return UIT(682) + QLatin1Char('\n') + QStringLiteral("control characters");
    case KeyFilter::Worksheet:
        return UIT(682) + QLatin1Char('\n') + QStringLiteral("\\ / : * ? [ ]");
    case KeyFilter::HeaderRow:
        return UIT(708) + QLatin1Char('\n') + Utils::Format(UIT(736), {1, maxRows - 1});
    case KeyFilter::None:
        break;
    }
    return QString();
}

QString MaxLengthBalloon(int maxLength)
{
    return Utils::Format(UIT(703), {maxLength});
}

CacheReset OnChange(Edit e)
{
    CacheReset r;
    switch (e) {
    case eDSF:
        r.wsl1 = true;
        [[fallthrough]];
    case eTaskWS:
    case eTHR:
        r.fieldList = r.valueLists = true;
        r.update = true;
        break;
    case eTF:
        r.wsl2 = true;
        r.update = true;
        break;
    case ePSWS:
    case eCDWS:
    case eOF:
        r.update = true;
        break;
    default:
        break;
    }
    return r;
}

QString ChangeFileExt(const QString& name, const QString& extDot)
{
    const int slash = int(name.lastIndexOf(QLatin1Char('/')));
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    return (dot > slash ? name.left(dot) : name) + extDot;
}

std::optional<QString> DefaultExtension(TzyDV& dv, const QString& fieldLabel, const QString& name,
                                        const QString& extDot)
{
    const QString trimmed = Utils::Trim(name);
    if (!dv.CheckFileExtension(fieldLabel, trimmed))
        return std::nullopt;
    return ChangeFileExt(trimmed, extDot);
}

std::optional<QString> TemplateExtension(TzyDV& dv, const QString& outputFile, const QString& templateFile)
{
    const QString of = Utils::Trim(outputFile);
    const QString tf = Utils::Trim(templateFile);
    if (!dv.CheckExtensionMatch(label(610), of, label(605), tf))
        return std::nullopt;
    return ChangeFileExt(of, Utils::GetFileExt(tf, true));
}

namespace {

void applyDefault(TzyDV& dv, QString& text, int labelId, const QString& extDot)
{
    if (auto fixed = DefaultExtension(dv, label(labelId), text, extDot))
        text = *fixed;
}

// The Output File: the Template File's extension first, else the default.
void applyOutput(TzyDV& dv, Texts& t, const QString& extDot)
{
    if (auto fixed = TemplateExtension(dv, t[eOF], t[eTF]))
        t[eOF] = *fixed;
    else
        applyDefault(dv, t[eOF], 610, extDot);
}

} // namespace

Texts OnExit(TzyDV& dv, Edit e, Texts t, const QString& extDot)
{
    switch (e) {
    case eTitle:
    case eNumber:
    case eClient:
        t[e] = Utils::Trim(t[e]);
        break;
    case eDSF:
        applyDefault(dv, t[eDSF], 600, extDot);
        break;
    case eTF:
        applyDefault(dv, t[eTF], 605, extDot);
        if (auto fixed = TemplateExtension(dv, t[eOF], t[eTF]))
            t[eOF] = *fixed;
        break;
    case eOF:
        applyOutput(dv, t, extDot);
        break;
    default:
        break;
    }
    return t;
}

Texts ForSave(TzyDV& dv, Texts t, const QString& extDot)
{
    applyDefault(dv, t[eDSF], 600, extDot);
    applyDefault(dv, t[eTF], 605, extDot);
    applyOutput(dv, t, extDot);
    return t;
}

StoredFiles ForLoad(TzyDV& dv, StoredFiles f, const QString& extDot)
{
    const QString storedTF = f.tf;
    if (auto fixed = DefaultExtension(dv, label(600), f.dsf, extDot))
        f.dsf = *fixed;
    if (auto fixed = DefaultExtension(dv, label(605), f.tf, extDot))
        f.tf = *fixed;
    if (auto fixed = TemplateExtension(dv, f.of, storedTF))
        f.of = *fixed;
    else if (auto fixed = DefaultExtension(dv, label(610), f.of, extDot))
        f.of = *fixed;
    return f;
}

std::array<std::optional<QString>, IndicatorCount> IndicatorHints(TzyDV& dv, const Texts& t)
{
    const QString dsf = Utils::Trim(t[eDSF]);
    const QString tf = Utils::Trim(t[eTF]);
    const QString of = Utils::Trim(t[eOF]);
    const QString lDSF = label(600), lTF = label(605), lOF = label(610);
    const QString lPS = label(608), lCD = label(609);

    std::array<std::optional<QString>, IndicatorCount> out;
    // The first failing check of a chain gives the hint.
    const auto chain = [&](Indicator i, std::initializer_list<std::function<bool()>> checks) {
        for (const auto& check : checks)
            if (check()) {
                out[i] = dv.MsgShort;
                return;
            }
    };
    chain(iDSF, {[&] { return dv.CheckPath(lDSF, dsf); }, [&] { return dv.CheckFileExtension(lDSF, dsf); }});
    chain(iTaskWS, {[&] { return dv.CheckWorksheetName(label(603), t[eTaskWS]); }});
    chain(iTHR, {[&] {
              return dv.CheckTaskHeaderRow(lDSF, dsf, label(604), Utils::StrToIntBlankZero(t[eTHR]));
          }});
    chain(iTF, {[&] { return dv.CheckPath(lTF, tf); }, [&] { return dv.CheckFileExtension(lTF, tf); },
                [&] { return dv.CheckSameValue(lTF, tf, lDSF, dsf); }});
    chain(iPSWS, {[&] { return dv.CheckWorksheetName(lPS, t[ePSWS]); }});
    chain(iCDWS, {[&] { return dv.CheckWorksheetName(lCD, t[eCDWS]); },
                  [&] { return dv.CheckSameValue(lCD, t[eCDWS], lPS, t[ePSWS]); }});
    chain(iOF, {[&] { return dv.CheckPath(lOF, of); }, [&] { return dv.CheckFileExtension(lOF, of); },
                [&] { return dv.CheckExtensionMatch(lOF, of, lTF, tf); },
                [&] { return dv.CheckSameValue(lOF, of, lDSF, dsf); },
                [&] { return dv.CheckSameValue(lOF, of, lTF, tf); }});
    return out;
}

QString FieldLabel(FileKind k)
{
    return label(k == FileKind::DataSource ? 600 : k == FileKind::Template ? 605 : 610);
}

QString FolderLabel(FileKind k)
{
    return label(k == FileKind::DataSource ? 601 : k == FileKind::Template ? 606 : 611);
}

QString BrowseTitle(FileKind k)
{
    return label(k == FileKind::DataSource ? 1027 : k == FileKind::Template ? 1028 : 1030);
}

QString BrowseFolder(FileKind k, const QString& ownFolder, bool ownFolderExists, const QString& currentDir,
                     const QString& programDir, const QString& defaultOFFolder)
{
    if (ownFolderExists)
        return ownFolder;
    switch (k) {
    case FileKind::DataSource:
    case FileKind::Template:
        if (SameFolder(currentDir, programDir))
            return Utils::IncludeTrailingSlash(programDir)
                   + (k == FileKind::DataSource ? QStringLiteral("Samples/") : QStringLiteral("Templates/"));
        return currentDir;
    case FileKind::Output:
        return defaultOFFolder.isEmpty() ? currentDir : defaultOFFolder;
    }
    return currentDir;
}

namespace {
QString canonicalOrClean(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}
} // namespace

bool SameFolder(const QString& a, const QString& b)
{
    if (Utils::Trim(a).isEmpty() || Utils::Trim(b).isEmpty())
        return false;
    return canonicalOrClean(a) == canonicalOrClean(b);
}

bool SameFile(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    if (Utils::Trim(a).isEmpty() || Utils::Trim(b).isEmpty())
        return false;
    return canonicalOrClean(a) == canonicalOrClean(b);
}

} // namespace FilesPage
