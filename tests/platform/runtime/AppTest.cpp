#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <cstdio>

#include "runtime/App.h"

namespace {

struct EndCalled {};

TEST(App, PathIsTheProgramFolderUnlessSet) {
    EXPECT_EQ(rt::App::Path(), QCoreApplication::applicationDirPath());
    rt::App::setPath("/some/where");
    EXPECT_EQ(rt::App::Path(), "/some/where");
    rt::App::setPath({});
    EXPECT_EQ(rt::App::Path(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(rt::App::Title(), "Kelvora");
}

// Installed, the delivered files are in the share folder beside bin; a build tree, or an
// installation without its template, has them beside the executable.
TEST(App, ProgramFolderOfAnInstalledProgramIsItsShareFolder) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.path() + QStringLiteral("/bin");
    const QString share = QDir::cleanPath(bin + QStringLiteral("/" KELVORA_PROGRAM_DIR_FROM_BIN));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(share));
    EXPECT_EQ(rt::App::programFolderOf(bin), bin);
    QFile installedTemplate(share + QStringLiteral("/" KELVORA_TEMPLATE));
    ASSERT_TRUE(installedTemplate.open(QIODevice::WriteOnly));
    installedTemplate.close();
    EXPECT_EQ(rt::App::programFolderOf(bin), share);
    EXPECT_TRUE(share.startsWith(prefix.path()));
}

class InstanceLock : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        lockPath_ = dir_.path() + QStringLiteral("/instance.lock");
        rt::App::setInstanceLockPath(lockPath_);
    }
    void TearDown() override { rt::App::setInstanceLockPath({}); }

    // Writes a lock file as the copy with process id `pid` would, without holding it open, as
    // when the holder is another process on a file system without native locks.
    void writeLockOf(qint64 pid, const QDateTime& modified) {
        QByteArray content;
        {
            QLockFile real(lockPath_);
            ASSERT_TRUE(real.tryLock(0));
            QFile file(lockPath_);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            content = file.readAll();
        }
        ASSERT_FALSE(QFile::exists(lockPath_));
        const qsizetype eol = content.indexOf('\n');
        ASSERT_GT(eol, 0);
        content.replace(0, eol, QByteArray::number(pid));
        QFile file(lockPath_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }

    static qint64 deadProcessId() {
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(0);
        }
        EXPECT_GT(child, 0);
        EXPECT_EQ(::waitpid(child, nullptr, 0), child);
        return child;
    }

    QTemporaryDir dir_;
    QString lockPath_;
};

TEST_F(InstanceLock, FirstCopyTakesAndKeepsTheLock) {
    EXPECT_FALSE(rt::App::PrevInstance());
    EXPECT_TRUE(QFile::exists(lockPath_));
    EXPECT_FALSE(rt::App::PrevInstance());  // asking again does not find itself

    QLockFile second(lockPath_);
    EXPECT_FALSE(second.tryLock(0));
    EXPECT_EQ(second.error(), QLockFile::LockFailedError);

    rt::App::releaseInstanceLock();
    EXPECT_FALSE(QFile::exists(lockPath_));
    EXPECT_TRUE(second.tryLock(0));
}

TEST_F(InstanceLock, AnotherHolderMeansAnotherCopy) {
    QLockFile other(lockPath_);
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_TRUE(rt::App::PrevInstance());
    EXPECT_TRUE(rt::App::PrevInstance());
    // It did not take over or remove the other holder's lock.
    EXPECT_TRUE(other.isLocked());
    EXPECT_TRUE(QFile::exists(lockPath_));
}

TEST_F(InstanceLock, LongRunningHolderStillCounts) {
    // The holder has been running for a day; the lock's age must not make it stale.
    writeLockOf(QCoreApplication::applicationPid(), QDateTime::currentDateTime().addDays(-1));
    EXPECT_TRUE(rt::App::PrevInstance());
    EXPECT_TRUE(QFile::exists(lockPath_));
}

TEST_F(InstanceLock, LockOfACrashedCopyDoesNotBlock) {
    writeLockOf(deadProcessId(), QDateTime::currentDateTime());
    ASSERT_TRUE(QFile::exists(lockPath_));
    EXPECT_FALSE(rt::App::PrevInstance());
    QLockFile second(lockPath_);
    EXPECT_FALSE(second.tryLock(0));  // and the lock is now ours
}

TEST_F(InstanceLock, LockThatCannotBeMadeIsNotAnotherCopy) {
    QFile blocker(dir_.path() + QStringLiteral("/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    rt::App::setInstanceLockPath(blocker.fileName() + QStringLiteral("/instance.lock"));
    EXPECT_FALSE(rt::App::PrevInstance());
}

TEST_F(InstanceLock, DefaultLocationIsPerUser) {
    rt::App::setInstanceLockPath({});
    const QString path = rt::App::instanceLockPath();
    EXPECT_FALSE(path.isEmpty());
    EXPECT_TRUE(path.endsWith(QStringLiteral(".lock"))) << path.toStdString();
}

TEST(AppEnd, RunsTheInstalledHandler) {
    int calls = 0;
    rt::App::setEndHandler([&calls] {
        ++calls;
        throw EndCalled{};
    });
    EXPECT_THROW(rt::App::End(), EndCalled);
    EXPECT_EQ(calls, 1);
    rt::App::setEndHandler({});
}

TEST(AppEndDeathTest, ExitsWhenTheHandlerReturns) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            rt::App::setEndHandler([] { std::fputs("handler ran\n", stderr); });
            rt::App::End();
        },
        ::testing::ExitedWithCode(0), "handler ran");
}

TEST(AppEndDeathTest, ExitsWithoutAHandler) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    rt::App::setEndHandler({});
    EXPECT_EXIT(rt::App::End(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
