#pragma once
// The layouts of the project tables, each described once: the columns in the order
// of data/schema.sql, what each holds, and, for the tables that a record window
// keeps, everything about the box that shows the column: its kind, its limit, the
// rule by which the window stores it, locks it and shows it by category, the keys it
// takes, its hint and its input method. The record windows walk this description for
// ShowRecord, StoreRecord, ClearFields, LockFields and UnlockFields and to give each
// box its rules, so that no window keeps lists of boxes of its own; copies between
// tables and the exchange build their column lists from it. A test holds it against
// the schema.
//
// Everything here is plain data: boxes are named by their object names, never by
// pointers, so the description outlives every window. Only the places of the boxes
// (their twips) stay with the windows.

#include <QList>
#include <QString>
#include <QStringList>

// The kind of control that shows a field.
enum class BoxKind {
    None,     // no box: the window does not show the column
    Text,     // a one-line text box
    Memo,     // a text box of several lines
    Check,    // a check box; its text is "1" (ticked, for the mark text) or "0"
    Options,  // a frame of option buttons that the window adds; its text is the
              // chosen button's index ("" for none)
    List,     // a list box; its text is the chosen item
    Label,    // a label's caption
    Display,  // a text box the window fills (a lookup's name, a count); no typing
    Total,    // a text box the window computes from other boxes; ClearFields empties
              // it after those, so that it ends empty
    Hidden,   // a text box never shown: the code beside a visible name
};

// The input method of a box: left alone; switched on or off (when the box is made
// and again whenever it takes the focus); on only while it has the focus.
enum class FieldIme { Untouched, On, Off, OnWhileFocused };

// The keys a box takes, one KeyPress at a time (the rules are KeyFilters' in
// src/fields). Enter moves on to the next box of the tab order, unless the rule says
// otherwise or the column names a page that Enter opens.
enum class KeyRule {
    None,            // no key rule: labels, check boxes, hidden codes, counts
    EnterToTab,      // any key
    DigitsOnly,      // digits and Backspace; anything else beeps (counts and codes)
    DigitsAndPoint,  // as DigitsOnly, and one point (amounts)
    YearMonth,       // yyyy.mm: digits and a point after the four year digits; Enter
                     // is passed on to the box as well
    NoBlanks,        // any key but the blank, which is dropped (names)
    ChooseOnly,      // no key at all: the box is filled from a pick list
    StayOnEnter,     // any key; Enter keeps the focus in the box
};

namespace records {

// What a column holds. Dates, year-months and years are texts in the forms the
// windows give them; a memo is a long text typed over several lines.
enum class Kind { Text, Number, DateText, Memo };

// The login categories (gCategory 1, 2, 3) as bits of a set.
enum Category : int {
    Category1 = 1,
    Category2 = 2,
    Category3 = 4,
    AllCategories = Category1 | Category2 | Category3,
};
// The bit of a login category 1..3.
int categoryBit(int category);

// How the record window's StoreRecord writes the column into a new row. The blank
// test trims blanks; the value written is the untrimmed text.
enum class Store {
    None,      // the window never writes it (other windows may)
    Always,    // the box's text, or "" when the box is blank
    IfFilled,  // the box's text; a blank box leaves the column without a value
    Number,    // the number the text begins with; a blank box leaves it without a value
    Ticked,    // the check box's mark text when ticked; otherwise no value
};

// What the record window's LockFields and UnlockFields do with the column's box.
enum class Lock {
    None,      // neither (its tab may still be disabled)
    Both,      // LockFields disables it and UnlockFields enables it again
    LockOnly,  // LockFields disables it; it is never enabled (a computed total)
};

struct Column {
    QString name{};  // as the schema spells it
    Kind kind = Kind::Text;

