#pragma once
// A stand-in for the desktop's opener: an xdg-open shell script of the
// test's own, found first on PATH while this lives. The script's folder is
// "${0%/*}" inside it, where it can leave files for the test to look at.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

class StandInOpener {
public:
    // `body`: the script's commands; empty: no xdg-open at all. With
    // `alone` its folder is the whole PATH, else it comes first.
    explicit StandInOpener(const QString& body, bool alone = false) : m_path(qgetenv("PATH"))
    {
        if (!body.isEmpty()) {
            QFile script(m_dir.filePath(QStringLiteral("xdg-open")));
            m_ok = script.open(QIODevice::WriteOnly);
            QTextStream(&script) << "#!/bin/sh\n" << body << "\n";
            script.close();
            m_ok = m_ok && script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        m_ok = m_ok && m_dir.isValid();
        const QByteArray folder = QFile::encodeName(m_dir.path());
        qputenv("PATH", alone ? folder : folder + ':' + m_path);
    }
    ~StandInOpener() { qputenv("PATH", m_path); }
    StandInOpener(const StandInOpener&) = delete;
    StandInOpener& operator=(const StandInOpener&) = delete;

    bool isValid() const { return m_ok; }
    // A file in the script's folder.
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
    bool m_ok = true;
};
