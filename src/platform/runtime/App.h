#pragma once

#include <QString>
#include <functional>

namespace rt {

// The program object: where the program lives, what it is called, whether another copy is
// already running, and how it ends.
class App {
  public:
    // The program folder, which holds what is delivered, read-only (the data template, the food
    // menu, the product page): programFolderOf the executable's folder unless set (tests and
    // benchmarks set it).
    static QString Path();
    static void setPath(const QString& path);
    // An installed program keeps its delivered files in its share folder (<prefix>/share/kelvora
    // beside <prefix>/bin): that folder when it holds the data template, otherwise the
    // executable's own folder, as in the build tree.
    static QString programFolderOf(const QString& executableFolder);

    // The person's own folder for the files the program writes: the data file they work in
    // and report.Log. ~/.local/share/Kelvora (under $XDG_DATA_HOME when that is set) unless
    // set; tests and benchmarks set one of their own, since every test program shares the
    // test-mode folders.
    static QString dataFolder();
    static void setDataFolder(const QString& path);

    static QString Title();

    // True when another running copy holds the single-instance lock. The first call decides and
    // takes the lock for this process, which keeps it until it ends; later calls give the same
    // answer. A lock left behind by a copy that crashed does not count.
    static bool PrevInstance();
    // Where the lock file lives (a per-user runtime or temporary folder unless set). Setting it
    // releases any lock held.
    static void setInstanceLockPath(const QString& path);
    static QString instanceLockPath();
    // Gives the lock up and forgets the answer, so that the next PrevInstance decides afresh.
    static void releaseInstanceLock();

    // Takes the lock of a data file, a lock file beside it (file + ".lock"), so that no second
    // copy works on that file however it was started (another runtime folder, another login).
    // False when another running copy holds it; true when this copy holds it now, or when no
    // lock can be made there (a folder that may not be written), which must not keep the only
    // copy off its file. One data file at a time: the lock of another file is given up.
    static bool LockDataFile(const QString& file);
    static void releaseDataFileLock();

    // Ends the program through the installed end handler; when there is none, or it returns,
    // output is flushed and the process exits with status 0.
    [[noreturn]] static void End();
    static void setEndHandler(std::function<void()> handler);
};

}  // namespace rt
