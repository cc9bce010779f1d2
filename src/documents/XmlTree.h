#pragma once
// A small element tree over an XML part of a document package. It keeps every node it
// reads (unknown elements, attributes, comments, processing instructions and
// whitespace-only text) so that a part written back loses nothing a word processor put
// there. Names are kept as written (prefix:local); no namespace processing.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>
#include <vector>

namespace docs {

struct XNode {
    enum Kind { Element, Text, CData, Comment, Instruction };
    Kind kind = Element;
    QString name;    // element's qualified name; an instruction's target
    QString text;    // text, comment or instruction data
    QList<QPair<QString, QString>> attrs;
    std::vector<std::unique_ptr<XNode>> children;
    XNode* parent = nullptr;

    static std::unique_ptr<XNode> element(const QString& name);
    static std::unique_ptr<XNode> textNode(const QString& text);

    QString attr(const QString& name) const;
    void setAttr(const QString& name, const QString& value);
    // First child element of that name, or nullptr.
    XNode* child(const QString& name) const;
    int indexOf(const XNode* node) const;
    XNode* insert(int index, std::unique_ptr<XNode> node);
    XNode* append(std::unique_ptr<XNode> node) { return insert(int(children.size()), std::move(node)); }
    std::unique_ptr<XNode> clone() const;
    bool isElement(const QString& qname) const { return kind == Element && name == qname; }
};

// Parses a part; returns nullptr and sets error when the text is not well-formed.
// The result is a document node (kind Element, empty name) whose children are the
// part's top-level nodes.
std::unique_ptr<XNode> parseXml(const QByteArray& data, QString* error);
// Writes a document node back (with an XML declaration, standalone). A text that XML
// cannot hold (half of a surrogate pair, U+FFFE) makes the writer fail: the result is
// then empty and error says why.
QByteArray writeXml(const XNode& document, QString* error);

}  // namespace docs
