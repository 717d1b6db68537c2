#include "EditActions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>

EditActions::EditActions(QObject* parent)
    : QObject(parent)
    , m_cut(new QAction(this))
    , m_copy(new QAction(this))
    , m_paste(new QAction(this))
    , m_undo(new QAction(this))
{
    m_cut->setObjectName(QStringLiteral("EditCut"));
    m_copy->setObjectName(QStringLiteral("EditCopy"));
    m_paste->setObjectName(QStringLiteral("EditPaste"));
    m_undo->setObjectName(QStringLiteral("EditUndo"));
    m_cut->setShortcut(QKeySequence::Cut);
    m_copy->setShortcut(QKeySequence::Copy);
    m_paste->setShortcut(QKeySequence::Paste);
    m_undo->setShortcut(QKeySequence::Undo);
    // The focused edit handles these keys itself; the shortcuts only label
    // the menu items and serve where the edit does not take them.
    for (QAction* a : {m_cut, m_copy, m_paste, m_undo})
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_cut, &QAction::triggered, this, [] { if (QLineEdit* e = Target()) e->cut(); });
    connect(m_copy, &QAction::triggered, this, [] { if (QLineEdit* e = Target()) e->copy(); });
    connect(m_paste, &QAction::triggered, this, [] { if (QLineEdit* e = Target()) e->paste(); });
    connect(m_undo, &QAction::triggered, this, [] { if (QLineEdit* e = Target()) e->undo(); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        Watch(qobject_cast<QLineEdit*>(now));
        UpdateEnabled();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &EditActions::UpdateEnabled);
    UpdateEnabled();
}

QLineEdit* EditActions::Target()
{
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

void EditActions::Watch(QLineEdit* edit)
{
    if (m_watched == edit)
        return;
    if (m_watched)
        disconnect(m_watched, nullptr, this, nullptr);
    m_watched = edit;
    if (edit) {
        connect(edit, &QLineEdit::selectionChanged, this, &EditActions::UpdateEnabled);
        connect(edit, &QLineEdit::textChanged, this, &EditActions::UpdateEnabled);
        connect(edit, &QObject::destroyed, this, [this] { m_watched = nullptr; UpdateEnabled(); });
    }
}

void EditActions::UpdateEnabled()
{
    QLineEdit* e = Target();
    const bool writable = e && !e->isReadOnly() && e->isEnabled();
    const bool selected = e && e->hasSelectedText();
    const bool plain = e && e->echoMode() == QLineEdit::Normal;
    m_cut->setEnabled(writable && selected && plain);
    m_copy->setEnabled(selected && plain);
    m_paste->setEnabled(writable && !QApplication::clipboard()->text().isEmpty());
    m_undo->setEnabled(writable && e->isUndoAvailable());
}
