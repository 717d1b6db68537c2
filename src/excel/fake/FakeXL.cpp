#include "FakeXL.h"

#include "Utils.h"
#include "zyXL.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kRows = 1048576;
constexpr int kCols = 16384;

[[noreturn]] void badRange()
{
    throw XLError(XLErrorKind::BadRange, kXLBadRangeText);
}

[[noreturn]] void other(const QString& message)
{
    throw XLError(XLErrorKind::Other, message);
}

QString cellArg(const XLCell& c)
{
    switch (c.kind) {
    case XLCell::Number: return QString::number(c.number, 'g', 15);
    case XLCell::Text: return QLatin1Char('"') + c.text + QLatin1Char('"');
    case XLCell::Error: return QLatin1Char('!') + c.text;
    case XLCell::Empty: break;
    }
    return QString();
}

QString formatArg(XLSaveFormat f)
{
    switch (f) {
    case XLSaveFormat::Xls: return QStringLiteral("xls");
    case XLSaveFormat::Xlsx: return QStringLiteral("xlsx");
    case XLSaveFormat::KeepOwn: break;
    }
    return QStringLiteral("own");
}

template <class Map>
Map shifted(const Map& m, int firstRow, int count, bool remove)
{
    Map out;
    for (auto it = m.cbegin(); it != m.cend(); ++it) {
        int row = it.key().first;
        if (remove) {
            if (row >= firstRow && row < firstRow + count)
                continue;
            if (row >= firstRow + count)
                row -= count;
        } else if (row >= firstRow) {
            row += count;
        }
        if (row <= kRows)
            out.insert({row, it.key().second}, it.value());
    }
    return out;
}

} // namespace

// ---- sheet ---------------------------------------------------------------------

FakeSheet& FakeSheet::set(const QString& a1, const XLCell& value)
{
    const auto at = FakeOffice::cellAt(a1);
    if (value.kind == XLCell::Empty)
        values.remove(at);
    else
        values.insert(at, value);
    texts.remove(at);
    return *this;
}

FakeSheet& FakeSheet::num(const QString& a1, double value) { return set(a1, XLCell::fromNumber(value)); }
FakeSheet& FakeSheet::text(const QString& a1, const QString& value) { return set(a1, XLCell::fromText(value)); }
FakeSheet& FakeSheet::error(const QString& a1, const QString& shownText)
{
    return set(a1, XLCell::fromError(shownText));
}

FakeSheet& FakeSheet::shown(const QString& a1, const QString& displayed)
{
    texts.insert(FakeOffice::cellAt(a1), displayed);
    return *this;
}

FakeSheet& FakeSheet::column(const QString& col, int firstRow, const QStringList& cells)
{
    for (int i = 0; i < cells.size(); ++i) {
        const QString a1 = col + QString::number(firstRow + i);
        if (cells[i].isEmpty())
            set(a1, XLCell::empty());
        else
            text(a1, cells[i]);
    }
    return *this;
}

FakeSheet& FakeSheet::hideRow(int row)
{
    hiddenRows.insert(row);
    return *this;
}

FakeSheet& FakeSheet::hideCol(int col)
{
    hiddenCols.insert(col);
    return *this;
}

XLCell FakeSheet::value(const QString& a1) const
{
    return values.value(FakeOffice::cellAt(a1));
}

XLCell FakeSheet::value(int row, int col) const
{
    return values.value({row, col});
}

QString FakeSheet::display(int row, int col) const
{
    const auto at = qMakePair(row, col);
    if (texts.contains(at))
        return texts.value(at);
    const XLCell c = values.value(at);
    switch (c.kind) {
    case XLCell::Number: return QString::number(c.number, 'g', 15);
    case XLCell::Text:
    case XLCell::Error: return c.text;
    case XLCell::Empty: break;
    }
    return QString();
}

QString FakeSheet::display(const QString& a1) const
{
    const auto at = FakeOffice::cellAt(a1);
    return display(at.first, at.second);
}

XLUsedRange FakeSheet::usedRange() const
{
    int r0 = std::numeric_limits<int>::max(), c0 = r0, r1 = 0, c1 = 0;
    auto take = [&](const QPair<int, int>& k) {
        r0 = std::min(r0, k.first);
        c0 = std::min(c0, k.second);
        r1 = std::max(r1, k.first);
        c1 = std::max(c1, k.second);
    };
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        take(it.key());
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        take(it.key());
    if (r1 == 0)
        return {};
    return {r0, c0, r1 - r0 + 1, c1 - c0 + 1};
}

