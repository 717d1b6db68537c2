// The checks of the file settings. Paths are POSIX paths: "/" separates
// folders, a name must be absolute (the root stands where a drive stood),
// and a NUL or any other control character is refused. Drive letters,
// network shares and reserved device names do not exist here.
#include "zyDV.h"

#include "Utils.h"
#include "zyDVText.h"
#include "zyModelPrefs.h"
#include "zyUP.h"

using DVText::F;
using DVText::kBlankLine;
using DVText::kLineBreak;

namespace {

bool isWorksheetIllegal(QChar c)
{
    static const QString set = QStringLiteral("*/:?[\\]");
    return set.contains(c);
}

bool isExcelExtension(const QString& ext)
{
    return Utils::SameText(ext, QStringLiteral("xls")) || Utils::SameText(ext, QStringLiteral("xlsx"));
}

// The root of an absolute name; empty for a relative one.
QString rootOf(const QString& fileName)
{
    return Utils::Trim(fileName).startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
}

// Lists the characters of `text` that `illegal` refuses among the
// validator's illegal characters; True when one was found.
bool listIllegalChars(TzyDV& dv, QStringView text, bool (*illegal)(QChar))
{
    for (QChar c : text)
        if (illegal(c))
            dv.AddIllegalChar(QString(c));
    return !dv.GetIllegalChars().isEmpty();
}

QString colLetters(int colNo)
{
    QString letters;
    while (colNo > 0) {
        const int rest = (colNo - 1) % 26;
        letters.prepend(QChar(QLatin1Char('A').unicode() + rest));
        colNo = (colNo - 1) / 26;
    }
    return letters;
}

} // namespace

bool TzyDV::CheckFileExists(const QString& fldName, const QString& fileName)
{
    clearMsgs();
    // A name holding a NUL cannot name a file; asking would raise a box.
    const bool exists = !fileName.contains(QChar(0)) && Utils::FileExists(fldName, fileName, true);
    if (exists)
        return false;
    MsgDialog = F(707, fldName) + kBlankLine + fileName + kBlankLine + F(735, fldName);
    MsgDetails = F(706, fldName);
    MsgValue = fileName;
    MsgID = QStringLiteral("UDV004");
    return true;
}

bool TzyDV::CheckPath(const QString& fldName, const QString& fileName)
{
    clearMsgs();
    ClearIllegalChars();
    if (Utils::Trim(fileName).isEmpty()) {
        setFault(F(718, fldName), fldName, DVText::Undefined(), QStringLiteral("UDV005"));
        return true;
    }
    if (listIllegalChars(*this, fileName, DVText::IsControlChar)) {
        setIllegalCharsFault(690, fldName, fileName, QStringLiteral("UDV006"));
        return true;
    }
    if (CheckDrive(fldName, fileName))
        return true;
    return CheckFileName(fldName, fileName);
}

bool TzyDV::CheckDrive(const QString& fldName, const QString& fileName)
{
    clearMsgs();
    ClearIllegalChars();
    // A relative name is given, not undefined: the value shown is the name.
    if (rootOf(fileName).isEmpty()) {
        setFault(F(722, fldName), fldName, fileName, QStringLiteral("UDV007"));
        return true;
    }
    return false;
}

bool TzyDV::CheckFileName(const QString& fldName, const QString& fileName)
{
    clearMsgs();
    ClearIllegalChars();
    const QString name = Utils::Trim(Utils::ExtractFileNameNoExt(fileName));
    if (name.isEmpty()) {
        setFault(F(725, fldName), fldName, DVText::Undefined(), QStringLiteral("UDV011"));
        return true;
    }
    if (listIllegalChars(*this, name, DVText::IsControlChar)) {
        setIllegalCharsFault(692, fldName, fileName, QStringLiteral("UDV012"));
        return true;
    }
    return false;
}

