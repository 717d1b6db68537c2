#pragma once
// The progress display of long operations as the engine and the spreadsheet
// layer drive it, and the cancel poll. The progress form implements
// IProgress; until it exists (and in tests) a silent recorder stands in.
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

// The silent abort: a cancelled operation unwinds with it, and the handlers
// tell it apart from failures.
class OperationAborted : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void ResetProgress() = 0;
    virtual void SetCaption(const QString& caption) = 0;
    virtual void SetTotalSteps(int n) = 0;
    virtual void SetCancelled(bool value) = 0;
    virtual bool Cancelled() const = 0;
    virtual void ShowStepProgress(bool visible) = 0;
    virtual void AddStep(const QString& text) = 0;
    virtual int AddStepIdx(const QString& text) = 0;
    virtual void AddLine(const QString& text) = 0;
    virtual void StartStepProgress(int max) = 0;
    virtual void UpdateStepLine(const QString& text) = 0;
    virtual void AppendToLastLine(const QString& text) = 0;
    virtual void AppendToLine(const QString& text, int index) = 0;
    virtual void Show() = 0;
    virtual void Close() = 0;
};

// The lines of a progress display: numbered step lines and plain lines in
// the formats of the plan under way. A counter may rewrite the last step line
// a million times between two reads, so that line is formatted only when the
// lines are read, in the format it was written in.
class ProgressLines {
public:
    void Clear();
    // The index of the new line.
    int AddStep(const QString& text);
    int AddLine(const QString& text);
    // False, and nothing changes, when there is no line.
    bool UpdateStepLine(const QString& text);
    // Appends " text" to the trimmed line; false when the index is out of range.
    bool AppendToLine(const QString& text, int index);
    bool AppendToLastLine(const QString& text) { return AppendToLine(text, Count() - 1); }

    int Count() const { return int(m_lines.size()); }
    int CurrentStep() const { return m_currentStep; }
    const QStringList& Lines() const;

private:
    void FormatPending() const;

    mutable QStringList m_lines;
    mutable QString m_pendingText;
    mutable QString m_pendingFormat;
    mutable bool m_pending = false;
    int m_currentStep = 0;
};

// Keeps the lines in memory; what runs without the progress form uses it.
class MemoryProgress : public IProgress {
public:
    void ResetProgress() override;
    void SetCaption(const QString& caption) override { m_caption = caption; }
    void SetTotalSteps(int n) override { m_totalSteps = n; }
    void SetCancelled(bool value) override { m_cancelled = value; }
    bool Cancelled() const override { return m_cancelled; }
    void ShowStepProgress(bool visible) override { m_stepVisible = visible; }
    void AddStep(const QString& text) override { AddStepIdx(text); }
    int AddStepIdx(const QString& text) override { return m_lines.AddStep(text); }
    void AddLine(const QString& text) override { m_lines.AddLine(text); }
    void StartStepProgress(int max) override;
    void UpdateStepLine(const QString& text) override;
    void AppendToLastLine(const QString& text) override { m_lines.AppendToLastLine(text); }
    void AppendToLine(const QString& text, int index) override { m_lines.AppendToLine(text, index); }
    void Show() override { m_visible = true; }
    void Close() override;

    const QStringList& lines() const { return m_lines.Lines(); }
    QString caption() const { return m_caption; }
    int currentStep() const { return m_lines.CurrentStep(); }
    int totalSteps() const { return m_totalSteps; }
    int stepPosition() const { return m_stepPos; }
    int stepMax() const { return m_stepMax; }
    bool stepVisible() const { return m_stepVisible; }
    bool visible() const { return m_visible; }

private:
    ProgressLines m_lines;
    QString m_caption;
    int m_totalSteps = 0;
    int m_stepPos = 0;
    int m_stepMax = 0;
    bool m_cancelled = false;
    bool m_stepVisible = false;
    bool m_visible = false;
};

namespace Progress {
// The progress display in use (the progress form once it exists).
IProgress& form();
void setForm(IProgress* p); // nullptr restores the in-memory one

// The line formats of the plan under way (" [%.2d] %s ", " [--] %s ").
using FormatSource = std::function<QString()>;
void setFormatSources(FormatSource stepFormat, FormatSource noStepFormat);
QString stepFormat();
QString noStepFormat();

// Pumps messages; when the user cancelled, clears the flag and raises the
// silent abort.
void PollCancel();
// Message pumping, injectable so engine tests run without an event loop.
void setPump(std::function<void()> pump);
void Pump();
} // namespace Progress