    // In the record window that keeps the table. A column without a box is not
    // shown, stored or cleared by that window.
    QString box{};            // object name, or the name of a control array
    int boxIndex = -1;        // index in the control array; -1: a single control
    BoxKind boxKind = BoxKind::None;
    QString alsoShownIn{};    // a second control that ShowRecord fills (a label)
    Store store = Store::None;
    QString mark{};           // Store::Ticked: the text written
    QString caption{};        // the text a check box carries beside it
    QString filledBy{};       // the box whose blank test decides the write, when it
                              // is not the column's own; the value is still its own
    int limit = 0;            // most characters the box takes; 0: no limit
    int tab = -1;             // page of the window's tab control
    int row = 0;              // member or plan row 1..n of a repeated group; 0: single
    bool endsRows = false;    // a blank box here ends the group: neither its row nor
                              // any later one is stored
    Lock lock = Lock::None;
    int categories = AllCategories;  // categories in which the window shows, stores
                                     // and clears it (ClearFields empties every box
                                     // of the columns used in the category)
    int hiddenIn = 0;                // categories in which the box is hidden; its
                                     // column is still stored by its rule

    // How the box takes keys and what it shows while it has the focus.
    KeyRule keys = KeyRule::None;
    int nextPage = -1;        // Enter opens this page of the tab control at its first
                              // box the category shows, instead of moving to the next
                              // box; a page without one leaves the focus in the box
    QString hint{};           // shown while the box has the focus; empty: none
    bool keepsHint = false;   // leaving the box leaves its hint standing
    FieldIme ime = FieldIme::Untouched;
    // How the box looks and what its text does.
    Qt::Alignment align = {}; // of the text; none: the box's own (left)
    bool pickList = false;    // filled from a pick list beside it: painted light orange
    bool blankZero = false;   // a text that is exactly "0" is emptied (a count of 0
                              // shows as a blank box)
    bool addsToTotal = false; // its number is part of the Total box of its tab

    // The object name of the box: the box's name, or for a control array the name,
    // "_" and the index ("Txtcjrs_0").
    QString objectName() const;
    bool usedIn(int category) const { return !box.isEmpty() && (categories & categoryBit(category)); }
};

// A tab page that LockFields disables (and UnlockFields enables), in the given
// categories.
struct TabLock {
    int tab;
    int categories;
};

struct RecordLayout {
    QString table;
    QString window;          // the record window that keeps it; empty: none
    QList<Column> columns;   // in the order of the schema
    QList<TabLock> lockedTabs;

    // Case-insensitive, as the database compares names; -1 when absent.
    int indexOf(const QString& column) const;
    const Column* column(const QString& name) const;
    QStringList columnNames() const;
};

// The described tables.
const RecordLayout& applications();        // xmsb
const RecordLayout& archivedApplications();// xmsbwpz
const RecordLayout& approvedApplications();// xmsbpz
const RecordLayout& archivedApproved();    // xmsbpzwpz
const RecordLayout& midTermProjects();     // xmpz
const RecordLayout& completionReports();   // xmjt
const QList<const RecordLayout*>& allLayouts();
// The layout of a table by name (case-insensitive); nullptr when it is not described.
const RecordLayout* findLayout(const QString& table);

// SQL texts built from a layout. Every identifier is quoted, as some column names
// are keywords ("as", "to"); values are always bound.

// An identifier between double quotes, inner double quotes doubled.
QString quoteIdentifier(const QString& name);
// The quoted names joined by ", ".
QString columnList(const QStringList& names);
QString columnList(const RecordLayout& layout);
// "?, ?, ?" for n values.
QString placeholders(int n);
// insert into "T" (every column) values (?, ...): a whole row, values in column order.
QString insertStatement(const RecordLayout& layout);
// select every column from "T", in column order.
QString selectStatement(const RecordLayout& layout);
// insert into "target" (cols) select cols from "source": every column of the source,
// each into the target's column of the same name; the caller appends its where
// clause and binds its values. Target columns the source lacks (xmsbpz's pzje and
// nd) are left to the caller. Throws std::invalid_argument when the target lacks a
// column of the source, since the copy would lose it.
QString copyStatement(const RecordLayout& target, const RecordLayout& source);

}  // namespace records
