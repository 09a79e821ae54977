#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include "runtime/ErrorLog.h"

namespace {

class ErrorLog : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString logPath() const { return dir_.path() + QStringLiteral("/report.Log"); }

    QByteArray logContent() const {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QString stampLine(const QDateTime& at) {
        const QLocale locale = QLocale::system();
        return QStringLiteral("An Error was raised on ") +
               locale.toString(at.date(), QLocale::ShortFormat) + u' ' +
               locale.toString(at.time(), QLocale::ShortFormat);
    }

    QTemporaryDir dir_;
};

TEST_F(ErrorLog, WritesFourLinesEndedByCrLf) {
    const QDateTime before = QDateTime::currentDateTime();
    ASSERT_TRUE(rt::AppendErrorRecord(dir_.path(), 3021, "No current record", "frmUsr.cmdAdd"));
    const QDateTime after = QDateTime::currentDateTime();

    const QByteArray content = logContent();
    const QList<QByteArray> lines = content.split('\n');
    ASSERT_EQ(lines.size(), 5) << content.constData();
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(lines[i].endsWith('\r')) << i;
    }
    const QString stamp = QString::fromUtf8(lines[0].chopped(1));
    EXPECT_TRUE(stamp == stampLine(before) || stamp == stampLine(after)) << stamp.toStdString();
    EXPECT_EQ(lines[1], "=====Error Number = 3021\r");
    EXPECT_EQ(lines[2], "=====Error Desc = No current record\r");
    EXPECT_EQ(lines[3], "=====Error Source = frmUsr.cmdAdd\r");
}

TEST_F(ErrorLog, RecordsAccumulate) {
    {
        QFile file(logPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier\r\n");
    }
    ASSERT_TRUE(rt::AppendErrorRecord(dir_.path(), 13, "Type mismatch", "one"));
    const qint64 afterFirst = QFileInfo(logPath()).size();
    ASSERT_TRUE(rt::AppendErrorRecord(dir_.path(), -2147467259, "Unspecified error", "two"));

    const QByteArray content = logContent();
    EXPECT_TRUE(content.startsWith("earlier\r\nAn Error was raised on "));
    EXPECT_GT(content.size(), afterFirst);
    EXPECT_EQ(content.count("An Error was raised on "), 2);
    EXPECT_TRUE(
        content.contains("=====Error Number = 13\r\n=====Error Desc = Type mismatch\r\n"
                         "=====Error Source = one\r\nAn Error"));
    EXPECT_TRUE(
        content.endsWith("=====Error Number = -2147467259\r\n"
                         "=====Error Desc = Unspecified error\r\n"
                         "=====Error Source = two\r\n"));
}

TEST_F(ErrorLog, TextIsUtf8WithoutHeader) {
    ASSERT_TRUE(rt::AppendErrorRecord(dir_.path(), 5, QStringLiteral("Größe µg"), QString()));
    const QByteArray content = logContent();
    EXPECT_TRUE(content.startsWith("An Error"));  // no byte order mark
    EXPECT_TRUE(
        content.contains("=====Error Desc = Gr\xC3\xB6\xC3\x9F"
                         "e \xC2\xB5g\r\n"));
    EXPECT_TRUE(content.endsWith("=====Error Source = \r\n"));
}

TEST_F(ErrorLog, ARecordTheLogCannotTakeGoesToStandardError) {
    auto rejected = [](const QString& folder) {
        testing::internal::CaptureStderr();
        const bool written = rt::AppendErrorRecord(folder, 3265, "Item not found", "frmDIn");
        const std::string text = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(written);
        EXPECT_NE(text.find("could not be written"), std::string::npos) << text;
        EXPECT_NE(text.find("=====Error Number = 3265\n=====Error Desc = Item not found\n"
                            "=====Error Source = frmDIn\n"),
                  std::string::npos)
            << text;
    };
    rejected(dir_.path() + QStringLiteral("/missing"));
    EXPECT_FALSE(QDir(dir_.path() + QStringLiteral("/missing")).exists());

    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("report.Log")));
    rejected(dir_.path());

    rejected(QString());
}

}  // namespace
