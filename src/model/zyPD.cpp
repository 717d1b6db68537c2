#include "zyPD.h"

#include "zyModelText.h"

TzyPD::TzyPD() { Reset(); }

void TzyPD::Reset()
{
    m_projectTitle.clear();
    m_projectNumber.clear();
    m_projectClient.clear();
}

QString TzyPD::GetProjectTitle() const { return Utils::Trim(m_projectTitle); }
void TzyPD::SetProjectTitle(const QString& value) { Model::StoreTrimmed(m_projectTitle, value); }
QString TzyPD::GetProjectNumber() const { return Utils::Trim(m_projectNumber); }
void TzyPD::SetProjectNumber(const QString& value) { Model::StoreTrimmed(m_projectNumber, value); }
QString TzyPD::GetProjectClient() const { return Utils::Trim(m_projectClient); }
void TzyPD::SetProjectClient(const QString& value) { Model::StoreTrimmed(m_projectClient, value); }
