#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "listoutput/CHtml.h"
#include "listoutput/CLvwPrint.h"
#include "listoutput/ListOutputSupport.h"
#include "support/DataFileTrouble.h"

namespace {

using listoutput_test::fill;
using listoutput_test::readAll;

class HtmlExportTest : public listoutput_test::ListOutputTest {
  protected:
    // Exports through the facade as every Export button does.
    qint16 exportTo(CLvwPrint& output, const QString& file, const QString& title,
                    const QString& user = {}, const QString& from = {}, const QString& to = {}) {
        return output.ExportListView(2, file, 1, QStringLiteral("Arial"), title, user, from, to,
                                     12);
    }
    qint16 exportTo(const QString& file, const QString& title, const QString& user = {},
                    const QString& from = {}, const QString& to = {}) {
        CLvwPrint output;
        output.lvwToPrint = &lvw();
        return exportTo(output, file, title, user, from, to);
    }
    QStringList linesOf(const QString& file) {
        QStringList lines = QString::fromLatin1(readAll(file)).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.last(), QString()) << "the last line is not ended by CR LF";
        lines.removeLast();
        return lines;
    }
    QString out() const { return path(QStringLiteral("out.html")); }
};

const QString kHeadingCell = QStringLiteral(
    "<td bgcolor=\"#000080\"> <center><font color=\"#FFFFFF\"><b>%1"
    "</b></font></center></td>");

