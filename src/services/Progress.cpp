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

void MemoryProgress::ResetProgress()
{
    m_lines.clear();
    m_currentStep = 0;
    m_stepPos = 0;
    m_stepVisible = false;
}

int MemoryProgress::AddStepIdx(const QString& text)
{
    ++m_currentStep;
    m_lines << Utils::Format(Progress::stepFormat(), {m_currentStep, text});
    return int(m_lines.size()) - 1;
}

void MemoryProgress::AddLine(const QString& text)
{
    m_lines << Utils::Format(Progress::noStepFormat(), {text});
}

void MemoryProgress::StartStepProgress(int max)
{
    m_stepPos = 0;
    m_stepMax = max;
    m_stepVisible = true;
}

void MemoryProgress::UpdateStepLine(const QString& text)
{
    if (m_lines.isEmpty())
        return;
    m_lines.last() = Utils::Format(Progress::stepFormat(), {m_currentStep, text});
    ++m_stepPos;
}

void MemoryProgress::AppendToLastLine(const QString& text)
{
    if (m_lines.isEmpty())
        return;
    m_lines.last() = Utils::Format(QStringLiteral(" %s %s "), {Utils::Trim(m_lines.last()), text});
}

void MemoryProgress::AppendToLine(const QString& text, int index)
{
    if (index < 0 || index >= m_lines.size())
        return;
    m_lines[index] = Utils::Format(QStringLiteral(" %s %s "), {Utils::Trim(m_lines[index]), text});
}

void MemoryProgress::Close()
{
    m_cancelled = false;
    m_visible = false;
}
