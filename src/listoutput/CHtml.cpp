#include "listoutput/CHtml.h"

#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cstring>

#include "runtime/Error.h"
#include "ui/ListView.h"

namespace {

// A byte buffer written through a raw pointer: the page is built a character at a time, and
// QByteArray's own append costs more than the character it adds.
class Page {
  public:
    explicit Page(qsizetype estimate) { bytes_.resize(std::max<qsizetype>(estimate, 256)); }
    // Room for n more bytes.
    char* room(qsizetype n) {
        if (used_ + n > bytes_.size()) {
            bytes_.resize(std::max(bytes_.size() * 2, used_ + n));
        }
        return bytes_.data() + used_;
    }
    void advance(char* to) { used_ = to - bytes_.data(); }
    void append(const char* s, qsizetype n) {
        std::memcpy(room(n), s, static_cast<size_t>(n));
        used_ += n;
    }
    QByteArray take() {
        bytes_.truncate(used_);
        return std::move(bytes_);
    }

  private:
    QByteArray bytes_;
    qsizetype used_ = 0;
};

// Texts from the list and the titles go into the page as text: markup characters are
// escaped, and everything outside ASCII is a numeric character reference, so that names in
// every language show in any browser whatever encoding it assumes. Tab, CR and LF are white
// space in a page and stay; other control characters have no place in it and are dropped. A
// surrogate without its partner is no character: it becomes U+FFFD, the replacement
// character.
void appendText(Page& out, const QString& text) {
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
void appendLine(Page& out, const char (&fixed)[N]) {
    out.append(fixed, N - 1);
    out.append("\r\n", 2);
}

template <qsizetype P, qsizetype S>
void appendLine(Page& out, const char (&prefix)[P], const QString& text, const char (&suffix)[S]) {
    out.append(prefix, P - 1);
    appendText(out, text);
    out.append(suffix, S - 1);
    out.append("\r\n", 2);
}

}  // namespace

QByteArray CHtml::Render() const {
    const ui::ListView& lvw = *lvwToPrint_;
    Page out(256 + lvw.ListItems.Count() * 24 * (lvw.ColumnHeaders.Count() + 1));
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
        const ui::ListSubItemCollection& subs = item.ListSubItems();
        for (int j = 1; j <= subs.Count(); ++j) {
            appendLine(out, "<td>", subs(j).Text(), "</td>");
        }
        appendLine(out, "</tr>");
    }
    appendLine(out, "</table>");
    appendLine(out, "</Center>");
    appendLine(out, "<hr>");
    appendLine(out, "</body>");
    appendLine(out, "</html>");
    return out.take();
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
        const QByteArray page = Render();
        // Written to a file beside it first, which then takes the file's place: a failed
        // export leaves an existing file as it was.
        QSaveFile file(fileName_);
        if (fileName_.isEmpty() || !file.open(QIODevice::WriteOnly)) {
            rt::raise(rt::err::PathFileAccessError);
        }
        // The write is checked by its flush: commit does not see a buffered write that failed.
        if (file.write(page) != page.size() || !file.flush() || !file.commit()) {
            file.cancelWriting();
            rt::raise(rt::err::DiskFull);
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
