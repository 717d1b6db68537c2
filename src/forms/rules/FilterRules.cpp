#include "FilterRules.h"

#include "Format.h"
#include "Utils.h"
#include "zyDSF.h"
#include "zyDV.h"
#include "zyUIL.h"

#include <functional>
#include <utility>

namespace FilterRules {

using TaskFieldRules::RowFlag;

namespace {

constexpr int kLinkAndText = 136, kLinkOrText = 137, kPleaseSelectText = 590, kFirstOperatorText = 650;

Row& at(Grid& g, int row) { return g[size_t(row - 1)]; }
const Row& at(const Grid& g, int row) { return g[size_t(row - 1)]; }

bool validRow(int row) { return row >= 1 && row <= Rows; }

// Columns 2..5 with the operator's index: what Up and Down swap besides the
// link.
void swapBody(Row& a, Row& b)
{
    std::swap(a.taskFld, b.taskFld);
    std::swap(a.desc, b.desc);
    std::swap(a.op, b.op);
    std::swap(a.opIndex, b.opIndex);
    std::swap(a.value, b.value);
}

void setAnd(Row& r)
{
    r.link = UIT(kLinkAndText);
    r.linkIndex = kAnd;
}

// The row that became row 2 by a move from row 1 needs a link of its own.
void giveLinkToRow2(Grid& g)
{
    Row& r1 = at(g, 1);
    r1.link.clear();
    r1.linkIndex = -1;
    Row& r2 = at(g, 2);
    if (HasTaskField(r2))
        setAnd(r2);
    else {
        r2.link = PleaseSelect();
        r2.linkIndex = kPleaseSelect;
    }
}

// The item a link or operator cell stands for is the one its text names, so
// a text pasted over the cell is never stored under the index it replaced.
int linkItem(const Row& r)
{
    const int byText = ItemOf(LinkItems(), r.link);
    return byText > 0 ? byText : -1;
}
int operatorItem(const Row& r)
{
    const int byText = ItemOf(OperatorItems(), r.op);
    return byText > 0 ? byText : -1;
}

} // namespace

bool Row::anyText() const
{
    return !link.isEmpty() || !taskFld.isEmpty() || !desc.isEmpty() || !op.isEmpty() || !value.isEmpty();
}

QString PleaseSelect() { return UIT(kPleaseSelectText); }

QStringList LinkItems() { return {PleaseSelect(), UIT(kLinkAndText), UIT(kLinkOrText)}; }

QStringList OperatorItems()
{
    QStringList items{PleaseSelect()};
    for (int c = 0; c < FilterOperatorCount; ++c)
        items << UIT(kFirstOperatorText + c);
    return items;
}

int ItemOf(const QStringList& items, const QString& text)
{
    const QString want = Utils::AsciiUpper(Utils::Trim(text));
    if (want.isEmpty())
        return -1;
    for (int i = 0; i < items.size(); ++i)
        if (Utils::AsciiUpper(items.at(i)) == want)
            return i;
    return -1;
}

bool HasTaskField(const Row& r) { return !Utils::Trim(r.taskFld).isEmpty(); }

bool IsComplete(const Grid& g, int row)
{
    if (!validRow(row))
        return false;
    const Row& r = at(g, row);
    if (r.taskFld.isEmpty() || r.op.isEmpty() || operatorItem(r) < 0)
        return false;
    return row == 1 || (!r.link.isEmpty() && linkItem(r) > 0);
}

bool InsertLosesData(const Grid& g) { return at(g, Rows).anyText(); }

void InsertRow(Grid& g, int row)
{
    if (!validRow(row))
        return;
    for (int r = Rows; r > row; --r)
        at(g, r) = at(g, r - 1);
    at(g, row) = Row();
    if (row < Rows) {
        Row& below = at(g, row + 1);
        if (HasTaskField(below) && below.link.isEmpty())
            setAnd(below);
    }
}

void DeleteRow(Grid& g, int row)
{
    if (!validRow(row))
        return;
    for (int r = row; r < Rows; ++r) {
        Row& to = at(g, r);
        const Row& from = at(g, r + 1);
        const QString link = to.link;
        const int linkIndex = to.linkIndex;
        to = from;
        if (r == 1) { // row 1 has no link
            to.link = link;
            to.linkIndex = linkIndex;
        }
    }
    at(g, Rows) = Row();
}

void MoveUp(Grid& g, int row)
{
    if (row < 2 || row > Rows)
        return;
    Row& a = at(g, row - 1);
    Row& b = at(g, row);
    swapBody(a, b);
    if (row == 2)
        giveLinkToRow2(g);
    else {
        std::swap(a.link, b.link);
        std::swap(a.linkIndex, b.linkIndex);
    }
}

void MoveDown(Grid& g, int row)
{
    if (row < 1 || row >= Rows)
        return;
    Row& a = at(g, row);
    Row& b = at(g, row + 1);
    swapBody(a, b);
    if (row == 1)
        giveLinkToRow2(g);
    else {
        std::swap(a.link, b.link);
        std::swap(a.linkIndex, b.linkIndex);
    }
}

void Compact(Grid& g)
{
    Grid out;
    int n = 0;
    for (int r = 1; r <= Rows; ++r)
        if (IsComplete(g, r)) {
            Row row = at(g, r);
            if (n == 0) {
                row.link.clear();
                row.linkIndex = -1;
            }
            out[size_t(n++)] = row;
        }
    g = out;
}

void ClearPleaseSelect(Grid& g)
{
    const QString ps = PleaseSelect();
    for (Row& r : g) {
        if (r.link == ps)
            r.link.clear();
        if (r.op == ps)
            r.op.clear();
    }
}

void ApplyDefaults(Grid& g, int row)
{
    if (!validRow(row))
        return;
    Row& r = at(g, row);
    if (!HasTaskField(r))
        return;
    if (row > 1 && r.link.isEmpty())
        setAnd(r);
    if (r.op.isEmpty()) {
        r.op = UIT(kFirstOperatorText);
        r.opIndex = 1;
    }
}

bool IsEmpty(const Grid& g)
{
    for (const Row& r : g)
        for (const QString* s : {&r.link, &r.taskFld, &r.desc, &r.op, &r.value})
            if (!Utils::Trim(*s).isEmpty())
                return false;
    return true;
}

ValueHeader ValueHeaderFor(const QString& operatorText)
{
    const int op = TzyDSF::TextToFilterOperator(Utils::Trim(operatorText));
    if (op == foEquals || op == foDoesNotEqual)
        return ValueHeader::Optional;
    if (op == foIsBlank || op == foIsNotBlank)
        return ValueHeader::MustBeEmpty;
    return ValueHeader::Required;
}

QString FieldName(int row) { return Utils::Format(UIT(642), {row}); }
QString ValueName(int row) { return Utils::Format(UIT(645), {row}); }
QString RowName(int row) { return Utils::Format(UIT(646), {row}); }

TestResult TestRows(const QString& dataSourceFile, const Grid& g, bool enabled)
{
    TestResult res;
    res.rows.resize(Rows);
    TzyDV dv;
    if (dv.CheckFilterDefined(enabled, IsEmpty(g) ? 0 : 1)) {
        res.undefined = true;
        res.undefinedHint = dv.MsgShort;
    }
    const QString fileLabel = UIT(600);
    const QString file = Utils::Trim(dataSourceFile);

    struct Vals {
        QString link, tf, desc, optext, value;
        int op = 0;
    };
    std::array<Vals, Rows> v;
    for (int r = 1; r <= Rows; ++r) {
        const Row& row = at(g, r);
        Vals& x = v[size_t(r - 1)];
        x.tf = Utils::AsciiUpper(Utils::Trim(row.taskFld));
        x.desc = Utils::Trim(row.desc);
        // A text pasted over a list cell that names no item is no choice.
        x.optext = operatorItem(row) > 0 ? Utils::Trim(row.op) : QString();
        x.op = TzyDSF::TextToFilterOperator(x.optext);
        x.value = Utils::Trim(row.value);
        if (r > 1)
            x.link = linkItem(row) > 0 ? Utils::AsciiUpper(Utils::Trim(row.link)) : QString();
        else
            x.link = x.tf.isEmpty() ? QString() : UIT(kLinkAndText);
        // An unknown text still counts as something typed into an empty row.
        const QString linkSeen = r > 1 && x.link.isEmpty() ? Utils::Trim(row.link) : x.link;
        const QString opSeen = x.optext.isEmpty() ? Utils::Trim(row.op) : x.optext;
        RowFlag& f = res.rows[size_t(r - 1)];
        const auto flag = [&] {
            f.flagged = true;
            f.hint = dv.MsgShort;
        };
        if (!x.tf.isEmpty() && dv.CheckTaskFieldColumn(fileLabel, file, FieldName(r), x.tf))
            flag();
        else if (x.tf.isEmpty() ? dv.CheckFilterRow(linkSeen, FieldName(r), x.tf, x.desc, opSeen, x.value)
                                : dv.CheckFilterRow(x.link, FieldName(r), x.tf, x.desc, x.optext, x.value))
            flag();
        else if (dv.CheckFilterValueForOperator(x.op, ValueName(r), x.value))
            flag();
    }

    // A later unflagged row j is compared with each earlier usable row i;
    // `check` runs a check of the pair and true flags row j.
    const auto pairPass = [&](const std::function<bool(const Vals&, int, const Vals&, int)>& check) {
        for (int i = 1; i < Rows; ++i) {
            const Vals& a = v[size_t(i - 1)];
            if (res.rows[size_t(i - 1)].flagged || dv.CheckTaskFieldColumn(fileLabel, file, FieldName(i), a.tf))
                continue;
            for (int j = i + 1; j <= Rows; ++j) {
                RowFlag& fj = res.rows[size_t(j - 1)];
                if (!fj.flagged && check(a, i, v[size_t(j - 1)], j)) {
                    fj.flagged = true;
                    fj.hint = dv.MsgShort;
                }
            }
        }
    };
    const QString andText = Utils::AsciiUpper(UIT(kLinkAndText));
    pairPass([&](const Vals& a, int i, const Vals& b, int j) {
        if (b.link != andText || b.tf != a.tf)
            return false;
        return Utils::SameText(a.value, b.value)
            ? dv.CheckFilterRowsExclusive(b.tf, RowName(j), b.optext, b.value, a.tf, RowName(i), a.optext, a.value)
            : dv.CheckFilterRowsExclusive2(b.tf, RowName(j), b.optext, b.value, a.tf, RowName(i), a.optext, a.value);
    });
    pairPass([&](const Vals& a, int i, const Vals& b, int j) {
        return dv.CheckFilterRowsDuplicate(RowName(j), b.tf, b.optext, b.value, RowName(i), a.tf, a.optext, a.value);
    });
    return res;
}

Grid FromDSF(const TzyDSF& dsf)
{
    Grid g;
    for (int i = 1; i <= dsf.Count() && i <= Rows; ++i) {
        const TzyDSFx& x = dsf.getItems(i);
        Row& r = at(g, i);
        if (i > 1) {
            r.linkIndex = x.AndFlag ? kAnd : kOr;
            r.link = UIT(x.AndFlag ? kLinkAndText : kLinkOrText);
        }
        r.taskFld = x.GetTaskFld();
        r.desc = x.GetTaskFldDesc();
        if (!TzyDSFx::IsInvalidOperator(x.FilterOperator)) {
            r.op = UIT(kFirstOperatorText + x.FilterOperator);
            r.opIndex = x.FilterOperator + 1;
        }
        r.value = x.TaskFldValue;
    }
    return g;
}

void ToDSF(Grid& g, bool enabled, TzyDSF& dsf)
{
    for (int i = dsf.Count(); i >= 1; --i)
        dsf.Delete(i);
    dsf.SetEnabled(enabled);
    for (int r = 1; r <= Rows; ++r) {
        Row& row = at(g, r);
        if (!IsComplete(g, r)) {
            row.linkIndex = -1;
            row.opIndex = -1;
            continue;
        }
        // The text decides where it no longer names the item the index
        // holds (text pasted over the cell).
        row.opIndex = operatorItem(row);
        if (r > 1)
            row.linkIndex = linkItem(row);
        const int i = dsf.Add();
        if (i == 0)
            break;
        TzyDSFx& x = dsf.getItems(i);
        x.SetAndFlag(r > 1 && row.linkIndex == kAnd);
        x.SetTaskFld(Utils::AsciiUpper(Utils::Trim(row.taskFld)));
        x.SetTaskFldDesc(Utils::Trim(row.desc));
        x.SetFilterOperator(row.opIndex - 1);
        x.SetTaskFldValue(row.value);
    }
}

} // namespace FilterRules
