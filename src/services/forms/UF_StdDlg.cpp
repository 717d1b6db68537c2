#include "UF_StdDlg.h"

#include "FormHooks.h"
#include "FormText.h"
#include "Glyphs.h"
#include "Utils.h"
#include "WindowOwner.h"
#include "WorkArea.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

TUF_StdDlg* UF_StdDlg = nullptr;

namespace {

constexpr int kImagePanelWidth = 48;
constexpr int kSpacerWidth = 8;
constexpr int kPictureSize = 32;

// A dialog with a title and a close box and nothing else: the manager gets
// Motif hints that name the decorations and functions, minimise and maximise
// left out.
constexpr Qt::WindowFlags kBoxFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

const char* const kSlotTags[3] = {"UF_StdDlg.SetupBBtn_L", "UF_StdDlg.SetupBBtn_M", "UF_StdDlg.SetupBBtn_R"};

// The caption as drawn: mnemonic markers are not shown.
QString withoutMnemonics(QString s)
{
    s.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    s.remove(QLatin1Char('&'));
    s.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return s;
}

QFrame* topBevel(QWidget* panel)
{
    auto* f = new QFrame(panel);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

} // namespace

TUF_StdDlg::TUF_StdDlg()
    : QDialog(nullptr, kBoxFlags)
{
    FormHooks::SplashStatus(FormText::Padded(UIT(28)));
    Build();
    StdDlg::setPrompter(this);
}

TUF_StdDlg::TUF_StdDlg(Nested)
    : QDialog(nullptr, kBoxFlags)
{
    Build();
}

void TUF_StdDlg::Build()
{
    setModal(true);
    setSizeGripEnabled(false);

    QFont f = font();
    Utils::SetSystemFont(f);
    setFont(f);

    m_imgPanel = new QWidget(this);
    const Glyphs::Picture pictures[4] = {Glyphs::Picture::Critical, Glyphs::Picture::Warning,
                                         Glyphs::Picture::Info, Glyphs::Picture::Question};
    for (int i = 0; i < 4; ++i) {
        m_img[i] = new QLabel(m_imgPanel);
        m_img[i]->setPixmap(Glyphs::Level32(pictures[i]));
        m_img[i]->setGeometry(i == 0 ? 10 : 8, 8, kPictureSize, kPictureSize);
        m_img[i]->hide();
    }

    m_memo = new QPlainTextEdit(this);
    m_memo->setReadOnly(true);
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Out of the tab order, but the text can be selected and copied.
    m_memo->setFocusPolicy(Qt::ClickFocus);
    m_memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->document()->setDocumentMargin(0);
    QPalette pal = m_memo->palette();
    pal.setColor(QPalette::Base, palette().color(QPalette::Button));
    m_memo->setPalette(pal);

    m_spacer = new QWidget(this);

    m_cbPanel = new QWidget(this);
    m_cbBevel = topBevel(m_cbPanel);
    m_cb = new QCheckBox(m_cbPanel);
    connect(m_cb, &QCheckBox::clicked, this, [this] {
        if (!m_cbGuard && !m_btnPanel->isHidden())
            m_btnPanel->setFocus();
    });

    m_btnPanel = new QWidget(this);
    m_btnPanel->setFocusPolicy(Qt::StrongFocus);
    m_btnBevel = topBevel(m_btnPanel);
    m_msgId = new QLabel(m_btnPanel);
    m_msgId->setEnabled(false);
    m_msgId->hide();
    for (int i = 0; i < 3; ++i) {
        m_btn[i] = new QPushButton(m_btnPanel);
        m_btn[i]->setAutoDefault(false);
        m_btn[i]->setDefault(false);
        m_btn[i]->setIconSize(QSize(16, 16));
        connect(m_btn[i], &QPushButton::clicked, this, [this, i] { done(m_modalResult[i]); });
    }

    SetSizes();
    m_memoLines = MemoLines({}, m_memo->font(), 0);
    m_memo->setPlainText(m_memoLines.join(QLatin1Char('\n')));
    FitToWorkArea();
}

TUF_StdDlg::~TUF_StdDlg()
{
    if (&StdDlg::prompter() == this)
        StdDlg::setPrompter(nullptr);
}

// ---- set-up operations -----------------------------------------------------

void TUF_StdDlg::ShowMsg1(int level, const QString& msgId, const QString& hint, const QString& caption,
                          int modalResult, int glyphIndex)
{
    m_cbPanel->hide();
    m_btn[0]->hide();
    m_btn[1]->hide();
    SetupButton(2, hint, true, caption, modalResult, glyphIndex);
    m_btnPanel->show();
    Setup(level, msgId);
}

void TUF_StdDlg::ShowMsg2(int level, const QString& msgId,
                          const QString& hintM, const QString& captionM, int modalResultM, int glyphIndexM,
                          const QString& hintR, const QString& captionR, int modalResultR, int glyphIndexR)
{
    m_cbPanel->hide();
    m_btn[0]->hide();
    SetupButton(1, hintM, true, captionM, modalResultM, glyphIndexM);
    SetupButton(2, hintR, true, captionR, modalResultR, glyphIndexR);
    m_btnPanel->show();
    Setup(level, msgId);
}

void TUF_StdDlg::ShowMsg3(int level, const QString& msgId, const QString& cbCaption,
                          const QString& hintL, bool visibleL, const QString& captionL, int modalResultL, int glyphIndexL,
                          const QString& hintM, bool visibleM, const QString& captionM, int modalResultM, int glyphIndexM,
                          const QString& hintR, bool visibleR, const QString& captionR, int modalResultR, int glyphIndexR)
{
    m_cbGuard = true;
    m_cb->setText(cbCaption);
    m_cb->setChecked(false);
    m_cbGuard = false;
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_cb)
        + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, m_cb);
    m_cb->resize(indicator + 2 + m_cb->fontMetrics().horizontalAdvance(withoutMnemonics(cbCaption)), m_cb->height());
    m_cbPanel->show();
    SetupButton(0, hintL, visibleL, captionL, modalResultL, glyphIndexL);
    SetupButton(1, hintM, visibleM, captionM, modalResultM, glyphIndexM);
    SetupButton(2, hintR, visibleR, captionR, modalResultR, glyphIndexR);
    m_btnPanel->show();
    Setup(level, msgId);
}

