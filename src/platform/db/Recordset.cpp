#include "db/Recordset.h"

#include <sqlite3.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <type_traits>

#include "db/SqliteSupport.h"
#include "runtime/Error.h"

namespace db {

using FoldedName = Recordset::FoldedName;

namespace {

[[noreturn]] void failDefault(long number) {
    rt::raise(number, detail::errorSource());
}

QString unbracket(QString part) {
    part = part.trimmed();
    if (part.size() >= 2 && part.front() == QLatin1Char('[') && part.back() == QLatin1Char(']')) {
        part = part.mid(1, part.size() - 2).trimmed();
    }
    return part;
}

bool sameName(QAnyStringView a, QAnyStringView b) {
    return QAnyStringView::compare(a, b, Qt::CaseInsensitive) == 0;
}

template <typename Ch>
char16_t codeUnit(Ch ch) {
    if constexpr (std::is_same_v<Ch, QChar> || std::is_same_v<Ch, QLatin1Char>) {
        return ch.unicode();
    } else if constexpr (std::is_same_v<Ch, char16_t>) {
        return ch;
    } else {
        return static_cast<unsigned char>(ch);
    }
}

template <typename Word>
Word load(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// equalsFolded for a name of the same length that is not written in lower case.
[[gnu::noinline]] bool equalsFoldedIgnoringCase(QAnyStringView wanted, const FoldedName& folded) {
    return wanted.visit([&](auto view) {
        const QChar* other = folded.utf16.constData();
        for (qsizetype i = 0; i < view.size(); ++i) {
            char16_t a = codeUnit(view[i]);
            if (a >= u'A' && a <= u'Z') {
                a += u'a' - u'A';
            }
            if (a != other[i].unicode()) {
                return false;
            }
        }
        return true;
    });
}

// The quick comparison of field names, done for every field of every row: true when the wanted
// name equals a name already in lower-case ASCII without regard to ASCII case. Names that are
// not plain ASCII are left to the full comparison.
// Kept: with QAnyStringView::compare in its place BM_RecordsetScanFoodN1 is 1.7-1.9 times as slow.
inline bool equalsFolded(QAnyStringView wanted, const FoldedName& folded) {
    const qsizetype size = folded.utf16.size();
    if (wanted.size() != size || size == 0) {
        return false;
    }
    // Names are mostly written in lower case already: compared as they stand first.
    const auto* bytes = static_cast<const char*>(wanted.data());
    const bool utf16 = wanted.size_bytes() != size;  // two bytes a character, not one
    const char* other =
        utf16 ? reinterpret_cast<const char*>(folded.utf16.constData()) : folded.bytes.constData();
    if (std::memcmp(bytes, other, static_cast<size_t>(wanted.size_bytes())) == 0) {
        return true;
    }
    return equalsFoldedIgnoringCase(wanted, folded);
}

// Lower-case ASCII form of a name for equalsFolded; empty when the name is not plain ASCII.
FoldedName asciiFolded(const QString& name) {
    for (const QChar ch : name) {
        if (ch.unicode() >= 0x80) {
            return {};
        }
    }
    const QString lower = name.toLower();
    return {lower, lower.toLatin1()};
}

// Texts repeat down the rows of a query (units, categories, a member's sex): a short text read
// before is shared rather than decoded and stored once more, which spares an allocation for each
// field and keeps a long recordset small. A text is shared only when it is certainly equal; a
// column whose texts hardly ever repeat (names, addresses) soon stops being looked up.
// Kept: without it BM_MemberList5000 is 10-25% and BM_RecordsetScanFoodN1 7-12% slower.
class SharedTexts {
  public:
    explicit SharedTexts(int columns) : columns_(columns) {}

    QString text(int column, const char* utf8, int bytes) {
        if (bytes == 0 || bytes > kMaxBytes) {
            return QString::fromUtf8(utf8, bytes);
        }
        if (!slots_) {
            // A query of a few rows gains nothing from it.
            if (++unshared_ <= kUnshared) {
                return QString::fromUtf8(utf8, bytes);
            }
            slots_ = std::make_unique<Slot[]>(kSlots);
            trials_.assign(static_cast<size_t>(columns_), Trial{});
        }
        Trial& trial = trials_[static_cast<size_t>(column)];
        if (trial.off) {
            return QString::fromUtf8(utf8, bytes);
        }
        const quint64 hash = hashOf(utf8, bytes);
        Slot& slot = slots_[hash >> (64 - kSlotBits)];
        if (slot.hash == hash && sameAscii(slot.text, utf8, bytes)) {
            ++trial.hits;
            return slot.text;
        }
        if (++trial.misses + trial.hits == kTrialTexts && trial.hits < kTrialTexts / 4) {
            trial.off = true;
        }
        QString text = QString::fromUtf8(utf8, bytes);
        slot.hash = hash;
        slot.text = text;
        return text;
    }

  private:
    static constexpr int kMaxBytes = 48;
    static constexpr int kSlotBits = 8;
    static constexpr size_t kSlots = size_t(1) << kSlotBits;
    static constexpr int kUnshared = 16;
    // A column is given up when fewer than a quarter of its first texts were shared.
    static constexpr int kTrialTexts = 256;

    struct Slot {
        quint64 hash = 0;
        QString text;
    };
    struct Trial {
        int hits = 0;
        int misses = 0;
        bool off = false;
    };

    // From the length and the first and last bytes: texts that differ only in their middle
    // fall into one slot and take turns in it, which costs only the sharing.
    static quint64 hashOf(const char* bytes, int size) {
        quint64 head;
        quint64 tail;
        if (size >= 8) {
            head = load<quint64>(bytes);
            tail = load<quint64>(bytes + size - 8);
        } else if (size >= 4) {
            head = load<quint32>(bytes);
            tail = load<quint32>(bytes + size - 4);
        } else {
            head = static_cast<unsigned char>(bytes[0]);
            tail = quint64(static_cast<unsigned char>(bytes[size / 2])) << 8 |
                   quint64(static_cast<unsigned char>(bytes[size - 1])) << 16;
        }
        quint64 hash = (head ^ quint64(size)) * 0x9E3779B97F4A7C15ull;
        hash = (hash ^ (hash >> 29) ^ tail) * 0xBF58476D1CE4E5B9ull;
        return hash ^ (hash >> 32);
    }
    // Equal when the bytes are ASCII and the same characters; a text with other characters is
    // never shared, which costs only the sharing.
    static bool sameAscii(const QString& text, const char* bytes, int size) {
        if (text.size() != size) {
            return false;
        }
        const QChar* units = text.constData();
        for (int i = 0; i < size; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte >= 0x80 || units[i].unicode() != byte) {
                return false;
            }
        }
        return true;
    }

    int columns_;
    int unshared_ = 0;
    std::unique_ptr<Slot[]> slots_;
    std::vector<Trial> trials_;
};

}  // namespace

// --- Field -------------------------------------------------------------------------------

QString Field::Name() const {
    recordset_->requireOpen();
    return recordset_->columns_[static_cast<size_t>(column_)].name;
}

Variant Field::Value() const {
    return recordset_->value(column_);
}

// --- storage -------------------------------------------------------------------------------

namespace {

// The emptied blocks of recordsets that are gone, for the next query to fill. Left to the
// allocator, the blocks of a long recordset that lie at the top of the heap go back to the
// system when it closes and are faulted in page by page by the next query, which can make
// reading the rows several times as slow, depending on what else the program has allocated.
// Kept: without it BM_RecordsetScanFoodN1 takes 4.5 to 6 times as long.
class BlockPool {
  public:
    static BlockPool& instance() {
        // Never destroyed: recordsets that are static objects may close after it would be.
        static BlockPool* pool = new BlockPool;
        return *pool;
    }

