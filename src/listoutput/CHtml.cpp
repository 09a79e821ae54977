#include "listoutput/CHtml.h"

#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/Error.h"
#include "ui/ListView.h"

// The page on its way to a file: built a character at a time through a raw pointer into a
// buffer of its own (QByteArray's append costs more than the character it adds), which goes to
// the file whenever it is full. A long list thus never needs the whole page in memory, and the
// buffer stays in the cache while it is reused.
class CHtmlPage {
  public:
    explicit CHtmlPage(int fd) : fd_(fd), bytes_(kChunk) {}
    // Room for n more bytes.
    char* room(qsizetype n) {
        if (used_ + n > static_cast<qsizetype>(bytes_.size())) {
            flush();
            if (n > static_cast<qsizetype>(bytes_.size())) {
                bytes_.resize(static_cast<std::size_t>(n));
            }
        }
        return bytes_.data() + used_;
    }
    void advance(char* to) { used_ = to - bytes_.data(); }
    void append(const char* s, qsizetype n) {
        std::memcpy(room(n), s, static_cast<size_t>(n));
        used_ += n;
    }
    // False once a write did not go through.
    bool flush() {
        for (qsizetype done = 0; ok_ && done < used_;) {
            const ssize_t n = ::write(fd_, bytes_.data() + done, static_cast<size_t>(used_ - done));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            ok_ = n > 0;
            done += n;
        }
        used_ = 0;
        return ok_;
    }

  private:
    static constexpr std::size_t kChunk = 256 * 1024;
    int fd_;
    std::vector<char> bytes_;
    qsizetype used_ = 0;
    bool ok_ = true;
};

namespace {

// Texts from the list and the titles go into the page as text: markup characters are
// escaped, and everything outside ASCII is a numeric character reference, so that names in
// every language show in any browser whatever encoding it assumes. Tab, CR and LF are white
// space in a page and stay; other control characters have no place in it and are dropped. A
// surrogate without its partner is no character: it becomes U+FFFD, the replacement
// character.
void appendText(CHtmlPage& out, const QString& text) {
    const char16_t* s = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype n = text.size();
    // "&#65535;" is the longest a code unit can become; a pair is at most "&#1114111;".
    char* p = out.room(n * 8);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') {
            continue;
        }
        if (c < 0x80) {
            switch (c) {
                case u'&':
                    std::memcpy(p, "&amp;", 5);
                    p += 5;
                    break;
                case u'<':
                    std::memcpy(p, "&lt;", 4);
                    p += 4;
                    break;
                case u'>':
                    std::memcpy(p, "&gt;", 4);
                    p += 4;
                    break;
                default:
                    *p++ = static_cast<char>(c);
            }
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            code = QChar::surrogateToUcs4(c, s[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(c)) {
            code = QChar::ReplacementCharacter;
        }
        *p++ = '&';
        *p++ = '#';
        p = std::to_chars(p, p + 7, static_cast<quint32>(code)).ptr;
        *p++ = ';';
    }
    out.advance(p);
}

template <qsizetype N>
void appendLine(CHtmlPage& out, const char (&fixed)[N]) {
    out.append(fixed, N - 1);
    out.append("\r\n", 2);
}

template <qsizetype P, qsizetype S>
void appendLine(CHtmlPage& out, const char (&prefix)[P], const QString& text,
                const char (&suffix)[S]) {
    out.append(prefix, P - 1);
    appendText(out, text);
    out.append(suffix, S - 1);
    out.append("\r\n", 2);
}

// Writes the page that `render` makes as `path`: to a file beside it first, which then takes
// its place, so that a failed export leaves an existing file as it was. Unlike a save of the
// person's data it does not wait for the disk to confirm the bytes: the page can be made again
// from the list at any time, and the wait would cost an export of a long diary more than
// making it. A file replaced keeps its permissions; a new one gets those of any new file of
// the person's (umask). Returns 0, or the error the failure is reported as: a file that cannot
// be made there, or a write that did not go through.
template <typename Render>
long writeBeside(const QString& path, const Render& render) {
    if (path.isEmpty() || QFileInfo(path).isDir()) {
        return rt::err::PathFileAccessError;
    }
    const QByteArray target = QFile::encodeName(path);
    int fd = -1;
    QByteArray beside;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        beside =
            target + ".part" + QByteArray::number(::getpid()) + '-' + QByteArray::number(attempt);
        fd = ::open(beside.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return rt::err::PathFileAccessError;
        }
    }
    if (fd < 0) {
        return rt::err::PathFileAccessError;
    }
    // Whatever happens while the page is made, the file beside goes again.
    bool written = false;
    try {
        struct stat existing {};
        if (::stat(target.constData(), &existing) != 0 ||
            ::fchmod(fd, existing.st_mode & 07777) == 0) {
            CHtmlPage page(fd);
            render(page);
            written = page.flush();
        }
    } catch (...) {
        ::close(fd);
        ::unlink(beside.constData());
        throw;
    }
    written = ::close(fd) == 0 && written;
    if (!written || std::rename(beside.constData(), target.constData()) != 0) {
        ::unlink(beside.constData());
        return rt::err::DiskFull;
    }
    return 0;
}

}  // namespace

