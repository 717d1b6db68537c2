#pragma once
// Project Details of a ZOL Definition: title, number and client as the
// report shows them.
#include <QString>

class TzyPD {
public:
    TzyPD();
    void Reset();

    QString GetProjectTitle() const;
    void SetProjectTitle(const QString& value);
    QString GetProjectNumber() const;
    void SetProjectNumber(const QString& value);
    QString GetProjectClient() const;
    void SetProjectClient(const QString& value);

private:
    QString m_projectTitle;
    QString m_projectNumber;
    QString m_projectClient;
};
