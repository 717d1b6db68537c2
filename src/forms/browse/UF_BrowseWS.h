#pragma once
// Browse Worksheets: the worksheet names of the Data Source File (list 1)
// or of the Template File (list 2), read from the active definition's cache.
#include "UF_Browse.h"

class TUF_BrowseWS : public TUF_Browse {
    Q_OBJECT
public:
    explicit TUF_BrowseWS(QWidget* parent = nullptr);
    ~TUF_BrowseWS() override;

    QString WS;
    int WSLIndex = 1;

    void SetWS(const QString& name);
    // Kind: "Data Source File" or "Template File"; ItemName: the worksheet
    // field. `anchor`: where Auto Align puts the top-right corner (none: the
    // work area's top-right corner).
    void Populate(const QString& kind, const QString& itemName, int wslIndex, int alignMode,
                  std::optional<QPoint> anchor = std::nullopt);

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
    QString m_kind;
};

extern TUF_BrowseWS* UF_BrowseWS;