void CHtml::Render(CHtmlPage& out) const {
    const ui::ListView& lvw = *lvwToPrint_;
    appendLine(out, "<html>");
    appendLine(out, "<center>");
    appendLine(out, "<Title>", title_, "");
    appendLine(out, "</title>");
    appendLine(out, "<body bgcolor = 'FFFFFF'text = '000000'>");
    appendLine(out, "<h1>");
    appendLine(out, "", title_, "");
    appendLine(out, "</h1>");
    appendLine(out, "<p>");
    appendLine(out, "", titleUser_, "");
    appendLine(out, "</p>");
    appendLine(out, "<p>");
    appendLine(out, "", titleFrom_ + titleTo_, "");
    appendLine(out, "</p>");
    appendLine(out, "<Table border>");
    appendLine(out, "<tr>");
    for (int i = 1; i <= lvw.ColumnHeaders.Count(); ++i) {
        appendLine(out, "<td bgcolor=\"#000080\"> <center><font color=\"#FFFFFF\"><b>",
                   lvw.ColumnHeaders(i).Text(), "</b></font></center></td>");
    }
    appendLine(out, "</tr>");
    for (int i = 1; i <= lvw.ListItems.Count(); ++i) {
        const ui::ListItem& item = lvw.ListItems(i);
        appendLine(out, "<tr>");
        appendLine(out, "<td>", item.Text(), "</td>");
        // Read by index, the sub-items' own objects are not made for a page of every row.
        const int subItems = item.ListSubItems().Count();
        for (int j = 1; j <= subItems; ++j) {
            appendLine(out, "<td>", item.SubItems(j), "</td>");
        }
        appendLine(out, "</tr>");
    }
    appendLine(out, "</table>");
    appendLine(out, "</Center>");
    appendLine(out, "<hr>");
    appendLine(out, "</body>");
    appendLine(out, "</html>");
}

bool CHtml::PrintLvw() {
    if (lvwToPrint_ == nullptr) {
        LastErrorMsg_ = QStringLiteral("List View Undefined");
        return false;
    }
    try {
        if (title_.isEmpty()) {
            title_ = lvwToPrint_->Name() + QStringLiteral(" Output");
        }
        if (const long failure =
                writeBeside(fileName_, [this](CHtmlPage& page) { Render(page); })) {
            rt::raise(failure);
        }
        return true;
    } catch (const rt::Error& error) {
        QString source = QStringLiteral("CHTML::PrintLvw");
        QString extra;
        errorHandler_.handleError(error, source, extra);
        LastErrorMsg_ = error.Description();
        return false;
    }
}
