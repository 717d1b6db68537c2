// Clearing the old per-day block of a template: one request for the whole
// block must leave exactly what an empty text, black font and white fill
// written cell by cell leave, and must take seconds however tall the block.
#include "LoBackend.h"
#include "LoOffice.h"
#include "LoText.h"
#include "LoUno.h"
#include "lo_fixtures.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSheetAnnotationsSupplier.hpp>
#include <com/sun/star/sheet/XSheetAnnotationAnchor.hpp>
#include <com/sun/star/table/CellAddress.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr const char* kSheet = "Chart Data";

Reference<table::XCell> cellAt(const Reference<sheet::XSpreadsheet>& s, int col, int row)
{
    return s->getCellByPosition(col - 1, row - 1);
}

QString a1(int col, int row)
{
    return lo::columnLetters(col) + QString::number(row);
}

// Everything a user sees of one cell, as text.
QString look(const Reference<sheet::XSpreadsheet>& s, int col, int row)
{
    auto c = cellAt(s, col, row);
    Reference<beans::XPropertySet> p(c, UNO_QUERY_THROW);
    auto num = [&](const char* name) {
        sal_Int32 v = 0;
        p->getPropertyValue(OUString::createFromAscii(name)) >>= v;
        return QString::number(v);
    };
    float weight = 0;
    p->getPropertyValue("CharWeight") >>= weight;
    bool transparent = false;
    p->getPropertyValue("IsCellBackgroundTransparent") >>= transparent;
    const QString note = lo::toQ(Reference<text::XTextRange>(
                                     Reference<sheet::XSheetAnnotationAnchor>(c, UNO_QUERY_THROW)->getAnnotation(),
                                     UNO_QUERY_THROW)
                                     ->getString());
    return QStringList{QString::number(int(c->getType())), lo::toQ(c->getFormula()),
                       lo::toQ(Reference<text::XTextRange>(c, UNO_QUERY_THROW)->getString()),
                       num("CharColor"), num("CellBackColor"), transparent ? "clear" : "filled",
                       num("NumberFormat"), QString::number(weight), note}
        .join(u'|');
}

} // namespace

