#include "FormsTestEnv.h"
#include "Glyphs.h"
#include "StdDlg.h"
#include "UF_StdDlg.h"
#include "Utils.h"

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>

class TestStdDlgForm : public QObject {
    Q_OBJECT
    TUF_StdDlg* dlg = nullptr;
    QStringList indexReports;
    QTimer watchdog;

    // Runs `act` inside the dialog's modal loop; a dialog left open fails the
    // test instead of hanging it.
    void whenShown(std::function<void()> act)
    {
        QTimer::singleShot(0, dlg, std::move(act));
        watchdog.start(5000);
    }

    StdDlg::Answer askYesNo(int level, std::function<void()> act, bool checkBox = false)
    {
        whenShown(std::move(act));
        StdDlg::Answer a;
        if (checkBox)
            a = StdDlg::ShowMsg3(level, QStringLiteral("MF001"), {QStringLiteral("Exit?")},
                                 QStringLiteral("E&xit without prompting."), StdDlg::Button{},
                                 StdDlg::YesButton(QStringLiteral("Exit.")), StdDlg::NoButton(QStringLiteral("Stay.")));
        else
            a.modalResult = StdDlg::ShowMsg2(level, QStringLiteral("MF001"), {QStringLiteral("Exit?")},
                                             QStringLiteral("Exit."), UIT(294), StdDlg::mrYes, StdDlg::glYes,
                                             QStringLiteral("Stay."), UIT(291), StdDlg::mrNo, StdDlg::glNo);
        watchdog.stop();
        return a;
    }

