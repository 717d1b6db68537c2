#include "StdDlg.h"

#include "zyUIL.h"

#include <cstdio>

namespace StdDlg {
namespace {

class FallbackPrompter : public IPrompter {
public:
    Answer prompt(const Request& r) override
    {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(r.msgId), qPrintable(r.lines.join(QLatin1Char('\n'))));
        for (int i = 2; i >= 0; --i)
            if (r.buttons[size_t(i)].visible)
                return {r.buttons[size_t(i)].modalResult, false};
        return {mrNone, false};
    }
};

IPrompter* g_prompter = nullptr;

Button make(const QString& hint, int captionId, int mr, int glyph)
{
    return {true, hint, UIT(captionId), mr, glyph};
}

} // namespace

void setPrompter(IPrompter* p)
{
    g_prompter = p;
}

IPrompter& prompter()
{
    static FallbackPrompter fallback;
    return g_prompter ? *g_prompter : fallback;
}

int ShowMsg1(int level, const QString& msgId, const QStringList& lines,
             const QString& hint, const QString& caption, int modalResult, int glyph)
{
    Request r{level, msgId, lines};
    r.buttons[2] = {true, hint, caption, modalResult, glyph};
    return prompter().prompt(r).modalResult;
}

int ShowMsg2(int level, const QString& msgId, const QStringList& lines,
             const QString& hintM, const QString& captionM, int modalResultM, int glyphM,
             const QString& hintR, const QString& captionR, int modalResultR, int glyphR)
{
    Request r{level, msgId, lines};
    r.buttons[1] = {true, hintM, captionM, modalResultM, glyphM};
    r.buttons[2] = {true, hintR, captionR, modalResultR, glyphR};
    return prompter().prompt(r).modalResult;
}

Answer ShowMsg3(int level, const QString& msgId, const QStringList& lines, const QString& cbCaption,
                const Button& left, const Button& middle, const Button& right)
{
    Request r{level, msgId, lines};
    r.hasCheckBox = true;
    r.checkCaption = cbCaption;
    r.buttons = {left, middle, right};
    return prompter().prompt(r);
}

int ShowClose(int level, const QString& msgId, const QStringList& lines, int hintId)
{
    return ShowMsg1(level, msgId, lines, UIT(hintId), UIT(289), mrClose, glClose);
}

Button CloseButton(const QString& hint) { return make(hint, 289, mrClose, glClose); }
Button YesButton(const QString& hint) { return make(hint, 294, mrYes, glYes); }
Button NoButton(const QString& hint) { return make(hint, 291, mrNo, glNo); }
Button RetryButton(const QString& hint) { return make(hint, 293, mrRetry, glRetry); }
Button ContinueButton(const QString& hint) { return make(hint, 290, mrYes, glContinue); }
Button CancelButton(const QString& hint) { return make(hint, 288, mrCancel, glCancel); }

} // namespace StdDlg
