#pragma once
// What the approval window and the mid-term choice window share: an instruction
// above a tick grid of one start year's rows, the condition frame with the year
// spinner and the row count, the archive button, the confirm button and the exit
// button, and the archive of the rows left unticked. Each window gives its design
// and its confirm step.

#include "Controls.h"
#include "RecordLayouts.h"
#include "TickGridForm.h"

#include <QSqlQuery>

// A table of the connection's own (in its temp schema) that holds the rows of one
// operation: the ticks' keys or rowids, so that one statement moves them all. Made
// anew, filled through one prepared insert, and dropped when it goes; inside a
// transaction that rolls back it is gone all the same.
class SqliteStatement;

class ScratchTable {
public:
    // `columns`: the column definitions between parentheses; `indexed`: the columns
    // of an index of its own, none when empty. Throws DbError.
    ScratchTable(DbConnection& db, const QString& name, const QString& columns, const QString& indexed = {});
    ~ScratchTable();
    ScratchTable(const ScratchTable&) = delete;
    ScratchTable& operator=(const ScratchTable&) = delete;

    // One row, its values in column order. Throws DbError.
    void Add(const QVariantList& values);
    // The name to use in statements ("temp.name").
    QString Name() const;

private:
    DbConnection& m_db;
    const QString m_name;
    std::unique_ptr<SqliteStatement> m_insert;
};

class ApprovalGridForm : public TickGridForm {
    Q_OBJECT
public:
    struct Design {
        QString caption;
        int widthTw = 0;
        int heightTw = 0;
        QString instruction;
        int instructionWidthTw = 0;
        bool instructionInRed = false;   // red bold 12-point type
        // The grid's query: its select (which ends in the rowid, kept but not shown)
        // and its year condition with its order, which binds the year.
        QString gridSelect;
        QString yearFilter;
        int frameTopTw = 0;
        // The archive and confirm buttons, one above the other, and the exit button
        // to their right, level with the upper one.
        int buttonsLeftTw = 0;
        int buttonsTopTw = 0;
        int exitLeftTw = 0;
        QString archiveCaption;
        bool archiveEnabled = true;
        QString confirmCaption;
        // The archive moves the unticked rows of `listed` into `archive`.
        const records::RecordLayout* listed = nullptr;
        const records::RecordLayout* archive = nullptr;
    };

protected:
    ApprovalGridForm(const QString& name, Design design);

    void SetupUi() override;
    void LoadGrid() override;

    virtual void cmdExportoA_Click() = 0;
    void cmdPvw_Click();
    void cmdSpin_Changed();
    // Counts the ticks into gCheckedCount; none: says so and gives false.
    bool CountTicks();

    // The rows to move, by their rowids: columns moveorder (the order in which they
    // arrive in the target) and moverowid.
    static const QString kMoveColumns;
    // Copies the rows listed in `moves` whole from `source` into `target`, in their
    // order, then deletes them from `source`.
    void MoveRows(const ScratchTable& moves, const records::RecordLayout& target,
                  const records::RecordLayout& source);

    ControlPtr<VbLabel> Label2{this};
    ControlPtr<VbButton> cmdPvw{this};
    ControlPtr<VbButton> cmdExportoA{this};
    ControlPtr<VbButton> Cmdexit{this};

private:
    const Design m_design;
};
