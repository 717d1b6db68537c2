#include "zyWM.h"

#include "REG_Utils.h"
#include "Utils.h"
#include "WorkArea.h"
#include "zyUP.h"

#include <QStringList>
#include <algorithm>

std::unique_ptr<TzyWMs> WMs;

namespace {

constexpr auto CU = platform::RootKey::CurrentUser;

// Raised to the minimum, then cut to the work area.
int fitLength(int length, int minimum, int available)
{
    return std::min(std::max(length, minimum), available);
}

// Keeps [pos, pos + length) inside [low, low + available): the far edge is
// brought in first, so a form larger than the work area keeps its title bar
// and left edge on the screen.
int fitPosition(int pos, int length, int low, int available)
{
    if (pos + length > low + available)
        pos = low + available - length;
    return std::max(pos, low);
}

} // namespace

QSize WMDefaultSize(int index)
{
    switch (index) {
    case wmMain: return {620, 610};
    case wmBrowseFld:
    case wmBrowseVal:
    case wmBrowseWS: return {480, 360};
    case wmCfgErr: return {400, 360};
    case wmSummary: return {800, 600};
    default: return {};
    }
}

// ---- TzyWM ----

TzyWM::TzyWM()
{
    Reset();
}

void TzyWM::Reset()
{
    m_Left = m_Top = m_Height = m_Width = -1;
    m_WindowSize = 0;
    m_WasMaximised = m_FormPositionReset = false;
}

void TzyWM::SetLeft(int v) { m_Left = v; }
void TzyWM::SetTop(int v) { m_Top = v; }
void TzyWM::SetHeight(int v) { m_Height = v; }
void TzyWM::SetWidth(int v) { m_Width = v; }
void TzyWM::SetWasMaximised(bool v) { m_WasMaximised = v; }
void TzyWM::SetFormPositionReset(bool v) { m_FormPositionReset = v; }
void TzyWM::SetDefaultHeight(int v) { m_DefaultHeight = v; }
void TzyWM::SetDefaultWidth(int v) { m_DefaultWidth = v; }
void TzyWM::SetWindowSize(int v) { m_WindowSize = v; }

QPoint TzyWM::CentredOnWorkArea(const QSize& size)
{
    const QRect wa = platform::workArea();
    return {wa.left() + (wa.width() - size.width()) / 2, wa.top() + (wa.height() - size.height()) / 2};
}

FormPlacement TzyWM::ApplyToForm(const QSize& currentSize, const QSize& minSize, bool applySize)
{
    const QRect wa = platform::workArea();
    FormPlacement p;
    QSize size = currentSize;
    if (applySize) {
        const int h = m_Height < 0 ? m_DefaultHeight : m_Height;
        const int w = m_Width < 0 ? m_DefaultWidth : m_Width;
        size = {fitLength(w, minSize.width(), wa.width()), fitLength(h, minSize.height(), wa.height())};
        p.maximised = m_WindowSize == 1;
    }
    if (m_FormPositionReset) {
        m_Left = m_Top = -1;
        m_FormPositionReset = false;
    }
    const QPoint centre = CentredOnWorkArea(size);
    const int left = m_Left < 0 ? centre.x() : m_Left;
    const int top = m_Top < 0 ? centre.y() : m_Top;
    p.bounds = QRect(QPoint(fitPosition(left, size.width(), wa.left(), wa.width()),
                            fitPosition(top, size.height(), wa.top(), wa.height())),
                     size);
    return p;
}

void TzyWM::ReadFromForm(const QRect& normalBounds, FormState state, const QSize& minSize, bool captureSize)
{
    SetLeft(std::max(normalBounds.left(), 0));
    SetTop(std::max(normalBounds.top(), 0));
    if (!captureSize)
        return;
    const QRect wa = platform::workArea();
    SetHeight(fitLength(normalBounds.height(), minSize.height(), wa.height()));
    SetWidth(fitLength(normalBounds.width(), minSize.width(), wa.width()));
    const bool maximised = state == FormState::Maximised
        || (state == FormState::Minimised && m_WasMaximised);
    SetWindowSize(maximised ? 1 : 0);
}

