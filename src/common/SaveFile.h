#pragma once
// Files written beside the old one and put in its place only once complete.

class QSaveFile;

// Writes out what is still buffered and puts the file in its place; on any failure
// the old file stays as it was and false is returned (the reason in errorString()).
// QSaveFile::commit alone would put a file in place whose last buffered writes
// failed on a full disk.
bool CommitSaveFile(QSaveFile& file);
