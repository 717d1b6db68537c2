#pragma once
// Data Source Map: which worksheet column holds each of the nine task
// fields, and whether the current options require it.
#include <QString>

#include <memory>
#include <vector>

// The nine task fields, in the order every user of the map indexes them.
constexpr int DSM_Count = 9;
enum DSMItem {
    dsmBaselineStart = 1,
    dsmBaselineFinish,
    dsmBaselineMH,
    dsmBaselineCost,
    dsmStart,
    dsmFinish,
    dsmMH,
    dsmCost,
    dsmPctComplete
};

class TzyDSMx {
public:
    TzyDSMx();
    void Reset();

    QString Desc;          // the item's label
    bool Required = false; // worked out by TzyDSM::SetRequired

    void SetDesc(const QString& value);
    QString GetTaskFld() const;
    void SetTaskFld(const QString& value);
    QString GetTaskFldDesc() const;
    void SetTaskFldDesc(const QString& value);
    void SetRequired(bool value);

private:
    QString m_taskFld;
    QString m_taskFldDesc;
};

class TzyDSM {
public:
    TzyDSM();
    TzyDSM(const TzyDSM&) = delete;
    TzyDSM& operator=(const TzyDSM&) = delete;
    ~TzyDSM();

    int Count() const { return int(m_items.size()) - 1; }
    void Reset();
    // Item 0 is the unused placeholder; a bad index reports and gives item 0.
    TzyDSMx& getItems(int index);
    const TzyDSMx& getItems(int index) const;
    void SetRequired(bool generateBL, bool generateACT, bool generateTGT, bool graphMH, bool graphCost);

private:
    std::vector<std::unique_ptr<TzyDSMx>> m_items;
};
