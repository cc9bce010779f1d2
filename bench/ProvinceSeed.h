#pragma once
// A province's data for bench_province: n applications and what a few years of
// work leave beside them, every table of the program's own filled with the texts a
// user types (Chinese names, units and plans within the boxes' limits, dates in the
// forms the windows give them, amounts in 10,000 yuan).
//
// The rows come from a fixed random sequence, so that every run of the same n
// fills the same rows.

#include <QString>

namespace province {

// The calendar year of the run: the year the scripted message service gives as today.
constexpr int kThisYear = 2026;

// How many rows each table gets for n applications.
struct Sizes {
    int applications = 0;  // xmsb: n; start years 2023..2026, four in ten this year
    int approved = 0;      // xmsbpz: n / 2; start years 2022..2026, a fifth each
    int archived = 0;      // xmsbwpz: n / 2; start years 2022..2025, a quarter each
    int midTerm = 0;       // xmpz: n / 4, of the approved projects that started 2022..2024
    int reports = 0;       // xmjt: n / 4
};
Sizes SizesFor(int n);

// The categories share the rows out: one in ten is category 1 (A), six in ten are
// category 2 (B), three in ten category 3 (C).
int CategoryOfRow(int serial);

// Fills the tables of the database file at `path`, made from the schema and still
// empty: the code tables, sqdm and login, then the project tables by SizesFor(n).
// Stops the program (qFatal) when a statement fails.
void Seed(const QString& path, int n);

}  // namespace province
