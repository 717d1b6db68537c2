#pragma once
// What the forms' tests share: the global objects the main form reads
// (texts, application data, preferences, placements, definitions), a
// recording prompter, a recording shell and a fixed work area.
#include "Shell.h"
#include "StdDlg.h"
#include "Utils.h"
#include "WorkArea.h"
#include "zyAD.h"
#include "zyDF.h"
#include "zyDV.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"

#include <QApplication>
#include <QFont>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace formskit {

// The font and style the pixel checks rely on.
inline void FixLook(int pointSize = 9)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(pointSize);
    QApplication::setFont(f);
    Utils::InitFontMetrics();
    Utils::SetPadsFromFontHeight(FontHeight);
}

// The globals the main form uses; freed in the program's order.
struct Globals {
    Globals()
    {
        InitUILs();
        AD = std::make_unique<TzyAD>();
        DV = std::make_unique<TzyDV>();
        UP = std::make_unique<TzyUP>();
        WMs = std::make_unique<TzyWMs>();
        while (WMs->HighIndex() < 6)
            WMs->Add();
        WMs->Validate();
        SDs = std::make_unique<TzySDs>();
        DF = std::make_unique<TzyDF>();
    }
    ~Globals()
    {
        DV.reset();
        DF.reset();
        SDs.reset();
        WMs.reset();
        UP.reset();
        AD.reset();
        FreeUILs();
    }
};

// Answers every standard dialog and keeps the requests.
struct Prompter : StdDlg::IPrompter {
    StdDlg::Answer answer;
    std::vector<StdDlg::Request> requests;
    Prompter() { StdDlg::setPrompter(this); }
    ~Prompter() override { StdDlg::setPrompter(nullptr); }
    StdDlg::Answer prompt(const StdDlg::Request& request) override
    {
        requests.push_back(request);
        return answer;
    }
};

// Records what would have been opened; failLate(i) is the i-th opener
// failing after it started (by default for want of a program for the file),
// told to its caller while the caller's window lives.
struct Shell : platform::IShell {
    QStringList opened;
    int result = 42; // platform::kShellNoOpener: no program for the file
    std::vector<std::pair<QPointer<QObject>, platform::OpenFailed>> pending;
    Shell() { platform::setShell(this); }
    ~Shell() override { platform::setShell(nullptr); }
    int open(const QString& file, const QString&, const QString&, int, QObject* context,
             platform::OpenFailed failed) override
    {
        opened << file;
        pending.emplace_back(context, std::move(failed));
        return result;
    }
    void failLate(size_t i, platform::OpenerFailure why = platform::OpenerFailure::NoProgram)
    {
        if (pending.at(i).first && pending.at(i).second)
            pending.at(i).second(why);
    }
};

struct WorkArea {
    explicit WorkArea(const QRect& r) { platform::setWorkArea(r); }
    ~WorkArea() { platform::setWorkArea(std::nullopt); }
};

} // namespace formskit
