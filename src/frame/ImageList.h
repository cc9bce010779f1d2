#pragma once
// An image list: small pictures of one size, each under a key, for a toolbar.

#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <QStringList>

class VbImageList : public QObject {
    Q_OBJECT
public:
    VbImageList(QObject* parent, const QString& name, int size = 16);
    int ImageSize() const { return m_size; }
    void Add(const QString& key, const QPixmap& picture);
    bool Contains(const QString& key) const { return m_keys.contains(key); }
    QPixmap Picture(const QString& key) const;
    QIcon Icon(const QString& key) const;
    QStringList Keys() const { return m_keys; }

private:
    int m_size;
    QStringList m_keys;
    QList<QPixmap> m_pictures;
};

// The main window's toolbar pictures, drawn by the program: 16 x 16 images keyed
// "exit", "cut", "copy", "paste", "preview", "print", "undo", "save", "new", "help",
// "open".
void AddMainToolbarImages(VbImageList& list);