TEST_F(HtmlExportTest, WritesTheMembersPageLineForLine) {
    fill(lvw(), {QStringLiteral("PREFIX"), QStringLiteral("NAME")},
         {{QStringLiteral("Mr."), QStringLiteral("Arun")}});
    ASSERT_EQ(exportTo(out(), QStringLiteral("Members")), 0);

    const QByteArray bytes = readAll(out());
    EXPECT_EQ(bytes.count('\n'), 28);
    EXPECT_EQ(bytes.count("\r\n"), 28);
    const QStringList expected = {
        QStringLiteral("<html>"),
        QStringLiteral("<center>"),
        QStringLiteral("<Title>Members"),
        QStringLiteral("</title>"),
        QStringLiteral("<body bgcolor = 'FFFFFF'text = '000000'>"),
        QStringLiteral("<h1>"),
        QStringLiteral("Members"),
        QStringLiteral("</h1>"),
        QStringLiteral("<p>"),
        QString(),
        QStringLiteral("</p>"),
        QStringLiteral("<p>"),
        QString(),
        QStringLiteral("</p>"),
        QStringLiteral("<Table border>"),
        QStringLiteral("<tr>"),
        kHeadingCell.arg(QStringLiteral("PREFIX")),
        kHeadingCell.arg(QStringLiteral("NAME")),
        QStringLiteral("</tr>"),
        QStringLiteral("<tr>"),
        QStringLiteral("<td>Mr.</td>"),
        QStringLiteral("<td>Arun</td>"),
        QStringLiteral("</tr>"),
        QStringLiteral("</table>"),
        QStringLiteral("</Center>"),
        QStringLiteral("<hr>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    ASSERT_EQ(expected.size(), 28);
    EXPECT_EQ(linesOf(out()), expected);
}

TEST_F(HtmlExportTest, TitleLinesAndRowsFollowTheListsOrder) {
    fill(lvw(), {QStringLiteral("FOOD"), QStringLiteral("QTY"), QStringLiteral("UNIT")},
         {{QStringLiteral("Rice"), QStringLiteral("2"), QStringLiteral("Cup")},
          {QStringLiteral("Dal"), QStringLiteral("1")}});
    ASSERT_EQ(exportTo(out(), QStringLiteral("Daily Intakes"), QStringLiteral("User : Asha"),
                       QStringLiteral("From : 01/02/2024"), QStringLiteral("   To : 07/02/2024")),
              0);
    const QStringList lines = linesOf(out());
    ASSERT_EQ(lines.size(), 34);
    EXPECT_EQ(lines[9], QStringLiteral("User : Asha"));
    EXPECT_EQ(lines[12], QStringLiteral("From : 01/02/2024   To : 07/02/2024"));
    // The second item has one sub-item fewer than there are columns: its row is shorter.
    EXPECT_EQ(lines.mid(20, 10),
              (QStringList{"<tr>", "<td>Rice</td>", "<td>2</td>", "<td>Cup</td>", "</tr>", "<tr>",
                           "<td>Dal</td>", "<td>1</td>", "</tr>", "</table>"}));
}

TEST_F(HtmlExportTest, AnEmptyTitleBecomesTheListsNameAndOutput) {
    fill(lvw(), {QStringLiteral("NAME")}, {});
    ASSERT_EQ(exportTo(out(), QString()), 0);
    const QStringList lines = linesOf(out());
    EXPECT_EQ(lines[2], QStringLiteral("<Title>LViews Output"));
    EXPECT_EQ(lines[6], QStringLiteral("LViews Output"));
    // No items: the heading row and the end of the table.
    EXPECT_EQ(lines.mid(15, 4),
              (QStringList{"<tr>", kHeadingCell.arg(QStringLiteral("NAME")), "</tr>", "</table>"}));
}

TEST_F(HtmlExportTest, MarkupIsEscapedAndEveryOtherLanguageIsWrittenAsReferences) {
    // Hindi and Tamil food names and a bowl of rice, which lies outside the 16-bit range.
    const QString hindi = QString::fromUtf8("\xE0\xA4\xA6\xE0\xA4\xBE\xE0\xA4\xB2");  // dal
    const QString tamil = QString::fromUtf8("\xE0\xAE\x85\xE0\xAE\xB0\xE0\xAE\xBF");  // ari
    const QString rice = QString::fromUtf8("\xF0\x9F\x8D\x9A");
    fill(lvw(), {QStringLiteral("A<B"), QStringLiteral("NAME")},
         {{QStringLiteral("Fish & Chips"), hindi + QLatin1Char(' ') + tamil},
          {QStringLiteral("<script>"), rice + QStringLiteral(" > 2 caf") + QChar(0xE9)}});
    ASSERT_EQ(exportTo(out(), QStringLiteral("Salt & <Sugar>"), QStringLiteral("User : ") + tamil,
                       QStringLiteral("a<b"), QStringLiteral("c>d")),
              0);

    const QByteArray bytes = readAll(out());
    for (const char c : bytes) {
        ASSERT_EQ(static_cast<unsigned char>(c) & 0x80, 0) << "a byte outside ASCII";
    }
    const QStringList lines = linesOf(out());
    EXPECT_EQ(lines[2], QStringLiteral("<Title>Salt &amp; &lt;Sugar&gt;"));
    EXPECT_EQ(lines[6], QStringLiteral("Salt &amp; &lt;Sugar&gt;"));
    EXPECT_EQ(lines[9], QStringLiteral("User : &#2949;&#2992;&#3007;"));
    EXPECT_EQ(lines[12], QStringLiteral("a&lt;bc&gt;d"));
    EXPECT_EQ(lines[16], kHeadingCell.arg(QStringLiteral("A&lt;B")));
    EXPECT_EQ(lines[20], QStringLiteral("<td>Fish &amp; Chips</td>"));
    EXPECT_EQ(lines[21], QStringLiteral("<td>&#2342;&#2366;&#2354; &#2949;&#2992;&#3007;</td>"));
    EXPECT_EQ(lines[24], QStringLiteral("<td>&lt;script&gt;</td>"));
    EXPECT_EQ(lines[25], QStringLiteral("<td>&#127834; &gt; 2 caf&#233;</td>"));
}

TEST_F(HtmlExportTest, ControlCharactersAndLoneSurrogatesNeverReachThePage) {
    const QString text = QStringLiteral("a\tb\r\nc") + QChar(0x01) + QChar(0x1B) +
                         QStringLiteral("d") + QChar(0xD83C) + QStringLiteral("e") + QChar(0xDF5A);
    fill(lvw(), {QStringLiteral("NAME")}, {{text}});
    ASSERT_EQ(exportTo(out(), QStringLiteral("Foods")), 0);
    const QString page = QString::fromLatin1(readAll(out()));
    EXPECT_TRUE(page.contains(QStringLiteral("<td>a\tb\r\ncd&#65533;e&#65533;</td>\r\n")))
        << page.toStdString();
}

// A file that can grow no more in the middle of the export: the file exported before is still
// whole, and the person reads which file failed and why, in the system's words.
TEST_F(HtmlExportTest, AFailedExportLeavesTheExistingFileAsItWas) {
    {
        QFile file(out());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(20000, 'Z'));
    }
    for (int i = 0; i < 200; ++i) {
        lvw().ListItems.Add(QStringLiteral("Food number %1").arg(i));
    }
    lvw().ColumnHeaders.Add(-1, QString(), QStringLiteral("NAME"));
    CLvwPrint output;
    output.lvwToPrint = &lvw();
    qint16 result = 0;
    {
        // No file of this process may grow beyond 1 KB while the export runs.
        const trouble::FileSizeLimit limit(1024);
        result = exportTo(output, out(), QStringLiteral("Foods"));
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(output.LastErrorMsg(),
              QStringLiteral("The file '%1' could not be written: File too large").arg(out()));
    EXPECT_EQ(readAll(out()), QByteArray(20000, 'Z'));
    EXPECT_EQ(QDir(programDir()).entryList({QStringLiteral("out.html*")}, QDir::Files),
              QStringList{QStringLiteral("out.html")});
}

// A folder the person may not write to: the file in it stays as it was, and the reason is told
// and logged. Root may write in any folder.
TEST_F(HtmlExportTest, AnExportIntoAFolderThatMayNotBeWrittenSaysSoAndKeepsTheOldFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may write in any folder";
    }
    const QString folder = path(QStringLiteral("kept"));
    const QString file = folder + QStringLiteral("/out.html");
    ASSERT_TRUE(QDir().mkpath(folder));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old page");
    }
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    fill(lvw(), {QStringLiteral("NAME")}, {{QStringLiteral("Rice")}});
    CLvwPrint output;
    output.lvwToPrint = &lvw();
    EXPECT_EQ(exportTo(output, file, QStringLiteral("Foods")), 1);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(output.LastErrorMsg(),
              QStringLiteral("The file '%1' could not be written: Permission denied").arg(file));
    EXPECT_EQ(readAll(file), QByteArray("old page"));
    EXPECT_EQ(logLines().value(2), QStringLiteral("=====Error Desc = ") + output.LastErrorMsg());
}

