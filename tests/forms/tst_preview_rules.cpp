// The image codes of the option previews over every combination of options,
// the pictures they select, the axis captions and the label's centring.
#include "PreviewRules.h"
#include "ModelTestKit.h"

#include <QtTest>

using namespace PreviewRules;

class TstPreviewRules : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { kit::initGlobals(); }

    // Every combination of definition, data sets and quantities.
    void everyCombination()
    {
        int seen = 0;
        for (int bits = 0; bits < 64; ++bits) {
            const bool sd = bits & 1, bl = bits & 2, act = bits & 4, tgt = bits & 8, mh = bits & 16, cost = bits & 32;
            const int code = ImageCode(sd, bl, act, tgt, mh, cost);
            QCOMPARE(code, (sd ? 1 : 0) + (bl ? 2 : 0) + (act ? 4 : 0) + (tgt ? 8 : 0) + ((mh || cost) ? 16 : 0));
            const QString suffix = PictureSuffix(code);
            QVERIFY(PictureSuffixes().contains(suffix));
            const PictureContent c = ContentOf(suffix);
            if (!sd) {
                QCOMPARE(suffix, QStringLiteral("Disabled"));
                continue;
            }
            if (!bl && !act && !tgt) {
                // The quantity boxes are unchecked while no data set is
                // chosen, but a stray quantity must not select a sketch.
                QCOMPARE(suffix, mh || cost ? QStringLiteral("Disabled") : QStringLiteral("Blank"));
                continue;
            }
            QCOMPARE(c.bl, bl);
            QCOMPARE(c.act, act);
            QCOMPARE(c.tgt, tgt);
            QCOMPARE(c.greyed, !mh && !cost);
            ++seen;
        }
        QCOMPARE(seen, 7 * 4);
    }

    void codeTable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("suffix");
        const char* const table[] = {"Disabled", "Blank", nullptr, "B_D", nullptr, "A_D", nullptr, "BA_D",
                                     nullptr, "T_D", nullptr, "BT_D", nullptr, "AT_D", nullptr, "BAT_D",
                                     nullptr, nullptr, nullptr, "B", nullptr, "A", nullptr, "BA",
                                     nullptr, "T", nullptr, "BT", nullptr, "AT", nullptr, "BAT"};
        for (int code = -1; code <= 33; ++code) {
            const char* s = code >= 0 && code < 32 ? table[code] : nullptr;
            QTest::addRow("%d", code) << code << QString::fromLatin1(s ? s : "Disabled");
        }
    }
    void codeTable()
    {
        QFETCH(int, code);
        QFETCH(QString, suffix);
        QCOMPARE(PictureSuffix(code), suffix);
    }

    void axisCaptions_data()
    {
        QTest::addColumn<bool>("mh");
        QTest::addColumn<bool>("cost");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("warns");
        QTest::newRow("none") << false << false << "Quantity Axis" << true;
        QTest::newRow("mh") << true << false << "Man Hours" << false;
        QTest::newRow("cost") << false << true << "Cost" << false;
        QTest::newRow("both") << true << true << "Man Hours, Cost" << false;
    }
    void axisCaptions()
    {
        QFETCH(bool, mh);
        QFETCH(bool, cost);
        QFETCH(QString, caption);
        QFETCH(bool, warns);
        QCOMPARE(UIT(AxisCaptionId(mh, cost, false)), caption);
        QCOMPARE(UIT(AxisCaptionId(mh, cost, true)), caption);
        QCOMPARE(AxisCaptionId(mh, cost, true) - AxisCaptionId(mh, cost, false), 11);
        QCOMPARE(AxisCaptionWarns(mh, cost), warns);
    }

    void centring_data()
    {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("expected");
        QTest::newRow("even") << 20 << 130 << 70 << 50;
        QTest::newRow("odd truncates") << 20 << 130 << 71 << 49;
        QTest::newRow("text longer, towards zero") << 10 << 110 << 121 << 5;
        QTest::newRow("text longer by 3") << 10 << 110 << 113 << 9;
    }
    void centring()
    {
        QFETCH(int, top);
        QFETCH(int, height);
        QFETCH(int, width);
        QFETCH(int, expected);
        QCOMPARE(CentredTop(top, height, width), expected);
    }
};

QTEST_GUILESS_MAIN(TstPreviewRules)
#include "tst_preview_rules.moc"
