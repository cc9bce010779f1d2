#pragma once
// The derived figures of an application: the staff counts by title, the number of
// participating units and the investment total.

#include "MemberRows.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

struct StaffCounts {
    int postdoctoral = 0;  // code 273
    int doctoral = 0;      // code 274
    int master = 0;        // code 275
    int senior = 0;        // last digit 1 or 2
    int intermediate = 0;  // last digit 3
    int junior = 0;        // last digit 4 or 5

    int total() const;
    // The count boxes with their texts, in the order they are written: `txtbsh`,
    // `txtbss`, `txtsss`, `txtgj`, `txtzj`, `txtcj`, `txtzrs`.
    QList<QPair<QString, QString>> boxTexts() const;
    bool operator==(const StaffCounts&) const = default;
};

// A count as its box shows it: a blank before the digits (" 3"), empty for 0.
QString CountText(int count);

// Counts the leader and the eight member rows by their title codes, trimmed:
// "273", "274", "275" are postdoctoral fellows, doctoral and master students; any
// other code counts by its last character (1 or 2 senior, 3 intermediate, 4 or 5
// junior); an empty code or any other counts nowhere. A row counts by its code alone,
// with or without a name.
StaffCounts CountStaff(const QString& leaderTitleCode, const MemberRows& rows);

// The participating units: the leader's unit always counts as one (blank or not);
// each member unit, trimmed and not empty, adds one when it differs exactly from the
// leader's and from every earlier member's (all trimmed).
int CountUnits(const QString& leaderUnit, const MemberRows& rows);

// The investment total of the funding boxes: the sum of the numbers their texts begin
// with (as Val reads them), in double precision, as the total box shows it (no
// exponent, no trailing zeros); empty when the sum is 0.
QString SumInvestment(const QStringList& amounts);
