#include "XmlTree.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace docs {

std::unique_ptr<XNode> XNode::element(const QString& name)
{
    auto n = std::make_unique<XNode>();
    n->kind = Element;
    n->name = name;
    return n;
}

std::unique_ptr<XNode> XNode::textNode(const QString& text)
{
    auto n = std::make_unique<XNode>();
    n->kind = Text;
    n->text = text;
    return n;
}

QString XNode::attr(const QString& n) const
{
    for (const auto& a : attrs)
        if (a.first == n)
            return a.second;
    return QString();
}

void XNode::setAttr(const QString& n, const QString& value)
{
    for (auto& a : attrs)
        if (a.first == n) {
            a.second = value;
            return;
        }
    attrs.append({n, value});
}

XNode* XNode::child(const QString& n) const
{
    for (const auto& c : children)
        if (c->kind == Element && c->name == n)
            return c.get();
    return nullptr;
}

int XNode::indexOf(const XNode* node) const
{
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i].get() == node)
            return int(i);
    return -1;
}

XNode* XNode::insert(int index, std::unique_ptr<XNode> node)
{
    node->parent = this;
    XNode* raw = node.get();
    children.insert(children.begin() + index, std::move(node));
    return raw;
}

std::unique_ptr<XNode> XNode::clone() const
{
    auto n = std::make_unique<XNode>();
    n->kind = kind;
    n->name = name;
    n->text = text;
    n->attrs = attrs;
    n->children.reserve(children.size());
    for (const auto& c : children)
        n->append(c->clone());
    return n;
}

std::unique_ptr<XNode> parseXml(const QByteArray& data, QString* error)
{
    QXmlStreamReader r(data);
    r.setNamespaceProcessing(false);
    auto doc = XNode::element(QString());
    XNode* cur = doc.get();
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement: {
            auto e = XNode::element(r.qualifiedName().toString());
            for (const auto& a : r.attributes())
                e->attrs.append({a.qualifiedName().toString(), a.value().toString()});
            cur = cur->append(std::move(e));
            break;
        }
        case QXmlStreamReader::EndElement:
            cur = cur->parent;
            break;
        case QXmlStreamReader::Characters: {
            auto t = XNode::textNode(r.text().toString());
            if (r.isCDATA())
                t->kind = XNode::CData;
            // Text outside the root element (only whitespace can be there) is dropped.
            if (cur != doc.get())
                cur->append(std::move(t));
            break;
        }
        case QXmlStreamReader::Comment: {
            auto c = XNode::textNode(r.text().toString());
            c->kind = XNode::Comment;
            cur->append(std::move(c));
            break;
        }
        case QXmlStreamReader::ProcessingInstruction: {
            auto p = std::make_unique<XNode>();
            p->kind = XNode::Instruction;
            p->name = r.processingInstructionTarget().toString();
            p->text = r.processingInstructionData().toString();
            cur->append(std::move(p));
            break;
        }
        default:
            break;
        }
    }
    if (r.hasError()) {
        if (error)
            *error = r.errorString();
        return nullptr;
    }
    return doc;
}

static void writeNode(QXmlStreamWriter& w, const XNode& n)
{
    switch (n.kind) {
    case XNode::Element:
        if (n.children.empty()) {
            w.writeEmptyElement(n.name);
        } else {
            w.writeStartElement(n.name);
        }
        for (const auto& a : n.attrs)
            w.writeAttribute(a.first, a.second);
        if (!n.children.empty()) {
            for (const auto& c : n.children)
                writeNode(w, *c);
            w.writeEndElement();
        }
        break;
    case XNode::Text: w.writeCharacters(n.text); break;
    case XNode::CData: w.writeCDATA(n.text); break;
    case XNode::Comment: w.writeComment(n.text); break;
    case XNode::Instruction: w.writeProcessingInstruction(n.name, n.text); break;
    }
}

QByteArray writeXml(const XNode& document, QString* error)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    for (const auto& c : document.children)
        writeNode(w, *c);
    w.writeEndDocument();
    if (w.hasError()) {
        if (error)
            *error = QStringLiteral("文档中有不能写入文件的字符。");
        return QByteArray();
    }
    return out;
}

}  // namespace docs
