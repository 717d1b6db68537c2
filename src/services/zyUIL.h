#pragma once
// The table of user-interface texts, looked up by number.
#include <QString>
#include <memory>
#include <vector>

class TzyUIL {
public:
    static constexpr int kHighId = 1270;
    TzyUIL();
    QString Name() const { return m_name; }
    void SetName(const QString& name);
    QString getUIT(int index) const;
    void setUIT(int index, const QString& text);

private:
    QString m_name;
    std::vector<QString> m_uit;
};

class TzyUILs {
public:
    TzyUILs();
    int HighIndex() const { return int(m_items.size()) - 1; }
    TzyUIL& getItems(int index);

private:
    std::vector<std::unique_ptr<TzyUIL>> m_items;
};

extern std::unique_ptr<TzyUILs> UILs;
extern int UILIndex;

namespace UIL_EN {
// Fills language `langIndex` with the English texts; raises when the table
// cannot be read.
void LoadUIL(int langIndex);
}

// Builds the table: UILIndex 0, a new list, English loaded.
void InitUILs();
void FreeUILs();

// The text `id` of the current language, trimmed; empty before the table
// exists.
QString UIT(int id);