void FakeSheet::insertRows(int firstRow, int count)
{
    values = shifted(values, firstRow, count, false);
    texts = shifted(texts, firstRow, count, false);
    QSet<int> rows;
    for (int r : std::as_const(hiddenRows))
        rows.insert(r >= firstRow ? r + count : r);
    hiddenRows = rows;
}

void FakeSheet::deleteRows(int firstRow, int count)
{
    values = shifted(values, firstRow, count, true);
    texts = shifted(texts, firstRow, count, true);
    QSet<int> rows;
    for (int r : std::as_const(hiddenRows)) {
        if (r < firstRow)
            rows.insert(r);
        else if (r >= firstRow + count)
            rows.insert(r - count);
    }
    hiddenRows = rows;
}

// ---- workbook -----------------------------------------------------------------

FakeSheet& FakeWorkbook::addSheet(const QString& name)
{
    sheets.push_back(FakeSheet(name));
    return sheets.back();
}

FakeSheet* FakeWorkbook::sheet(const QString& name)
{
    for (FakeSheet& s : sheets) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

// ---- office -------------------------------------------------------------------

FakeWorkbook& FakeOffice::addWorkbook(const QString& fileName, const QString& password)
{
    FakeWorkbook wb;
    wb.password = password;
    wb.format = Utils::AsciiLower(Utils::GetFileExt(fileName, false));
    files.insert(fileName, wb);
    return files[fileName];
}

int FakeOffice::count(const QString& op) const
{
    return int(callNames().count(op));
}

QStringList FakeOffice::callNames() const
{
    QStringList out;
    for (const QString& c : calls)
        out << c.section(QLatin1Char('('), 0, 0);
    return out;
}

void FakeOffice::fail(const QString& op, XLErrorKind kind, const QString& message, int times)
{
    QString text = message;
    if (text.isNull()) {
        text = kind == XLErrorKind::Busy       ? kXLBusyText
            : kind == XLErrorKind::BadRange ? kXLBadRangeText
                                             : QStringLiteral("Injected failure of %1").arg(op);
    }
    m_failures.insert(op, {kind, text, times});
}

void FakeOffice::busy(const QString& op, int times)
{
    fail(op, XLErrorKind::Busy, QString(), times);
}

void FakeOffice::enter(const QString& op, const QStringList& args)
{
    calls << op + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
    auto it = m_failures.find(op);
    if (it == m_failures.end() || it->times == 0)
        return;
    const Failure f = *it;
    if (it->times > 0)
        --it->times;
    throw XLError(f.kind, f.message);
}

FakeWorkbook* FakeOffice::workbook()
{
    if (openFile.isEmpty() || !files.contains(openFile))
        return nullptr;
    return &files[openFile];
}

FakeSheet* FakeOffice::sheet()
{
    FakeWorkbook* wb = workbook();
    if (!wb || selectedSheet < 1 || selectedSheet > int(wb->sheets.size()))
        return nullptr;
    return &wb->sheets[selectedSheet - 1];
}

QPair<int, int> FakeOffice::cellAt(const QString& a1)
{
    qsizetype i = 0;
    while (i < a1.size() && a1[i].isLetter() && a1[i].unicode() < 128)
        ++i;
    const int col = TzyXL::ColLettersToColNo(a1.left(i), kCols);
    bool ok = false;
    const QString digits = a1.mid(i);
    const int row = digits.toInt(&ok);
    if (col == 0 || !ok || digits.isEmpty() || !digits[0].isDigit() || row < 1 || row > kRows)
        badRange();
    return {row, col};
}

QPair<QPair<int, int>, QPair<int, int>> FakeOffice::rangeAt(const QString& address)
{
    const QStringList corners = address.split(QLatin1Char(':'));
    if (corners.size() > 2)
        badRange();
    const auto first = cellAt(corners.first());
    const auto last = cellAt(corners.last());
    if (last.first < first.first || last.second < first.second)
        badRange();
    return {first, last};
}

// ---- backend --------------------------------------------------------------------

namespace {

class FakeBackend : public XLBackend {
public:
    explicit FakeBackend(std::shared_ptr<FakeOffice> office) : o(std::move(office)) { ++o->backendsAlive; }
    ~FakeBackend() override
    {
        o->running = false;
        o->openFile.clear();
        o->selectedSheet = 0;
        --o->backendsAlive;
    }

    void start() override
    {
        o->enter(QStringLiteral("start"), {});
        o->running = true;
        ++o->starts;
        o->openFile.clear();
        o->selectedSheet = 0;
    }

    void quit() override
    {
        o->enter(QStringLiteral("quit"), {});
        o->running = false;
        o->openFile.clear();
        o->selectedSheet = 0;
    }

    void openWorkbook(const QString& fileName, const QString& password, const QString& writeResPassword,
                      bool readOnly) override
    {
        o->enter(QStringLiteral("openWorkbook"),
                 {fileName, password, writeResPassword, readOnly ? QStringLiteral("ro") : QStringLiteral("rw")});
        if (!o->running)
            other(QStringLiteral("No spreadsheet server is running."));
        if (!o->files.contains(fileName))
            other(QStringLiteral("The file could not be opened: %1").arg(fileName));
        const FakeWorkbook& wb = o->files[fileName];
        if (!wb.password.isEmpty() && wb.password != password)
            other(QStringLiteral("The password is incorrect. The file could not be opened."));
        if (o->refuseXlsx && wb.format == QLatin1String("xlsx"))
            other(QStringLiteral("This file format is not supported."));
        o->openFile = fileName;
        o->selectedSheet = 0;
    }

    QStringList worksheetNames() override
    {
        o->enter(QStringLiteral("worksheetNames"), {});
        QStringList names;
        for (const FakeSheet& s : book()->sheets)
            names << s.name;
        return names;
    }

    void selectWorksheet(int index) override
    {
        o->enter(QStringLiteral("selectWorksheet"), {QString::number(index)});
        if (index < 1 || index > int(book()->sheets.size()))
            other(QStringLiteral("No worksheet %1.").arg(index));
        o->selectedSheet = index;
    }

    XLUsedRange usedRange(const QString& wsName) override
    {
        o->enter(QStringLiteral("usedRange"), {wsName});
        FakeWorkbook* wb = book();
        for (int i = 0; i < int(wb->sheets.size()); ++i) {
            FakeSheet& s = wb->sheets[i];
            if (s.name.compare(wsName, Qt::CaseInsensitive) == 0) {
                o->selectedSheet = i + 1;
                s.autoFilter = false;
                if (!s.frozen)
                    s.split = false;
                return s.usedRange();
            }
        }
        other(QStringLiteral("No worksheet named %1.").arg(wsName));
    }

    void saveAs(const QString& fileName, XLSaveFormat format) override
    {
        o->enter(QStringLiteral("saveAs"), {fileName, formatArg(format)});
        FakeWorkbook copy = *book();
        if (format == XLSaveFormat::Xls)
            copy.format = QStringLiteral("xls");
        else if (format == XLSaveFormat::Xlsx)
            copy.format = QStringLiteral("xlsx");
        const int selected = o->selectedSheet;
        o->files.insert(fileName, copy);
        o->openFile = fileName;
        o->selectedSheet = selected;
    }

    void closeWorkbook(bool saveChanges) override
    {
        o->enter(QStringLiteral("closeWorkbook"), {saveChanges ? QStringLiteral("save") : QStringLiteral("nosave")});
        book();
        o->openFile.clear();
        o->selectedSheet = 0;
    }

    void unhideAllColumns(int colCount) override
    {
        o->enter(QStringLiteral("unhideAllColumns"), {QString::number(colCount)});
        FakeSheet* s = ws();
        s->hiddenCols.removeIf([&](int c) { return c <= colCount; });
    }

    void unhideAllRows(int rowCount) override
    {
        o->enter(QStringLiteral("unhideAllRows"), {QString::number(rowCount)});
        FakeSheet* s = ws();
        s->hiddenRows.removeIf([&](int r) { return r <= rowCount; });
    }

    XLColumn readRawColumn(const QString& column, int firstRow, int lastRow) override
    {
        o->enter(QStringLiteral("readRawColumn"), {column, QString::number(firstRow), QString::number(lastRow)});
        const int col = checkedColumn(column, firstRow, lastRow);
        FakeSheet* s = ws();
        XLColumn out;
        for (int r = firstRow; r <= lastRow; ++r) {
            XLCell c = s->value(r, col);
            if (c.kind == XLCell::Error)
                c.text = s->display(r, col);
            out << c;
        }
        return out;
    }

    QStringList readDisplayColumn(const QString& column, int firstRow, int lastRow) override
    {
        o->enter(QStringLiteral("readDisplayColumn"),
                 {column, QString::number(firstRow), QString::number(lastRow)});
        const int col = checkedColumn(column, firstRow, lastRow);
        FakeSheet* s = ws();
        QStringList out;
        for (int r = firstRow; r <= lastRow; ++r)
            out << s->display(r, col);
        return out;
    }

    XLHeaderField readHeaderField(int headerRow, int col, int valueCount) override
    {
        o->enter(QStringLiteral("readHeaderField"),
                 {QString::number(headerRow), QString::number(col), QString::number(valueCount)});
        if (col < 1 || col > kCols || headerRow < 1 || headerRow + valueCount > kRows)
            badRange();
        FakeSheet* s = ws();
        XLHeaderField f;
        f.description = s->display(headerRow, col);
        for (int j = 1; j <= valueCount; ++j)
            f.values << s->display(headerRow + j, col);
        return f;
    }

    void deleteRows(int firstRow, int lastRow) override
    {
        o->enter(QStringLiteral("deleteRows"), {QString::number(firstRow), QString::number(lastRow)});
        checkedRows(firstRow, lastRow);
        ws()->deleteRows(firstRow, lastRow - firstRow + 1);
    }

    void insertRows(int firstRow, int lastRow) override
    {
        o->enter(QStringLiteral("insertRows"), {QString::number(firstRow), QString::number(lastRow)});
        checkedRows(firstRow, lastRow);
        FakeSheet* s = ws();
        s->insertRows(firstRow, lastRow - firstRow + 1);
        s->selection = QStringLiteral("A%1").arg(firstRow);
    }

    void selectRange(const QString& address) override
    {
        o->enter(QStringLiteral("selectRange"), {address});
        FakeOffice::cellAt(address);
        ws()->selection = Utils::AsciiUpper(address);
    }

    void writeColumn(const QString& column, int firstRow, int lastRow, const XLColumn& values) override
    {
        QStringList args{column, QString::number(firstRow), QString::number(lastRow)};
        for (const XLCell& c : values)
            args << cellArg(c);
        o->enter(QStringLiteral("writeColumn"), args);
        checkedColumn(column, firstRow, lastRow);
        if (values.size() != lastRow - firstRow + 1)
            other(QStringLiteral("Wrong number of values."));
        FakeSheet* s = ws();
        for (int i = 0; i < values.size(); ++i)
            s->set(column + QString::number(firstRow + i), values[i]);
    }

    void writeCellText(const QString& cell, const QString& text) override
    {
        o->enter(QStringLiteral("writeCellText"), {cell, text});
        FakeOffice::cellAt(cell);
        ws()->text(cell, text);
    }

    void writeCellNumber(const QString& cell, double value) override
    {
        o->enter(QStringLiteral("writeCellNumber"), {cell, QString::number(value, 'g', 15)});
        FakeOffice::cellAt(cell);
        ws()->num(cell, value);
    }

    void clearContents(const QString& range) override
    {
        o->enter(QStringLiteral("clearContents"), {range});
        const auto [first, last] = FakeOffice::rangeAt(range);
        FakeSheet* s = ws();
        const auto inside = [&](const QPair<int, int>& at) {
            return at.first >= first.first && at.first <= last.first && at.second >= first.second
                && at.second <= last.second;
        };
        s->values.removeIf([&](auto it) { return inside(it.key()); });
        s->texts.removeIf([&](auto it) { return inside(it.key()); });
    }

    void setFontColor(const QString& cell, int color) override
    {
        o->enter(QStringLiteral("setFontColor"), {cell, QString::number(color)});
        FakeOffice::rangeAt(cell);
        ws()->fontColors.insert(Utils::AsciiUpper(cell), color);
    }

    void setInteriorColor(const QString& cell, int color) override
    {
        o->enter(QStringLiteral("setInteriorColor"), {cell, QString::number(color)});
        FakeOffice::rangeAt(cell);
        ws()->interiorColors.insert(Utils::AsciiUpper(cell), color);
    }

private:
    FakeWorkbook* book()
    {
        FakeWorkbook* wb = o->running ? o->workbook() : nullptr;
        if (!wb)
            other(QStringLiteral("No workbook is open."));
        return wb;
    }

    FakeSheet* ws()
    {
        book();
        FakeSheet* s = o->sheet();
        if (!s)
            other(QStringLiteral("No worksheet is selected."));
        return s;
    }

    static void checkedRows(int firstRow, int lastRow)
    {
        if (firstRow < 1 || lastRow < firstRow || lastRow > kRows)
            badRange();
    }

    static int checkedColumn(const QString& column, int firstRow, int lastRow)
    {
        const int col = TzyXL::ColLettersToColNo(column, kCols);
        if (col == 0)
            badRange();
        checkedRows(firstRow, lastRow);
        return col;
    }

    std::shared_ptr<FakeOffice> o;
};

} // namespace

std::unique_ptr<XLBackend> FakeOffice::makeBackend()
{
    return std::make_unique<FakeBackend>(shared_from_this());
}

XLBackendFactory FakeOffice::factory()
{
    std::weak_ptr<FakeOffice> self = weak_from_this();
    return [self](int verCode) -> std::unique_ptr<XLBackend> {
        auto office = self.lock();
        if (!office)
            return nullptr;
        office->createdForCodes << verCode;
        return office->makeBackend();
    };
}
