// The Options dialog with fakes for the store, the messages and the file
// dialogs: what it shows from the preferences, what Close saves and refuses,
// what Cancel and the close box put back, the key filters of its two boxes,
// and the reset of the six placement records.
#include "BalloonHint.h"
#include "FieldIndicator.h"
#include "FileDialogs.h"
#include "FormsTestEnv.h"
#include "KeyStore.h"
#include "REG_Utils.h"
#include "Shell.h"
#include "StdDlg.h"
#include "X11Keys.h"
#include "OptionsAboutForms.h"
#include "UF_Main.h"
#include "UF_Options.h"
#include "ZolStyle.h"
#include "zyUPValidate.h"
#include "zyWM.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using platform::RegValue;
using platform::RootKey;
using platform::ValueType;

// The per-user store in memory; every write is counted.
struct MemoryStore : platform::IKeyStore {
    QHash<QString, RegValue> values;
    int writes = 0;
    static QString id(const QString& key, const QString& name) { return key + QLatin1Char('|') + name; }
    bool keyExists(RootKey, const QString& key) override
    {
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            if (it.key().startsWith(key + QLatin1Char('|')))
                return true;
        return false;
    }
    RegValue read(RootKey, const QString& key, const QString& name) override { return values.value(id(key, name)); }
    void write(RootKey, const QString& key, const QString& name, const RegValue& v) override
    {
        ++writes;
        values.insert(id(key, name), v);
    }
    void setString(const QString& name, const QString& v)
    {
        values.insert(id(UP->RegKey, name), RegValue{ValueType::String, v, 0});
    }
    void setDWord(const QString& name, quint32 v)
    {
        values.insert(id(UP->RegKey, name), RegValue{ValueType::DWord, QString(), v});
    }
};

// Answers each message from a queue (the rightmost button when it runs dry)
// and records it.
struct ScriptedPrompter : StdDlg::IPrompter {
    QList<StdDlg::Request> requests;
    QList<int> answers;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        requests << r;
        const int a = answers.isEmpty() ? r.buttons[2].modalResult : answers.takeFirst();
        return {a, false};
    }
    QStringList ids() const
    {
        QStringList out;
        for (const auto& r : requests)
            out << r.msgId;
        return out;
    }
};

struct FakeFileDialogs : forms::IFileDialogs {
    std::optional<QString> file, folder;
    int opened = 0;
    std::optional<QString> openFile(QWidget*, const forms::OpenFileRequest&) override
    {
        ++opened;
        return file;
    }
    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString&) override
    {
        ++opened;
        return folder;
    }
};

// A user's choice in a list: the list changes and says so as a user's does.
void choose(QComboBox* c, int index)
{
    c->setCurrentIndex(index);
    emit c->activated(index);
}

void typeChar(QWidget* w, const QString& text, int key = Qt::Key_unknown)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

} // namespace

class TestOptionsForm : public QObject {
    Q_OBJECT
    MemoryStore store;
    ScriptedPrompter prompter;
    FakeFileDialogs dialogs;
    QTemporaryDir dir;
    std::unique_ptr<TUF_Options> dlg;
    QString realTemplate;

    // Opens the dialog as the main form does.
    void open()
    {
        dlg->SnapshotUP();
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    }

    void setNonDefaults(TzyUP& up)
    {
        up.SetAutoSizeDSM(false);
        up.SetAutoAlignBrowseWS(false);
        up.SetImportTaskFldDesc(false);
        up.SetShowHints(false);
        up.SetShowToolBarCaptions(false);
        up.SetPromptOnProcess(false);
        up.SetPromptOnExit(false);
        up.SetPromptOnCreateOFFolder(false);
        up.SetPromptOnOverwriteOF(false);
        up.SetHintPause(1200);
        up.SetHintHidePause(4000);
        up.SetDefaultXLExtn(TzyUP::xeXLS);
        up.SetImportTaskFldValueCount(1);
        up.SetDefaultTFDDLItemIndex(TzyUP::tfOther);
        up.SetDefaultTFOther(realTemplate);
        up.SetDefaultOFFolderDDLItemIndex(TzyUP::ofOther);
        up.SetDefaultOFFolderOther(dir.path());
    }

