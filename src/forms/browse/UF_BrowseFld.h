#pragma once
// Browse Task Fields: the columns of the task worksheet's header row with
// their header texts and the first tasks' values, and the choice whether the
// header text is taken as the field's description.
#include "UF_Browse.h"

class QCheckBox;

class TUF_BrowseFld : public TUF_Browse {
    Q_OBJECT
public:
    explicit TUF_BrowseFld(QWidget* parent = nullptr);
    ~TUF_BrowseFld() override;

    QString TaskFld;
    QString TaskFldDesc;
    bool ImportDesc = false;

    void SetTaskFld(const QString& taskFld);
    QString GetTaskFld() const;
    QString GetTaskFldDesc() const;
    // Align mode 1: the Data Source Map grid, 2: the Data Source Filter grid.
    void Populate(const QString& caption, int alignMode, const QString& itemName,
                  std::optional<QPoint> anchor = std::nullopt);

    QCheckBox* ImportCheckBox() const { return m_cbImport; }

protected:
    bool AutoSizePref() const override;
    bool AutoAlignPref() const override;
    void SetAutoSizePref(bool down) override;
    void SetAutoAlignPref(bool down) override;
    void StoreChoice(int row) override;
    void ClearChoice() override;
    void ClearLoaded() override;
    void ActivateExtra() override;

private:
    class Columns;
    QCheckBox* m_cbImport = nullptr;
    int m_sampleCount = 0;
};

extern TUF_BrowseFld* UF_BrowseFld;
