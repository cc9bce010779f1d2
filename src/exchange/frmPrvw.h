#pragma once
// The preview of a submission: the ticked rows of a submission window's grid, under
// the grid's headers, read-only, before they are written. It is modal over the
// submission window that opens it and changes neither data nor ticks.

#include "Controls.h"
#include "VbForm.h"

#include <QTableWidget>

class TickGrid;

class frmPrvw : public VbForm {
    Q_OBJECT
public:
    frmPrvw();

    // Shows the preview of the ticked rows of `source`, modal.
    static void OpenPreview(const TickGrid& source);

    ControlPtr<QTableWidget> prview{this};
    ControlPtr<VbLabel> Label1{this};
    ControlPtr<VbLabel> Label2{this};
    ControlPtr<VbLabel> Label3{this};
    ControlPtr<VbButton> cmdzoomin{this};
    ControlPtr<VbButton> cmdzoomout{this};
    ControlPtr<VbButton> Command2{this};
    ControlPtr<VbButton> Command1{this};

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Resize() override;

private:
    // A step of the grid's font size, in points; it never goes below 1 point.
    void Zoom(int points);

    const TickGrid* m_source = nullptr;
};

namespace forms {
inline FormRef<::frmPrvw> frmPrvw;
}