bool TzyDV::CheckFileExtension(const QString& fldName, const QString& fileName)
{
    clearMsgs();
    if (Utils::Trim(fileName).isEmpty() || Utils::ExtractFileNameNoExt(fileName).isEmpty())
        return false;
    const QString ext = Utils::GetFileExt(fileName, false);
    const QString dflt = Model::Prefs().GetDefaultXLExtnDot();
    if (ext.isEmpty()) {
        MsgShort = F(726, fldName);
        MsgDialog = MsgShort + kBlankLine + Utils::Format(UIT(679), {dflt});
        MsgDetails = Utils::Format(UIT(727), {fldName, dflt});
        MsgValue = DVText::Undefined();
        MsgID = QStringLiteral("UDV014");
        return true;
    }
    if (isExcelExtension(ext))
        return false;
    MsgFix = Utils::Format(UIT(698), {fldName, dflt});
    MsgShort = F(695, fldName);
    MsgDialog = MsgShort + kBlankLine + Utils::Format(UIT(679), {dflt});
    MsgDetails = MsgFix;
    MsgValue = Utils::AsciiUpper(ext);
    MsgID = QStringLiteral("UDV015");
    return true;
}

bool TzyDV::CheckExcelFile(const QString& fldName, const QString& fileName)
{
    clearMsgs();
    if (isExcelExtension(Utils::GetFileExt(fileName, false)))
        return false;
    MsgDialog = F(696, fldName) + kBlankLine + fileName + kBlankLine
                + Utils::Format(UIT(697), {QStringLiteral(".xls"), QStringLiteral(".xlsx")});
    MsgID = QStringLiteral("UDV016");
    return true;
}

bool TzyDV::CheckWorksheetName(const QString& fldName, const QString& wsName)
{
    clearMsgs();
    ClearIllegalChars();
    if (Utils::Trim(wsName).isEmpty()) {
        setFault(F(718, fldName), fldName, DVText::Undefined(), QStringLiteral("UDV017"));
        return true;
    }
    if (listIllegalChars(*this, wsName, isWorksheetIllegal)) {
        setIllegalCharsFault(690, fldName, wsName, QStringLiteral("UDV018"));
        return true;
    }
    return false;
}

bool TzyDV::CheckTaskHeaderRow(const QString& /*fileFldName*/, const QString& fileName, const QString& rowFldName,
                               int row)
{
    clearMsgs();
    const Model::SheetLimits limits = Model::LimitsFor(fileName);
    if (row >= 1 && row <= limits.maxRows - 1)
        return false;

    const QString ext = Utils::AsciiUpper(Utils::GetFileExt(fileName, false));
    int bound = limits.maxRows - 1;
    QString id;
    if (ext == QStringLiteral("XLSX"))
        id = limits.maxRows == 1048576 ? QStringLiteral("UDV019") : QStringLiteral("UDV020");
    else if (ext == QStringLiteral("XLS")) {
        id = QStringLiteral("UDV021");
        bound = 65535;
    } else if (limits.maxRows == 1048576)
        id = limits.verCode == 0 ? QStringLiteral("UDV022") : QStringLiteral("UDV023");
    else
        id = QStringLiteral("UDV024");

    const QString range = Utils::Format(UIT(736), {1, bound});
    MsgFix = Utils::Format(UIT(701), {rowFldName, 1, bound, 1});
    MsgShort = F(693, rowFldName) + kLineBreak + range;
    MsgDialog = F(693, rowFldName) + kBlankLine + range + kBlankLine + F(735, rowFldName);
    MsgDetails = MsgFix;
    MsgValue = QString::number(row);
    MsgID = id;
    return true;
}

