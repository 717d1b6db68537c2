#include "zySD.h"

#include "Utils.h"
#include "zyModelPrefs.h"
#include "zyModelText.h"

#include <algorithm>

std::unique_ptr<TzySDs> SDs;

namespace {

QString tagOf(const char* tag) { return QString::fromLatin1(tag); }

// Resizes to n + 1 slots; the new slots take `fill`.
template <typename T>
void resizeList(std::vector<T>& list, int n, const T& fill)
{
    list.resize(size_t(std::max(n, 0)) + 1, fill);
}

std::vector<QString> emptyValues(int count)
{
    return std::vector<QString>(size_t(std::max(count, 0)) + 1);
}

} // namespace

// ---- TzySD -----------------------------------------------------------------

TzySD::TzySD() { Reset(); }

TzySD::~TzySD() = default;

void TzySD::Reset()
{
    Description.clear();
    ResetLists();
}

void TzySD::ResetLists()
{
    for (int i = 0; i < int(m_wslWS.size()); ++i) {
        m_wslWS[size_t(i)].assign(1, QString());
        m_wslLoaded[size_t(i)] = false;
    }
    ResetFL();
    ResetVL();
}

void TzySD::ResetWSL(int i)
{
    if (badWSL(i, "SD.ResetWSL"))
        return;
    m_wslWS[size_t(i)].assign(1, QString());
    m_wslLoaded[size_t(i)] = false;
}

void TzySD::ResetFL()
{
    m_flLoaded = false;
    m_flTaskFld.assign(1, QString());
    m_flTaskFldDesc.assign(1, QString());
    m_flTaskFldValue.assign(1, emptyValues(Model::ImportTaskFldValueCount()));
}

void TzySD::ResetVL()
{
    m_vlTotal = 0;
    m_vl.assign(1, ValueList());
}

bool TzySD::badWSL(int i, const char* tag) const
{
    return Utils::CheckIndex(i, 0, int(m_wslWS.size()) - 1, tagOf(tag));
}

bool TzySD::badWSLName(int i, int j, const char* tag) const
{
    return badWSL(i, tag) || Utils::CheckIndex(j, 0, int(m_wslWS[size_t(i)].size()) - 1, tagOf(tag));
}

bool TzySD::badFL(int i, const char* tag) const
{
    return Utils::CheckIndex(i, 0, getFL_Count(), tagOf(tag));
}

bool TzySD::badFLValue(int i, int j, const char* tag) const
{
    return badFL(i, tag) || Utils::CheckIndex(j, 0, int(m_flTaskFldValue[size_t(i)].size()) - 1, tagOf(tag));
}

bool TzySD::badVL(int i, const char* tag) const
{
    return Utils::CheckIndex(i, 0, getVL_Count(), tagOf(tag));
}

bool TzySD::badVLValue(int i, int j, const char* tag) const
{
    return badVL(i, tag) || Utils::CheckIndex(j, 0, int(m_vl[size_t(i)].values.size()) - 1, tagOf(tag));
}

int TzySD::getWSL_Count(int i) const
{
    if (badWSL(i, "SD.getWSL_Count"))
        return 0;
    return int(m_wslWS[size_t(i)].size()) - 1;
}

void TzySD::setWSL_Count(int i, int n)
{
    if (badWSL(i, "SD.setWSL_Count"))
        return;
    resizeList(m_wslWS[size_t(i)], n, QString());
}

QString TzySD::getWSL_WS(int i, int j) const
{
    if (badWSLName(i, j, "SD.getWSL_WS"))
        return QString();
    return m_wslWS[size_t(i)][size_t(j)];
}

void TzySD::setWSL_WS(int i, int j, const QString& name)
{
    if (badWSLName(i, j, "SD.setWSL_WS"))
        return;
    Model::StoreValue(m_wslWS[size_t(i)][size_t(j)], name);
}

bool TzySD::getWSL_Loaded(int i) const
{
    if (badWSL(i, "SD.getWSL_Loaded"))
        return false;
    return m_wslLoaded[size_t(i)];
}

void TzySD::setWSL_Loaded(int i, bool b)
{
    if (badWSL(i, "SD.setWSL_Loaded"))
        return;
    m_wslLoaded[size_t(i)] = b;
}

void TzySD::setFL_Count(int n)
{
    const int width = Model::ImportTaskFldValueCount();
    resizeList(m_flTaskFld, n, QString());
    resizeList(m_flTaskFldDesc, n, QString());
    resizeList(m_flTaskFldValue, n, emptyValues(width));
    // Every field gets the sample width the preference now asks for.
    for (auto& values : m_flTaskFldValue)
        values.resize(size_t(std::max(width, 0)) + 1);
}

QString TzySD::getFL_TaskFld(int i) const
{
    if (badFL(i, "SD.getFL_TaskFld"))
        return QString();
    return Utils::Trim(m_flTaskFld[size_t(i)]);
}