void TUF_StdDlg::SetupButton(int slot, const QString& hint, bool visible, const QString& caption, int modalResult,
                             int glyphIndex)
{
    // A hidden button is not set up: callers leave its glyph unset.
    m_btn[slot]->setVisible(visible);
    if (!visible)
        return;
    SetupBBtn(slot, caption, modalResult, glyphIndex);
    m_btn[slot]->setToolTip(FormText::OnScreen(GetBtnHint(glyphIndex, hint)));
}

void TUF_StdDlg::SetupBBtn(int slot, const QString& caption, int modalResult, int glyphIndex)
{
    QPushButton* b = m_btn[slot];
    b->setText(caption);
    m_modalResult[slot] = modalResult;
    b->setIcon(QIcon());
    m_hasGlyph[slot] = false;
    if (!Utils::CheckIndex(glyphIndex, 0, Glyphs::LastIndex(), QString::fromLatin1(kSlotTags[slot]))) {
        b->setIcon(QIcon(Glyphs::Button16(glyphIndex)));
        m_hasGlyph[slot] = true;
    }
}

QString TUF_StdDlg::GetBtnHint(int glyphIndex, const QString& hint)
{
    int shortcutId = 0;
    switch (glyphIndex) {
    case StdDlg::glCancel: shortcutId = 938; break;
    case StdDlg::glClose: shortcutId = 939; break;
    case StdDlg::glContinue: shortcutId = 940; break;
    case StdDlg::glNo: shortcutId = 941; break;
    case StdDlg::glOk: shortcutId = 942; break;
    case StdDlg::glRetry: shortcutId = 943; break;
    case StdDlg::glYes: shortcutId = 944; break;
    default: return hint;
    }
    return hint + QStringLiteral("\r\n") + UIT(shortcutId);
}

void TUF_StdDlg::Prepare(const StdDlg::Request& r)
{
    Msgs = r.lines;
    const StdDlg::Button& L = r.buttons[0];
    const StdDlg::Button& M = r.buttons[1];
    const StdDlg::Button& R = r.buttons[2];
    if (r.hasCheckBox || L.visible || !R.visible)
        ShowMsg3(r.level, r.msgId, r.checkCaption,
                 L.hint, L.visible, L.caption, L.modalResult, L.glyph,
                 M.hint, M.visible, M.caption, M.modalResult, M.glyph,
                 R.hint, R.visible, R.caption, R.modalResult, R.glyph);
    else if (M.visible)
        ShowMsg2(r.level, r.msgId, M.hint, M.caption, M.modalResult, M.glyph,
                 R.hint, R.caption, R.modalResult, R.glyph);
    else
        ShowMsg1(r.level, r.msgId, R.hint, R.caption, R.modalResult, R.glyph);
    if (!r.hasCheckBox)
        m_cbPanel->hide();
}

