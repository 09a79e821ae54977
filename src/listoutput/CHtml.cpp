#include "listoutput/CHtml.h"

#include <QSaveFile>
#include <charconv>
#include <cstring>
#include <vector>

#include "runtime/Error.h"
#include "ui/ListView.h"

namespace {

// A file of the export that could not be made, written or put in place, with the system's
// reason; a full disk is told as such.
[[noreturn]] void raiseFileFailure(const QSaveFile& file, const QString& path) {
    throw rt::Error(
        file.error() == QFileDevice::ResourceError ? rt::err::DiskFull
                                                   : rt::err::PathFileAccessError,
        QStringLiteral("The file '%1' could not be written: %2").arg(path, file.errorString()));
}

}  // namespace

// The page on its way to a file: built a character at a time through a raw pointer into a
// buffer of its own (QByteArray's append costs more than the character it adds), which goes to
// the file whenever it is full. A long list thus never needs the whole page in memory, and the
// buffer stays in the cache while it is reused.
class CHtmlPage {
  public:
    CHtmlPage(QSaveFile& file, const QString& path) : file_(file), path_(path), bytes_(kChunk) {}
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
    // Raises when a write does not go through. A write may take less than it was given (the
    // file grew to its limit): the rest is written again, which then fails with the reason.
    void flush() {
        for (qsizetype done = 0; done < used_;) {
            const qint64 n = file_.write(bytes_.data() + done, used_ - done);
            if (n <= 0) {
                raiseFileFailure(file_, path_);
            }
            done += n;
        }
        used_ = 0;
    }

  private:
    static constexpr std::size_t kChunk = 256 * 1024;
    QSaveFile& file_;
    const QString& path_;
    std::vector<char> bytes_;
    qsizetype used_ = 0;
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
// its place (QSaveFile), so that a failed export leaves an existing file as it was. A file
// replaced keeps its permissions; a new one gets those of any new file of the person's (umask).
// Raises when the file cannot be made there, written or put in place.
template <typename Render>
void writeBeside(const QString& path, const Render& render) {
    if (path.isEmpty()) {
        rt::raise(rt::err::PathFileAccessError);
    }
    QSaveFile file(path);
    // Unbuffered: a write that the file buffered would fail only while it is committed, and
    // the commit of this Qt does not see that failure; it would put a cut-off page in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        raiseFileFailure(file, path);
    }
    CHtmlPage page(file, path);
    render(page);
    page.flush();
    if (!file.commit()) {
        raiseFileFailure(file, path);
    }
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
        writeBeside(fileName_, [this](CHtmlPage& page) { Render(page); });
        return true;
    } catch (const rt::Error& error) {
        QString source = QStringLiteral("CHTML::PrintLvw");
        QString extra;
        errorHandler_.handleError(error, source, extra);
        LastErrorMsg_ = error.Description();
        return false;
    }
}
