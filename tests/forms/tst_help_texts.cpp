// The Help documents quote the program as it is: every text they put in
// double quotes, every message they list, every menu path and every Alt key
// they name is marked with the id of its text (<span data-uit="N">), and the
// marked text is the text table's, its placeholders either kept or filled
// in and its accelerator's "&" dropped.
#include "zyUIL.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString sourceDir()
{
    const QByteArray root = qgetenv("ZOL_SOURCE_DIR");
    return root.isEmpty() ? QFINDTESTDATA("../..") : QString::fromLocal8Bit(root);
}

QString readDocument(const QString& name)
{
    QFile f(sourceDir() + QStringLiteral("/resources/docs/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(f.fileName()));
    return QString::fromUtf8(f.readAll());
}

// The text a reader sees: tags dropped, entities resolved, blanks folded.
QString plain(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&minus;", "\u2212"},
        {"&ldquo;", "\u201C"}, {"&rdquo;", "\u201D"}, {"&amp;", "&"}};
    for (const auto& [entity, text] : entities)
        html.replace(QLatin1String(entity), QString::fromUtf8(text));
    return html.simplified();
}

// A caption as shown: "&&" is an ampersand, a single "&" marks the
// accelerator and is not shown.
QString withoutAccelerator(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
                out += text.at(++i);
            continue;
        }
        out += text.at(i);
    }
    return out;
}

QChar accelerator(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return text.at(i + 1).toUpper();
        ++i;
    }
    return {};
}

// The table's text as a pattern: each placeholder (%s, %d, %n, %0:s) either
// stays as written or stands for what it was filled with.
QRegularExpression tablePattern(const QString& tableText)
{
    static const QRegularExpression placeholder(QStringLiteral("%(%|\\d+:[sdn]|[sdn])"));
    const QString text = withoutAccelerator(tableText).simplified();
    QString pattern;
    qsizetype at = 0;
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        pattern += QRegularExpression::escape(text.mid(at, m.capturedStart() - at));
        if (m.captured(1) == QLatin1String("%"))
            pattern += QStringLiteral("%");
        else
            pattern += QStringLiteral("(?:") + QRegularExpression::escape(m.captured()) + QStringLiteral("|.+?)");
        at = m.capturedEnd();
    }
    pattern += QRegularExpression::escape(text.mid(at));
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
}

struct Mark {
    int id;
    QString text;  // as the reader sees it
    qsizetype end; // just after the span
};

