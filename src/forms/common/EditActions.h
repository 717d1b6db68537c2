#pragma once
// The standard edit actions (Cut, Copy, Paste, Undo) that act on whichever
// line edit has the focus, enabled only when they can do something there.
#include <QObject>

class QAction;
class QLineEdit;

class EditActions : public QObject {
    Q_OBJECT
public:
    explicit EditActions(QObject* parent);

    QAction* EditCut() const { return m_cut; }
    QAction* EditCopy() const { return m_copy; }
    QAction* EditPaste() const { return m_paste; }
    QAction* EditUndo() const { return m_undo; }

    // The focused edit, if any.
    static QLineEdit* Target();
    void UpdateEnabled();

private:
    void Watch(QLineEdit* edit);
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    QAction* m_undo;
    QLineEdit* m_watched = nullptr;
};
