#pragma once
// Browse Task Field Values: the distinct values of one task field with the
// number of tasks holding each, from one value list of the active definition.
#include "UF_Browse.h"

class TUF_BrowseVal : public TUF_Browse {
    Q_OBJECT
public:
    explicit TUF_BrowseVal(QWidget* parent = nullptr);
    ~TUF_BrowseVal() override;

    int VLIndex = 0;
    QString TaskFldValue;

    void SetTaskFldValue(const QString& value);
    void SetVLIndex(int index);
    // `anchor`: where Auto Align puts the top-right corner (the filter grid's
    // value column at its current row).
    void Populate(int vlIndex, std::optional<QPoint> anchor = std::nullopt);

protected:
    bool AutoSizePref() const override;
    bool AutoAlignPref() const override;
    void SetAutoSizePref(bool down) override;
    void SetAutoAlignPref(bool down) override;
    void StoreChoice(int row) override;
    void ClearChoice() override;
    void ClearLoaded() override;

private:
    class Columns;
};

extern TUF_BrowseVal* UF_BrowseVal;