QList<Mark> marks(const QString& html)
{
    static const QRegularExpression span(QStringLiteral(R"re(<span data-uit="(\d+)">(.*?)</span>)re"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QList<Mark> out;
    for (auto it = span.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out.append({m.captured(1).toInt(), plain(m.captured(2)), m.capturedEnd()});
    }
    return out;
}

const char* const kDocuments[] = {"Tarvo_ZOL_Lumo_User_Manual.html", "Tarvo_ZOL_Lumo_Tutorial.html"};

} // namespace

class TestHelpTexts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitUILs(); }
    void cleanupTestCase() { FreeUILs(); }

    // The matching itself: kept and filled placeholders, accelerators,
    // and a text that differs.
    void patternMatches_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("matches");
        QTest::newRow("kept") << "The %s is undefined." << "The %s is undefined." << true;
        QTest::newRow("filled") << "Do you wish to exit %s?" << "Do you wish to exit Tarvo ZOL Lumo?" << true;
        QTest::newRow("number") << "Task Field Descriptions Updated: %d" << "Task Field Descriptions Updated: 9" << true;
        QTest::newRow("indexed") << "Excel Files (*.%s; *.%s)|*.%0:s; *.%1:s" << "Excel Files (*.xls; *.xlsx)|*.xls; *.xlsx"
                                 << true;
        QTest::newRow("percent") << "Baseline %%" << "Baseline %" << true;
        QTest::newRow("accelerator") << "Copy To Clip&board" << "Copy To Clipboard" << true;
        QTest::newRow("ampersand") << "Save && Close" << "Save & Close" << true;
        QTest::newRow("other words") << "The %s does not exist." << "The %s cannot be found." << false;
        QTest::newRow("a word more") << "The %s is undefined." << "The %s is undefined here." << false;
        QTest::newRow("empty fill") << "Do you wish to exit %s?" << "Do you wish to exit ?" << false;
    }
    void patternMatches()
    {
        QFETCH(QString, table);
        QFETCH(QString, shown);
        QFETCH(bool, matches);
        const QRegularExpression re = tablePattern(table);
        QVERIFY2(re.isValid(), qPrintable(re.errorString()));
        QCOMPARE(re.match(shown).hasMatch(), matches);
        QCOMPARE(accelerator(QStringLiteral("Copy To Clip&board")), QChar(u'B'));
        QCOMPARE(accelerator(QStringLiteral("Save && Close")), QChar());
    }

    void document_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* d : kDocuments)
            QTest::newRow(d) << QString::fromLatin1(d);
    }

    // Every marked text is its id's text.
    void markedTextsAreTheTablesTexts_data() { document_data(); }
    void markedTextsAreTheTablesTexts()
    {
        QFETCH(QString, name);
        const QList<Mark> found = marks(readDocument(name));
        QVERIFY(found.size() > 10);
        QStringList wrong;
        for (const Mark& m : found) {
            const QString table = UIT(m.id);
            if (table.isEmpty() || !tablePattern(table).match(m.text).hasMatch())
                wrong << QStringLiteral("%1: \"%2\" is \"%3\" in the table").arg(m.id).arg(m.text, table);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    // Double quotes hold the program's texts only, and each is marked.
    void quotedTextsAreMarked_data() { document_data(); }
    void quotedTextsAreMarked()
    {
        QFETCH(QString, name);
        QString html = readDocument(name);
        const qsizetype body = html.indexOf(QLatin1String("<body>"));
        QVERIFY(body > 0);
        html = html.mid(body);
        html.replace(QRegularExpression(QStringLiteral(R"re("<span data-uit="\d+">.*?</span>")re"),
                                        QRegularExpression::DotMatchesEverythingOption),
                     QStringLiteral("[marked]"));
        const QString text = plain(html);
        QStringList unmarked;
        for (qsizetype at = text.indexOf(QLatin1Char('"')); at >= 0; at = text.indexOf(QLatin1Char('"'), at + 1))
            unmarked << text.mid(std::max<qsizetype>(0, at - 40), 80);
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(QLatin1Char('\n'))));
    }

    // The message tables of the manual list marked texts and nothing else,
    // so each message they list is checked above.
    void messageTablesListMarkedTexts()
    {
        const QString html = readDocument(QStringLiteral("Tarvo_ZOL_Lumo_User_Manual.html"));
        const qsizetype messages = html.indexOf(QLatin1String("<h2>15."));
        QVERIFY(messages > 0);
        static const QRegularExpression firstCell(QStringLiteral("<tr><td>(.*?)</td>"),
                                                  QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression span(QStringLiteral(R"re(<span data-uit="\d+">.*?</span>)re"),
                                             QRegularExpression::DotMatchesEverythingOption);
        int rows = 0;
        QStringList loose;
        for (auto it = firstCell.globalMatch(html, messages); it.hasNext();) {
            QString cell = it.next().captured(1);
            ++rows;
            const bool anyMark = span.match(cell).hasMatch();
            cell.remove(span);
            const QString rest = plain(cell).remove(QLatin1Char('/')).trimmed();
            if (!anyMark || !rest.isEmpty())
                loose << plain(cell);
        }
        QVERIFY(rows > 40);
        QVERIFY2(loose.isEmpty(), qPrintable(loose.join(QLatin1Char('\n'))));
    }

    // An Alt key follows the caption it belongs to, and is that caption's
    // accelerator.
    void altKeysAreTheCaptionsAccelerators_data() { document_data(); }
    void altKeysAreTheCaptionsAccelerators()
    {
        QFETCH(QString, name);
        const QString html = readDocument(name);
        const QList<Mark> found = marks(html);
        static const QRegularExpression altKey(QStringLiteral(R"(Alt\+([A-Z])\b)"));
        static const QRegularExpression between(QStringLiteral(R"(^\((Esc or)?$)"));
        QStringList wrong;
        for (auto it = altKey.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            const Mark* caption = nullptr;
            for (const Mark& k : found)
                if (k.end <= m.capturedStart())
                    caption = &k;
            const QString gap = caption ? plain(html.mid(caption->end, m.capturedStart() - caption->end)) : QString();
            const QString where = html.mid(std::max<qsizetype>(0, m.capturedStart() - 60), 70).simplified();
            if (!caption || !between.match(gap).hasMatch())
                wrong << QStringLiteral("%1 follows no caption: ...%2").arg(m.captured(), where);
            else if (accelerator(UIT(caption->id)) != m.captured(1).at(0))
                wrong << QStringLiteral("%1 is not the key of %2 \"%3\"").arg(m.captured()).arg(caption->id).arg(UIT(caption->id));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    // A menu path names marked menus and commands: "File > Reset".
    void menuPathsAreMarked_data() { document_data(); }
    void menuPathsAreMarked()
    {
        QFETCH(QString, name);
        const QString html = readDocument(name);
        QStringList loose;
        for (qsizetype at = html.indexOf(QLatin1String(" &gt; ")); at >= 0;
             at = html.indexOf(QLatin1String(" &gt; "), at + 1)) {
            if (!html.left(at).endsWith(QLatin1String("</span>"))
                || !html.mid(at + 6).startsWith(QLatin1String("<span data-uit=")))
                loose << html.mid(std::max<qsizetype>(0, at - 40), 80).simplified();
        }
        QVERIFY2(loose.isEmpty(), qPrintable(loose.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestHelpTexts)
#include "tst_help_texts.moc"