TEST_F(HtmlExportTest, AnExistingFileIsReplacedEntirely) {
    {
        QFile file(out());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(20000, 'Z'));
    }
    fill(lvw(), {QStringLiteral("NAME")}, {{QStringLiteral("Rice")}});
    ASSERT_EQ(exportTo(out(), QStringLiteral("Foods")), 0);
    ASSERT_EQ(exportTo(path(QStringLiteral("fresh.html")), QStringLiteral("Foods")), 0);
    EXPECT_EQ(readAll(out()), readAll(path(QStringLiteral("fresh.html"))));
}

// A page far longer than what is written at a time comes out whole, every row in its place, and
// a file it replaces keeps the permissions the person gave it.
TEST_F(HtmlExportTest, ALongPageIsWrittenWholeAndKeepsTheReplacedFilesPermissions) {
    {
        QFile file(out());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadGroup));
    }
    lvw().ColumnHeaders.Add(-1, QString(), QStringLiteral("NAME"));
    lvw().ColumnHeaders.Add(-1, QString(), QStringLiteral("HINDI"));
    constexpr int kRows = 20000;
    for (int i = 0; i < kRows; ++i) {
        lvw()
            .ListItems.Add(QStringLiteral("Food <%1>").arg(i))
            .setSubItems(1, QStringLiteral("\u091a\u093e\u0935\u0932"));
    }
    ASSERT_EQ(exportTo(out(), QStringLiteral("Foods")), 0);
    const QStringList lines = linesOf(out());
    const qsizetype firstRow = lines.indexOf(QStringLiteral("<td>Food &lt;0&gt;</td>"));
    ASSERT_GT(firstRow, 0);
    ASSERT_EQ(lines.size(), firstRow + kRows * 4 + 4);
    for (int i : {0, 7777, kRows - 1}) {
        EXPECT_EQ(lines[firstRow + i * 4], QStringLiteral("<td>Food &lt;%1&gt;</td>").arg(i));
        EXPECT_EQ(lines[firstRow + i * 4 + 1],
                  QStringLiteral("<td>&#2330;&#2366;&#2357;&#2354;</td>"));
    }
    EXPECT_EQ(QFileInfo(out()).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                  QFileDevice::ReadGroup);
    EXPECT_EQ(QDir(programDir()).entryList({QStringLiteral("out.html*")}, QDir::Files),
              QStringList{QStringLiteral("out.html")});
}