void TzySD::setFL_TaskFld(int i, const QString& s)
{
    if (badFL(i, "SD.setFL_TaskFld"))
        return;
    Model::StoreTrimmed(m_flTaskFld[size_t(i)], s);
}

QString TzySD::getFL_TaskFldDesc(int i) const
{
    if (badFL(i, "SD.getFL_TaskFldDesc"))
        return QString();
    return m_flTaskFldDesc[size_t(i)];
}

void TzySD::setFL_TaskFldDesc(int i, const QString& s)
{
    if (badFL(i, "SD.setFL_TaskFldDesc"))
        return;
    Model::StoreValue(m_flTaskFldDesc[size_t(i)], s);
}

QString TzySD::getFL_TaskFldValue(int i, int j) const
{
    if (badFLValue(i, j, "SD.getFL_TaskFldValue"))
        return QString();
    return m_flTaskFldValue[size_t(i)][size_t(j)];
}

void TzySD::setFL_TaskFldValue(int i, int j, const QString& s)
{
    if (badFLValue(i, j, "SD.setFL_TaskFldValue"))
        return;
    Model::StoreValue(m_flTaskFldValue[size_t(i)][size_t(j)], s);
}

void TzySD::setFL_Loaded(bool b) { m_flLoaded = b; }

void TzySD::setVL_Count(int n)
{
    resizeList(m_vl, n, ValueList());
}

QString TzySD::getVL_TaskFld(int i) const
{
    if (badVL(i, "SD.getVL_TaskFld"))
        return QString();
    return Utils::Trim(m_vl[size_t(i)].taskFld);
}

void TzySD::setVL_TaskFld(int i, const QString& s)
{
    if (badVL(i, "SD.setVL_TaskFld"))
        return;
    Model::StoreTrimmed(m_vl[size_t(i)].taskFld, s);
}

int TzySD::getVL_TaskFldValCount(int i) const
{
    if (badVL(i, "SD.getVL_TaskFldValCount"))
        return 0;
    return int(m_vl[size_t(i)].values.size()) - 1;
}

void TzySD::setVL_TaskFldValCount(int i, int n)
{
    if (badVL(i, "SD.setVL_TaskFldValCount"))
        return;
    ValueList& list = m_vl[size_t(i)];
    resizeList(list.values, n, QString());
    resizeList(list.taskCounts, n, 0);
}

QString TzySD::getVL_TaskFldValue(int i, int j) const
{
    if (badVLValue(i, j, "SD.getVL_TaskFldValue"))
        return QString();
    return m_vl[size_t(i)].values[size_t(j)];
}

void TzySD::setVL_TaskFldValue(int i, int j, const QString& s)
{
    if (badVLValue(i, j, "SD.setVL_TaskFldValue"))
        return;
    Model::StoreValue(m_vl[size_t(i)].values[size_t(j)], s);
}

int TzySD::getVL_TaskFldValTaskCount(int i, int j) const
{
    if (badVLValue(i, j, "SD.getVL_TaskFldValTaskCount"))
        return 0;
    return m_vl[size_t(i)].taskCounts[size_t(j)];
}

void TzySD::setVL_TaskFldValTaskCount(int i, int j, int n)
{
    if (badVLValue(i, j, "SD.setVL_TaskFldValTaskCount"))
        return;
    m_vl[size_t(i)].taskCounts[size_t(j)] = n;
}

void TzySD::setVL_Total(int n) { m_vlTotal = n; }

bool TzySD::getVL_Loaded(int i) const
{
    if (badVL(i, "SD.getVL_Loaded"))
        return false;
    return m_vl[size_t(i)].loaded;
}

void TzySD::setVL_Loaded(int i, bool b)
{
    if (badVL(i, "SD.setVL_Loaded"))
        return;
    m_vl[size_t(i)].loaded = b;
}

// ---- TzySDs ----------------------------------------------------------------

TzySDs::TzySDs()
{
    m_items.push_back(std::make_unique<TzySD>());
}

TzySDs::~TzySDs()
{
    freeAll();
    m_activeSD = 0;
}

void TzySDs::freeAll()
{
    while (!m_items.empty())
        m_items.pop_back();
}

void TzySDs::Clear()
{
    freeAll();
    m_items.push_back(std::make_unique<TzySD>());
    m_activeSD = 0;
}

int TzySDs::Add()
{
    m_items.push_back(std::make_unique<TzySD>());
    for (auto& sd : m_items)
        sd->ResetLists();
    return Count();
}

void TzySDs::ResetActiveSD() { m_activeSD = 0; }

TzySD& TzySDs::getItems(int index)
{
    if (Utils::CheckIndex(index, 0, Count(), QStringLiteral("SDs.getItems")))
        index = 0;
    return *m_items[size_t(index)];
}

bool TzySDs::setActiveSD(int index)
{
    const bool invalid = Utils::CheckIndex(index, 0, Count(), QStringLiteral("SDs.setActiveSD"));
    if (invalid)
        index = 0;
    Model::StoreValue(m_activeSD, index);
    return invalid;
}