class TstLoClear : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_backend = std::make_unique<lo::Backend>();
        m_backend->start();
    }
    void cleanupTestCase()
    {
        m_backend->quit();
        m_backend.reset();
    }

    // Numbers, dates, texts, a multi-line text, formulas, a note, bold and
    // coloured cells, inside and around the block A8:H20.
    void sameAsCellByCell()
    {
        const QString source = m_tmp.filePath("mixed.xlsx");
        {
            lo::NewWorkbook book(desktop());
            auto s = book.addSheet(kSheet);
            const sal_Int32 date = book.format("DD-MMM-YYYY");
            const sal_Int32 pct = book.format("0.00%");
            for (int row = 6; row <= 22; ++row) {
                for (int col = 1; col <= 10; ++col) {
                    auto c = cellAt(s, col, row);
                    Reference<beans::XPropertySet> p(c, UNO_QUERY_THROW);
                    switch ((row * 7 + col) % 8) {
                    case 0: c->setValue(row * 100 + col); break;
                    case 1:
                        c->setValue(45000 + row);
                        p->setPropertyValue("NumberFormat", Any(date));
                        break;
                    case 2: Reference<text::XTextRange>(c, UNO_QUERY_THROW)->setString(lo::toOU(a1(col, row))); break;
                    case 3: Reference<text::XTextRange>(c, UNO_QUERY_THROW)->setString("two\nlines"); break;
                    case 4: c->setFormula("=1+2"); break;
                    case 5: c->setFormula("=\"\""); break;
                    case 6:
                        c->setValue(0.25);
                        p->setPropertyValue("NumberFormat", Any(pct));
                        p->setPropertyValue("CharWeight", Any(float(150)));
                        break;
                    default: break; // formats only
                    }
                    if (col % 3 == 0)
                        p->setPropertyValue("CellBackColor", Any(sal_Int32(0x00FF00)));
                    if (row % 4 == 0)
                        p->setPropertyValue("CharColor", Any(sal_Int32(0x0000FF)));
                }
            }
            Reference<sheet::XSheetAnnotationsSupplier>(s, UNO_QUERY_THROW)
                ->getAnnotations()
                ->insertNew(table::CellAddress(0, 2, 9), "a note");
            lo::storeTo(book.doc, source, lo::kXlsxFilter);
        }

        const QString byCell = m_tmp.filePath("by-cell.xlsx");
        const QString byRange = m_tmp.filePath("by-range.xlsx");
        open(source);
        for (int row = 8; row <= 20; ++row) {
            for (int col = 1; col <= 8; ++col) {
                m_backend->writeCellText(a1(col, row), QString());
                m_backend->setFontColor(a1(col, row), 0);
                m_backend->setInteriorColor(a1(col, row), 0xFFFFFF);
            }
        }
        m_backend->saveAs(byCell, XLSaveFormat::Xlsx);
        m_backend->closeWorkbook(false);
        open(source);
        m_backend->clearContents("A8:H20");
        m_backend->setFontColor("A8:H20", 0);
        m_backend->setInteriorColor("A8:H20", 0xFFFFFF);
        m_backend->saveAs(byRange, XLSaveFormat::Xlsx);
        m_backend->closeWorkbook(false);

        auto one = lofix::load(desktop(), byCell);
        auto two = lofix::load(desktop(), byRange);
        auto orig = lofix::load(desktop(), source);
        auto s1 = lofix::sheet(one, kSheet), s2 = lofix::sheet(two, kSheet), s0 = lofix::sheet(orig, kSheet);
        int changed = 0;
        for (int row = 6; row <= 22; ++row) {
            for (int col = 1; col <= 10; ++col) {
                const QString where = a1(col, row);
                QCOMPARE(look(s2, col, row) + ' ' + where, look(s1, col, row) + ' ' + where);
                changed += look(s0, col, row) != look(s1, col, row);
            }
        }
        QVERIFY(changed >= 8 * 13 / 2); // the fixture does show the clear
        lofix::close(one);
        lofix::close(two);
        lofix::close(orig);
    }

    // A used range 20,000 rows tall, every cell of the block filled.
    void tallBlockInSeconds()
    {
        constexpr int kLast = 20007;
        const QString source = m_tmp.filePath("tall.xlsx");
        {
            lo::NewWorkbook book(desktop());
            auto s = book.addSheet(kSheet);
            const Sequence<Any> row(std::vector<Any>(37, Any(3.5)).data(), 37);
            lofix::fillRows(s, "A8", kLast - 7, [&](int) { return row; });
            Reference<beans::XPropertySet>(s->getCellRangeByName("A8:AK9000"), UNO_QUERY_THROW)
                ->setPropertyValue("CellBackColor", Any(sal_Int32(0xFF0000)));
            lo::storeTo(book.doc, source, lo::kXlsxFilter);
        }
        open(source);

        // Cell by cell, as before: a sample of 20 rows, scaled to the block.
        QElapsedTimer t;
        t.start();
        for (int row = 8; row < 28; ++row) {
            for (int col = 1; col <= 37; ++col) {
                m_backend->writeCellText(a1(col, row), QString());
                m_backend->setFontColor(a1(col, row), 0);
                m_backend->setInteriorColor(a1(col, row), 0xFFFFFF);
            }
        }
        const double perRow = t.elapsed() / 20.0;

        const QString block = "A8:AK" + QString::number(kLast);
        t.restart();
        m_backend->clearContents(block);
        m_backend->setFontColor(block, 0);
        m_backend->setInteriorColor(block, 0xFFFFFF);
        const qint64 once = t.elapsed();
        qInfo("clearing %d rows: cell by cell about %.0f s, as one block %lld ms", kLast - 7,
              perRow * (kLast - 7) / 1000.0, once);
        QVERIFY2(once < 20000, qPrintable(QString::number(once)));

        const QString out = m_tmp.filePath("tall-cleared.xlsx");
        m_backend->saveAs(out, XLSaveFormat::Xlsx);
        m_backend->closeWorkbook(false);
        auto doc = lofix::load(desktop(), out);
        auto s = lofix::sheet(doc, kSheet);
        const auto data =
            Reference<sheet::XCellRangeData>(s->getCellRangeByName(lo::toOU(block)), UNO_QUERY_THROW)->getDataArray();
        for (const auto& r : data)
            for (const Any& v : r) {
                OUString text;
                QVERIFY((v >>= text) && text.isEmpty());
            }
        // (The saved file keeps the formats of the rows that stay in use.)
        QCOMPARE(lofix::cellInt(s, "AK8", "CellBackColor"), 0xFFFFFF);
        QCOMPARE(lofix::cellInt(s, "AK8", "CharColor"), 0);
        lofix::close(doc);
    }

private:
    Reference<frame::XDesktop2> desktop() { return m_backend->server()->desktop(); }
    void open(const QString& path)
    {
        m_backend->openWorkbook(path, QString(), QString(), true);
        m_backend->usedRange(kSheet);
    }

    std::unique_ptr<lo::Backend> m_backend;
    QTemporaryDir m_tmp;
};

QTEST_GUILESS_MAIN(TstLoClear)
#include "tst_lo_clear.moc"
