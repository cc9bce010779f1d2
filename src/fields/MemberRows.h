#pragma once
// The eight member rows of an application as values: what the member tab's boxes
// hold, row by row. Rows are numbered 1 to 8 as the window names its boxes
// (`txtxm1` .. `txtxm8`); the array holds row k at index k - 1.

#include <QString>
#include <array>
#include <optional>

struct MemberRow {
    QString name;       // txtxm k
    QString age;        // txtnl k
    QString title;      // txtzw k
    QString titleCode;  // txtzcdm k (hidden)
    QString degree;     // txtxw k
    QString unit;       // txtszdw k
    QString task;       // txtxmfg k

    // A row is a member when its name, trimmed of blanks, is not empty.
    bool hasName() const;
    bool operator==(const MemberRow&) const = default;
};

constexpr int kMemberRowCount = 8;
using MemberRows = std::array<MemberRow, kMemberRowCount>;

// The row number 1..8 that a row text ("1".."8") names, or nothing.
std::optional<int> memberRowNumber(const QString& row);

// The age box being left: empty, or two characters from "20" to "80" (compared as
// text). Otherwise the message for the message box (title "提示信息", OK), after which
// the focus goes back to the age box with the text as typed.
std::optional<QString> checkAge(const QString& age);

// F2 in the name box of `row`: the rows from `row` on move down by one and `row` is
// emptied. Refused (false, nothing changes) when row 8 holds a name, so that no
// member is pushed out of the window. Ages that move pass through their whole-number
// value ("05" becomes "5", "0" becomes empty); an age that is not a whole number
// moves as it stands.
bool InsertMemberRow(MemberRows& rows, int row);

// F3, or a name box left empty: the rows below `row` move up by one and row 8 is
// emptied; ages that move are trimmed of blanks. The rows above stay.
void RemoveMemberRow(MemberRows& rows, int row);

// Before storing: the members (rows with a name) move up in their order so that no
// empty row stands between them, and the rows after them are emptied. Returns the
// number of members.
int CloseUpMemberRows(MemberRows& rows);

// Top (twips) of a shared member list (units, titles, degrees) shown for a row given
// as its text ("1".."8"); nothing for any other text, where the list keeps its Top.
std::optional<int> MemberListTop(const QString& row);

// A pick-list item is the code, "、" and the name; the item is split at its first
// "、" (codes may be shorter than their column). Without one, the whole item is the
// code and the name is empty.
struct ListItemParts {
    QString code;
    QString name;
};
ListItemParts SplitListItem(const QString& item);
QString ListItem(const QString& code, const QString& name);
