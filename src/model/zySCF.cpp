#include "zySCF.h"

#include "Utils.h"
#include "zyModelPrefs.h"
#include "zyModelText.h"
#include "zyUP.h"

namespace {
const QString kOutputName = QStringLiteral("Tarvo_ZOL_Lumo_Output");
}

TzySCF::TzySCF() { Reset(); }

void TzySCF::Reset()
{
    TzyUP& up = Model::Prefs();

    QString outputExt;
    switch (up.DefaultTFDDLItemIndex()) {
    case TzyUP::tfNone:
        m_defaultTemplateFile.clear();
        outputExt = up.GetDefaultXLExtnDot();
        break;
    case TzyUP::tfAuto:
        if (Utils::SameText(Model::InstalledXLExtn(), QStringLiteral("xls"))) {
            m_defaultTemplateFile = up.GetTemplateXLS();
            outputExt = QStringLiteral(".xls");
        } else {
            m_defaultTemplateFile = up.GetTemplateXLSX();
            outputExt = QStringLiteral(".xlsx");
        }
        break;
    case TzyUP::tfXLS:
        m_defaultTemplateFile = up.GetTemplateXLS();
        outputExt = QStringLiteral(".xls");
        break;
    case TzyUP::tfXLSX:
        m_defaultTemplateFile = up.GetTemplateXLSX();
        outputExt = QStringLiteral(".xlsx");
        break;
    case TzyUP::tfOther:
        m_defaultTemplateFile = up.GetDefaultTemplateFile();
        outputExt = Utils::GetFileExt(m_defaultTemplateFile, true);
        break;
    default:
        m_defaultTemplateFile.clear();
        outputExt = up.GetDefaultXLExtnDot();
        break;
    }

    QString folder;
    switch (up.DefaultOFFolderDDLItemIndex()) {
    case TzyUP::ofDesktop:
        folder = Utils::GetDesktopFolder();
        break;
    case TzyUP::ofDocuments:
        folder = Utils::GetMyDocumentsFolder();
        break;
    case TzyUP::ofOther:
        folder = Utils::Trim(up.GetDefaultOFFolder());
        break;
    default:
        break;
    }
    m_defaultOutputFile = folder + kOutputName + outputExt;

    m_dataSourceFile.clear();
    m_dataSourceFileOpenPassword.clear();
    TaskWS = QStringLiteral("Task_Table1");
    TaskHeaderRow = 1;
    m_templateFile = m_defaultTemplateFile;
    m_templateFileOpenPassword.clear();
    ProjectSummaryWS = QStringLiteral("Project Summary");
    ChartDataWS = QStringLiteral("Chart Data");
    m_outputFile = m_defaultOutputFile;
}

void TzySCF::ResetTaskHeaderRow() { TaskHeaderRow = 1; }

void TzySCF::SetDataSourceFile(const QString& value) { Model::StoreTrimmed(m_dataSourceFile, value); }
void TzySCF::SetTemplateFile(const QString& value) { Model::StoreTrimmed(m_templateFile, value); }
void TzySCF::SetOutputFile(const QString& value) { Model::StoreTrimmed(m_outputFile, value); }
QString TzySCF::GetDataSourceFile() const { return Utils::Trim(m_dataSourceFile); }
QString TzySCF::GetTemplateFile() const { return Utils::Trim(m_templateFile); }
QString TzySCF::GetOutputFile() const { return Utils::Trim(m_outputFile); }

void TzySCF::SetDataSourceFileOpenPassword(const QString& value)
{
    Model::StoreValue(m_dataSourceFileOpenPassword, value);
}

void TzySCF::SetTemplateFileOpenPassword(const QString& value)
{
    Model::StoreValue(m_templateFileOpenPassword, value);
}

void TzySCF::SetTaskWS(const QString& value) { Model::StoreValue(TaskWS, value); }
void TzySCF::SetProjectSummaryWS(const QString& value) { Model::StoreValue(ProjectSummaryWS, value); }
void TzySCF::SetChartDataWS(const QString& value) { Model::StoreValue(ChartDataWS, value); }
void TzySCF::SetTaskHeaderRow(int value) { Model::StoreValue(TaskHeaderRow, value); }

QString TzySCF::GetOutputFolder() const
{
    return Utils::Trim(Utils::ExtractFilePath(m_outputFile));
}