    std::vector<Variant> take() {
        const std::lock_guard lock(mutex_);
        if (blocks_.empty()) {
            return {};
        }
        std::vector<Variant> block = std::move(blocks_.back());
        blocks_.pop_back();
        bytes_ -= bytesOf(block);
        return block;
    }

    // Takes an empty block, unless the pool holds enough already.
    void give(std::vector<Variant>&& block) noexcept {
        const std::lock_guard lock(mutex_);
        if (bytes_ + bytesOf(block) > kMaxBytes || blocks_.size() == blocks_.capacity()) {
            return;
        }
        bytes_ += bytesOf(block);
        blocks_.push_back(std::move(block));
    }

  private:
    // Enough for the longest regular query, the food composition table.
    static constexpr size_t kMaxBytes = size_t(8) << 20;

    BlockPool() { blocks_.reserve(1024); }
    static size_t bytesOf(const std::vector<Variant>& block) {
        return block.capacity() * sizeof(Variant);
    }

    std::mutex mutex_;
    std::vector<std::vector<Variant>> blocks_;
    size_t bytes_ = 0;
};

}  // namespace

Recordset::Cells& Recordset::Cells::operator=(Cells&& other) noexcept {
    if (this != &other) {
        release();
        columns_ = other.columns_;
        blockCells_ = other.blockCells_;
        blocks_ = std::move(other.blocks_);
        other.blocks_.clear();
    }
    return *this;
}

void Recordset::Cells::reset(int columns) {
    release();
    columns_ = columns;
    blockCells_ = static_cast<size_t>(kBlockRows * columns);
}

void Recordset::Cells::addBlock() {
    std::vector<Variant> block = BlockPool::instance().take();
    block.reserve(blockCells_);
    blocks_.push_back(std::move(block));
}

void Recordset::Cells::release() noexcept {
    for (std::vector<Variant>& block : blocks_) {
        block.clear();
        BlockPool::instance().give(std::move(block));
    }
    blocks_.clear();
}

// --- opening and closing -----------------------------------------------------------------

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

void Recordset::requireOpen() const {
    if (!open_) {
        failDefault(rt::err::ObjectClosed);
    }
}

void Recordset::Open(const QString& sql, Connection& connection, const Params& params) {
    if (open_) {
        failDefault(rt::err::ObjectOpen);
    }
    sqlite3* handle = connection.handle();
    if (!handle) {
        failDefault(rt::err::ConnectionUnusable);
    }
    detail::Statement statement = detail::prepare(handle, sql);
    if (!sqlite3_stmt_readonly(statement.get())) {
        connection.AwaitCheck();
    }
    detail::bind(handle, statement.get(), params);
    if (sqlite3_column_count(statement.get()) == 0) {
        while (detail::step(handle, statement.get())) {
        }
        return;
    }
    load(handle, statement.get());
}

void Recordset::load(sqlite3* handle, sqlite3_stmt* statement) {
    const int count = sqlite3_column_count(statement);

    // Everything is read into locals first: a failure half-way leaves this recordset as it was.
    std::vector<Column> columns;
    columns.reserve(static_cast<size_t>(count));
    for (int c = 0; c < count; ++c) {
        auto text = [](const char* value) { return value ? QString::fromUtf8(value) : QString(); };
        const QString name = text(sqlite3_column_name(statement, c));
        columns.push_back({name, text(sqlite3_column_table_name(statement, c)),
                           text(sqlite3_column_origin_name(statement, c)), asciiFolded(name)});
    }
    Cells cells;
    cells.reset(count);
    qsizetype rows = 0;
    SharedTexts texts(count);
    while (detail::step(handle, statement)) {
        for (int c = 0; c < count; ++c) {
            cells.append(detail::columnValue(
                statement, c,
                [&texts, c](const char* utf8, int bytes) { return texts.text(c, utf8, bytes); }));
        }
        ++rows;
    }

    columns_ = std::move(columns);
    columnCount_ = count;
    cells_ = std::move(cells);
    rows_ = rows;
    pos_ = 0;
    open_ = true;
}

void Recordset::Close() noexcept {
    if (open_) {
        *this = Recordset();
    }
}

// --- cursor --------------------------------------------------------------------------------

bool Recordset::EOF() const {
    requireOpen();
    return pos_ >= rows_;
}

void Recordset::MoveFirst() {
    requireOpen();
    if (rows_ == 0) {
        failDefault(rt::err::NoCurrentRecord);
    }
    pos_ = 0;
}

void Recordset::MoveNext() {
    requireOpen();
    if (EOF()) {
        failDefault(rt::err::NoCurrentRecord);
    }
    ++pos_;
}

long Recordset::RecordCount() const {
    requireOpen();
    return static_cast<long>(rows_);
}

// --- fields --------------------------------------------------------------------------------

int Recordset::columnIndex(QAnyStringView name) const {
    for (int c = 0; c < columnCount_; ++c) {
        if (equalsFolded(name, columns_[static_cast<size_t>(c)].folded)) {
            return c;
        }
    }
    // Names beyond ASCII, and qualified ones, which no window reads in a loop.
    for (int c = 0; c < columnCount_; ++c) {
        if (sameName(name, columns_[static_cast<size_t>(c)].name)) {
            return c;
        }
    }
    return qualifiedColumnIndex(name.toString());
}

int Recordset::qualifiedColumnIndex(const QString& name) const {
    // The last point outside brackets separates table and column: "[a.b].[c]" is table "a.b".
    int depth = 0;
    qsizetype point = -1;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar ch = name[i];
        if (ch == QLatin1Char('[')) {
            ++depth;
        } else if (ch == QLatin1Char(']')) {
            --depth;
        } else if (ch == QLatin1Char('.') && depth == 0) {
            point = i;
        }
    }
    const QString column = unbracket(point < 0 ? name : name.mid(point + 1));
    if (column.isEmpty()) {
        return -1;
    }
    if (point >= 0) {
        const QString table = unbracket(name.left(point));
        for (int c = 0; c < columnCount_; ++c) {
            const Column& candidate = columns_[static_cast<size_t>(c)];
            if (!candidate.table.isEmpty() && sameName(table, candidate.table) &&
                (sameName(column, candidate.origin) || sameName(column, candidate.name))) {
                return c;
            }
        }
    }
    for (int c = 0; c < columnCount_; ++c) {
        if (sameName(column, columns_[static_cast<size_t>(c)].name)) {
            return c;
        }
    }
    return -1;
}

int Recordset::requireColumn(QAnyStringView name) const {
    requireOpen();
    const int column = columnIndex(name);
    if (column < 0) {
        failDefault(rt::err::ItemNotFound);
    }
    return column;
}

Field Recordset::Fields(QAnyStringView name) {
    return Field(this, requireColumn(name));
}

Field Recordset::Fields(int index) {
    requireOpen();
    if (index < 0 || index >= columnCount_) {
        failDefault(rt::err::ItemNotFound);
    }
    return Field(this, index);
}

int Recordset::FieldCount() const {
    requireOpen();
    return columnCount_;
}

Variant Recordset::operator[](QAnyStringView name) const {
    return value(requireColumn(name));
}

Variant Recordset::operator[](int index) const {
    requireOpen();
    if (index < 0 || index >= columnCount_) {
        failDefault(rt::err::ItemNotFound);
    }
    return value(index);
}

void Recordset::noCurrentValue() const {
    requireOpen();
    failDefault(rt::err::NoCurrentRecord);
}

}  // namespace db