FormPlacement TzyWM::ResetForm(const QSize& currentSize, bool resetSize)
{
    const QRect wa = platform::workArea();
    QSize size = currentSize;
    if (resetSize) {
        SetWindowSize(0);
        SetHeight(m_DefaultHeight);
        SetWidth(m_DefaultWidth);
        size = {m_DefaultWidth, m_DefaultHeight};
    }
    const QPoint centre = CentredOnWorkArea(size);
    FormPlacement p;
    p.bounds = QRect(QPoint(fitPosition(centre.x(), size.width(), wa.left(), wa.width()),
                            fitPosition(centre.y(), size.height(), wa.top(), wa.height())),
                     size);
    SetLeft(p.bounds.left());
    SetTop(p.bounds.top());
    SetFormPositionReset(true);
    return p;
}

// ---- TzyWMs ----

TzyWMs::TzyWMs()
    : RegKey(QStringLiteral("Software\\Kelvane\\Tarvo ZOL Lumo\\WMs"))
{
    m_items.push_back(std::make_unique<TzyWM>());
}

int TzyWMs::Add()
{
    m_items.push_back(std::make_unique<TzyWM>());
    return HighIndex();
}

TzyWM& TzyWMs::getItems(int index)
{
    if (Utils::CheckIndex(index, 0, HighIndex(), QStringLiteral("WM.getItems")))
        index = 0;
    return *m_items[size_t(index)];
}

QString TzyWMs::ItemKey(int index) const
{
    return RegKey + QStringLiteral("\\WM_") + QString::number(index);
}

void TzyWMs::Validate()
{
    for (int n = 1; n <= HighIndex(); ++n) {
        TzyWM& wm = *m_items[size_t(n)];
        if (wm.Left() < -1)
            wm.SetLeft(-1);
        if (wm.Top() < -1)
            wm.SetTop(-1);
        if (wm.Height() < -1)
            wm.SetHeight(-1);
        if (wm.Width() < -1)
            wm.SetWidth(-1);
        if (wm.WindowSize() != 0 && wm.WindowSize() != 1)
            wm.SetWindowSize(0);
    }
}

bool TzyWMs::Load()
{
    Utils::RegistryLoadErrors errors;
    for (int n = 1; n <= HighIndex(); ++n) {
        TzyWM& wm = *m_items[size_t(n)];
        const QString key = ItemKey(n);
        // A value that cannot be read keeps its reset value; the rest go on.
        auto i = [&](const char* name, int def, void (TzyWM::*set)(int)) {
            int v = def;
            errors.attempt([&] { v = REG_Utils::ReadInteger(CU, key, QLatin1String(name), def); });
            (wm.*set)(v);
        };
        i("Left", -1, &TzyWM::SetLeft);
        i("Top", -1, &TzyWM::SetTop);
        i("Height", -1, &TzyWM::SetHeight);
        i("Width", -1, &TzyWM::SetWidth);
        i("WindowSize", 0, &TzyWM::SetWindowSize);
        bool reset = false;
        errors.attempt([&] { reset = REG_Utils::ReadBool(CU, key, QStringLiteral("FormPositionReset"), false); });
        wm.SetFormPositionReset(reset);
    }
    return errors.report();
}

void TzyWMs::writeItem(int index)
{
    const TzyWM& wm = *m_items[size_t(index)];
    const QString key = ItemKey(index);
    REG_Utils::WriteInteger(CU, key, QStringLiteral("Left"), wm.Left());
    REG_Utils::WriteInteger(CU, key, QStringLiteral("Top"), wm.Top());
    REG_Utils::WriteInteger(CU, key, QStringLiteral("Height"), wm.Height());
    REG_Utils::WriteInteger(CU, key, QStringLiteral("Width"), wm.Width());
    REG_Utils::WriteInteger(CU, key, QStringLiteral("WindowSize"), wm.WindowSize());
    REG_Utils::WriteBool(CU, key, QStringLiteral("FormPositionReset"), wm.FormPositionReset());
}

bool TzyWMs::SaveAll()
{
    return Utils::SaveRegistryValues([this] {
        for (int n = 1; n <= HighIndex(); ++n)
            writeItem(n);
    });
}

bool TzyWMs::SaveItem(int index)
{
    // Slot 0 is no form's record; an index outside the records is a fault.
    if (Utils::CheckIndex(index, 1, HighIndex(), QStringLiteral("WM.SaveItem")))
        return false;
    return Utils::SaveRegistryValues([this, index] { writeItem(index); });
}
