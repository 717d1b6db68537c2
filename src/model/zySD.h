#pragma once
// The ZOL Definitions and one definition: its five parts and the lists read
// from the workbooks for the browse dialogs (worksheet names, task fields,
// task field values), each with its loaded flag.
//
// Lists keep their items at 1..Count with an empty placeholder at 0; counts
// are the real sizes of the containers, so no index can reach past them.
#include "zyDSF.h"
#include "zyDSM.h"
#include "zyPD.h"
#include "zySCF.h"
#include "zySCO.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

// Worksheet list numbers.
enum WSLIndex { wslNone = 0, wslDataSource = 1, wslTemplate = 2 };

class TzySD {
public:
    TzySD();
    TzySD(const TzySD&) = delete;
    TzySD& operator=(const TzySD&) = delete;
    virtual ~TzySD();

    QString Description;
    // Created in this order and freed in the reverse order.
    TzyPD PD;
    TzySCF SCF;
    TzySCO SCO;
    TzyDSM DSM;
    TzyDSF DSF;

    void Reset();
    void ResetLists();
    void ResetWSL(int i);
    void ResetFL();
    void ResetVL();

    // Worksheet lists 0..2.
    int getWSL_Count(int i) const;
    void setWSL_Count(int i, int n);
    QString getWSL_WS(int i, int j) const;
    void setWSL_WS(int i, int j, const QString& name);
    bool getWSL_Loaded(int i) const;
    void setWSL_Loaded(int i, bool b);

    // Task field list; each field has value slots 0..ImportTaskFldValueCount
    // as the preference stood when the list was last sized.
    int getFL_Count() const { return int(m_flTaskFld.size()) - 1; }
    void setFL_Count(int n);
    QString getFL_TaskFld(int i) const;
    void setFL_TaskFld(int i, const QString& s);
    QString getFL_TaskFldDesc(int i) const;
    void setFL_TaskFldDesc(int i, const QString& s);
    QString getFL_TaskFldValue(int i, int j) const;
    void setFL_TaskFldValue(int i, int j, const QString& s);
    bool getFL_Loaded() const { return m_flLoaded; }
    void setFL_Loaded(bool b);

    // Value lists, one per task field asked for.
    int getVL_Count() const { return int(m_vl.size()) - 1; }
    void setVL_Count(int n);
    QString getVL_TaskFld(int i) const;
    void setVL_TaskFld(int i, const QString& s);
    int getVL_TaskFldValCount(int i) const;
    void setVL_TaskFldValCount(int i, int n);
    QString getVL_TaskFldValue(int i, int j) const;
    void setVL_TaskFldValue(int i, int j, const QString& s);
    int getVL_TaskFldValTaskCount(int i, int j) const;
    void setVL_TaskFldValTaskCount(int i, int j, int n);
    int getVL_Total() const { return m_vlTotal; }
    void setVL_Total(int n);
    bool getVL_Loaded(int i) const;
    void setVL_Loaded(int i, bool b);

private:
    struct ValueList {
        QString taskFld;
        std::vector<QString> values{QString()};
        std::vector<int> taskCounts{0};
        bool loaded = false;
    };

    bool badWSL(int i, const char* tag) const;
    bool badWSLName(int i, int j, const char* tag) const;
    bool badFL(int i, const char* tag) const;
    bool badFLValue(int i, int j, const char* tag) const;
    bool badVL(int i, const char* tag) const;
    bool badVLValue(int i, int j, const char* tag) const;

    std::array<std::vector<QString>, 3> m_wslWS;
    std::array<bool, 3> m_wslLoaded{};

    std::vector<QString> m_flTaskFld;
    std::vector<QString> m_flTaskFldDesc;
    std::vector<std::vector<QString>> m_flTaskFldValue;
    bool m_flLoaded = false;

    std::vector<ValueList> m_vl;
    int m_vlTotal = 0;
};

class TzySDs {
public:
    TzySDs();
    TzySDs(const TzySDs&) = delete;
    TzySDs& operator=(const TzySDs&) = delete;
    ~TzySDs();

    int Count() const { return int(m_items.size()) - 1; }
    int ActiveSD() const { return m_activeSD; }

    void Clear();
    int Add();
    void ResetActiveSD();
    // A bad index reports and gives the placeholder.
    TzySD& getItems(int index);
    // An invalid index makes the placeholder active; True when it was invalid.
    bool setActiveSD(int index);

private:
    void freeAll();

    std::vector<std::unique_ptr<TzySD>> m_items;
    int m_activeSD = 0;
};

extern std::unique_ptr<TzySDs> SDs;
