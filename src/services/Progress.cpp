#include "Progress.h"

#include "Format.h"
#include "Utils.h"

#include <QCoreApplication>

namespace Progress {
namespace {
IProgress* g_form = nullptr;
FormatSource g_step;
FormatSource g_noStep;
std::function<void()> g_pump;
} // namespace

IProgress& form()
{
    static MemoryProgress memory;
    return g_form ? *g_form : memory;
}

void setForm(IProgress* p)
{
    g_form = p;
}

void setFormatSources(FormatSource stepFormat, FormatSource noStepFormat)
{
    g_step = std::move(stepFormat);
    g_noStep = std::move(noStepFormat);
}

QString stepFormat()
{
    return g_step ? g_step() : QStringLiteral(" [%.2d] %s ");
}

QString noStepFormat()
{
    return g_noStep ? g_noStep() : QStringLiteral(" [--] %s ");
}

void setPump(std::function<void()> pump)
{
    g_pump = std::move(pump);
}

void Pump()
{
    if (g_pump)
        g_pump();
    else if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void PollCancel()
{
    Pump();
    IProgress& p = form();
    if (p.Cancelled()) {
        p.SetCancelled(false);
        throw OperationAborted();
    }
}

} // namespace Progress

void ProgressLines::Clear()
{
    m_lines.clear();
    m_pending = false;
    m_pendingText.clear();
    m_pendingFormat.clear();
    m_currentStep = 0;
}

int ProgressLines::AddStep(const QString& text)
{
    FormatPending();
    ++m_currentStep;
    m_lines << Utils::Format(Progress::stepFormat(), {m_currentStep, text});
    return Count() - 1;
}

int ProgressLines::AddLine(const QString& text)
{
    FormatPending();
    m_lines << Utils::Format(Progress::noStepFormat(), {text});
    return Count() - 1;
}

bool ProgressLines::UpdateStepLine(const QString& text)
{
    if (m_lines.isEmpty())
        return false;
    m_pendingText = text;
    m_pendingFormat = Progress::stepFormat();
    m_pending = true;
    return true;
}

bool ProgressLines::AppendToLine(const QString& text, int index)
{
    if (index < 0 || index >= Count())
        return false;
    FormatPending();
    m_lines[index] = Utils::Format(QStringLiteral(" %s %s "), {Utils::Trim(m_lines.at(index)), text});
    return true;
}

const QStringList& ProgressLines::Lines() const
{
    FormatPending();
    return m_lines;
}

void ProgressLines::FormatPending() const
{
    if (!m_pending)
        return;
    m_pending = false;
    m_lines.last() = Utils::Format(m_pendingFormat, {m_currentStep, m_pendingText});
}

void MemoryProgress::ResetProgress()
{
    m_lines.Clear();
    m_stepPos = 0;
    m_stepVisible = false;
}

void MemoryProgress::StartStepProgress(int max)
{
    m_stepPos = 0;
    m_stepMax = max;
    m_stepVisible = true;
}

void MemoryProgress::UpdateStepLine(const QString& text)
{
    if (m_lines.UpdateStepLine(text))
        ++m_stepPos;
}

void MemoryProgress::Close()
{
    m_cancelled = false;
    m_visible = false;
}
