#pragma once
// Our document engine: a WordprocessingML package (the content word processors read
// whatever the file's extension) with a cursor of its own, driven step by step the way
// the document builds drive it.
//
// Cursor model. A document is a sequence of lines: each paragraph of the body is one
// line, each table row is one line; nothing wraps. A paragraph has one caret stop per
// character position (a text character, also one outside the basic plane, a tab, a
// break, a picture each count one); a row has the stops of each of its cells (an empty
// cell has one) and one end-of-row stop. A stop's column is its index within its line.
// Pages begin only at explicit breaks: after a page break character, at a paragraph
// that starts a page, and after a section break.
//
// Every move except up/down sets the goal column; up/down keep it and land on the
// cell under it (the last cell starting at or left of it). Every impossible step
// (past either end of the document, a cell move outside a table or past its last
// cell, typing or going to the end of the line at an end-of-row stop, no next page,
// copying without a selection, pasting an empty buffer or inside a table) throws
// DocError, so a template that does not fit its script fails loudly.

#include "XmlTree.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <vector>

namespace docs {

class DocError : public std::runtime_error {
public:
    explicit DocError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// Text as it can be typed: every line break (CR LF, CR, LF, or a Unicode line or
// paragraph separator) and every other control character becomes one space, so a
// typed value never makes a line of its own.
QString typeableText(const QString& text);

// Writes a package (part name, content) atomically: the file appears complete or not
// at all. Throws DocError.
void writePackage(const QString& path, const QList<QPair<QString, QByteArray>>& parts);

class WordDocument {
public:
    // Opens a package. Throws DocError when the file is missing or not a package.
    static std::unique_ptr<WordDocument> open(const QString& path);
    ~WordDocument();
    WordDocument(const WordDocument&) = delete;
    WordDocument& operator=(const WordDocument&) = delete;

    // Writes the document under fileName into folder; later saves go there.
    void saveAs(const QString& folder, const QString& fileName);
    void save();
    QString path() const { return m_path; }

    // Moves. extend keeps (or starts) a selection from where the caret stood.
    void moveDown(int count = 1, bool extend = false);
    void moveUp(int count = 1, bool extend = false);
    void moveRight(int count = 1);
    void moveLeft(int count = 1);
    void moveRightCell(int count = 1);
    void endOfLine();
    void nextPage();
    void typeText(const QString& text);
    // Copies the selected lines (a row that the selection reaches into is taken
    // whole) into the engine's own buffer, never the system clipboard.
    void copy();
    // Inserts the buffer before the current paragraph; the caret is left on the stop
    // just before the pasted block.
    void paste();

    // What a test or a reader sees.
    struct Caret {
        int line = 0;
        int cell = 0;    // 0 in a paragraph; in a row the cell, or the cell count at the end-of-row stop
        int offset = 0;
        bool operator==(const Caret&) const = default;
    };
    Caret caret() const { return m_caret; }
    int lineCount() const { return int(m_lines.size()); }
    bool isRow(int line) const;
    // The texts of a line: one for a paragraph, one per cell for a row. A tab reads
    // as '\t', a page break as '\f', a line break as '\n', other objects as U+FFFC.
    QStringList lineTexts(int line) const;
    QList<QStringList> textModel() const;
    // The page (from 1) on which a line begins.
    int pageOfLine(int line) const;
    int pageCount() const;
    // The serialized main part, as it would be saved. Throws DocError when a typed text
    // has no form in XML.
    QByteArray documentXml() const;

private:
    WordDocument();
    struct Seg {
        XNode* node = nullptr;        // the paragraph of a paragraph line, or the cell
        std::vector<XNode*> paras;    // its paragraphs
        int len = 0;                  // characters, and the paragraph marks between paragraphs
    };
    struct Line {
        XNode* node = nullptr;    // w:p or w:tr
        XNode* table = nullptr;   // the row's table
        bool row = false;
        std::vector<Seg> segs;
    };

    void buildLines(XNode* container, std::vector<Line>& out) const;
    Line makeParagraphLine(XNode* p) const;
    Line makeRowLine(XNode* tr, XNode* tbl) const;
    int segLength(const Seg& s) const;
    int column(const Caret& c) const;
    int stopsIn(const Line& l) const;
    // The last stop of a line: a paragraph's end, a row's end-of-row stop.
    Caret lastStop(int line) const;
    void landOn(int line);
    void stepRight();
    void stepLeft();
    void moveByCharacters(int count);   // right when positive, left when negative
    void beginMove(bool extend);
    void insertText(Seg& seg, int offset, const QString& text);
    QList<Caret> pageStarts(int line) const;
    bool before(const Caret& a, const Caret& b) const;
    QString w(const char* local) const { return m_prefix + QLatin1String(local); }

    QString m_path;
    QList<QPair<QString, QByteArray>> m_parts;   // every part as read, in order
    int m_mainPart = -1;
    std::unique_ptr<XNode> m_xml;
    XNode* m_body = nullptr;
    QString m_prefix;   // the WordprocessingML prefix with its colon ("w:")
    std::vector<Line> m_lines;
    Caret m_caret;
    int m_goal = 0;
    bool m_selecting = false;
    Caret m_anchor;
};

}  // namespace docs