TEST_F(HtmlExportTest, AFileThatCannotBeWrittenFailsWithTheReasonInTheLog) {
    fill(lvw(), {QStringLiteral("NAME")}, {{QStringLiteral("Rice")}});
    const QString missingFolder = path(QStringLiteral("no such folder/out.html"));
    QDir(programDir()).mkdir(QStringLiteral("a folder.html"));
    int records = 0;
    for (const QString& file : {QString(), missingFolder, path(QStringLiteral("a folder.html"))}) {
        SCOPED_TRACE(file.toStdString());
        CHtml job;
        job.setLvwToPrint(&lvw());
        job.setFileName(file);
        EXPECT_FALSE(job.PrintLvw());
        EXPECT_FALSE(job.LastErrorMsg().isEmpty());
        const QStringList log = logLines();
        ASSERT_EQ(log.size(), 4 * ++records);
        EXPECT_EQ(log[log.size() - 2], QStringLiteral("=====Error Desc = ") + job.LastErrorMsg());
    }
    EXPECT_FALSE(QFileInfo::exists(missingFolder));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("a folder.html"))).isDir());
}

TEST_F(HtmlExportTest, ALogThatCannotBeWrittenStillReportsTheFailure) {
    ASSERT_TRUE(QDir(userDir()).mkdir(QStringLiteral("report.Log")));
    fill(lvw(), {QStringLiteral("NAME")}, {{QStringLiteral("Rice")}});
    CLvwPrint output;
    output.lvwToPrint = &lvw();
    qint16 result = 0;
    EXPECT_NO_THROW(result = exportTo(output, QString(), QStringLiteral("Foods")));
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(output.LastErrorMsg().isEmpty());
}

TEST_F(HtmlExportTest, WithoutAListViewNothingIsWritten) {
    CHtml job;
    job.setFileName(out());
    EXPECT_FALSE(job.PrintLvw());
    EXPECT_EQ(job.LastErrorMsg(), QStringLiteral("List View Undefined"));

    CLvwPrint output;
    EXPECT_EQ(exportTo(output, out(), QStringLiteral("Foods")), 1);
    EXPECT_EQ(output.LastErrorMsg(), QStringLiteral("List View Not Defined"));
    EXPECT_EQ(output.PrintListView(1, QStringLiteral("Arial"), QStringLiteral("Foods"), 12), 1);
    EXPECT_EQ(output.LastErrorMsg(), QStringLiteral("List View Undefined"));

    EXPECT_FALSE(QFileInfo::exists(out()));
    EXPECT_TRUE(logLines().isEmpty()) << "a missing list view is not a run-time error";
    EXPECT_TRUE(printer->entries().empty());
}

TEST_F(HtmlExportTest, OnlyJobTypesTwoAndThreeAreKnown) {
    fill(lvw(), {QStringLiteral("NAME")}, {{QStringLiteral("Rice")}});
    for (const qint32 jobType : {1, 4, 0, -2}) {
        CLvwPrint output;
        output.lvwToPrint = &lvw();
        EXPECT_EQ(output.ExportListView(jobType, out(), 1, QStringLiteral("Arial"),
                                        QStringLiteral("Foods"), {}, {}, {}, 12),
                  1);
        EXPECT_EQ(output.LastErrorMsg(),
                  QStringLiteral("Incorrect type of print job was specified."));
    }
    EXPECT_FALSE(QFileInfo::exists(out()));
    EXPECT_TRUE(printer->entries().empty());
}

TEST_F(HtmlExportTest, AFailuresTextOutlivesALaterSuccess) {
    fill(lvw(), {QStringLiteral("NAME")}, {{QStringLiteral("Rice")}});
    CLvwPrint output;
    output.lvwToPrint = &lvw();
    EXPECT_EQ(output.LastErrorMsg(), QString());
    ASSERT_EQ(exportTo(output, QString(), QStringLiteral("Foods")), 1);
    const QString failure = output.LastErrorMsg();
    EXPECT_FALSE(failure.isEmpty());

    EXPECT_EQ(exportTo(output, out(), QStringLiteral("Foods")), 0);
    EXPECT_EQ(output.LastErrorMsg(), failure);
    EXPECT_TRUE(QFileInfo::exists(out()));
}

}  // namespace