    // All 25 preferences, as text, to compare two states.
    static QStringList state(const TzyUP& up)
    {
        return {QString::number(up.AutoAlignBrowseFld()), QString::number(up.AutoAlignBrowseVal()),
                QString::number(up.AutoAlignBrowseWS()), QString::number(up.AutoSizeBrowseFld()),
                QString::number(up.AutoSizeBrowseVal()), QString::number(up.AutoSizeBrowseWS()),
                QString::number(up.AutoSizeCfgErr()), QString::number(up.AutoSizeSummary()),
                QString::number(up.AutoSizeDSM()), QString::number(up.AutoSizeDSF()),
                QString::number(up.DefaultTFDDLItemIndex()), up.GetDefaultTFOther(),
                QString::number(up.DefaultOFFolderDDLItemIndex()), up.GetDefaultOFFolderOther(),
                QString::number(up.DefaultXLExtn()), QString::number(up.HintHidePause()),
                QString::number(up.HintPause()), QString::number(up.ImportTaskFldDesc()),
                QString::number(up.ImportTaskFldValueCount()), QString::number(up.ShowToolBarCaptions()),
                QString::number(up.ShowHints()), QString::number(up.PromptOnCreateOFFolder()),
                QString::number(up.PromptOnOverwriteOF()), QString::number(up.PromptOnProcess()),
                QString::number(up.PromptOnExit())};
    }

private slots:
    void initTestCase()
    {
        FormsTestEnv::Init();
        platform::setKeyStore(&store);
        StdDlg::setPrompter(&prompter);
        forms::setFileDialogs(&dialogs);
        UP = std::make_unique<TzyUP>();
        WMs = std::make_unique<TzyWMs>();
        while (WMs->HighIndex() < wmCount)
            WMs->Add();
        realTemplate = dir.filePath(QStringLiteral("mine.xlsx"));
        QVERIFY(QFile::copy(qEnvironmentVariable("ZOL_SOURCE_DIR")
                                + QStringLiteral("/resources/templates/Tarvo_ZOL_Lumo_Template.xlsx"),
                            realTemplate));
        dlg = std::make_unique<TUF_Options>();
    }

    void cleanupTestCase()
    {
        dlg.reset();
        forms::setFileDialogs(nullptr);
        StdDlg::setPrompter(nullptr);
        platform::setKeyStore(nullptr);
    }

    void init()
    {
        dlg->hide();
        UP->Reset();
        store.values.clear();
        store.writes = 0;
        prompter.requests.clear();
        prompter.answers.clear();
        dialogs.file.reset();
        dialogs.folder.reset();
        dialogs.opened = 0;
        HintControl::Instance().SetHintPause(UP->HintPause());
        HintControl::Instance().SetHintHidePause(UP->HintHidePause());
    }

    void showsThePreferences()
    {
        setNonDefaults(*UP);
        open();
        QCOMPARE(dlg->HintPauseList()->currentText(), QStringLiteral("1200"));
        QCOMPARE(dlg->HintHidePauseList()->currentText(), QStringLiteral("4000"));
        QCOMPARE(dlg->XLExtnList()->currentIndex(), 1);
        QCOMPARE(dlg->SampleCountList()->currentText(), QStringLiteral("1"));
        QCOMPARE(dlg->TemplateList()->currentIndex(), 4);
        QCOMPARE(dlg->TemplateEdit()->text(), realTemplate);
        QVERIFY(!dlg->TemplateEdit()->isReadOnly());
        QVERIFY(dlg->TemplateBrowseButton()->isEnabled());
        QCOMPARE(dlg->FolderList()->currentIndex(), 3);
        QCOMPARE(dlg->FolderEdit()->text(), dir.path() + QLatin1Char('/'));
        QVERIFY(!dlg->ShowToolBarCaptionsBox()->isChecked());
        QVERIFY(!dlg->PromptOnExitBox()->isChecked());
        QCOMPARE(dlg->TemplateImage()->Tag(), FieldIndicator::NoWarningShown);
        QCOMPARE(dlg->FolderImage()->Tag(), FieldIndicator::NoWarningShown);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Tarvo ZOL Lumo: Options"));
        QVERIFY(platform::workArea().contains(dlg->frameGeometry()));
    }

