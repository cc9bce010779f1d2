#include "CompletionFields.h"

#include "VbText.h"

#include <cmath>

namespace {

using records::Column;

// The boxes of the first page in the order the Tab key visits them; the boxes of
// the other pages follow in column order.
const QStringList kFirstPageOrder = {
    "Txtxmlb", "Chkbz", "txtxmbh", "txtszdw", "txtxmmc", "txtxmfzr", "txtzc", "txtxw", "Txtfzrcjsj",
    "Txtcjrs_0", "Txtcjrs_1", "Txtcjrs_2", "Txtcjrs_3", "Txtcjrs_4", "Txtcjrs_5", "Txtcjrs_6", "Txtcjrs_7",
    "Txtfh", "Txtff", "txtpa", "txtfa", "Txtcjdw_0", "Txtcjdw_1", "Txtcjdw_2", "Txtcjdw_3",
};

struct Built {
    FieldTable table;
    QList<CompletionBox> boxes;
};

const Built& built()
{
    static const Built b = [] {
        Built out;
        const records::RecordLayout& layout = records::completionReports();
        int nextTab = int(kFirstPageOrder.size());
        for (const Column& c : layout.columns) {
            if (c.box.isEmpty())
                continue;
            Field f = ColumnField(c);
            const qsizetype first = kFirstPageOrder.indexOf(f.box);
            if (c.boxKind != BoxKind::Hidden && c.boxKind != BoxKind::Total)
                f.tabIndex = first >= 0 ? int(first) : nextTab++;
            out.table.push_back(f);
            out.boxes << CompletionBox{&c, c.keys, c.nextPage};
        }
        return out;
    }();
    return b;
}

}  // namespace

const FieldTable& CompletionFieldTable() { return built().table; }
const QList<CompletionBox>& CompletionBoxes() { return built().boxes; }

QString ParticipantsTotal(const QStringList& kinds)
{
    // A 16-bit sum: seven boxes of two digits stay far below its range.
    double sum = 0;
    for (const QString& k : kinds)
        if (!Trim(k).isEmpty())
            sum = std::nearbyint(sum + Val(k));
    return sum >= 1 ? QString::number(qint64(sum)) : QString();
}