StdDlg::Answer TUF_StdDlg::prompt(const StdDlg::Request& request)
{
    // A message raised while this one is open (from a handler run by its
    // modal loop) gets a dialog of its own rather than overwriting it.
    if (isVisible()) {
        TUF_StdDlg nested{Nested{}};
        return nested.prompt(request);
    }
    Prepare(request);
    const int result = exec();
    return {result, !m_cbPanel->isHidden() && m_cb->isChecked()};
}

bool TUF_StdDlg::CheckBoxChecked() const
{
    return m_cb->isChecked();
}

QPushButton* TUF_StdDlg::Button(int slot) const
{
    return (slot >= 0 && slot < 3) ? m_btn[slot] : nullptr;
}

int TUF_StdDlg::ButtonModalResult(int slot) const
{
    return (slot >= 0 && slot < 3) ? m_modalResult[slot] : StdDlg::mrNone;
}

bool TUF_StdDlg::ButtonHasGlyph(int slot) const
{
    return slot >= 0 && slot < 3 && m_hasGlyph[slot];
}

int TUF_StdDlg::VisiblePicture() const
{
    for (int i = 0; i < 4; ++i)
        if (!m_img[i]->isHidden())
            return i + 1;
    return 0;
}

// ---- level set-up and the memo ---------------------------------------------

void TUF_StdDlg::Setup(int level, const QString& msgId)
{
    m_msgId->setText(FormText::Padded(msgId));
    m_msgId->adjustSize();
    for (QLabel* img : m_img)
        img->hide();
    if (level >= StdDlg::Critical && level <= StdDlg::Question) {
        m_img[level - 1]->show();
        setWindowTitle(FormText::Padded(Utils::Format(UIT(279 + level), {TzyAD::ProductName()})));
    }

    const QFontMetrics fm(m_memo->font());
    m_textWidthLimit = platform::workArea().width() - FrameExtra().width() - kSpacerWidth
        - 2 * fm.horizontalAdvance(QStringLiteral("  ")) - kImagePanelWidth;

    m_memoLines = MemoLines(Msgs, m_memo->font(), m_textWidthLimit);
    m_memo->setPlainText(m_memoLines.join(QLatin1Char('\n')));
    FitToWorkArea();
}

QStringList TUF_StdDlg::MemoLines(const QStringList& msgs, const QFont& font, int textWidthLimit)
{
    const QFontMetrics fm(font);
    const QChar blank(QLatin1Char(' '));
    QStringList memo;
    auto add = [&](QString& pending) {
        memo << blank + pending + blank;
        pending.clear();
    };
    for (QString line : msgs) {
        line.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
        QString pending;
        for (qsizetype i = 0; i < line.size();) {
            const QChar c = line.at(i);
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                add(pending);
                ++i;
                continue;
            }
            // A surrogate pair is one character: never split it.
            const qsizetype len = (c.isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate()) ? 2 : 1;
            const QString ch = line.mid(i, len);
            i += len;
            pending += ch;
            if (fm.horizontalAdvance(pending) >= textWidthLimit - fm.horizontalAdvance(ch))
                add(pending);
        }
        add(pending);
    }

    const QString text = Utils::Trim(memo.join(QLatin1Char('\n')));
    QStringList out;
    if (!text.isEmpty())
        out = text.split(QLatin1Char('\n'));
    out.prepend(QString());
    if (out.size() >= 2)
        out[1] = blank + out[1] + blank;
    out.append(QString());
    return out;
}

// ---- sizes, positions, fit --------------------------------------------------

void TUF_StdDlg::SetSizes()
{
    const int cbHeight = std::max(FontHeight, m_cb->sizeHint().height());
    m_cb->setGeometry(8, 6, m_cb->width(), cbHeight);
    m_cbPanel->resize(m_cbPanel->width(), cbHeight + 12);

    const int btnHeight = FontHeight + BBtnPad;
    const int btnWidth = Utils::ScaleWidth(80);
    for (QPushButton* b : m_btn)
        b->resize(btnWidth, btnHeight);
    m_btnPanel->resize(m_btnPanel->width(), btnHeight + 12);
}

