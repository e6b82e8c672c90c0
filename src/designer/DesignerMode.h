#pragma once

#include <QString>

// The designer's three modes and what each enables.
enum class DesignerMode { Browse, Adding, Editing };

struct DesignerControlStates {
    bool editing = false;  // canvas, the three frames and everything in them, Save
    bool bankList = true;  // cboBank
    bool add = true;       // cmdAdd
    QString addCaption;    // with its accelerator
    bool edit = true;      // cmdEdit
    QString editCaption;
    bool codeReadOnly = true;  // txtBankCode
    bool remove = true;        // cmdDelete

    bool operator==(const DesignerControlStates&) const = default;
};

// `formatsExist` is false while the bank list is empty (nothing to edit or
// delete); it is read afresh each time, so the first saved format turns both on.
DesignerControlStates designerControlStates(DesignerMode mode, bool formatsExist);
