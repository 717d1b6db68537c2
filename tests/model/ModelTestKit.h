#pragma once
// What the model's tests share: recorders for the index error box and the
// standard dialog, a fake registry answer for the installed spreadsheet
// version, and the globals the definition reads (texts, application data,
// preferences, the spreadsheet layer).
#include "MachineKeys.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kit {

// Collects the index error boxes.
struct IndexErrors {
    QStringList texts;
    IndexErrors()
    {
        Utils::SetIndexReporter([this](const QString& text) { texts << text; });
    }
    ~IndexErrors() { Utils::SetIndexReporter(nullptr); }
    // The tag of box i, taken from its first line "<tag> Index is invalid.".
    QString tag(int i) const
    {
        const QString first = texts.value(i).section(QLatin1Char('\n'), 0, 0).section(QLatin1Char('\r'), 0, 0);
        return first.left(first.indexOf(QStringLiteral(" Index is invalid.")));
    }
    void clear() { texts.clear(); }
};

// Answers every standard dialog with `answer` and keeps the requests.
struct Prompter : StdDlg::IPrompter {
    int answer = StdDlg::mrNone;
    std::vector<StdDlg::Request> requests;
    Prompter() { StdDlg::setPrompter(this); }
    ~Prompter() override { StdDlg::setPrompter(nullptr); }
    StdDlg::Answer prompt(const StdDlg::Request& request) override
    {
        requests.push_back(request);
        StdDlg::Answer a;
        a.modalResult = answer;
        return a;
    }
};

// The registry's answer for the installed spreadsheet version: code 0 (none)
// or 1..7.
struct Excel {
    platform::MachineKeyTable keys;
    explicit Excel(int code = 7) { set(code); platform::setMachineKeys(&keys); }
    ~Excel()
    {
        platform::setMachineKeys(nullptr);
        XL.reset();
    }
    void set(int code)
    {
        static const char* const curVers[] = {nullptr, "8", "9", "10", "11", "12", "14", "15"};
        keys.clear();
        if (code >= 1 && code <= 7)
            keys.set(platform::RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
                     QStringLiteral("Excel.Application.") + QLatin1String(curVers[code]));
        XL = std::make_unique<TzyXL>();
    }
};

inline void initGlobals()
{
    InitUILs();
    if (!AD)
        AD = std::make_unique<TzyAD>();
    UP = std::make_unique<TzyUP>();
}

} // namespace kit
