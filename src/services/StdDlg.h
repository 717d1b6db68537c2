#pragma once
// The standard message dialog as every caller reaches it. Model, engine and
// layer code never raise a modal box themselves: they describe the message
// and a prompter shows it. The dialog form installs itself as the prompter at
// start-up; tests install a responder that records and answers.
#include <QString>
#include <QStringList>
#include <array>

namespace StdDlg {

// Message levels.
enum Level { Critical = 1, Warning = 2, Information = 3, Question = 4 };

// Modal results.
enum Result { mrNone = 0, mrOk = 1, mrCancel = 2, mrRetry = 4, mrYes = 6, mrNo = 7, mrClose = 11 };

// Glyph indexes of the buttons' pictures.
enum Glyph { glCancel = 10, glClose = 12, glContinue = 13, glNo = 27, glOk = 28, glRetry = 43, glYes = 54 };

struct Button {
    bool visible = false;
    QString hint;    // the caller's sentence; the shortcut line is added by the dialog
    QString caption;
    int modalResult = mrNone;
    int glyph = -1;
};

struct Request {
    int level = Information;
    QString msgId;
    QStringList lines;
    std::array<Button, 3> buttons; // left, middle, right (right: Esc presses it)
    bool hasCheckBox = false;
    QString checkCaption;
};

struct Answer {
    int modalResult = mrNone;
    bool checked = false;
};

class IPrompter {
public:
    virtual ~IPrompter() = default;
    virtual Answer prompt(const Request& request) = 0;
};

// nullptr restores the fallback, which answers with the rightmost button's
// result without showing anything (headless use before the forms exist).
void setPrompter(IPrompter* p);
IPrompter& prompter();

// One button (right).
int ShowMsg1(int level, const QString& msgId, const QStringList& lines,
             const QString& hint, const QString& caption, int modalResult, int glyph);
// Two buttons (middle, right).
int ShowMsg2(int level, const QString& msgId, const QStringList& lines,
             const QString& hintM, const QString& captionM, int modalResultM, int glyphM,
             const QString& hintR, const QString& captionR, int modalResultR, int glyphR);
// Check box and up to three buttons.
Answer ShowMsg3(int level, const QString& msgId, const QStringList& lines, const QString& cbCaption,
                const Button& left, const Button& middle, const Button& right);

// The most common message: one "&Close" button whose hint is the UI text
// `hintId` ("Close Dialogue.").
int ShowClose(int level, const QString& msgId, const QStringList& lines, int hintId);

// Buttons as the callers build them, hint given as text.
Button CloseButton(const QString& hint);
Button YesButton(const QString& hint);
Button NoButton(const QString& hint);
Button RetryButton(const QString& hint);
Button ContinueButton(const QString& hint);
Button CancelButton(const QString& hint);

} // namespace StdDlg
