#pragma once

// <cstdio> defines EOF as a macro, which would turn the cursor's EOF() below into a syntax
// error. Nothing in C++ code needs the macro (std::char_traits<char>::eof() is the same value),
// so it is taken away once stdio's include guard has been passed.
#include <cstdio>
#undef EOF

#include <QAnyStringView>
#include <QString>
#include <vector>

#include "db/Connection.h"
#include "db/Variant.h"

struct sqlite3_stmt;

namespace db {

class Recordset;

// One column of the current row, read through the recordset it came from.
class Field {
  public:
    Field(const Field&) = default;
    // A field names one column for good; `a = b` would look like a copy of a value.
    Field& operator=(const Field&) = delete;

    QString Name() const;
    Variant Value() const;
    operator Variant() const { return Value(); }

  private:
    friend class Recordset;
    Field(Recordset* recordset, int column) : recordset_(recordset), column_(column) {}

    Recordset* recordset_;
    int column_;
};

// The rows of a query, read completely when it opens, so later writes to the tables do not
// change them. Reading only: writes go through Connection::Execute. Field lookup ignores letter
// case. Field objects refer to the recordset and must not outlive it.
class Recordset {
  public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // A statement that gives rows opens the recordset on them, positioned on the first row;
    // any other statement is run and leaves the recordset closed.
    void Open(const QString& sql, Connection& connection, const Params& params = {});
    // Nothing to do when closed.
    void Close() noexcept;
    int State() const { return open_ ? 1 : 0; }

    bool EOF() const;
    // Both raise 3021 when there is no row to move to.
    void MoveFirst();
    void MoveNext();
    long RecordCount() const;

    // By name, ignoring case; "table.column" and "[table].[column]" name the column of that
    // table. Unknown names raise 3265.
    Field Fields(QAnyStringView name);
    Field Fields(int index);
    int FieldCount() const;
    // The value of a field of the current row, by name or by position.
    Variant operator[](QAnyStringView name) const;
    Variant operator[](int index) const;

    // A field name in lower-case ASCII, as UTF-16 and as bytes; empty when it is not ASCII.
    // Public only so that the lookup helpers can name it.
    struct FoldedName {
        QString utf16;
        QByteArray bytes;
    };

  private:
    friend class Field;

    struct Column {
        QString name;       // as the statement names it (alias or column name)
        QString table;      // the table it comes from; empty for an expression
        QString origin;     // the column's name in that table
        FoldedName folded;  // for the quick lookup
    };

    // Rows are kept in blocks of a fixed number of rows: appending never moves what is
    // stored. The blocks of a recordset that is closed are kept for the next query (see
    // Recordset.cpp), so that reading the same rows again neither allocates nor faults in fresh
    // memory.
    class Cells {
      public:
        static constexpr qsizetype kBlockRows = 128;

        Cells() = default;
        Cells(Cells&& other) noexcept = default;
        Cells& operator=(Cells&& other) noexcept;
        Cells(const Cells&) = delete;
        Cells& operator=(const Cells&) = delete;
        ~Cells() { release(); }

        void reset(int columns);
        void append(Variant&& value) {
            if (blocks_.empty() || blocks_.back().size() == blockCells_) {
                addBlock();
            }
            blocks_.back().push_back(std::move(value));
        }
        Variant* row(qsizetype index) {
            return blocks_[static_cast<size_t>(index / kBlockRows)].data() +
                   (index % kBlockRows) * columns_;
        }
        const Variant* row(qsizetype index) const {
            return blocks_[static_cast<size_t>(index / kBlockRows)].data() +
                   (index % kBlockRows) * columns_;
        }

      private:
        void addBlock();
        void release() noexcept;

        int columns_ = 0;
        size_t blockCells_ = 0;
        std::vector<std::vector<Variant>> blocks_;
    };

    void requireOpen() const;
    bool onRow() const { return pos_ < rows_; }
    const Variant& cell(qsizetype row, int column) const { return cells_.row(row)[column]; }
    int columnIndex(QAnyStringView name) const;
    int qualifiedColumnIndex(const QString& name) const;
    int requireColumn(QAnyStringView name) const;
    // The current row's value, inline for the common case of a row being read.
    const Variant& value(int column) const {
        if (open_ && onRow()) {
            return cell(pos_, column);
        }
        noCurrentValue();
    }
    // 3704 when closed, 3021 past the last row.
    [[noreturn]] void noCurrentValue() const;
    void load(sqlite3* handle, sqlite3_stmt* statement);

    bool open_ = false;
    std::vector<Column> columns_;
    int columnCount_ = 0;
    Cells cells_;
    qsizetype rows_ = 0;
    qsizetype pos_ = 0;  // rows_ after the last row
};

}  // namespace db
