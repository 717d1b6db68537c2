#pragma once
// The placement records of the six resizable forms: normal bounds and
// maximised state, kept per user between runs. The records work with plain
// rectangles against the work area (platform::workArea()); each form applies
// the result to itself.
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

// Record numbers of the forms.
enum WMsIndex {
    wmMain = 1,       // UF_Main
    wmBrowseFld = 2,  // UF_BrowseFld
    wmBrowseVal = 3,  // UF_BrowseVal
    wmBrowseWS = 4,   // UF_BrowseWS
    wmCfgErr = 5,     // UF_CfgErr
    wmSummary = 6,    // UF_Summary
    wmCount = 6
};

// The default width x height a form gives its record when it is created.
QSize WMDefaultSize(int index);

// Where a form is to go: its normal bounds and whether it is maximised (the
// state counts only where the size is applied or reset; otherwise the form
// keeps its state).
struct FormPlacement {
    QRect bounds;
    bool maximised = false;
};

// The window state a form reports when its placement is read.
enum class FormState { Normal, Maximised, Minimised };

class TzyWM {
public:
    TzyWM();
    void Reset();

    int Left() const { return m_Left; }
    int Top() const { return m_Top; }
    int Height() const { return m_Height; }
    int Width() const { return m_Width; }
    int WindowSize() const { return m_WindowSize; }
    bool WasMaximised() const { return m_WasMaximised; }
    bool FormPositionReset() const { return m_FormPositionReset; }
    int DefaultHeight() const { return m_DefaultHeight; }
    int DefaultWidth() const { return m_DefaultWidth; }

    void SetLeft(int v);
    void SetTop(int v);
    void SetHeight(int v);
    void SetWidth(int v);
    // A stored size other than 0 and 1 is first made 0.
    void SetWindowSize(int v);
    void SetWasMaximised(bool v);
    void SetFormPositionReset(bool v);
    void SetDefaultHeight(int v);
    void SetDefaultWidth(int v);

    // Where the form goes when the record is applied. `currentSize` is the
    // form's size, used when the size is not applied; `minSize` its minimum.
    // A pending reset of the position is consumed.
    FormPlacement ApplyToForm(const QSize& currentSize, const QSize& minSize, bool applySize);
    // Captures a form's placement: `normalBounds` are its normal (restored)
    // bounds, also while maximised or minimised.
    void ReadFromForm(const QRect& normalBounds, FormState state, const QSize& minSize, bool captureSize);
    // Centres the form on the work area, with its default size when
    // `resetSize` (the form is then made normal), and marks the record for
    // re-centring the next time the form is shown.
    FormPlacement ResetForm(const QSize& currentSize, bool resetSize);

    // The top-left corner that centres a form of this size on the work area.
    static QPoint CentredOnWorkArea(const QSize& size);

private:
    int m_Left, m_Top, m_Height, m_Width, m_WindowSize;
    bool m_WasMaximised, m_FormPositionReset;
    int m_DefaultHeight = 0, m_DefaultWidth = 0;
};

class TzyWMs {
public:
    TzyWMs();

    const QString RegKey;

    int HighIndex() const { return int(m_items.size()) - 1; }
    int Add();
    // A bad index is reported and yields record 0.
    TzyWM& getItems(int index);

    void Validate();
    // Reads the six values of every record; a value that cannot be read
    // keeps its reset value and the others go on. Failures are reported once;
    // false then.
    bool Load();
    bool SaveAll();
    bool SaveItem(int index);

    // The key of record `index` ("...\WMs\WM_3").
    QString ItemKey(int index) const;

private:
    void writeItem(int index);
    std::vector<std::unique_ptr<TzyWM>> m_items;
};

extern std::unique_ptr<TzyWMs> WMs;
