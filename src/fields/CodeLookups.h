#pragma once
// Typed codes and names resolved against the code tables: the leader's and the
// members' titles against `zcdm`, the units against `dwdm`. Each lookup binds the
// box's text; it takes the first row in code order whose column equals the text
// exactly. And the pick lists filled from the code tables. Database failures throw
// DbError.

#include <QString>
#include <QVariant>
#include <initializer_list>

class DbConnection;
class Recordset;
class VbListBox;

// The title box and its hidden code box after a lookup.
struct TitleResolution {
    QString title;
    QString code;
    // A name that matches no title: the window shows kWrongTitleMessage.
    bool wrongTitle = false;

    bool operator==(const TitleResolution&) const = default;
};

// The message box text (title "提示信息", OK) for a member title that matches nothing.
extern const QString kWrongTitleMessage;

// The leader's title box `txtzc` being left. A code (digits) that `zcdm` holds puts
// the title's name into the box and its code into the code box; a code it lacks stays
// as typed, silently. A name (picked from the list) is left as it is, with its code.
// An empty box or a code without a title leaves the code box empty, so that no stale
// code is stored or counted.
TitleResolution ResolveTitleCode(DbConnection& db, const QString& title, const QString& code);

// A member's title box `txtzw`k being left: a code that `zcdm` holds as for the
// leader; a name is looked up among the title names, and one that matches none stays
// as typed with the message. A code or a name that matches no title keeps the code
// the row had (a received or older application may name a title this table lacks:
// passing its box must not lose its code and its counts); only an emptied box leaves
// the code box empty.
TitleResolution ResolveMemberTitle(DbConnection& db, const QString& title, const QString& code);

// A unit box being left: a unit code (digits) that `dwdm` holds becomes the unit's
// name; anything else (a name, or a code without a unit) stays as it is.
QString ResolveUnitCode(DbConnection& db, const QString& unit);

// How a pick-list item shows a row of a code table.
enum class CodeItem {
    CodeAndName,   // the code, "、" and the name, as they stand
    PaddedCode,    // the code trimmed, a code of one character followed by a blank; "、"; the name
    NameOnly,      // the name alone
};

// Reads a code table's rows (the code in column 0, the name in column 1) into `rows`,
// which the window keeps, standing at their end, and fills each list anew with one
// item per row, in the query's order.
void FillCodeList(Recordset& rows, DbConnection& db, const QString& sql, const QVariantList& values, CodeItem item,
                  std::initializer_list<VbListBox*> lists);