bool TzyDV::CheckTaskFieldColumn(const QString& /*fileFldName*/, const QString& fileName, const QString& fldName,
                                 const QString& taskFld)
{
    clearMsgs();
    if (Utils::Trim(taskFld).isEmpty()) {
        setFault(F(718, fldName), fldName, DVText::Undefined(), QStringLiteral("UDV025"));
        return true;
    }
    const Model::SheetLimits limits = Model::LimitsFor(fileName);
    if (Model::ColLettersToColNo(Utils::Trim(taskFld), limits.maxCols) > 0)
        return false;

    const QString ext = Utils::AsciiUpper(Utils::GetFileExt(fileName, false));
    QString last = colLetters(limits.maxCols);
    QString id;
    if (ext == QStringLiteral("XLSX"))
        id = limits.maxCols == 16384 ? QStringLiteral("UDV026") : QStringLiteral("UDV027");
    else if (ext == QStringLiteral("XLS")) {
        id = QStringLiteral("UDV028");
        last = QStringLiteral("IV");
    } else if (limits.maxCols == 16384)
        id = limits.verCode == 0 ? QStringLiteral("UDV029") : QStringLiteral("UDV030");
    else
        id = QStringLiteral("UDV031");

    const QString range = Utils::Format(UIT(737), {QStringLiteral("A"), last});
    MsgShort = F(693, fldName) + kLineBreak + range;
    MsgDialog = F(693, fldName) + kBlankLine + range + kBlankLine + F(735, fldName);
    MsgDetails = Utils::Format(UIT(702), {fldName, QStringLiteral("A"), last});
    MsgValue = taskFld;
    MsgID = id;
    return true;
}

bool TzyDV::CheckExtensionMatch(const QString& fld1, const QString& file1, const QString& fld2, const QString& file2)
{
    clearMsgs();
    if (Utils::Trim(file1).isEmpty() || Utils::ExtractFileNameNoExt(file1).isEmpty()
        || Utils::ExtractFileNameNoExt(file2).isEmpty())
        return false;
    if (CheckFileExtension(fld2, file2)) {
        clearMsgs();
        return false;
    }
    const QString ext1 = Utils::GetFileExt(file1, false);
    const QString ext2 = Utils::GetFileExt(file2, false);
    if (Utils::SameText(ext1, ext2))
        return false;
    const QString ext2Dot = Utils::GetFileExt(file2, true);
    MsgFix = Utils::Format(UIT(688), {fld2, fld1, ext2Dot});
    MsgShort = Utils::Format(UIT(687), {fld1, fld2});
    MsgDialog = Utils::Format(UIT(687), {fld2, fld1}) + kBlankLine + Utils::Format(UIT(679), {ext2Dot});
    MsgID = QStringLiteral("UDV034");
    return true;
}

bool TzyDV::CheckSameValue(const QString& fld1, const QString& val1, const QString& fld2, const QString& val2)
{
    clearMsgs();
    if (Utils::AsciiUpper(val1) != Utils::AsciiUpper(val2))
        return false;
    MsgShort = Utils::Format(UIT(714), {fld1, fld2});
    MsgDialog = MsgShort + kBlankLine + F(684, fld1);
    MsgDetails = MsgShort;
    MsgValue = val1;
    MsgID = QStringLiteral("UDV035");
    return true;
}

bool TzyDV::CheckFolderPath(const QString& fldName, const QString& folder)
{
    clearMsgs();
    ClearIllegalChars();
    if (Utils::Trim(folder).isEmpty()) {
        MsgShort = F(718, fldName);
        return true;
    }
    if (CheckDrive(fldName, folder))
        return true;
    if (Utils::ExtractPathNoDrive(folder).isEmpty()) {
        MsgShort = F(723, fldName);
        return true;
    }
    const QString trimmed = Utils::Trim(folder);
    if (listIllegalChars(*this, QStringView(trimmed).mid(rootOf(folder).size()), DVText::IsControlChar)) {
        MsgShort = Utils::Format(UIT(690), {fldName, DVText::HintForm(GetIllegalChars())});
        return true;
    }
    return false;
}

bool TzyDV::CheckMaxLength(const QString& fldName, const QString& value, int maxLen)
{
    clearMsgs();
    if (value.size() <= maxLen)
        return false;
    MsgFix = Utils::Format(UIT(717), {fldName, int(value.size()), maxLen});
    MsgDetails = MsgFix;
    MsgValue = value;
    return true;
}
