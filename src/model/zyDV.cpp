#include "zyDV.h"

#include "Utils.h"
#include "zyDVText.h"
#include "zyUIL.h"

std::unique_ptr<TzyDV> DV;

TzyDV::TzyDV() { Reset(); }

TzyDV::~TzyDV() = default;

void TzyDV::Reset() { ClearCfgErrs(); }

void TzyDV::ClearCfgErrs()
{
    m_illegalChars.clear();
    m_errs.assign(1, CfgErr());
}

void TzyDV::AddCfgErr(const QString& tab, const QString& fld, const QString& details, const QString& fldVal,
                      int tabID, int fldID, int rowID)
{
    m_errs.push_back(CfgErr{tab, fld, details, fldVal, tabID, fldID, rowID});
}

const TzyDV::CfgErr& TzyDV::errAt(int index, const char* tag) const
{
    if (Utils::CheckIndex(index, 0, Count(), QString::fromLatin1(tag)))
        index = 0;
    return m_errs[size_t(index)];
}

QString TzyDV::getCfgErrTab(int index) const { return errAt(index, "DV.getCfgErrTab").tab; }
QString TzyDV::getCfgErrFld(int index) const { return errAt(index, "DV.getCfgErrFld").fld; }
QString TzyDV::getCfgErrDetails(int index) const { return errAt(index, "DV.getCfgErrDetails").details; }
QString TzyDV::getCfgErrFldVal(int index) const { return errAt(index, "DV.getCfgErrFldVal").fldVal; }
int TzyDV::getCfgErrTabID(int index) const { return errAt(index, "DV.getCfgErrTabID").tabID; }
int TzyDV::getCfgErrFldID(int index) const { return errAt(index, "DV.getCfgErrFldID").fldID; }
int TzyDV::getCfgErrRowID(int index) const { return errAt(index, "DV.getCfgErrRowID").rowID; }

QString TzyDV::GetIllegalChars() const { return Utils::Trim(m_illegalChars); }

void TzyDV::ClearIllegalChars() { m_illegalChars.clear(); }

void TzyDV::AddIllegalChar(const QString& ch)
{
    if (ch.isEmpty())
        return;
    const QString token = DVText::IllegalCharToken(ch.at(0));
    const QStringList listed = m_illegalChars.split(QStringLiteral(", "), Qt::SkipEmptyParts);
    if (listed.contains(token))
        return;
    m_illegalChars += QStringLiteral(", ") + token;
    if (m_illegalChars.startsWith(QStringLiteral(", ")))
        m_illegalChars.remove(0, 2);
}

void TzyDV::clearMsgs()
{
    MsgFix.clear();
    MsgShort.clear();
    MsgDialog.clear();
    MsgDetails.clear();
    MsgValue.clear();
    MsgID.clear();
}

void TzyDV::setFault(const QString& text, const QString& fldName, const QString& value, const QString& id)
{
    MsgShort = text;
    MsgDialog = text + DVText::kBlankLine + DVText::F(735, fldName);
    MsgDetails = text;
    MsgValue = value;
    MsgID = id;
}

void TzyDV::setIllegalCharsFault(int textId, const QString& fldName, const QString& value, const QString& id)
{
    const QString plain = Utils::Format(UIT(textId), {fldName, GetIllegalChars()});
    MsgShort = Utils::Format(UIT(textId), {fldName, DVText::HintForm(GetIllegalChars())});
    MsgDialog = plain + DVText::kBlankLine + DVText::F(735, fldName);
    MsgDetails = plain;
    MsgValue = value;
    MsgID = id;
}

void TzyDV::recordError(int tabID, const QString& fldName, int fldID, int rowID)
{
    AddCfgErr(UIT(tabID), fldName, MsgDetails, MsgValue, tabID, fldID, rowID);
}