    void listChoicesFillTheBoxes()
    {
        open();
        QCOMPARE(dlg->TemplateList()->currentIndex(), int(TzyUP::tfAuto));
        QVERIFY(dlg->TemplateEdit()->isReadOnly());
        QVERIFY(!dlg->TemplateBrowseButton()->isEnabled());
        QVERIFY(dlg->TemplateOpenButton()->isEnabled());
        const QString autoTemplate = dlg->TemplateEdit()->text();
        QVERIFY(autoTemplate.endsWith(QStringLiteral("Templates/Tarvo_ZOL_Lumo_Template.xlsx")));
        // Other while Auto is stored: the Auto template, to edit.
        choose(dlg->TemplateList(), 4);
        QCOMPARE(dlg->TemplateEdit()->text(), autoTemplate);
        QVERIFY(!dlg->TemplateEdit()->isReadOnly());
        QVERIFY(dlg->TemplateBrowseButton()->isEnabled());
        choose(dlg->TemplateList(), 0);
        QCOMPARE(dlg->TemplateEdit()->text(), QString());
        QVERIFY(!dlg->TemplateOpenButton()->isEnabled());
        choose(dlg->FolderList(), 0);
        QCOMPARE(dlg->FolderEdit()->text(), QString());
        choose(dlg->FolderList(), 3);
        QVERIFY(!dlg->FolderEdit()->isReadOnly());
        QVERIFY(dlg->FolderBrowseButton()->isEnabled());
        dlg->CancelButton()->click();
    }

    // A stored delay that is no item shows the nearest one; Close saves it.
    void hintDelayRounding()
    {
        UP->SetHintPause(550);
        UP->SetHintHidePause(3100);
        open();
        QCOMPARE(dlg->HintPauseList()->currentText(), QStringLiteral("500"));
        QCOMPARE(dlg->HintHidePauseList()->currentText(), QStringLiteral("3000"));
        dlg->CloseButton()->click();
        QCOMPARE(dlg->result(), 1);
        QCOMPARE(UP->HintPause(), 500);
        QCOMPARE(UP->HintHidePause(), 3000);
    }

