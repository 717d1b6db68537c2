// The page protocol: the dispatchers by page index, the page switch, the
// reset of the definitions, and the editing aids every page shares.
#include "UF_Main.h"

#include "BalloonHint.h"
#include "FieldIndicator.h"
#include "Utils.h"
#include "zyDF.h"
#include "zyGrid.h"
#include "zySD.h"
#include "zyUIL.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>

void TUF_Main::LoadPage(int page)
{
    if (ProtocolTrace)
        ProtocolTrace("load", page);
    switch (page) {
    case 0: LoadPage0(); break;
    case 1: LoadPage1(); break;
    case 2: LoadPage2(); break;
    case 3: LoadPage3(); break;
    default: break;
    }
}

void TUF_Main::SavePage(int page)
{
    if (ProtocolTrace)
        ProtocolTrace("save", page);
    switch (page) {
    case 0: SavePage0(); break;
    case 1: SavePage1(); break;
    case 2: SavePage2(); break;
    case 3: SavePage3(); break;
    default: break;
    }
}

void TUF_Main::UpdatePage(int page)
{
    UpdateProcessEnabled();
    if (ProtocolTrace)
        ProtocolTrace("update", page);
    switch (page) {
    case 0: UpdatePage0(); break;
    case 1: UpdatePage1(); break;
    case 2: UpdatePage2(); break;
    case 3: UpdatePage3(DSFCurrentRow()); break;
    default: break;
    }
}

int TUF_Main::DSFCurrentRow() const
{
    const auto* grid = findChild<TzyGrid*>(QStringLiteral("SG_DSF"));
    return grid ? grid->Row() : 1;
}

void TUF_Main::EnablePages(bool enabled)
{
    SetProcessEnabled(enabled);
    if (ProtocolTrace)
        ProtocolTrace(enabled ? "enable" : "disable", -1);
    EnablePage0(enabled);
    EnablePage1(enabled);
    EnablePage2(enabled);
    EnablePage3(enabled);
}

void TUF_Main::SetProcessEnabled(bool enabled)
{
    BBtn_Process->setEnabled(enabled);
}

void TUF_Main::UpdateProcessEnabled()
{
    BBtn_Process->setEnabled(SDs && SDs->Count() > 0);
}

void TUF_Main::ClearPages()
{
    Updating.fill(false);
    if (ProtocolTrace)
        ProtocolTrace("clear", -1);
    ClearPage0();
    ClearPage1();
    ClearPage2();
    ClearPage3();
}

void TUF_Main::RefreshPages()
{
    EnablePages(SDs && SDs->Count() > 0);
    LoadPage(CurrentPage);
    UpdatePage(CurrentPage);
}

void TUF_Main::PC_MainChange()
{
    BH_Main->HideHint();
    SavePage(CurrentPage);
    // The page left forgets which of its controls had the focus: coming back,
    // the focus goes to its first control (the tab widget walks the tab
    // order), not back into a date picker that would hold a keyboard user.
    if (QWidget* left = PC_Main->widget(CurrentPage))
        if (QWidget* remembered = left->focusWidget(); remembered && !remembered->hasFocus())
            remembered->clearFocus();
    CurrentPage = PC_Main->currentIndex();
    LoadPage(CurrentPage);
    UpdatePage(CurrentPage);
}

void TUF_Main::GoToPage(int page)
{
    if (page < 0 || page >= PC_Main->count())
        return;
    BH_Main->HideHint();
    SavePage(CurrentPage);
    CurrentPage = page;
    {
        const QSignalBlocker block(PC_Main);
        PC_Main->setCurrentIndex(page);
    }
    LoadPage(CurrentPage);
    UpdatePage(CurrentPage);
}

void TUF_Main::ResetSD(bool prompt)
{
    SavePage(CurrentPage);
    if (!DF || !DF->ResetSDs(prompt))
        return;
    ClearPages();
    RefreshPages();
}

// ---- editing aids -------------------------------------------------------------

void TUF_Main::SetImgState(QObject* image, const QString& hintText, bool warning)
{
    if (auto* indicator = qobject_cast<FieldIndicator*>(image))
        indicator->SetImgState(hintText, warning);
}

QString TUF_Main::MaxLengthText(int maxLength)
{
    return Utils::Format(UIT(703), {maxLength});
}

namespace {

// Keys that pass at the limit: Backspace, Tab, Enter and Esc. Other control
// characters (the Ctrl+C of a copy, for one) insert nothing and pass too.
bool insertsNothing(QChar key)
{
    const char16_t c = key.unicode();
    return c < 0x20 || c == 0x7F;
}

// Where the text ends inside the edit, in the edit's coordinates.
int textEndX(const QLineEdit* edit)
{
    QStyleOptionFrame opt;
    opt.initFrom(edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &opt, edit);
    const QMargins margins = edit->textMargins();
    const int x = contents.left() + margins.left() + 2 + edit->fontMetrics().horizontalAdvance(edit->displayText());
    return qMin(x, edit->width() - 2);
}

} // namespace

bool TUF_Main::WarnMaxLengthTB(QObject* sender, QChar& key, int maxLength)
{
    auto* edit = qobject_cast<QLineEdit*>(sender);
    if (!edit || edit->isReadOnly())
        return false;
    if (edit->text().size() != maxLength)
        return false;
    if (insertsNothing(key))
        return false;
    key = QChar();
    ShowBalloonAtTextEnd(edit, MaxLengthText(maxLength));
    return true;
}

void TUF_Main::ShowBalloonAtTextEnd(QLineEdit* edit, const QString& text)
{
    QPoint p(edit->text().isEmpty() ? 0 : textEndX(edit), edit->height());
    p = edit->mapToGlobal(p);
    BH_Main->ShowHint(QRect(p.x(), p.y() - edit->height(), 0, edit->height()), text);
}

bool TUF_Main::WarnMaxLengthKey(QObject* sender, QKeyEvent* event, int maxLength)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    QChar key = text.at(0);
    return WarnMaxLengthTB(sender, key, maxLength);
}

void TUF_Main::WarnMaxLengthSG(QObject* sender, QChar& key, int maxLength, const QRect& caretRect, bool& allowed)
{
    auto* grid = qobject_cast<TzyGrid*>(sender);
    if (!grid)
        return;
    const int col = grid->Col();
    const int row = grid->Row();
    if (grid->getCellReadOnly(col, row))
        return;
    if (grid->getCells(col, row).size() != maxLength)
        return;
    if (insertsNothing(key))
        return;
    key = QChar();
    allowed = false;
    const QPoint topLeft = grid->viewport()->mapToGlobal(caretRect.topLeft());
    BH_Main->ShowHint(QRect(topLeft, caretRect.size()), MaxLengthText(maxLength));
}

bool TUF_Main::KeyDownSelectAll(QObject* sender, QKeyEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(sender);
    if (!edit)
        return false;
    BH_Main->HideHint();
    if ((event->modifiers() & Qt::ControlModifier) && event->key() == Qt::Key_A) {
        edit->selectAll();
        return true;
    }
    return false;
}
