// The number formats the office leaves undefined in the .xlsx files it
// writes: added where a style names them, nothing else changed; the
// template and the sample the program ships have them all.
#include "XlsxNumberFormats.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <zip.h>

namespace {

const QByteArray kHead = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                         R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";

// A zip archive holding `entries` (name, content), as the office writes one.
bool writeZip(const QString& path, const QList<QPair<QByteArray, QByteArray>>& entries)
{
    int code = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za)
        return false;
    for (const auto& [name, content] : entries) {
        zip_source_t* s = zip_source_buffer(za, content.constData(), zip_uint64_t(content.size()), 0);
        if (!s || zip_file_add(za, name.constData(), s, 0) < 0) {
            zip_discard(za);
            return false;
        }
    }
    return zip_close(za) == 0;
}

QByteArray readEntry(const QString& path, const char* name)
{
    int code = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!za)
        return {};
    QByteArray out;
    zip_stat_t st;
    if (zip_stat(za, name, 0, &st) == 0) {
        if (zip_file_t* f = zip_fopen(za, name, 0)) {
            out.resize(qsizetype(st.size));
            zip_fread(f, out.data(), st.size);
            zip_fclose(f);
        }
    }
    zip_discard(za);
    return out;
}

} // namespace

class TstXlsxNumFmts : public QObject {
    Q_OBJECT
private slots:
    void completes_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("expected");
        // The codes as the attribute holds them.
        const QByteArray f42 = "<numFmt numFmtId=\"42\" formatCode=\"_(&quot;$&quot;* #,##0_);_(&quot;$&quot;* "
                               "\\(#,##0\\);_(&quot;$&quot;* &quot;-&quot;_);_(@_)\"/>";
        const QByteArray f43 = "<numFmt numFmtId=\"43\" formatCode=\"_(* #,##0.00_);_(* \\(#,##0.00\\);"
                               "_(* &quot;-&quot;??_);_(@_)\"/>";
        QTest::newRow("added to the formats there")
            << QByteArray(R"(<numFmts count="1"><numFmt numFmtId="164" formatCode="General"/></numFmts>)"
                          R"(<cellStyleXfs count="2"><xf numFmtId="43" fontId="1"/><xf numFmtId="42" fontId="1"/></cellStyleXfs>)")
            << QByteArray(R"(<numFmts count="3">)" + f42 + f43 + R"(<numFmt numFmtId="164" formatCode="General"/></numFmts>)"
                          R"(<cellStyleXfs count="2"><xf numFmtId="43" fontId="1"/><xf numFmtId="42" fontId="1"/></cellStyleXfs>)");
        QTest::newRow("no formats element yet")
            << QByteArray(R"(<cellXfs count="1"><xf numFmtId="42"/></cellXfs>)")
            << QByteArray(R"(<numFmts count="1">)" + f42 + R"(</numFmts><cellXfs count="1"><xf numFmtId="42"/></cellXfs>)");
        QTest::newRow("an empty formats element")
            << QByteArray(R"(<numFmts count="0"/><cellXfs count="1"><xf numFmtId="43"/></cellXfs>)")
            << QByteArray(R"(<numFmts count="1">)" + f43 + R"(</numFmts><cellXfs count="1"><xf numFmtId="43"/></cellXfs>)");
        const QByteArray defined = R"(<numFmts count="1"><numFmt numFmtId="42" formatCode="0"/></numFmts>)"
                                   R"(<cellXfs count="1"><xf numFmtId="42"/></cellXfs>)";
        QTest::newRow("already defined") << defined << defined;
        // Formats every reader knows, and ids whose code nobody can tell.
        const QByteArray known = R"(<cellXfs count="3"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="99"/></cellXfs>)";
        QTest::newRow("nothing to add") << known << known;
    }
    void completes()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, expected);
        QCOMPARE(lo::completeNumberFormats(kHead + body + "</styleSheet>"), kHead + expected + "</styleSheet>");
    }

    // In a workbook file: styles.xml mended, every other entry as it was.
    void inAFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("book.xlsx");
        const QByteArray sheet = "<worksheet>\xc3\xa9</worksheet>";
        const QByteArray styles = kHead + R"(<cellXfs count="1"><xf numFmtId="41"/></cellXfs></styleSheet>)";
        QVERIFY(writeZip(path, {{"[Content_Types].xml", "<Types/>"}, {"xl/styles.xml", styles},
                                {"xl/worksheets/sheet1.xml", sheet}}));
        QString error;
        QVERIFY2(lo::completeNumberFormatsInFile(path, &error), qPrintable(error));
        QCOMPARE(readEntry(path, "xl/styles.xml"), lo::completeNumberFormats(styles));
        QVERIFY(readEntry(path, "xl/styles.xml").contains(R"(numFmtId="41" formatCode=)"));
        QCOMPARE(readEntry(path, "xl/worksheets/sheet1.xml"), sheet);
        QCOMPARE(readEntry(path, "[Content_Types].xml"), QByteArray("<Types/>"));
    }

    // The workbooks the program ships define every format their styles
    // name: nothing is left to add.
    void shippedWorkbooksAreComplete_data()
    {
        QTest::addColumn<QString>("path");
        const QString root = qEnvironmentVariable("ZOL_SOURCE_DIR");
        QVERIFY(!root.isEmpty());
        QTest::newRow("template") << root + "/resources/templates/Tarvo_ZOL_Lumo_Template.xlsx";
        QTest::newRow("sample") << root + "/resources/samples/Tarvo_ZOL_Lumo_Sample.xlsx";
    }
    void shippedWorkbooksAreComplete()
    {
        QFETCH(QString, path);
        const QByteArray styles = readEntry(path, "xl/styles.xml");
        QVERIFY2(styles.contains("<styleSheet"), qPrintable(path));
        QCOMPARE(lo::completeNumberFormats(styles), styles);
    }

    // An encrypted workbook is no zip archive: left as it is. A file that
    // claims to be one and is not is an error.
    void otherFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ole = dir.filePath("encrypted.xlsx");
        const QByteArray oleBytes("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1 and more", 20);
        {
            QFile f(ole);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(oleBytes);
        }
        QVERIFY(lo::completeNumberFormatsInFile(ole));
        QFile f(ole);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), oleBytes);

        const QString broken = dir.filePath("broken.xlsx");
        {
            QFile b(broken);
            QVERIFY(b.open(QIODevice::WriteOnly));
            b.write("PK\x03\x04 truncated");
        }
        QString error;
        QVERIFY(!lo::completeNumberFormatsInFile(broken, &error));
        QVERIFY(error.contains(broken));
        QVERIFY(!lo::completeNumberFormatsInFile(dir.filePath("missing.xlsx"), &error));
    }
};

QTEST_GUILESS_MAIN(TstXlsxNumFmts)
#include "tst_xlsx_numfmts.moc"