    // Choosing a delay tries it at once; Cancel and the close box put it back.
    void hintDelayPreviewAndRestore_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("cancel") << false;
        QTest::newRow("close box") << true;
    }

    void hintDelayPreviewAndRestore()
    {
        QFETCH(bool, closeBox);
        open();
        choose(dlg->HintPauseList(), 20);
        choose(dlg->HintHidePauseList(), 0);
        QCOMPARE(HintControl::Instance().HintPause(), 2000);
        QCOMPARE(HintControl::Instance().HintHidePause(), 1000);
        if (closeBox)
            dlg->close();
        else
            dlg->CancelButton()->click();
        QCOMPARE(dlg->result(), 2);
        QCOMPARE(HintControl::Instance().HintPause(), 500);
        QCOMPARE(HintControl::Instance().HintHidePause(), 2500);
        QCOMPARE(UP->HintPause(), 500);
        QCOMPARE(store.writes, 0);
    }

    // After Reset, Cancel or the close box puts every preference back, and
    // nothing reaches the store.
    void resetThenCancel_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("cancel") << false;
        QTest::newRow("close box") << true;
    }

    void resetThenCancel()
    {
        QFETCH(bool, closeBox);
        setNonDefaults(*UP);
        const QStringList before = state(*UP);
        open();
        prompter.answers = {StdDlg::mrYes, StdDlg::mrClose};
        dlg->ResetButton()->click();
        QCOMPARE(prompter.ids(), (QStringList{QStringLiteral("OF006"), QStringLiteral("OF007")}));
        QCOMPARE(state(*UP), state(TzyUP()));
        QCOMPARE(dlg->HintPauseList()->currentText(), QStringLiteral("500"));
        QCOMPARE(dlg->TemplateList()->currentIndex(), int(TzyUP::tfAuto));
        QVERIFY(dlg->PromptOnExitBox()->isChecked());
        if (closeBox)
            dlg->close();
        else
            QTest::keyClick(dlg.get(), Qt::Key_Escape);
        QCOMPARE(dlg->result(), 2);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(state(*UP), before);
        QCOMPARE(store.writes, 0);
    }

    void resetAnsweredNoChangesNothing()
    {
        setNonDefaults(*UP);
        const QStringList before = state(*UP);
        open();
        prompter.answers = {StdDlg::mrNo};
        dlg->ResetButton()->click();
        QCOMPARE(prompter.ids(), QStringList{QStringLiteral("OF006")});
        QCOMPARE(state(*UP), before);
        QCOMPARE(dlg->HintPauseList()->currentText(), QStringLiteral("1200"));
        dlg->CancelButton()->click();
    }

    void closeSavesTheEdits()
    {
        open();
        dlg->PromptOnExitBox()->click();
        choose(dlg->HintPauseList(), 0);
        choose(dlg->SampleCountList(), 5);
        choose(dlg->XLExtnList(), 2);
        choose(dlg->TemplateList(), 4);
        dlg->TemplateEdit()->setText(realTemplate);
        choose(dlg->FolderList(), 3);
        dlg->FolderEdit()->setText(dir.path());
        dlg->CloseButton()->click();
        QCOMPARE(dlg->result(), 1);
        QVERIFY(prompter.requests.isEmpty());
        QCOMPARE(UP->PromptOnExit(), false);
        QCOMPARE(UP->HintPause(), 0);
        QCOMPARE(UP->ImportTaskFldValueCount(), 5);
        QCOMPARE(UP->DefaultXLExtn(), int(TzyUP::xeXLSX));
        QCOMPARE(UP->DefaultTFDDLItemIndex(), int(TzyUP::tfOther));
        QCOMPARE(UP->GetDefaultTFOther(), realTemplate);
        QCOMPARE(UP->GetDefaultOFFolderOther(), dir.path() + QLatin1Char('/'));
        QVERIFY(store.writes > 0);
        QCOMPARE(REG_Utils::ReadString(RootKey::CurrentUser, UP->RegKey, QStringLiteral("DefaultTFOther"), QString()),
                 realTemplate);
    }

    // An Other template that is no workbook, or missing, or badly named,
    // marks its picture and blocks Close with "OF008"; nothing is written.
    void badTemplateBlocksClose_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("text file") << QStringLiteral("@notes.txt");
        QTest::newRow("missing") << QStringLiteral("/no/such/place/t.xlsx");
        QTest::newRow("not a workbook") << QStringLiteral("@fake.xlsx");
    }

    void badTemplateBlocksClose()
    {
        QFETCH(QString, name);
        if (name.startsWith(QLatin1Char('@'))) {
            const QString path = dir.filePath(name.mid(1));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("plain text");
            name = path;
        }
        open();
        choose(dlg->TemplateList(), 4);
        dlg->TemplateEdit()->setText(name);
        QVERIFY(dlg->TemplateError());
        QCOMPARE(dlg->TemplateImage()->Tag(), FieldIndicator::WarningShown);
        const QString error = dlg->TemplateImage()->Hint();
        QVERIFY(!error.isEmpty());
        dlg->CloseButton()->click();
        QVERIFY(dlg->isVisible());
        QCOMPARE(prompter.ids(), QStringList{QStringLiteral("OF008")});
        const StdDlg::Request& r = prompter.requests.first();
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines, (QStringList{QStringLiteral("Please correct the following error."), QString(), error,
                                       QString(), QStringLiteral("Unable to save Options.")}));
        QCOMPARE(store.writes, 0);
        // A fault of a box whose list is not on Other never blocks.
        choose(dlg->TemplateList(), 1);
        QCOMPARE(dlg->TemplateImage()->Tag(), FieldIndicator::NoWarningShown);
        dlg->CancelButton()->click();
    }

    void bothOthersInvalid()
    {
        open();
        choose(dlg->TemplateList(), 4);
        dlg->TemplateEdit()->setText(QStringLiteral("/tmp/report.txt"));
        choose(dlg->FolderList(), 3);
        dlg->FolderEdit()->setText(QString());
        QVERIFY(dlg->FolderError());
        dlg->CloseButton()->click();
        QCOMPARE(prompter.ids(), QStringList{QStringLiteral("OF010")});
        const QStringList lines = prompter.requests.first().lines;
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], QStringLiteral("Please correct the following errors."));
        QCOMPARE(lines[2], QStringLiteral("[1] ") + dlg->TemplateImage()->Hint());
        QCOMPARE(lines[4], QStringLiteral("[2] ") + dlg->FolderImage()->Hint());
        QCOMPARE(lines[6], QStringLiteral("Unable to save Options."));
        QVERIFY(dlg->isVisible());
        QCOMPARE(store.writes, 0);
        dlg->CancelButton()->click();
    }

    // A store of wrong types and values out of range opens with the
    // validated values.
    void badStoreOpensValidated()
    {
        store.setString(QStringLiteral("HintPause"), QStringLiteral("soon"));
        store.setDWord(QStringLiteral("HintHidePause"), 99999);
        store.setDWord(QStringLiteral("DefaultTFDDLItemIndex"), 9);
        store.setDWord(QStringLiteral("DefaultOFFolderDDLItemIndex"), 3);
        store.setString(QStringLiteral("DefaultOFFolderOther"), QString());
        store.setDWord(QStringLiteral("ImportTaskFldValueCount"), 17);
        store.setString(QStringLiteral("DefaultXLExtn"), QStringLiteral("ods"));
        store.setString(QStringLiteral("PromptOnExit"), QStringLiteral("maybe"));
        UP->Load();
        ValidateUserPreferences(*UP);
        prompter.requests.clear();
        open();
        QCOMPARE(dlg->HintPauseList()->currentText(), QStringLiteral("500"));
        QCOMPARE(dlg->HintHidePauseList()->currentText(), QStringLiteral("5000"));
        QCOMPARE(dlg->TemplateList()->currentIndex(), int(TzyUP::tfAuto));
        QCOMPARE(dlg->SampleCountList()->currentText(), QStringLiteral("5"));
        QCOMPARE(dlg->XLExtnList()->currentIndex(), 0);
        QVERIFY(dlg->PromptOnExitBox()->isChecked());
        QVERIFY(prompter.requests.isEmpty());
        dlg->CancelButton()->click();
    }

    void keyFilters_data()
    {
        QTest::addColumn<bool>("templateBox");
        QTest::addColumn<int>("limit");
        QTest::newRow("template") << true << 260;
        QTest::newRow("folder") << false << 248;
    }

    void keyFilters()
    {
        QFETCH(bool, templateBox);
        QFETCH(int, limit);
        open();
        choose(templateBox ? dlg->TemplateList() : dlg->FolderList(), templateBox ? 4 : 3);
        QLineEdit* edit = templateBox ? dlg->TemplateEdit() : dlg->FolderEdit();
        edit->setFocus();

        // POSIX names: "?" and "/" are fine, a control character is not.
        edit->setText(QStringLiteral("/data/"));
        edit->setCursorPosition(edit->text().size());
        QTest::keyClicks(edit, QStringLiteral("a?b"));
        QCOMPARE(edit->text(), QStringLiteral("/data/a?b"));
        QVERIFY(!dlg->Balloon()->IsShown());
        typeChar(edit, QString(QChar(0x01)));
        QCOMPARE(edit->text(), QStringLiteral("/data/a?b"));
        QVERIFY(dlg->Balloon()->IsShown());
        QVERIFY(dlg->Balloon()->Description().startsWith(QStringLiteral("The following characters cannot be used:")));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(!dlg->Balloon()->IsShown());
        QCOMPARE(edit->text(), QStringLiteral("/data/a?"));

        // At the limit a further character is refused; Backspace still works.
        edit->setText(QLatin1Char('/') + QString(limit - 1, QLatin1Char('x')));
        edit->setCursorPosition(edit->text().size());
        QTest::keyClick(edit, Qt::Key_Y);
        QCOMPARE(edit->text().size(), limit);
        QVERIFY(dlg->Balloon()->IsShown());
        QCOMPARE(dlg->Balloon()->Description(),
                 QStringLiteral("The maximum length for this Field is %1 characters.").arg(limit));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text().size(), limit - 1);

        // Ctrl+A selects the whole text.
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(edit->selectedText(), edit->text());

        // Enter in the template box moves on to the folder list.
        if (templateBox) {
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), dlg->FolderList());
            QVERIFY(dlg->isVisible());
        }

        // A read-only box at its limit never shows the balloon.
        choose(templateBox ? dlg->TemplateList() : dlg->FolderList(), 0);
        edit->setText(QString(limit, QLatin1Char('x')));
        dlg->Balloon()->HideHint();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Z);
        QVERIFY(!dlg->Balloon()->IsShown());
        dlg->CancelButton()->click();
    }

    // Editing keys pass the key filter of both boxes, at their limit too,
    // with the text X11 gives them.
    void editingKeys_data()
    {
        QTest::addColumn<bool>("templateBox");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        const QString fullTemplate = QLatin1Char('/') + QString(259, QLatin1Char('t'));
        const QString fullFolder = QLatin1Char('/') + QString(247, QLatin1Char('f'));
        QTest::newRow("template Delete") << true << "/ab" << "Home Delete" << "ab";
        QTest::newRow("folder Delete") << false << "/ab/" << "Home Right Delete" << "/b/";
        QTest::newRow("Backspace") << true << "/ab" << "End Backspace" << "/a";
        QTest::newRow("Shift+Home, Delete") << false << "/ab/" << "End Shift+Home Delete" << "";
        QTest::newRow("Ctrl+Delete") << true << "/ab" << "Home Right Ctrl+Delete" << "/";
        QTest::newRow("cut and undo") << false << "/ab/" << "Ctrl+A Ctrl+X Ctrl+Z" << "/ab/";
        QTest::newRow("copy and paste") << true << "/a" << "Ctrl+A Ctrl+C End Ctrl+V" << "/a/a";
        QTest::newRow("full template, Delete") << true << fullTemplate << "Home Delete" << fullTemplate.mid(1);
        QTest::newRow("full folder, cut") << false << fullFolder << "Home Shift+Right Shift+Delete" << fullFolder.mid(1);
        QTest::newRow("full folder, Ctrl+Z") << false << fullFolder << "End Backspace Ctrl+Z" << fullFolder;
    }
    void editingKeys()
    {
        QFETCH(bool, templateBox);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        open();
        const auto close = qScopeGuard([this] { dlg->CancelButton()->click(); });
        choose(templateBox ? dlg->TemplateList() : dlg->FolderList(), templateBox ? 4 : 3);
        QLineEdit* edit = templateBox ? dlg->TemplateEdit() : dlg->FolderEdit();
        edit->setText(before);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        x11keys::play(keys);
        QCOMPARE(edit->text(), after);
        QVERIFY2(!dlg->Balloon()->IsShown(), qPrintable(dlg->Balloon()->Description()));
    }

    void leavingABoxTrimsIt()
    {
        open();
        choose(dlg->FolderList(), 3);
        dlg->FolderEdit()->setFocus();
        dlg->FolderEdit()->setText(QStringLiteral("  /data/out/  "));
        dlg->HintPauseList()->setFocus();
        QCOMPARE(dlg->FolderEdit()->text(), QStringLiteral("/data/out/"));
        dlg->CancelButton()->click();
    }

    void browseForTheTemplate()
    {
        open();
        choose(dlg->TemplateList(), 4);
        // A file that is not a workbook is refused with the check's message.
        dialogs.file = dir.filePath(QStringLiteral("chosen.txt"));
        dlg->TemplateBrowseButton()->click();
        QCOMPARE(prompter.ids(), QStringList{QStringLiteral("UDV016")});
        QVERIFY(dlg->TemplateEdit()->text() != *dialogs.file);
        // A workbook is taken.
        dialogs.file = realTemplate;
        dlg->TemplateBrowseButton()->click();
        QCOMPARE(dlg->TemplateEdit()->text(), realTemplate);
        QVERIFY(!dlg->TemplateError());
        // The folder browser's choice replaces the folder box.
        choose(dlg->FolderList(), 3);
        dialogs.folder = dir.path();
        dlg->FolderBrowseButton()->click();
        QCOMPARE(dlg->FolderEdit()->text(), dir.path() + QLatin1Char('/'));
        dlg->CancelButton()->click();
    }

    // Open hands a good template to the shell; an opener that fails after
    // it started is reported, the template named; a missing one is reported
    // by its check and goes nowhere.
    void openTheTemplate()
    {
        struct RecordingShell : platform::IShell {
            QStringList opened;
            platform::OpenFailed failed;
            int open(const QString& file, const QString&, const QString&, int, QObject* context,
                     platform::OpenFailed onFailure) override
            {
                opened << file;
                if (context)
                    failed = std::move(onFailure);
                return 42;
            }
        } shell;
        platform::setShell(&shell);
        open();
        choose(dlg->TemplateList(), 4);
        dlg->TemplateEdit()->setText(realTemplate);
        QVERIFY(dlg->TemplateOpenButton()->isEnabled());
        dlg->TemplateOpenButton()->click();
        QCOMPARE(shell.opened, QStringList{realTemplate});
        QVERIFY(prompter.requests.isEmpty());
        QVERIFY(shell.failed);
        shell.failed(platform::OpenerFailure::ProgramFailed);
        QCOMPARE(prompter.requests.size(), 1);
        QCOMPARE(prompter.requests.first().level, int(StdDlg::Warning));
        QCOMPARE(prompter.requests.first().lines.value(0),
                 QStringLiteral("Unable to open the following Default Template File."));
        QCOMPARE(prompter.requests.first().lines.value(2), realTemplate);
        prompter.requests.clear();

        dlg->TemplateEdit()->setText(dir.filePath(QStringLiteral("gone.xlsx")));
        dlg->TemplateOpenButton()->click();
        QCOMPARE(shell.opened.size(), 1);
        QCOMPARE(prompter.ids(), QStringList{QStringLiteral("UDV004")});
        platform::setShell(nullptr);
        dlg->CancelButton()->click();
    }

    // The six records get their default sizes, centred, marked for
    // re-centring (the main form excepted), and are saved at once with the
    // automatic sizing switched on; Cancel afterwards keeps that.
    void resetSizesMarksTheSixRecords()
    {
        for (int i = wmMain; i <= wmSummary; ++i) {
            TzyWM& wm = WMs->getItems(i);
            const QSize d = WMDefaultSize(i);
            // The summary form has not been made yet: its record has no defaults.
            wm.SetDefaultWidth(i == wmSummary ? 0 : d.width());
            wm.SetDefaultHeight(i == wmSummary ? 0 : d.height());
            wm.SetLeft(3);
            wm.SetTop(4);
            wm.SetWidth(d.width() + 50);
            wm.SetHeight(d.height() + 40);
            wm.SetWindowSize(1);
            wm.SetFormPositionReset(false);
        }
        UP->SetAutoSizeSummary(false);
        UP->SetAutoAlignBrowseVal(false);
        UP->SetPromptOnExit(false);
        QList<int> applied;
        dlg->SetPlacementApplier([&](int index, const FormPlacement& p) {
            applied << index;
            QCOMPARE(p.bounds.size(), WMDefaultSize(index));
        });
        open();

        prompter.answers = {StdDlg::mrNo};
        dlg->ResetSizesButton()->click();
        QCOMPARE(WMs->getItems(wmSummary).Left(), 3);
        QCOMPARE(store.writes, 0);

        prompter.requests.clear();
        prompter.answers = {StdDlg::mrYes, StdDlg::mrClose};
        dlg->ResetSizesButton()->click();
        QCOMPARE(prompter.ids(), (QStringList{QStringLiteral("OF001"), QStringLiteral("OF002")}));
        QCOMPARE(applied, (QList<int>{1, 2, 3, 4, 5, 6}));
        const QRect wa = platform::workArea();
        for (int i = wmMain; i <= wmSummary; ++i) {
            const TzyWM& wm = WMs->getItems(i);
            const QSize d = WMDefaultSize(i);
            QCOMPARE(QSize(wm.Width(), wm.Height()), d);
            QCOMPARE(wm.WindowSize(), 0);
            QCOMPARE(wm.FormPositionReset(), i != wmMain);
            QCOMPARE(QPoint(wm.Left(), wm.Top()), TzyWM::CentredOnWorkArea(d));
            QVERIFY(wa.contains(QRect(wm.Left(), wm.Top(), wm.Width(), wm.Height())));
            // Saved at once.
            QCOMPARE(REG_Utils::ReadInteger(RootKey::CurrentUser, WMs->ItemKey(i), QStringLiteral("Width"), -1),
                     d.width());
        }
        QVERIFY(UP->AutoSizeSummary());
        QVERIFY(UP->AutoAlignBrowseVal());
        QVERIFY(platform::workArea().contains(dlg->frameGeometry()));

        dlg->CancelButton()->click();
        QVERIFY(UP->AutoSizeSummary());
        QVERIFY(UP->AutoAlignBrowseVal());
        QCOMPARE(UP->PromptOnExit(), false);
        // The store follows the preferences back.
        QCOMPARE(REG_Utils::ReadBool(RootKey::CurrentUser, UP->RegKey, QStringLiteral("PromptOnExit"), true), false);
        QCOMPARE(REG_Utils::ReadBool(RootKey::CurrentUser, UP->RegKey, QStringLiteral("AutoSizeSummary"), false), true);
        dlg->SetPlacementApplier({});
    }

    // Start-up's link: Tools > Options shows the dialog with a fresh
    // snapshot and gives its result.
    void linkedToTheMainForm()
    {
        OptionsAboutForms::CreateOptionsForm();
        QVERIFY(UF_Options);
        QVERIFY(TUF_Main::FormLinks().ShowOptions);
        UP->SetHintPause(300);
        QTimer::singleShot(0, UF_Options, [] {
            choose(UF_Options->HintPauseList(), 0);
            UF_Options->CancelButton()->click();
        });
        QCOMPARE(TUF_Main::FormLinks().ShowOptions(), 2);
        QCOMPARE(UP->HintPause(), 300);
        QCOMPARE(HintControl::Instance().HintPause(), 300);
        OptionsAboutForms::FreeOptionsForm();
        QVERIFY(!UF_Options);
        QVERIFY(!TUF_Main::FormLinks().ShowOptions);
    }
};

QTEST_MAIN(TestOptionsForm)
#include "tst_options_form.moc"