void TUF_StdDlg::SetPositions()
{
    const int w = width();
    int bottom = height();
    if (!m_btnPanel->isHidden()) {
        bottom -= m_btnPanel->height();
        m_btnPanel->setGeometry(0, bottom, w, m_btnPanel->height());
    }
    if (!m_cbPanel->isHidden()) {
        bottom -= m_cbPanel->height();
        m_cbPanel->setGeometry(0, bottom, w, m_cbPanel->height());
    }
    m_imgPanel->setGeometry(0, 0, kImagePanelWidth, bottom);
    m_spacer->setGeometry(w - kSpacerWidth, 0, kSpacerWidth, bottom);
    m_memo->setGeometry(kImagePanelWidth, 0, std::max(0, w - kImagePanelWidth - kSpacerWidth), bottom);

    m_cbBevel->setGeometry(0, 0, w, 2);
    m_btnBevel->setGeometry(0, 0, w, 2);

    // Buttons keep their slotCount whether shown or not.
    const int bw = m_btn[2]->width();
    const int by = (m_btnPanel->height() - m_btn[2]->height()) / 2;
    m_btn[2]->move(w - 8 - bw, by);
    m_btn[1]->move(m_btn[2]->x() - 8 - bw, by);
    m_btn[0]->move(m_btn[1]->x() - 8 - bw, by);
    m_msgId->move(8, (m_btnPanel->height() - m_msgId->height()) / 2);
}

QSize TUF_StdDlg::MinimumClientSize() const
{
    const QFontMetrics fm(m_memo->font());
    const int lineHeight = std::max(fm.height(), fm.lineSpacing());
    int h = std::max(lineHeight * (int(m_memoLines.size()) + 1), kPictureSize + 14);
    if (!m_cbPanel->isHidden())
        h += m_cbPanel->height();
    if (!m_btnPanel->isHidden())
        h += m_btnPanel->height();

    int w = Utils::GetCaptionWidth(windowTitle(), false, true);
    const int scroll = m_memoScrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    for (const QString& line : m_memoLines)
        w = std::max(w, fm.horizontalAdvance(line) + kImagePanelWidth + 10 + kSpacerWidth + scroll);
    if (!m_cbPanel->isHidden())
        w = std::max(w, m_cb->geometry().right() + 1 + 8);
    if (!m_btnPanel->isHidden()) {
        // The row reaches from the message id to the leftmost shown slot, so
        // a left button whose middle neighbour is hidden is never cut off.
        int slotCount = 0;
        for (int i = 0; i < 3; ++i)
            if (!m_btn[i]->isHidden()) {
                slotCount = 3 - i;
                break;
            }
        const int bw = m_btn[2]->width();
        w = std::max(w, m_msgId->width() + 8 + slotCount * (bw + 8) + 8);
    }
    return {w, h};
}

QSize TUF_StdDlg::FrameExtra() const
{
    // Known once the window has been shown; before that it counts as none.
    return frameGeometry().size() - size();
}

void TUF_StdDlg::FitToWorkArea()
{
    const QRect wa = platform::workArea();
    const QSize frame = FrameExtra();

    m_memoScrolls = false;
    QSize min = MinimumClientSize();
    int h = min.height();
    if (h + frame.height() > wa.height()) {
        h = std::max(0, wa.height() - frame.height());
        m_memoScrolls = true;
        min = MinimumClientSize();
    }
    const int w = std::min(std::max(0, wa.width() - frame.width()), min.width());
    m_memo->setVerticalScrollBarPolicy(m_memoScrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setFixedSize(w, h);

    const int top = std::max(wa.top(), wa.top() + (wa.height() - (h + frame.height())) / 2);
    const int left = std::max(wa.left(), wa.left() + (wa.width() - (w + frame.width())) / 2);
    move(left, top);
    SetPositions();
}

void TUF_StdDlg::CentreOnScreen()
{
    FitToWorkArea();
}

// ---- keys, closing, activation ------------------------------------------------

void TUF_StdDlg::PressRight()
{
    if (!m_btn[2]->isHidden() && m_btn[2]->isEnabled())
        m_btn[2]->click();
}

void TUF_StdDlg::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        PressRight();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TUF_StdDlg::closeEvent(QCloseEvent* e)
{
    // The close box answers like the rightmost button (Close, No or Cancel),
    // so a caller never sees a result its buttons do not offer.
    if (isVisible()) {
        if (!m_btn[2]->isHidden())
            m_btn[2]->click();
        else
            done(StdDlg::mrCancel);
    }
    e->accept();
}

void TUF_StdDlg::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    WindowOwner::OwnByActiveWindow(this);
    FormHooks::RestoreIfIconic();
    FitToWorkArea();
    raise();
    activateWindow();
    if (!m_btnPanel->isHidden())
        m_btnPanel->setFocus();
}
