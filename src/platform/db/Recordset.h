#pragma once

// <cstdio> defines EOF as a macro, which would turn the cursor's EOF() below into a syntax
// error. Nothing in C++ code needs the macro (std::char_traits<char>::eof() is the same value),
// so it is taken away once stdio's include guard has been passed.
#include <cstdio>
#undef EOF

#include <QAnyStringView>
#include <QString>
#include <memory>
#include <vector>

#include "db/Connection.h"
#include "db/Variant.h"

struct sqlite3_stmt;

namespace db {

class Recordset;

// One column of the current row. Reading gives the value of the current row (or of the row
// being edited); assigning starts an edit of the current row, to be saved by Update().
class Field {
  public:
    Field(const Field&) = default;

    QString Name() const;
    Variant Value() const;
    operator Variant() const { return Value(); }

    Field& operator=(const Variant& value);
    // Assigning one field to another copies the value, as `rs!a = rs2!b` does.
    Field& operator=(const Field& other) { return *this = other.Value(); }

  private:
    friend class Recordset;
    Field(Recordset* recordset, int column) : recordset_(recordset), column_(column) {}

    Recordset* recordset_;
    int column_;
};

// The rows of a query, read completely when it opens, so later writes to the tables do not
// change them. A recordset opened with OpenTable can also add, change and delete rows of its
// table. Field lookup ignores letter case. Field objects refer to the recordset and must not
// outlive it.
class Recordset {
  public:
    enum EditModeEnum { EditNone = 0, EditInProgress = 1, EditAdd = 2 };
    enum PositionEnum { PosUnknown = -1, PosBOF = -2, PosEOF = -3 };

    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // A statement that gives rows opens the recordset on them, positioned on the first row;
    // any other statement is run and leaves the recordset closed.
    void Open(const QString& sql, Connection& connection, const Params& params = {});
    // The rows of the table, in the order of insertion, updatable: every row, or with a
    // condition only those that meet it. The condition is SQL over the table's columns with a ?
    // for each value, which params binds ("uid = ? AND idate = ?"). Rows added or changed
    // later stay in the recordset whether they meet it or not.
    void OpenTable(const QString& table, Connection& connection, const QString& where = {},
                   const Params& params = {});
    // The table opened only to add rows: its columns without reading any row.
    void OpenTableToAdd(const QString& table, Connection& connection);
    // Nothing to do when closed; raises 3219 while an edit is pending (Update or CancelUpdate
    // first), so that the edit is not lost unnoticed.
    void Close();
    int State() const { return open_ ? 1 : 0; }

    bool BOF() const;
    bool EOF() const;
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    long RecordCount() const;
    // 1-based; PosBOF or PosEOF off the rows, PosUnknown on a deleted row.
    long AbsolutePosition() const;

    // By name, ignoring case; "table.column" and "[table].[column]" name the column of that
    // table. Unknown names raise 3265.
    Field Fields(QAnyStringView name);
    Field Fields(int index);
    int FieldCount() const;
    // The value of a field of the current row, by name or by position.
    Variant operator[](QAnyStringView name) const;
    Variant operator[](int index) const;

    // Updating (only after OpenTable; otherwise 3251). Moving to another row, AddNew and Find
    // save a pending edit first, as Update() would.
    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();
    int EditMode() const;

    // "column = 'text'" (with '' for an apostrophe) or "column = number": from the current row
    // on, the first row whose value matches (texts without regard to case); EOF when none.
    void Find(const QString& criteria);

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
        bool unique;        // no other column has the same folded name
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

    // A name already looked up, so that the same name in the next row costs a comparison.
    struct Alias {
        FoldedName folded;
        int column;
    };

    sqlite3* usableHandle(Connection& connection) const;
    void openTable(const QString& table, Connection& connection, const QString& clause,
                   const Params& params);
    void requireOpen() const;
    void requireUpdatable() const;
    bool onRow() const { return pos_ >= 0 && pos_ < rows_; }
    const Variant& cell(qsizetype row, int column) const { return cells_.row(row)[column]; }
    int columnIndex(QAnyStringView name) const;
    int searchColumn(QAnyStringView name) const;
    int qualifiedColumnIndex(const QString& name) const;
    int requireColumn(QAnyStringView name) const;
    // The current row's value, inline for the common case of a row being read.
    const Variant& value(int column) const {
        if (open_ && edit_ == EditNone && onRow() &&
            (deleted_.empty() || !deleted_[static_cast<size_t>(pos_)])) {
            return cell(pos_, column);
        }
        return otherValue(column);
    }
    const Variant& otherValue(int column) const;
    void setValue(int column, const Variant& value);
    void load(sqlite3* handle, sqlite3_stmt* statement, bool withRowid);
    void savePendingEdit();
    sqlite3* writeHandle() const;
    qint64 insertRow();
    qint64 updateRow();
    std::vector<Variant> readBack(qint64 rowid) const;

    bool open_ = false;
    std::vector<Column> columns_;
    int columnCount_ = 0;
    Cells cells_;
    mutable std::vector<Alias> aliases_;
    mutable int nextColumn_ = 0;
    qsizetype rows_ = 0;
    qsizetype live_ = 0;  // rows_ less the deleted ones
    qsizetype pos_ = 0;   // -1 before the first row, rows_ after the last

    // Only for a recordset opened with OpenTable.
    QString table_;
    std::shared_ptr<Connection::Shared> connection_;
    std::vector<qint64> rowids_;
    std::vector<char> deleted_;
    EditModeEnum edit_ = EditNone;
    std::vector<Variant> buffer_;
    std::vector<char> dirty_;
};

}  // namespace db
