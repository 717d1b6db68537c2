// The three documents the Help menu opens exist where the application data
// says, open as PDFs and carry their titles.
#include "zyAD.h"
#include "zyUIL.h"

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

class TestHelpDocs : public QObject {
    Q_OBJECT

    // pdfinfo's "Key: value" lines.
    static QMap<QString, QString> pdfInfo(const QString& file, int* exitCode)
    {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {file});
        const bool finished = p.waitForFinished(60000);
        *exitCode = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        QMap<QString, QString> info;
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const int colon = line.indexOf(QLatin1Char(':'));
            if (colon > 0)
                info.insert(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
        }
        return info;
    }

private slots:
    void initTestCase()
    {
        InitUILs();
        AD = std::make_unique<TzyAD>();
    }

    void document_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("minPages");
        QTest::newRow("tutorial") << AD->getTutorialFile() << QStringLiteral("Tutorial")
                                  << QStringLiteral("Tarvo ZOL Lumo Tutorial") << 3;
        QTest::newRow("user manual") << AD->getUserManualFile() << QStringLiteral("User_Manual")
                                     << QStringLiteral("Tarvo ZOL Lumo User Manual") << 6;
        QTest::newRow("white paper") << AD->getWhitePaperFile() << QStringLiteral("White_Paper")
                                     << QStringLiteral("Tarvo ZOL Lumo White Paper: S Curves from a Task Schedule") << 3;
    }

    void document()
    {
        QFETCH(QString, file);
        QFETCH(QString, folder);
        QFETCH(QString, title);
        QFETCH(int, minPages);

        const QFileInfo fi(file);
        QVERIFY2(fi.exists(), qPrintable(file));
        QCOMPARE(fi.dir().dirName(), folder);
        QCOMPARE(QFileInfo(fi.dir().absolutePath()).dir().absolutePath(),
                 QFileInfo(TzyAD::GetDocumentFolder()).absoluteFilePath().chopped(1));

        int rc = 0;
        const auto info = pdfInfo(file, &rc);
        QCOMPARE(rc, 0);
        QCOMPARE(info.value(QStringLiteral("Title")), title);
        QVERIFY(info.value(QStringLiteral("Pages")).toInt() >= minPages);
        QCOMPARE(info.value(QStringLiteral("Author")), QStringLiteral("Kelvane"));
    }
};

QTEST_GUILESS_MAIN(TestHelpDocs)
#include "tst_help_docs.moc"