    static int lineWidth(const QFont& f, const QString& s)
    {
        return QFontMetrics(f).horizontalAdvance(s);
    }

private slots:
    void initTestCase()
    {
        FormsTestEnv::Init();
        Utils::SetIndexReporter([this](const QString& t) { indexReports << t; });
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, this, [this] {
            if (dlg->isVisible())
                dlg->done(-99);
        });
        dlg = new TUF_StdDlg;
        UF_StdDlg = dlg;
    }
    void cleanupTestCase()
    {
        delete dlg;
        UF_StdDlg = nullptr;
        QVERIFY(&StdDlg::prompter() != static_cast<StdDlg::IPrompter*>(dlg));
    }
    void init()
    {
        indexReports.clear();
        platform::setWorkArea(FormsTestEnv::kWorkArea);
    }

    void installsItselfAsPrompter()
    {
        QCOMPARE(&StdDlg::prompter(), static_cast<StdDlg::IPrompter*>(dlg));
        QVERIFY(!dlg->parentWidget());
        // Usable while the main form is disabled for a run.
        QMainWindow main;
        main.show();
        main.setEnabled(false);
        const auto a = askYesNo(2, [this] {
            QVERIFY(dlg->isEnabled());
            QVERIFY(dlg->Button(1)->isEnabled());
            dlg->Button(1)->click();
        });
        QCOMPARE(a.modalResult, int(StdDlg::mrYes));
    }

    void levelCaptionAndPicture_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("picture");
        QTest::newRow("critical") << 1 << " Tarvo ZOL Lumo: Critical " << 1;
        QTest::newRow("warning") << 2 << " Tarvo ZOL Lumo: Warning " << 2;
        QTest::newRow("information") << 3 << " Tarvo ZOL Lumo: Information " << 3;
        QTest::newRow("question") << 4 << " Tarvo ZOL Lumo: Question " << 4;
        QTest::newRow("other keeps caption") << 9 << "kept" << 0;
    }
    void levelCaptionAndPicture()
    {
        QFETCH(int, level);
        QFETCH(QString, caption);
        QFETCH(int, picture);
        dlg->setWindowTitle(QStringLiteral("kept"));
        dlg->Msgs = QStringList{QStringLiteral("Text")};
        dlg->ShowMsg1(level, QStringLiteral("U001"), UIT(1212), UIT(289), StdDlg::mrClose, StdDlg::glClose);
        QCOMPARE(dlg->windowTitle(), caption);
        QCOMPARE(dlg->VisiblePicture(), picture);
        // The message id is kept hidden, padded.
        QCOMPARE(dlg->MsgIdLabel()->text(), QStringLiteral(" U001 "));
        QVERIFY(dlg->MsgIdLabel()->isHidden());
    }

    void buttonsGiveTheirResults_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("expected");
        QTest::newRow("middle yes") << 1 << int(StdDlg::mrYes);
        QTest::newRow("right no") << 2 << int(StdDlg::mrNo);
    }
    void buttonsGiveTheirResults()
    {
        QFETCH(int, slot);
        QFETCH(int, expected);
        const auto a = askYesNo(4, [this, slot] { dlg->Button(slot)->click(); });
        QCOMPARE(a.modalResult, expected);
        QVERIFY(!dlg->isVisible());
    }

    void oneButtonAndRetryCancel()
    {
        whenShown([this] {
            QVERIFY(dlg->Button(0)->isHidden());
            QVERIFY(dlg->Button(1)->isHidden());
            QVERIFY(dlg->CheckBoxPanel()->isHidden());
            dlg->Button(2)->click();
        });
        QCOMPARE(StdDlg::ShowClose(2, QStringLiteral("XL001"), {QStringLiteral("Gone.")}, 1212), int(StdDlg::mrClose));

        whenShown([this] { dlg->Button(1)->click(); });
        QCOMPARE(StdDlg::ShowMsg2(2, QStringLiteral("U010"), {QStringLiteral("In use.")},
                                  QStringLiteral("Try again."), UIT(293), StdDlg::mrRetry, StdDlg::glRetry,
                                  QStringLiteral("Give up."), UIT(288), StdDlg::mrCancel, StdDlg::glCancel),
                 int(StdDlg::mrRetry));
        watchdog.stop();
    }

    void escapeAndCloseBoxPressTheRightButton()
    {
        QCOMPARE(askYesNo(4, [this] { QTest::keyClick(dlg, Qt::Key_Escape); }).modalResult, int(StdDlg::mrNo));
        QCOMPARE(askYesNo(4, [this] { dlg->close(); }).modalResult, int(StdDlg::mrNo));
        QCOMPARE(askYesNo(4, [this] { dlg->windowHandle()->close(); }).modalResult, int(StdDlg::mrNo));
    }

    void enterPressesNothing()
    {
        const auto a = askYesNo(4, [this] {
            QTest::keyClick(dlg, Qt::Key_Return);
            QTest::keyClick(dlg, Qt::Key_Enter);
            QVERIFY(dlg->isVisible());
            dlg->Button(1)->click();
        });
        QCOMPARE(a.modalResult, int(StdDlg::mrYes));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!dlg->Button(i)->autoDefault());
            QVERIFY(!dlg->Button(i)->isDefault());
        }
    }

    void altWithTheUnderlinedLetterPressesTheButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("alt-y") << int(Qt::Key_Y) << int(StdDlg::mrYes);
        QTest::newRow("alt-n") << int(Qt::Key_N) << int(StdDlg::mrNo);
    }
    void altWithTheUnderlinedLetterPressesTheButton()
    {
        QFETCH(int, key);
        QFETCH(int, expected);
        const auto a = askYesNo(4, [this, key] {
            QVERIFY(QTest::qWaitForWindowActive(dlg));
            QTest::keyClick(dlg, Qt::Key(key), Qt::AltModifier);
        });
        QCOMPARE(a.modalResult, expected);
    }

    void centreOnScreen()
    {
        platform::setWorkArea(QRect(100, 50, 600, 400));
        dlg->Msgs = QStringList{QStringLiteral("Centred.")};
        dlg->ShowMsg1(3, QStringLiteral("C001"), UIT(1212), UIT(289), StdDlg::mrClose, StdDlg::glClose);
        dlg->show();
        dlg->CentreOnScreen();
        QVERIFY(qAbs(dlg->frameGeometry().center().x() - 400) <= 1);
        QVERIFY(qAbs(dlg->frameGeometry().center().y() - 250) <= 1);
        dlg->hide();
    }

    void keysInTheMemoReachTheDialog()
    {
        const auto a = askYesNo(4, [this] {
            dlg->Memo()->setFocus();
            QTest::keyClick(dlg->Memo(), Qt::Key_Return);
            QVERIFY(dlg->isVisible());
            QTest::keyClick(dlg->Memo(), Qt::Key_Escape);
        });
        QCOMPARE(a.modalResult, int(StdDlg::mrNo));
    }

    void escapeWithoutRightButtonDoesNothing()
    {
        StdDlg::Button none;
        whenShown([this] {
            QTest::keyClick(dlg, Qt::Key_Escape);
            QVERIFY(dlg->isVisible());
            dlg->close();
        });
        const auto a = StdDlg::ShowMsg3(4, QStringLiteral("T001"), {QStringLiteral("x")}, QStringLiteral("cb"),
                                        none, StdDlg::YesButton(QStringLiteral("y")), none);
        watchdog.stop();
        // The close box with no right button: Cancel.
        QCOMPARE(a.modalResult, int(StdDlg::mrCancel));
    }

    void checkBoxStateIsReturned()
    {
        auto a = askYesNo(4, [this] {
            QVERIFY(!dlg->CheckBox()->isChecked());
            QCOMPARE(dlg->CheckBox()->text(), QStringLiteral("E&xit without prompting."));
            dlg->CheckBox()->click();
            dlg->Button(1)->click();
        }, true);
        QCOMPARE(a.modalResult, int(StdDlg::mrYes));
        QVERIFY(a.checked);
        // Every set-up unticks it again.
        a = askYesNo(4, [this] { dlg->Button(2)->click(); }, true);
        QCOMPARE(a.modalResult, int(StdDlg::mrNo));
        QVERIFY(!a.checked);
        // A dialog without the check box never reports it ticked.
        dlg->CheckBox()->setChecked(true);
        a = askYesNo(4, [this] { dlg->Button(2)->click(); });
        QVERIFY(!a.checked);
    }

    void glyphsAndHints_data()
    {
        QTest::addColumn<int>("glyph");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("cancel") << 10 << "Shortcut: (Esc)";
        QTest::newRow("close") << 12 << "Shortcuts: (Esc), (Alt-C)";
        QTest::newRow("continue") << 13 << "Shortcut: (Alt-U)";
        QTest::newRow("no") << 27 << "Shortcut: (Alt-N)";
        QTest::newRow("ok") << 28 << "Shortcut: (Alt-O)";
        QTest::newRow("retry") << 43 << "Shortcut: (Alt-R)";
        QTest::newRow("yes") << 54 << "Shortcut: (Alt-Y)";
        QTest::newRow("other in range") << 5 << "";
    }
    void glyphsAndHints()
    {
        QFETCH(int, glyph);
        QFETCH(QString, shortcut);
        const QString hint = QStringLiteral("Close Dialogue.");
        QCOMPARE(TUF_StdDlg::GetBtnHint(glyph, hint), shortcut.isEmpty() ? hint : hint + "\r\n" + shortcut);
        dlg->Msgs.clear();
        dlg->ShowMsg1(3, QStringLiteral("G"), hint, UIT(289), StdDlg::mrClose, glyph);
        QVERIFY(dlg->ButtonHasGlyph(2));
        QVERIFY(indexReports.isEmpty());
        QCOMPARE(dlg->Button(2)->toolTip(), shortcut.isEmpty() ? hint : hint + "\n" + shortcut);
        if (!shortcut.isEmpty()) {
            const QImage img = Glyphs::Button16(glyph).toImage();
            bool drawn = false;
            for (int y = 0; y < 16 && !drawn; ++y)
                for (int x = 0; x < 16 && !drawn; ++x)
                    drawn = qAlpha(img.pixel(x, y)) > 0;
            QVERIFY(drawn);
        }
    }

    void glyphOutOfRangeReportsAndShowsNone_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("glyph");
        QTest::addColumn<QString>("tag");
        QTest::newRow("left high") << 0 << 55 << "UF_StdDlg.SetupBBtn_L";
        QTest::newRow("middle negative") << 1 << -1 << "UF_StdDlg.SetupBBtn_M";
        QTest::newRow("right high") << 2 << 1000 << "UF_StdDlg.SetupBBtn_R";
    }
    void glyphOutOfRangeReportsAndShowsNone()
    {
        QFETCH(int, slot);
        QFETCH(int, glyph);
        QFETCH(QString, tag);
        int g[3] = {StdDlg::glOk, StdDlg::glYes, StdDlg::glNo};
        g[slot] = glyph;
        dlg->Msgs = QStringList{QStringLiteral("x")};
        dlg->ShowMsg3(4, QStringLiteral("G"), QStringLiteral("cb"),
                      QStringLiteral("l"), true, QStringLiteral("&Left"), 1, g[0],
                      QStringLiteral("m"), true, QStringLiteral("&Mid"), 6, g[1],
                      QStringLiteral("r"), true, QStringLiteral("&Right"), 7, g[2]);
        QCOMPARE(indexReports.size(), 1);
        QCOMPARE(indexReports.first(), Utils::IndexErrorText(glyph, 0, 54, tag));
        QVERIFY(!dlg->ButtonHasGlyph(slot));
        QVERIFY(dlg->Button(slot)->icon().isNull());
        QCOMPARE(dlg->ButtonModalResult(slot), slot == 0 ? 1 : slot == 1 ? 6 : 7);
    }

    void memoLines_data()
    {
        QTest::addColumn<QStringList>("msgs");
        QTest::addColumn<QStringList>("memo");
        QTest::newRow("empty") << QStringList{} << QStringList{"", ""};
        QTest::newRow("one line") << QStringList{"Hello"} << QStringList{"", " Hello ", ""};
        QTest::newRow("typical") << QStringList{"Statement", "", "file.xlsx", "", "Details: x", ""}
                                 << QStringList{"", " Statement  ", "  ", " file.xlsx ", "  ", " Details: x", ""};
        QTest::newRow("line breaks inside") << QStringList{"a\r\nb\nc"} << QStringList{"", " a  ", " b ", " c", ""};
        QTest::newRow("blank lines only") << QStringList{"", ""} << QStringList{"", ""};
    }
    void memoLines()
    {
        QFETCH(QStringList, msgs);
        QFETCH(QStringList, memo);
        QCOMPARE(TUF_StdDlg::MemoLines(msgs, dlg->Memo()->font(), 5000), memo);
    }

    void longLinesBreakAtTheWidthLimit()
    {
        const QFont f = dlg->Memo()->font();
        const int limit = 300;
        const QString line = QString(QStringLiteral("The quick brown fox jumps over the lazy dog. ")).repeated(8);
        const QStringList memo = TUF_StdDlg::MemoLines({line}, f, limit);
        QVERIFY(memo.size() > 4);
        // Each piece breaks where the next character would pass the limit;
        // nothing is lost or reordered.
        const int widest = lineWidth(f, QStringLiteral("W"));
        QString joined;
        for (int i = 1; i < memo.size() - 1; ++i) {
            QVERIFY2(lineWidth(f, Utils::Trim(memo[i])) < limit + widest, qPrintable(memo[i]));
            QVERIFY2(lineWidth(f, Utils::Trim(memo[i])) >= limit - 2 * widest || i == memo.size() - 2, qPrintable(memo[i]));
            joined += memo[i];
        }
        QCOMPARE(joined.remove(QLatin1Char(' ')), QString(line).remove(QLatin1Char(' ')));
        // A surrogate pair is never split.
        const QString clefs = QString::fromUtf8("\xF0\x9D\x84\x9E").repeated(60);
        for (const QString& m : TUF_StdDlg::MemoLines({clefs}, f, 100))
            for (qsizetype i = 0; i < m.size(); ++i)
                QVERIFY(m.at(i).isHighSurrogate() ? i + 1 < m.size() && m.at(i + 1).isLowSurrogate()
                                                  : !m.at(i).isLowSurrogate() || (i > 0 && m.at(i - 1).isHighSurrogate()));
        QCOMPARE(TUF_StdDlg::MemoLines({clefs}, f, 100).join(QString()).remove(QLatin1Char(' ')), clefs);
    }

    void wideMessageFitsTheWorkArea()
    {
        platform::setWorkArea(QRect(0, 0, 500, 700));
        dlg->Msgs = QStringList{QString(QStringLiteral("W")).repeated(200)};
        dlg->ShowMsg1(1, QStringLiteral("W001"), UIT(1212), UIT(289), StdDlg::mrClose, StdDlg::glClose);
        const int frameW = dlg->frameGeometry().width() - dlg->width();
        QCOMPARE(dlg->TextWidthLimit(), 500 - frameW - 8 - 2 * lineWidth(dlg->Memo()->font(), "  ") - 48);
        QVERIFY(dlg->frameGeometry().width() <= 500);
        for (const QString& m : dlg->MemoText())
            QVERIFY(lineWidth(dlg->Memo()->font(), m) <= dlg->Memo()->width());
        dlg->show();
        QVERIFY(dlg->frameGeometry().x() >= 0);
        QVERIFY(dlg->frameGeometry().right() < 500);
        dlg->hide();
    }

    void tallMessageScrollsAtWorkAreaHeight()
    {
        platform::setWorkArea(QRect(0, 20, 800, 300));
        QStringList many;
        for (int i = 0; i < 60; ++i)
            many << QStringLiteral("Line %1").arg(i);
        dlg->Msgs = many;
        dlg->ShowMsg1(3, QStringLiteral("T001"), UIT(1212), UIT(289), StdDlg::mrClose, StdDlg::glClose);
        dlg->show();
        const int frameH = dlg->frameGeometry().height() - dlg->height();
        QCOMPARE(dlg->height() + frameH, 300);
        QCOMPARE(dlg->frameGeometry().top(), 20);
        QCOMPARE(dlg->Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        dlg->hide();

        // A short message again: no scroll bar, centred on the work area.
        dlg->Msgs = QStringList{QStringLiteral("Short.")};
        dlg->ShowMsg1(3, QStringLiteral("T002"), UIT(1212), UIT(289), StdDlg::mrClose, StdDlg::glClose);
        QCOMPARE(dlg->Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(qAbs(dlg->frameGeometry().center().y() - 170) <= 1);
        QVERIFY(qAbs(dlg->frameGeometry().center().x() - 400) <= 1);
    }

    void emptyMessageHasPictureHeight()
    {
        dlg->Msgs.clear();
        dlg->ShowMsg1(2, QStringLiteral("E001"), UIT(1212), UIT(289), StdDlg::mrClose, StdDlg::glClose);
        QCOMPARE(dlg->MemoText(), (QStringList{"", ""}));
        const QFontMetrics fm(dlg->Memo()->font());
        const int text = std::max(fm.height(), fm.lineSpacing()) * 3;
        QCOMPARE(dlg->height(), std::max(text, 32 + 14) + dlg->ButtonPanel()->height());
    }

    void leftButtonKeepsItsSlot()
    {
        dlg->Msgs = QStringList{QStringLiteral("x")};
        dlg->ShowMsg3(4, QStringLiteral("L1"), QStringLiteral("c"),
                      QStringLiteral("l"), true, QStringLiteral("&Left"), 1, StdDlg::glOk,
                      QStringLiteral("m"), false, QStringLiteral("&Mid"), 6, StdDlg::glYes,
                      QStringLiteral("r"), true, QStringLiteral("&Right"), 7, StdDlg::glNo);
        const int bw = dlg->Button(2)->width();
        QCOMPARE(dlg->Button(2)->geometry().right() + 1, dlg->width() - 8);
        QCOMPARE(dlg->Button(0)->x(), dlg->Button(2)->x() - 2 * (bw + 8));
        QVERIFY(dlg->Button(0)->x() >= 8 + dlg->MsgIdLabel()->width());
        QVERIFY(!dlg->CheckBoxPanel()->isHidden());
        QCOMPARE(dlg->CheckBoxPanel()->geometry().bottom() + 1, dlg->ButtonPanel()->y());
        QCOMPARE(dlg->ButtonPanel()->geometry().bottom() + 1, dlg->height());
    }

    void checkBoxClickReturnsFocusToButtons()
    {
        const auto a = askYesNo(4, [this] {
            dlg->activateWindow();
            dlg->CheckBox()->setFocus();
            dlg->CheckBox()->click();
            QCOMPARE(dlg->focusWidget(), dlg->ButtonPanel());
            dlg->Button(2)->click();
        }, true);
        QCOMPARE(a.modalResult, int(StdDlg::mrNo));
        QVERIFY(a.checked);
    }

    void messageRaisedWhileOpenGetsItsOwnDialog()
    {
        int inner = -1;
        QStringList innerMemo;
        const auto a = askYesNo(4, [this, &inner, &innerMemo] {
            QTimer::singleShot(0, [&innerMemo] {
                auto* nested = qobject_cast<TUF_StdDlg*>(QApplication::activeModalWidget());
                QVERIFY(nested);
                innerMemo = nested->MemoText();
                QTest::keyClick(nested, Qt::Key_Escape);
            });
            inner = StdDlg::ShowClose(1, QStringLiteral("N001"), {QStringLiteral("Inner")}, 1212);
            // The outer dialog is untouched.
            QCOMPARE(dlg->MemoText(), (QStringList{"", " Exit? ", ""}));
            QCOMPARE(dlg->ButtonModalResult(1), int(StdDlg::mrYes));
            dlg->Button(1)->click();
        });
        QCOMPARE(inner, int(StdDlg::mrClose));
        QCOMPARE(innerMemo, (QStringList{"", " Inner ", ""}));
        QCOMPARE(a.modalResult, int(StdDlg::mrYes));
        QCOMPARE(&StdDlg::prompter(), static_cast<StdDlg::IPrompter*>(dlg));
    }

    void restoresMainFormOnActivation()
    {
        int restored = 0;
        FormHooksGuard guard([&restored] { ++restored; });
        askYesNo(3, [this] { dlg->Button(2)->click(); });
        QCOMPARE(restored, 1);
    }

private:
    struct FormHooksGuard {
        explicit FormHooksGuard(std::function<void()> f);
        ~FormHooksGuard();
    };
};

#include "FormHooks.h"

TestStdDlgForm::FormHooksGuard::FormHooksGuard(std::function<void()> f)
{
    FormHooks::SetRestoreIfIconic(std::move(f));
}

TestStdDlgForm::FormHooksGuard::~FormHooksGuard()
{
    FormHooks::SetRestoreIfIconic(nullptr);
}

QTEST_MAIN(TestStdDlgForm)
#include "tst_stddlg_form.moc"
