#pragma once
// The two document windows over the applications of the login's category (the
// application document and the summary list): a grid fed by a hidden data control,
// the four move buttons, "预  览" and exit, and a red progress text with the clock
// animation shown while a document is built. The build itself is each window's own.

#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "VbAnimation.h"
#include "VbForm.h"

struct DocumentListMember {
    QString caption;
    QString progressText;
    bool greyProgressBack = false;   // the progress box on the window's grey, not white
    QString order;                   // the order of the category's rows, as an "order by" list
};

class DocumentListWindow : public VbForm {
    Q_OBJECT
public:
    DocumentListWindow(const QString& formName, DocumentListMember member);

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

    // Builds the document; runs on "预  览".
    virtual void Cmdprint_Click() = 0;

    // Shows "没有可以预览的记录！" and returns false when the grid holds no row.
    bool HasRowsToPreview();
    // Shows the progress text and plays the clock. Throws DocError when the clip
    // cannot be opened (the text is shown all the same).
    void ProgressOn();
    void ProgressOff();
    // Hands a finished document to the desktop's word processor; a document that
    // cannot be opened there is reported with the print error, which says where the
    // file is.
    static void OpenFinishedDocument(const QString& path);

    Recordset& Rs() { return data1->Rs(); }

private:
    void Cmdexit_Click();

    DocumentListMember m;

    DataGrid* DataGrid1 = nullptr;
    DataControl* data1 = nullptr;
    VbFrame* Frame2 = nullptr;
    VbButton* Cmdfst = nullptr;
    VbButton* Cmdpre = nullptr;
    VbButton* Cmdnxt = nullptr;
    VbButton* Cmdlst = nullptr;
    VbButton* Cmdprint = nullptr;
    VbButton* Cmdexit = nullptr;
    VbTextBox* Txtmsg = nullptr;
    VbAnimation* Animation1 = nullptr;
};
