#pragma once
// Values that several windows share for the whole run of the program. Nothing here
// is saved between runs: texts start empty, numbers at 0, references at nothing.

#include <QString>
#include <QVector>
#include <cstdint>

class DbConnection;

// Project category of the current login: 1 humanities and social sciences,
// 2 natural sciences, 3 industrialisation projects; 0 until the login window loads.
extern std::int16_t gCategory;
// Name of this installation's applicant unit (second column of the first row of sqdm).
extern QString gAppUnitName;
// Full path of the database file, set when the main window loads.
extern QString gDbPath;
// The workspace of the open tick-grid window: its own connection to the database,
// on which its bulk operations run their transactions (approval, archive, mid-term
// choice, and the export's copy of the ticked rows). The window sets it when it
// loads and, having closed the connection, clears it when it unloads; nullptr while
// no such window is open.
extern DbConnection* gWorkspace;
// One tick flag per row of the open tick grid's query, row i at index i counting
// from 1 (index 0 unused): 1 ticked, 0 not. The submission and approval grids use
// gExportFlags, the reception grids gImportFlags. Counts and indexes are plain
// ints: a year's rows may number more than a 16-bit count holds.
extern QVector<std::int16_t> gExportFlags;
extern QVector<std::int16_t> gImportFlags;
// The grid's top row as the last box click read it; scratch, reset by SetDat.
extern int gRowIndex;
// The number of ticked rows, counted by an operation before it acts.
extern int gCheckedCount;
extern QString gExportFile;
extern QString gExportTable;

// The main toolbar's cut, copy and paste buttons call these; they do nothing.
void EditCut();
void EditCopy();
void EditPaste();

// The stored text of each category, as the records carry it in xmlb.
QString CategoryText(int category);
