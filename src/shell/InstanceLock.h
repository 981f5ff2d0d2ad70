// One running program per user: a lock file named "Tumblewick", held until the process ends.
#pragma once

#include <QLockFile>
#include <QString>

class InstanceLock {
public:
    static QString message() { return QStringLiteral("程序已经运行，退出!"); }
    // The user's runtime directory, or the temporary directory where there is none.
    static QString defaultDirectory();

    explicit InstanceLock(const QString& directory = defaultDirectory());
    // False when another running process holds the lock. A lock left behind by a process
    // that has ended is taken over.
    bool tryAcquire();
    // tryAcquire, and on refusal the message "程序已经运行，退出!" through Dialogs.
    bool acquireOrExplain();
    QString path() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
};
