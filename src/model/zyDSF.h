#pragma once
// Data Source Filter: rows that compare a task field with a value by one of
// fourteen operators, joined by And or Or, and a switch for the whole filter.
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// Filter operator codes; the text of code c is UI text 650 + c.
enum FilterOperator : std::uint8_t {
    foEquals = 0,
    foDoesNotEqual,
    foIsLessThan,
    foIsLessThanOrEqualTo,
    foIsGreaterThan,
    foIsGreaterThanOrEqualTo,
    foIsBlank,
    foIsNotBlank,
    foStartsWith,
    foDoesNotStartWith,
    foEndsWith,
    foDoesNotEndWith,
    foContains,
    foDoesNotContain
};
constexpr int FilterOperatorCount = 14;
// The main form's filter grid holds five rows.
constexpr int DSF_MaxRows = 5;

class TzyDSFx {
public:
    TzyDSFx();
    void Reset();

    bool AndFlag = true;               // True And, False Or; ignored for row 1
    std::uint8_t FilterOperator = foEquals;
    QString TaskFldValue;              // stored unchanged, blanks and case kept

    static bool IsInvalidOperator(int code);
    // Repairs a stored invalid code to Equals first; then refuses an invalid
    // code (True) or stores it (False).
    bool SetFilterOperator(int code);
    void ResetFilterOperator();
    void SetAndFlag(bool value);
    void SetTaskFldValue(const QString& value);
    QString GetTaskFld() const;
    void SetTaskFld(const QString& value);
    QString GetTaskFldDesc() const;
    void SetTaskFldDesc(const QString& value);

private:
    QString m_taskFld;
    QString m_taskFldDesc;
};

class TzyDSF {
public:
    TzyDSF();
    TzyDSF(const TzyDSF&) = delete;
    TzyDSF& operator=(const TzyDSF&) = delete;
    ~TzyDSF();

    int Count() const { return int(m_items.size()) - 1; }
    bool Enabled() const { return m_enabled; }

    void Reset();
    void SetEnabled(bool value);
    // Row 0 is the placeholder; a bad index reports and gives row 0.
    TzyDSFx& getItems(int index);
    const TzyDSFx& getItems(int index) const;
    // Appends a default row and returns its index; a full filter reports the
    // index error and gives 0, the placeholder.
    int Add();
    // Removes row index (1..Count); the later rows move down one place.
    void Delete(int index);

    static bool IsInvalidOperator(int code);
    static QString FilterOperatorToText(int code);
    static std::uint8_t TextToFilterOperator(const QString& text);
    // "Enabled, (Discipline [C] = Civil) Or ([D] Is Blank )"
    QString GetFilterDetails() const;

private:
    std::vector<std::unique_ptr<TzyDSFx>> m_items;
    bool m_enabled = false;
};
